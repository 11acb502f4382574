#include "SpringBattle.h"

DataStartScript SpringBattle::ToStartScript() const
{
    DataBattle battle;
    battle.battleId = id;
    battle.hostIp = hostIp;
    battle.hostPort = QString::number(hostPort);
    battle.mapName = mapName;
    battle.mapHash = mapHash;
    battle.gameName = gameName;
    battle.gameHash = gameHash;
    battle.engineVersion = engineVersion;
    battle.options = options;
    battle.hostedHere = false;
    return DataStartScript(battle);
}
