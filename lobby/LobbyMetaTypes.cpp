#include "LobbyMetaTypes.h"

#include "MetaTypes.h"
#include "SpringPlayer.h"

void RegisterLobbyMetaTypes()
{
    RegisterValueType<SpringPlayer>("SpringPlayer");
}
