#include "LobbyMetaTypes.h"

#include "SpringPlayer.h"

void RegisterLobbyMetaTypes()
{
    qRegisterMetaType<SpringPlayer>("SpringPlayer");
}
