#include "SkirmishCustomHandler.h"

#include "AppDefines.h"
#include "AppSettings.h"

#include <QDebug>

SkirmishCustomHandler::SkirmishCustomHandler()
{
    qDebug() << "Initialize :: SkirmishCustomHandler";
}

SkirmishCustomHandler::~SkirmishCustomHandler()
{
    qDebug() << "Destroy :: SkirmishCustomHandler";
}

AppSettingsSkirmish* SkirmishCustomHandler::MySettings() const
{
    return AppSettingsSkirmishCustom::Instance();
}

void SkirmishCustomHandler::JoinBattle()
{
    qDebug() << "SkirmishCustomHandler :: JoinBattle";
    AppSettingsSkirmishCustom* settings = AppSettingsSkirmishCustom::Instance();

    QString map, game, engine, mission, startPosition;
    if (AppSettingsSpringMyPersonal::Instance()->IsAdmin)
    {
        map = settings->SavedMapName;
        game = settings->SavedGameVersion;
        engine = settings->SavedEngineVersion;
        mission = settings->SavedMissionName;
        startPosition = settings->SavedStartPosition;
    }
    if (map.isEmpty())
        map = settings->DefaultMapName;
    if (game.isEmpty())
        game = settings->DefaultGameVersion;
    if (engine.isEmpty())
        engine = settings->DefaultEngineVersion;

    m_battle.mapName = map;
    m_battle.gameVersion = game;
    m_battle.engineVersion = engine;
    m_battle.gameName = GameEntry(game);
    SetMissionName(mission);
    if (!startPosition.isEmpty())
        SetStartPosType(startPosition);

    DataPlayer& me = JoinMe();
    me.side = settings->Side;
    me.sideName = DataPlayer::GetSideName(settings->Side);
    me.color = settings->Color;
    me.team = 0;
    SetMyTeam(settings->TeamID, true);
    me.SetSyncStatus(1, QString());
    emit OnPlayerJoined(me);

    int fromSettings = 0;
    for (const QString& text : settings->AI)
    {
        DataPlayer ai;
        if (!AppSettingsSkirmish::AiFromString(text, &ai))
            continue;
        ai.picture = AIHandler::PictureFor(ai);
        AppendAI(ai, true);
        ++fromSettings;
    }
    if (fromSettings == 0)
    {
        DataPlayer ai = DefaultAI(AppDefines::Instance()->GetGameIndex(), 0);
        ai.allyTeam = settings->TeamID == 0 ? 1 : 0;
        AppendAI(ai, true);
    }

    const QMap<int, QRect> rects = AppSettingsSkirmish::RectsFromString(settings->Rects);
    if (rects.isEmpty())
        ApplyStartRectsLayout(1, settings->MapRectAreaSize);
    else
    {
        for (auto it = rects.constBegin(); it != rects.constEnd(); ++it)
            AppendRect(it.key(), it.value());
    }
    emit OnJoin();
}

void SkirmishCustomHandler::LeaveBattle()
{
    qDebug() << "SkirmishCustomHandler :: LeaveBattle";
    AppSettingsSkirmishCustom* settings = AppSettingsSkirmishCustom::Instance();
    const QList<DataPlayer> ais = m_ais->GetAIs();
    for (int i = 0; i < AppSettingsSkirmish::AiSlots; ++i)
        settings->AI[i] = AppSettingsSkirmish::AiToString(i < ais.size() ? ais.at(i) : DataPlayer());
    settings->SavedMapName = m_battle.mapName;
    settings->SavedGameVersion = m_battle.gameVersion;
    settings->SavedEngineVersion = m_battle.engineVersion;
    settings->SavedMissionName = MissionName();
    settings->SavedStartPosition = m_startPosType;
    settings->TeamID = GetMe().allyTeam;
    settings->Rects = AppSettingsSkirmish::RectsToString(m_startRects);
    AppSettings::Save(settings);

    ResetBattle();
    emit OnLeave();
}
