// Joining and leaving the four skirmish modes, and what each remembers.

#include "AppDefines.h"
#include "AppSettings.h"
#include "PathManager.h"
#include "SkirmishCustomHandler.h"
#include "SkirmishMissionHandler.h"
#include "SkirmishQuickHandler.h"
#include "SkirmishSpringTestsHandler.h"
#include "SpringLaunchManager.h"
#include "SyncManager.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "helper_SkirmishContent.h"

#include <QSignalSpy>
#include <QtTest>

namespace
{
// Reads both settings files again, as a new start of the program would.
void ReloadSettings(const QString& lobbyFile, const QString& gameFile)
{
    DestroyAppSettingsGroups();
    CreateAppSettingsGroups();
    AppSettings::Instance()->SetFiles(lobbyFile, gameFile);
    AppSettings::Instance()->Load();
}

QStringList Kinds(const QList<DataPlayer>& ais)
{
    QStringList kinds;
    for (const DataPlayer& ai : ais)
        kinds << ai.aiKind;
    return kinds;
}
} // namespace

class TestSkirmishModes : public QObject
{
    Q_OBJECT

private slots:
    void customRoundTrip_data()
    {
        QTest::addColumn<bool>("admin");
        QTest::newRow("IsAdmin off") << false;
        QTest::newRow("IsAdmin on") << true;
    }

    void customRoundTrip()
    {
        QFETCH(bool, admin);
        TestEnvironment env;
        SkirmishContent content(env);
        const QString lobbyIni = env.Path("ini/lobby.ini");
        const QString gameIni = env.Path("ini/game.ini");
        QDir().mkpath(env.Path("ini"));
        ReloadSettings(lobbyIni, gameIni);
        AppSettingsSpringMyPersonal::Instance()->IsAdmin = admin;
        content.UseAsDefaults(AppSettingsSkirmishCustom::Instance());

        SkirmishCustomHandler* custom = SkirmishCustomHandler::Instance();
        QSignalSpy joined(custom, &SkirmishHandler::OnJoin);
        custom->JoinBattle();
        QCOMPARE(joined.count(), 1);
        QVERIFY(custom->IsJoined());
        QVERIFY(custom->Battle().hostedHere);
        QCOMPARE(custom->MapName(), content.mapName);
        QCOMPARE(custom->Battle().gameName, content.gameEntry);
        QCOMPARE(custom->MissionName(), "none");
        QCOMPARE(custom->StartPosType(), "2");
        QVERIFY(custom->GetMe().IsSynced());
        // No stored AI (empty slots, as earlier versions left them too): the game's default one, on
        // the other team; boxes left and right.
        QCOMPARE(Kinds(custom->AIs()->GetAIs()), QStringList{"AI: R.A.V."});
        QCOMPARE(custom->AIs()->GetAIs().first().allyTeam, 1);
        QCOMPARE(custom->StartRects().values(), SkirmishHandler::MakeStartRectsLayout(1, 20));

        // The player's choices.
        custom->SetMapName(content.otherMapName);
        custom->SetMissionName("m7");
        custom->SetStartPosType("1");
        custom->SetMyTeam(2);
        custom->SetMyColor(QColor(1, 2, 3));
        custom->SetMySide(1, "Core");
        DataPlayer nullAi = AIHandler::MakeCustomAI("NullAI", 1);
        nullAi.allyTeam = 3;
        custom->AppendAI(nullAi, true);
        custom->ApplyStartRectsLayout(2, 30);
        const QMap<int, QRect> boxes = custom->StartRects();
        custom->LeaveBattle();
        QVERIFY(!custom->IsJoined());
        QVERIFY(custom->Players().isEmpty());
        QCOMPARE(custom->AIs()->Count(), 0);

        ReloadSettings(lobbyIni, gameIni);
        // Slots without an AI hold an empty player's fields, which read back as no AI.
        for (int i = 2; i < AppSettingsSkirmish::AiSlots; ++i)
        {
            const QString stored = AppSettingsSkirmishCustom::Instance()->AI[i];
            QVERIFY(stored.contains("|NAME_SHORT=|"));
            QCOMPARE(stored, AppSettingsSkirmish::AiToString(DataPlayer()));
        }
        AppSettingsSpringMyPersonal::Instance()->IsAdmin = admin;
        content.UseAsDefaults(AppSettingsSkirmishCustom::Instance());
        custom->JoinBattle();
        QCOMPARE(custom->MapName(), admin ? content.otherMapName : content.mapName);
        QCOMPARE(custom->MissionName(), admin ? "m7" : "none");
        // The start position is kept by the handler itself between battles.
        QCOMPARE(custom->StartPosType(), "1");
        QCOMPARE(custom->GetMe().allyTeam, 2);
        QCOMPARE(custom->GetMe().color, QColor(1, 2, 3));
        QCOMPARE(custom->GetMe().side, 1);
        QCOMPARE(custom->GetMe().sideName, "Core");
        QCOMPARE(custom->StartRects(), boxes);
        const QList<DataPlayer> ais = custom->AIs()->GetAIs();
        QCOMPARE(Kinds(ais), (QStringList{"AI: R.A.V.", "AI: CUSTOM - NullAI"}));
        QCOMPARE(ais.last().aiShortName, "NullAI");
        QCOMPARE(ais.last().allyTeam, 3);
        QCOMPARE(ais.last().side, 1);
        QCOMPARE(ais.at(0).team, 1); // Me holds team 0
        QCOMPARE(ais.at(1).team, 2);
    }

