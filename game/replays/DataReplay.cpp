#include "DataReplay.h"

#include "MetaTypes.h"

void RegisterReplayMetaTypes()
{
    RegisterValueType<DataReplay>("DataReplay");
    RegisterValueType<ReplaysList>("ReplaysList");
    RegisterValueType<ReplaysTable>("ReplaysTable");
}
