// Each mode's DoStartBattle writes the start script of its golden file, and the real engine
// (Debian's spring-headless) reads it; one custom skirmish against NullAI plays to its end.
// Each golden file was checked by hand, line by line, against the script format (sections and
// keys in code-unit order, AI numbers after the players', TEAM and ALLYTEAM numbers by first use,
// boxes as inclusive edges / 100) and the modes' rules (names made unique from the owner's, the
// quick mode's one AI on ally team 1, the test mode's spectator without a team, the mission's
// bots keeping their teams, mission_name "none" unless a test sets it). QM_UPDATE_GOLDEN=1
// rewrites them from what the modes write: check a rewritten file the same way before keeping it.

#include "AppSettings.h"
#include "EngineHarness.h"
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

#include <QDir>
#include <QSignalSpy>
#include <QtTest>

namespace
{
const QString HostAccepted = "[CPreGame] using server IP";
const QString Rejected = "GAME-section missing";

// Starts the battle through the mode and returns the script the launcher wrote. The engine in
// SkirmishContent is a stand-in that ends at once.
QByteArray StartAndTakeScript(SkirmishHandler* mode)
{
    QSignalSpy stopped(SpringLaunchManager::Instance(), &SpringLaunchManager::OnSkirmishStopped);
    QSignalSpy refused(mode, &SkirmishHandler::OnStartBattleError);
    mode->StartBattle();
    if (!stopped.wait(10000) && stopped.isEmpty())
        return QByteArray("no engine run; refused: ") + QByteArray::number(refused.count());
    return TestFiles::Read(PathManager::Instance()->GetLaunchScriptFile());
}

void CompareWithGolden(const QByteArray& script, const QString& name)
{
    const QString golden = QFINDTESTDATA("golden/" + name);
    if (qEnvironmentVariableIsSet("QM_UPDATE_GOLDEN"))
    {
        QVERIFY(TestFiles::Write(QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + "/golden/" + name,
                                 script));
        return;
    }
    QVERIFY2(!golden.isEmpty(), qPrintable(name));
    const QByteArray expected = TestFiles::Read(golden);
    if (script != expected)
        qWarning().noquote() << "written script:\n" << script;
    QCOMPARE(script, expected);
}

void EngineAccepts(const QByteArray& script)
{
    QM_REQUIRE(EngineHarness::IsAvailable(), "spring-headless (Debian package spring)");
    EngineHarness engine;
    // No content in the engine's folder: it reads the script, then stops at the map.
    const EngineRun run = engine.RunScript(QString::fromUtf8(script), 20000, HostAccepted);
    QVERIFY2(run.Contains(HostAccepted), qPrintable(run.Tail()));
    QVERIFY2(!run.Contains(Rejected), qPrintable(run.Tail()));
}

DataMission Mission(const SkirmishContent& content)
{
    DataMission m("01", "1.0", "First Light");
    m.mapName = content.mapName;
    m.game = content.gameVersion;
    m.engineVersion = content.engineVersion;
    m.player.allyTeam = 0;
    m.player.team = 0;
    m.player.side = 1;
    m.player.color = QColor(10, 200, 30);
    DataPlayer warden;
    warden.isAi = true;
    warden.name = "Warden";
    warden.aiShortName = "Mission AI";
    warden.allyTeam = 1;
    warden.team = 1;
    warden.side = 0;
    warden.color = QColor(200, 0, 0);
    m.bots.insert(1, warden);
    DataPlayer ally = warden;
    ally.name = "Ally";
    ally.allyTeam = 0;
    ally.team = 2;
    ally.color = QColor(0, 0, 255);
    m.bots.insert(2, ally);
    return m;
}
} // namespace

class TestSkirmishEngine : public QObject
{
    Q_OBJECT

private slots:
    void modeScripts_data()
    {
        QTest::addColumn<QString>("mode");
        for (const char* mode : {"custom", "quick", "mission", "tests"})
            QTest::newRow(mode) << QString::fromLatin1(mode);
    }

    // Each mode's own script, compared byte for byte with its golden file.
    void modeScripts()
    {
        QFETCH(QString, mode);
        TestEnvironment env;
        SkirmishContent content(env, "106.0");
        SkirmishHandler* handler = nullptr;
        if (mode == QLatin1String("custom"))
        {
            AppSettingsSkirmishCustom* settings = AppSettingsSkirmishCustom::Instance();
            content.UseAsDefaults(settings);
            DataPlayer nullAi = AIHandler::MakeCustomAI("NullAI", 1);
            nullAi.allyTeam = 1;
            settings->AI[0] = AppSettingsSkirmish::AiToString(nullAi);
            settings->AI[1] = AppSettingsSkirmish::AiToString(AIHandler::MakeRavAI(0));
            handler = SkirmishCustomHandler::Instance();
            handler->JoinBattle();
        }
        else if (mode == QLatin1String("quick"))
        {
            content.UseAsDefaults(AppSettingsSkirmishCustom::Instance());
            handler = SkirmishQuickHandler::Instance();
            handler->JoinBattle();
        }
        else if (mode == QLatin1String("mission"))
        {
            SkirmishMissionHandler* mission = SkirmishMissionHandler::Instance();
            mission->JoinBattle();
            mission->SetMissionData(Mission(content));
            handler = mission;
        }
        else
        {
            SkirmishSpringTestsHandler* tests = SkirmishSpringTestsHandler::Instance();
            tests->JoinBattle();
            DataTest test;
            test.name = "economy";
            test.mapName = content.mapName;
            test.startPosition = "1";
            test.script = "tests/economy.lua";
            tests->DoSetTest(test, content.engineVersion, content.gameVersion);
            handler = tests;
        }
        const QByteArray script = StartAndTakeScript(handler);
        CompareWithGolden(script, mode + ".txt");
        EngineAccepts(script);
    }