    void customLimitIsEight()
    {
        TestEnvironment env;
        SkirmishContent content(env);
        content.UseAsDefaults(AppSettingsSkirmishCustom::Instance());
        SkirmishCustomHandler* custom = SkirmishCustomHandler::Instance();
        custom->JoinBattle();
        for (int i = 0; i < 10; ++i)
            custom->AppendAI(AIHandler::MakeSkitterhiveAI(i), true);
        QCOMPARE(custom->AIs()->Count(), 8);
        QVERIFY(custom->IsAILimitReached());
    }

    void customDefaultAiFollowsTheGame()
    {
        TestEnvironment env("gvm");
        SkirmishContent content(env);
        content.UseAsDefaults(AppSettingsSkirmishCustom::Instance());
        AppSettingsSkirmishCustom::Instance()->TeamID = 1;
        SkirmishCustomHandler::Instance()->JoinBattle();
        const QList<DataPlayer> ais = SkirmishCustomHandler::Instance()->AIs()->GetAIs();
        QCOMPARE(Kinds(ais), QStringList{"AI: V.E.S.K.A."});
        QCOMPARE(ais.first().allyTeam, 0);
        QCOMPARE(ais.first().sideName, "Aegis");
    }

    void badStoredBoxesAreDropped()
    {
        TestEnvironment env;
        SkirmishContent content(env);
        AppSettingsSkirmishCustom* settings = AppSettingsSkirmishCustom::Instance();
        content.UseAsDefaults(settings);
        settings->Rects = "0,0,50,50|-20,0,10,10|90,90,40,40";
        SkirmishCustomHandler::Instance()->JoinBattle();
        QCOMPARE(SkirmishCustomHandler::Instance()->StartRects().keys(), QList<int>{0});
        QVERIFY(env.LogContains("Out of area"));
    }

    void quickHoldsOneAi()
    {
        TestEnvironment env;
        SkirmishContent content(env);
        content.UseAsDefaults(AppSettingsSkirmishCustom::Instance());
        AppSettingsSkirmishQuick::Instance()->Side = 1;
        AppSettingsSkirmishQuick::Instance()->MapRectAreaSize = 40;
        SkirmishQuickHandler* quick = SkirmishQuickHandler::Instance();
        QCOMPARE(quick->AIDisplayName(), "NO NAME");
        QVERIFY(env.LogContains("SkirmishQuickHandler :: PlayerAI --- There is NO AI"));
        quick->JoinBattle();
        QCOMPARE(quick->MapName(), content.mapName);
        QCOMPARE(quick->GetMe().allyTeam, 0);
        QCOMPARE(quick->GetMe().sideName, "Core");
        QCOMPARE(quick->PlayerAI().allyTeam, 1);
        QCOMPARE(quick->AIDisplayName(), "R.A.V.");
        QCOMPARE(quick->StartRects().values(), SkirmishHandler::MakeStartRectsLayout(1, 40));

        quick->SetAI(AIHandler::MakeSkitterhiveAI(2));
        QCOMPARE(quick->AIs()->Count(), 1);
        QCOMPARE(quick->AIDisplayName(), "Skitterhive");
        quick->AppendAI(AIHandler::MakeVeskaAI(0), true);
        QCOMPARE(quick->AIs()->Count(), 1);
        quick->LeaveBattle();
        QCOMPARE(quick->AIs()->Count(), 0);
    }

