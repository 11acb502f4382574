#include "DataReplay.h"

void RegisterReplayMetaTypes()
{
    qRegisterMetaType<DataReplay>("DataReplay");
    qRegisterMetaType<ReplaysList>("ReplaysList");
    qRegisterMetaType<ReplaysTable>("ReplaysTable");
}
