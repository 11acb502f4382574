#include "SkirmishSpringTestsHandler.h"

#include <QDebug>

namespace
{
constexpr int SpectatorTeam = 100;
}

SkirmishSpringTestsHandler::SkirmishSpringTestsHandler()
{
    qDebug() << "Initialize :: SkirmishSpringTestsHandler";
}

SkirmishSpringTestsHandler::~SkirmishSpringTestsHandler()
{
    qDebug() << "Destroy :: SkirmishSpringTestsHandler";
}

void SkirmishSpringTestsHandler::JoinBattle()
{
    qDebug() << "SkirmishSpringTestsHandler :: JoinBattle";
    DataPlayer& me = JoinMe();
    SetMyTeam(-1, true);
    me.team = SpectatorTeam;
    me.sideName = DataPlayer::GetSideName(me.side);
    me.SetSyncStatus(1, QString());
    emit OnPlayerJoined(me);

    const struct
    {
        const char* name;
        const char* kind;
        int team;
        QColor color;
    } testAis[] = {{"Test N1", "N1", 0, QColor(Qt::red)}, {"Test N2", "N2", 1, QColor(Qt::blue)}};
    for (const auto& t : testAis)
    {
        DataPlayer ai = AIHandler::MakeMissionAI(0);
        ai.name = QString::fromLatin1(t.name);
        ai.aiKind = QString::fromLatin1(t.kind);
        ai.allyTeam = t.team;
        ai.team = t.team;
        ai.color = t.color;
        AppendAI(ai, false);
    }
    emit OnJoin();
}

void SkirmishSpringTestsHandler::LeaveBattle()
{
    qDebug() << "SkirmishSpringTestsHandler :: LeaveBattle";
    ResetBattle();
    emit OnLeave();
}

void SkirmishSpringTestsHandler::SetTest(const DataTest& test, const QString& engineVersion,
                                         const QString& gameVersion)
{
    QMetaObject::invokeMethod(Instance(), "DoSetTest", Qt::QueuedConnection, Q_ARG(DataTest, test),
                              Q_ARG(QString, engineVersion), Q_ARG(QString, gameVersion));
}

void SkirmishSpringTestsHandler::DoSetTest(DataTest test, QString engineVersion, QString gameVersion)
{
    m_battle.mapName = test.mapName;
    m_battle.engineVersion = engineVersion;
    m_battle.gameName = GameEntry(gameVersion);
    SetStartPosType(test.startPosition);
    // The test's script travels as the mission option, whatever it holds.
    QList<DataBattleOption>& options = m_battle.options.options;
    for (int i = 0; i < options.size(); ++i)
    {
        if (options.at(i).key == QLatin1String("mission_name"))
        {
            options.removeAt(i);
            break;
        }
    }
    options.append({QStringLiteral("mission_name"), test.script, QString(), QString()});
}