    void choicesStayInTheirOwnMode()
    {
        TestEnvironment env;
        SkirmishContent content(env);
        AppSettingsSkirmishCustom* custom = AppSettingsSkirmishCustom::Instance();
        AppSettingsSkirmishQuick* quick = AppSettingsSkirmishQuick::Instance();
        content.UseAsDefaults(custom);
        const QColor customColor = custom->Color;
        const int customSide = custom->Side;

        SkirmishMissionHandler::Instance()->JoinBattle();
        SkirmishMissionHandler::Instance()->SetMyColor(Qt::magenta);
        SkirmishMissionHandler::Instance()->SetMySide(1, "Core");
        SkirmishSpringTestsHandler::Instance()->JoinBattle();
        SkirmishSpringTestsHandler::Instance()->SetMyColor(Qt::cyan);
        QCOMPARE(custom->Color, customColor);
        QCOMPARE(custom->Side, customSide);

        SkirmishQuickHandler::Instance()->JoinBattle();
        SkirmishQuickHandler::Instance()->SetMyColor(Qt::darkGreen);
        QCOMPARE(quick->Color, QColor(Qt::darkGreen));
        QCOMPARE(custom->Color, customColor);

        SkirmishCustomHandler::Instance()->JoinBattle();
        SkirmishCustomHandler::Instance()->SetMyColor(Qt::darkRed);
        QCOMPARE(custom->Color, QColor(Qt::darkRed));
    }

    void testsModeWatchesTwoAis()
    {
        TestEnvironment env;
        SkirmishContent content(env);
        SkirmishSpringTestsHandler* tests = SkirmishSpringTestsHandler::Instance();
        tests->JoinBattle();
        // Teams, colours and the spectator's script: the golden "tests" script.
        QCOMPARE(tests->GetMe().team, 100);
        QCOMPARE(tests->GetMe().allyTeam, -1);
        QCOMPARE(Kinds(tests->AIs()->GetAIs()), (QStringList{"N1", "N2"}));
        QVERIFY(tests->IsAILimitReached());

        DataTest test;
        test.mapName = content.mapName;
        test.startPosition = QString(); // a list line without one
        test.script = "tests/one.lua";
        SkirmishSpringTestsHandler::SetTest(test, content.engineVersion, content.gameVersion);
        QTRY_COMPARE(tests->MapName(), content.mapName);
        QCOMPARE(tests->EngineVersion(), content.engineVersion);
        QCOMPARE(tests->Battle().gameName, content.gameEntry);
        QCOMPARE(tests->MissionName(), "tests/one.lua");
        QCOMPARE(tests->StartPosType(), "2");
    }

    void missionFillsTheBattle()
    {
        TestEnvironment env;
        SkirmishContent content(env);
        SkirmishMissionHandler* mission = SkirmishMissionHandler::Instance();
        mission->JoinBattle();
        QVERIFY(mission->GetMe().spectator);
        QVERIFY(!mission->GetMe().synced);

        DataMission data;
        data.mapName = content.mapName;
        data.engineVersion = content.engineVersion;
        data.game = content.gameVersion;
        data.player.allyTeam = 0;
        data.player.team = 0;
        data.player.side = 1;
        data.player.color = Qt::green;
        DataPlayer bot;
        bot.isAi = true;
        bot.side = 0;
        bot.aiShortName = "NullAI";
        bot.allyTeam = 1;
        bot.team = 1;
        data.bots.insert(2, bot);
        bot.team = 2;
        data.bots.insert(1, bot);
        mission->SetMissionData(data);

        // Sides, colours and teams in the script: the golden "mission" script.
        QVERIFY(mission->GetMe().plays);
        QCOMPARE(mission->GameVersion(), "MORVANTIS " + content.gameVersion);
        QCOMPARE(mission->Battle().gameName, content.gameEntry); // the script gets its GameType
        const QList<DataPlayer> ais = mission->AIs()->GetAIs();
        QCOMPARE(ais.size(), 2);
        QCOMPARE(ais.at(0).team, 2); // bot 1 first, teams kept
        QCOMPARE(ais.at(1).team, 1);
        QVERIFY(!mission->IsAILimitReached());

        // Opening the briefing again starts from a clean battle.
        mission->JoinBattle();
        QCOMPARE(mission->AIs()->Count(), 0);
        mission->SetMissionData(data);
        QCOMPARE(mission->AIs()->Count(), 2);
    }

    void unplayableBattleIsRefused()
    {
        TestEnvironment env;
        SkirmishContent content(env);
        SkirmishCustomHandler* custom = SkirmishCustomHandler::Instance();
        custom->JoinBattle(); // the game table's defaults: not installed here
        QSignalSpy refused(custom, &SkirmishHandler::OnStartBattleError);
        custom->StartBattle();
        QTRY_COMPARE(refused.count(), 1);
        QVERIFY(refused.first().first().toString().startsWith("no map"));
        QVERIFY(env.LogContains("SkirmishHandler :: StartBattle --- Can't Start, no map"));
        QVERIFY(!QFile::exists(PathManager::Instance()->GetLaunchScriptFile()));

        content.UseAsDefaults(AppSettingsSkirmishCustom::Instance());
        custom->LeaveBattle();
        AppSettingsSkirmishCustom::Instance()->SavedEngineVersion.clear();
        AppSettingsSkirmishCustom::Instance()->DefaultEngineVersion = "99.9";
        custom->JoinBattle();
        custom->DoStartBattle();
        QCOMPARE(refused.count(), 2);
        QCOMPARE(refused.last().first().toString(), "no engine: 99.9");
        QVERIFY(!QFile::exists(PathManager::Instance()->GetLaunchScriptFile()));

        content.UseAsDefaults(AppSettingsSkirmishCustom::Instance());
        custom->LeaveBattle();
        AppSettingsSkirmishCustom::Instance()->DefaultGameVersion = "Gone Game 1";
        custom->JoinBattle();
        QCOMPARE(custom->Battle().gameName, QString());
        custom->DoStartBattle();
        QCOMPARE(refused.count(), 3);
        QCOMPARE(refused.last().first().toString(), "no game: Gone Game 1");
        QVERIFY(!QFile::exists(PathManager::Instance()->GetLaunchScriptFile()));
    }

