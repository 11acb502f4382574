#include "SkirmishMissionHandler.h"

#include "AppDefines.h"

#include <QDebug>

SkirmishMissionHandler::SkirmishMissionHandler()
{
    qDebug() << "Initialize :: SkirmishMissionHandler";
}

SkirmishMissionHandler::~SkirmishMissionHandler()
{
    qDebug() << "Destroy :: SkirmishMissionHandler";
}

void SkirmishMissionHandler::JoinBattle()
{
    qDebug() << "SkirmishMissionHandler :: JoinBattle";
    // The mission brings its own bots and no boxes; nothing of a mission loaded before stays.
    m_ais->Clear();
    SetStartRects({});
    DataPlayer& me = JoinMe();
    SetMyTeam(-1, true);
    emit OnPlayerJoined(me);
    emit OnJoin();
}

void SkirmishMissionHandler::LeaveBattle()
{
    qDebug() << "SkirmishMissionHandler :: LeaveBattle";
    ResetBattle();
    emit OnLeave();
}

void SkirmishMissionHandler::SetMissionData(const DataMission& mission)
{
    SetMyTeam(mission.player.allyTeam, true);
    DataPlayer& me = GetMe();
    me.team = mission.player.team;
    me.side = mission.player.side;
    me.sideName = DataPlayer::GetSideName(mission.player.side);
    me.color = mission.player.color;

    m_battle.gameVersion =
        QStringLiteral("%1 %2").arg(AppDefines::Instance()->GetGameNamePattern().toUpper(), mission.game);
    m_battle.mapName = mission.mapName;
    m_battle.engineVersion = mission.engineVersion;
    // The script's GameType: the installed game the mission names, by its own text first.
    m_battle.gameName = GameEntry(mission.game);
    if (m_battle.gameName.isEmpty())
        m_battle.gameName = GameEntry(m_battle.gameVersion);

    for (auto it = mission.bots.constBegin(); it != mission.bots.constEnd(); ++it)
    {
        DataPlayer ai = it.value();
        ai.isAi = true;
        ai.plays = true;
        ai.spectator = false;
        // The file gives the side by number; the script names it.
        ai.sideName = DataPlayer::GetSideName(ai.side);
        AppendAI(ai, false);
    }
}