    void customSkirmishPlaysToItsEnd_data()
    {
        QTest::addColumn<QString>("mapSuffix");
        QTest::addColumn<QString>("gameSuffix");
        QTest::newRow("unpacked folders") << "sdd"
                                          << "sdd";
        // Packed as downloads come, under file names unlike their own: the index names them.
        QTest::newRow("packed map and game") << "sd7"
                                             << "sdz";
    }

    // A custom skirmish: Me against NullAI with start boxes, on the real engine and the test
    // content, through the mode, the launcher and the engine's own end of game.
    void customSkirmishPlaysToItsEnd()
    {
        QFETCH(QString, mapSuffix);
        QFETCH(QString, gameSuffix);
        TestEnvironment env;
        QM_REQUIRE(EngineHarness::IsAvailable(), "spring-headless (Debian package spring)");
        QM_REQUIRE(EngineHarness::HasTestContent(), "test content built by tools/testcontent (mapcompile)");
        if (mapSuffix != "sdd")
            QM_REQUIRE(EngineHarness::HasPackedTestContent(), "packed test content (tools/testcontent, 7z)");
        EngineHarness engine;
        const QString data = env.SpringDataDir();
        QVERIFY(engine.InstallTestContent(data, mapSuffix, gameSuffix));
        const QString engineOutput = env.Path("engine-output.txt");
        QVERIFY(engine.WriteEngineWrapper(data + "/engines/106.0/spring", engineOutput));
        SyncManager::SetSystemEnginePath(QString());
        SkirmishContent::Rescan();
        QVERIFY(SyncManager::Instance()->ContainsMap(EngineHarness::TestMapName()));
        QVERIFY(SyncManager::Instance()->ContainsGame(EngineHarness::TestGameName()));
        // The test game may be an unpacked ".sdd" folder; keep it visible to the engine.
        AppSettingsMain::Instance()->UseGamesDirSDD = true;

        AppSettingsSpringMyPersonal::Instance()->IsAdmin = true;
        AppSettingsSkirmishCustom* settings = AppSettingsSkirmishCustom::Instance();
        settings->SavedMapName = EngineHarness::TestMapName();
        settings->SavedGameVersion = EngineHarness::TestGameName();
        settings->SavedEngineVersion = "106.0";
        // Fixed positions: nobody has to place a start point in a headless game.
        settings->SavedStartPosition = "0";
        DataPlayer nullAi = AIHandler::MakeCustomAI(EngineHarness::NullAiShortName(), 1);
        nullAi.allyTeam = 1;
        settings->AI[0] = AppSettingsSkirmish::AiToString(nullAi);
        settings->Rects = "0,0,30,101|71,0,30,101";

        SkirmishCustomHandler* custom = SkirmishCustomHandler::Instance();
        custom->JoinBattle();
        QCOMPARE(custom->StartRects().size(), 2);
        QCOMPARE(custom->AIs()->GetAIs().first().aiShortName, "NullAI");

        SpringLaunchManager* launcher = SpringLaunchManager::Instance();
        QSignalSpy started(custom, &SkirmishHandler::OnGameStart);
        QSignalSpy stopped(custom, &SkirmishHandler::OnSkirmishStopped);
        QSignalSpy failed(launcher, &SpringLaunchManager::OnSpringFailed);
        custom->StartBattle();
        QVERIFY(stopped.wait(90000) || stopped.count() == 1);
        QCOMPARE(started.count(), 1);
        QCOMPARE(failed.count(), 0);

        const QString script =
            QString::fromUtf8(TestFiles::Read(PathManager::Instance()->GetLaunchScriptFile()));
        QVERIFY(script.contains("\tMapName=" + EngineHarness::TestMapName() + ";\n"));
        QVERIFY(script.contains("\tGameType=" + EngineHarness::TestGameName() + ";\n"));
        QVERIFY(script.contains("\t\tShortName=NullAI;\n"));
        QVERIFY(script.contains("\t\tStartRectRight=0.29;\n"));
        const QString log = QString::fromUtf8(TestFiles::Read(engineOutput));
        QVERIFY2(log.contains(HostAccepted), qPrintable(log.right(3000)));
        QVERIFY2(log.contains("[QuitAction] user exited to system"), qPrintable(log.right(3000)));
        const QStringList demos = QDir(data + "/demos").entryList({"*.sdfz"});
        QCOMPARE(demos.size(), 1);
        QVERIFY(QFileInfo(data + "/demos/" + demos.first()).size() > 0);
    }
};

QTEST_MAIN(TestSkirmishEngine)
#include "tst_SkirmishEngine.moc"