    // A start that the launcher cannot carry out reaches the mode's listeners, and only its own; one
    // asked for while the engine runs (a replay) is refused before the launcher hears of it. The
    // battle can then be started again.
    void failedEngineStartReachesTheCaller_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing engine") << "missing"
                                        << "no engine 105.0 installed";
        QTest::newRow("engine not executable") << "not executable"
                                               << "the engine could not be started";
        QTest::newRow("engine running a replay") << "running" << QString();
    }
    void failedEngineStartReachesTheCaller()
    {
        QFETCH(QString, engine);
        QFETCH(QString, reason);
        TestEnvironment env;
        SkirmishContent content(env);
        content.UseAsDefaults(AppSettingsSkirmishCustom::Instance());
        SkirmishCustomHandler* custom = SkirmishCustomHandler::Instance();
        SkirmishQuickHandler* quick = SkirmishQuickHandler::Instance();
        SpringLaunchManager* launcher = SpringLaunchManager::Instance();
        custom->JoinBattle();
        QFile program(SyncManager::Instance()->GetEngineExePath(content.engineVersion));
        const QFile::Permissions runnable = program.permissions();
        const QString replayEnds = env.Path("replay ends");
        if (engine == "missing")
        {
            QVERIFY(program.remove());
        }
        else if (engine == "not executable")
        {
            QVERIFY(program.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
        }
        else
        {
            // Plays until told to stop (half a minute at most).
            QVERIFY(
                TestFiles::Write(program.fileName(),
                                 QStringLiteral("#!/bin/sh\nn=0\nwhile [ ! -e '%1' ] && [ $n -lt 600 ]; do "
                                                "sleep 0.05; n=$((n + 1)); done\n")
                                     .arg(replayEnds)
                                     .toUtf8(),
                                 true));
            launcher->StartReplay(env.Path("watched.sdfz"), content.engineVersion);
            QTRY_VERIFY(launcher->IsRunning());
        }

        QSignalSpy started(custom, &SkirmishHandler::OnGameStart);
        QSignalSpy failed(custom, &SkirmishHandler::OnStartBattleError);
        QSignalSpy stopped(custom, &SkirmishHandler::OnSkirmishStopped);
        QSignalSpy otherFailed(quick, &SkirmishHandler::OnStartBattleError);
        custom->StartBattle();
        if (reason.isEmpty())
        {
            QTRY_VERIFY(env.LogContains("SkirmishHandler :: StartBattle can't start while replay watching!"));
            QVERIFY(!env.LogContains("SpringLaunchManager :: Game already launched"));
            QVERIFY(!QFile::exists(PathManager::Instance()->GetLaunchScriptFile()));
            QCOMPARE(started.count(), 0);
            QCOMPARE(failed.count(), 0);
            QVERIFY(TestFiles::Write(replayEnds, QByteArray()));
            QTRY_VERIFY_WITH_TIMEOUT(!launcher->IsRunning(), 30000);
        }
        else
        {
            QTRY_COMPARE(failed.count(), 1);
            QCOMPARE(started.count(), 1);
            QVERIFY2(failed.first().first().toString().startsWith(reason),
                     qPrintable(failed.first().first().toString()));
            QVERIFY(env.LogContains("SkirmishHandler :: StartBattle --- the engine did not start"));
        }
        QVERIFY(!custom->IsStarting());
        QCOMPARE(otherFailed.count(), 0);

        QVERIFY(TestFiles::Write(program.fileName(), "#!/bin/sh\nexit 0\n") &&
                program.setPermissions(runnable));
        custom->StartBattle();
        QTRY_COMPARE(stopped.count(), 1);
        QCOMPARE(started.count(), reason.isEmpty() ? 1 : 2);
        QCOMPARE(failed.count(), reason.isEmpty() ? 0 : 1);
    }
};

QTEST_MAIN(TestSkirmishModes)
#include "tst_SkirmishModes.moc"
