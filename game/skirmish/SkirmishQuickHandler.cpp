#include "SkirmishQuickHandler.h"

#include "AppDefines.h"
#include "AppSettings.h"

#include <QDebug>

SkirmishQuickHandler::SkirmishQuickHandler()
{
    qDebug() << "Initialize :: SkirmishQuickHandler";
}

SkirmishQuickHandler::~SkirmishQuickHandler()
{
    qDebug() << "Destroy :: SkirmishQuickHandler";
}

AppSettingsSkirmish* SkirmishQuickHandler::MySettings() const
{
    return AppSettingsSkirmishQuick::Instance();
}

void SkirmishQuickHandler::JoinBattle()
{
    qDebug() << "SkirmishQuickHandler :: JoinBattle";
    AppSettingsSkirmishQuick* quick = AppSettingsSkirmishQuick::Instance();
    AppSettingsSkirmishCustom* custom = AppSettingsSkirmishCustom::Instance();
    quick->SavedMapName = quick->DefaultMapName;

    const QString map = custom->SavedMapName.isEmpty() ? custom->DefaultMapName : custom->SavedMapName;
    const QString game =
        custom->SavedGameVersion.isEmpty() ? custom->DefaultGameVersion : custom->SavedGameVersion;
    const QString engine =
        custom->SavedEngineVersion.isEmpty() ? custom->DefaultEngineVersion : custom->SavedEngineVersion;
    m_battle.mapName = map;
    m_battle.gameVersion = game;
    m_battle.engineVersion = engine;
    m_battle.gameName = GameEntry(game);

    DataPlayer& me = JoinMe();
    me.side = quick->Side;
    // The side's name comes from the same group as its number.
    me.sideName = DataPlayer::GetSideName(quick->Side);
    me.color = quick->Color;
    me.team = 0;
    SetMyTeam(m_myTeam, true);
    me.SetSyncStatus(1, QString());
    emit OnPlayerJoined(me);

    DataPlayer ai = DefaultAI(AppDefines::Instance()->GetGameIndex(), m_aiSide);
    ai.allyTeam = m_aiTeam;
    AppendAI(ai, true);

    ApplyStartRectsLayout(1, quick->MapRectAreaSize);
    emit OnJoin();
}

void SkirmishQuickHandler::LeaveBattle()
{
    qDebug() << "SkirmishQuickHandler :: LeaveBattle";
    ResetBattle();
    AppSettings::Save(AppSettingsSkirmishQuick::Instance());
    emit OnLeave();
}

DataPlayer SkirmishQuickHandler::PlayerAI() const
{
    const QList<DataPlayer> ais = m_ais->GetAIs();
    if (ais.isEmpty())
    {
        qWarning() << "SkirmishQuickHandler :: PlayerAI --- There is NO AI";
        return DataPlayer(tr("No Name").toUpper(), true, true);
    }
    return ais.first();
}

QString SkirmishQuickHandler::AIDisplayName() const
{
    const DataPlayer ai = PlayerAI();
    if (ai.IsAiRav())
        return QStringLiteral("R.A.V.");
    if (ai.IsAiSkitters())
        return QStringLiteral("Skitterhive");
    if (ai.IsAiMission())
        return QStringLiteral("Mission");
    if (ai.IsAiVeska())
        return QStringLiteral("V.E.S.K.A.");
    return tr("No Name").toUpper();
}

void SkirmishQuickHandler::SetAI(const DataPlayer& ai)
{
    if (m_ais->Count() > 0)
        m_ais->Clear();
    AppendAI(ai, true);
}
