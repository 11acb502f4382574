#include "DataStartScript.h"

DataStartScript::DataStartScript(const DataBattle& battle)
    : hostIp(battle.hostIp), hostPort(battle.hostPort), isHost(battle.hostedHere), gameName(battle.gameName),
      gameHash(QString::number(battle.gameHash)), mapName(battle.mapName), mapHash(QString::number(battle.mapHash)),
      engineVersion(battle.engineVersion), options(battle.options)
{
}
