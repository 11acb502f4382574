#include "LobbyMetaTypes.h"

#include "MetaTypes.h"
#include "SpringBattle.h"
#include "SpringPlayer.h"

void RegisterLobbyMetaTypes()
{
    RegisterValueType<SpringPlayer>("SpringPlayer");
    RegisterValueType<SpringBattle>("SpringBattle");
}
