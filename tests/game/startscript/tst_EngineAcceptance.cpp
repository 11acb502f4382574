// The real engine (Debian's spring-headless) reads every script shape the generator writes, and
// one real skirmish runs through the launcher to its end and leaves a demo.

#include "AppSettings.h"
#include "EngineHarness.h"
#include "PathManager.h"
#include "ReplayScriptParser.h"
#include "SpringLaunchManager.h"
#include "StartScriptGenerator.h"
#include "SyncManager.h"
#include "TestEnvironment.h"
#include "helper_Records.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

using namespace TestRecords;

namespace
{
const QString HostAccepted = QStringLiteral("[CPreGame] using server IP");
const QString ClientAccepted = QStringLiteral("connecting to IP");
const QString Rejected = QStringLiteral("GAME-section missing");

DataStartScript ManyShapes()
{
    DataStartScript r = OneAgainstAi();
    r.players.clear();
    r.ais.clear();
    r.startRects.clear();
    r.startRects.insert(3, QRect(0, 0, 25, 100));
    r.startRects.insert(7, QRect(75, 0, 25, 100));
    r.options.section = QStringLiteral("modoptions");
    r.options.SetValue(QStringLiteral("startmetal"), QStringLiteral("1000"));
    r.options.SetValue(QStringLiteral("comment"), QStringLiteral("two words"));
    r.players << Player(QStringLiteral("Commander"), 0, 3);
    r.players << Spectator(QStringLiteral("Watcher"));
    r.players << Player(QStringLiteral("Mate"), 0, 3, Qt::green); // shares the team
    r.players << Player(QStringLiteral("Rival"), 5, 7, Qt::white);
    r.ais << Ai(QStringLiteral("Bot one"), QStringLiteral("NullAI"), QStringLiteral("Commander"), 8, 7);
    r.ais << Ai(QStringLiteral("Bot two"), QStringLiteral("NullAI"), QStringLiteral("Rival"), 9, 3);
    return r;
}

QString Unpack(const QString& gzipFile)
{
    QProcess gzip;
    gzip.start(QStringLiteral("gzip"), {QStringLiteral("-dc"), gzipFile});
    if (!gzip.waitForFinished(20000))
        return QString();
    const QByteArray bytes = gzip.readAllStandardOutput();
    return QString::fromLatin1(bytes.constData(), bytes.size()); // the header holds NUL bytes
}
} // namespace

class TestEngineAcceptance : public QObject
{
    Q_OBJECT

private slots:
    void HostScripts_Accepted_data()
    {
        QTest::addColumn<DataStartScript>("record");
        QTest::newRow("player against AI, boxes, options") << OneAgainstAi();
        QTest::newRow("spectator, shared team, ally teams 3 and 7") << ManyShapes();
        DataStartScript crowd = OneAgainstAi();
        crowd.players.clear();
        for (int i = 0; i < 12; ++i)
            crowd.players << Player(QStringLiteral("P%1").arg(i), i, i % 3);
        crowd.ais.first().aiOwner = QStringLiteral("P11");
        QTest::newRow("twelve players") << crowd;
        DataStartScript unsafe = OneAgainstAi();
        unsafe.me.name = QStringLiteral("[Clan]Com;mander");
        unsafe.players.first().name = unsafe.me.name;
        unsafe.players.first().rank = QStringLiteral("a]]b");
        unsafe.ais.first().aiOwner = unsafe.me.name;
        unsafe.options.SetValue(QStringLiteral("note"), QStringLiteral("line\none"));
        QTest::newRow("characters the format can't carry") << unsafe;
    }
    void HostScripts_Accepted()
    {
        QFETCH(DataStartScript, record);
        TestEnvironment env;
        QM_REQUIRE(EngineHarness::IsAvailable(), "spring-headless (Debian package spring)");
        const StartScriptGenerator generator(record);
        QVERIFY(generator.LaunchProblems().isEmpty());
        EngineHarness engine;
        const EngineRun run = engine.RunScript(generator.Script(), 20000);
        QVERIFY2(run.Contains(HostAccepted), qPrintable(run.Tail()));
        QVERIFY2(!run.Contains(Rejected), qPrintable(run.Tail()));
        // No content installed: the engine stops at the map.
        QVERIFY2(run.Contains(QStringLiteral("Dependent archive")), qPrintable(run.Tail()));
        QCOMPARE(run.exitCode, 21);
    }

    // Why the generator replaces characters: the same script written raw is refused.
    void RawUnsafeValue_Rejected()
    {
        TestEnvironment env;
        QM_REQUIRE(EngineHarness::IsAvailable(), "spring-headless (Debian package spring)");
        QString script = StartScriptGenerator(OneAgainstAi()).Script();
        script.replace(QStringLiteral("\t\tRank=2;"), QStringLiteral("\t\tRank=a]]b;"));
        EngineHarness engine;
        const EngineRun run = engine.RunScript(script, 20000);
        QVERIFY2(run.Contains(Rejected), qPrintable(run.Tail()));
    }

    void ClientScript_Accepted()
    {
        TestEnvironment env;
        QM_REQUIRE(EngineHarness::IsAvailable(), "spring-headless (Debian package spring)");
        DataStartScript record = Client(QStringLiteral("secret"));
        record.hostIp = QStringLiteral("127.0.0.1");
        record.me.name = QStringLiteral("[Clan]Commander");
        EngineHarness engine;
        // A client waits 30 s for its host; stop it once it tries to connect.
        const EngineRun run = engine.RunScript(StartScriptGenerator(record).Script(), 20000, ClientAccepted);
        QVERIFY2(run.stopped, qPrintable(run.Tail()));
        QVERIFY(run.Contains(
            QStringLiteral("connecting to IP 127.0.0.1 on port 8452 using name [Clan]Commander")));
        QVERIFY(!run.Contains(Rejected));
    }

    void Skirmish_ThroughTheLauncher_RunsToItsEndAndLeavesADemo()
    {
        TestEnvironment env;
        QM_REQUIRE(EngineHarness::IsAvailable(), "spring-headless (Debian package spring)");
        QM_REQUIRE(EngineHarness::HasTestContent(), "test content built by tools/testcontent (mapcompile)");

        EngineHarness engine;
        const QString data = env.SpringDataDir();
        QVERIFY(engine.InstallTestContent(data));
        const QString engineOutput = env.Path("engine-output.txt");
        QVERIFY(engine.WriteEngineWrapper(data + "/engines/106.0/spring", engineOutput));
        SyncManager::SetSystemEnginePath(QString());
        // The test game is an unpacked ".sdd" folder; keep it visible to the engine.
        AppSettingsMain::Instance()->UseGamesDirSDD = true;

        QCOMPARE(SyncManager::Instance()->GetGameFilePath(EngineHarness::TestGameName()),
                 EngineHarness::TestGameName());
        QVERIFY(SyncManager::Instance()->ContainsMap(EngineHarness::TestMapName()));

        DataStartScript record = OneAgainstAi();
        record.mapName = EngineHarness::TestMapName();
        record.gameName = SyncManager::Instance()->GetGameFilePath(EngineHarness::TestGameName());
        record.startPosType = QStringLiteral("0"); // fixed positions: the game starts without anyone placing
        record.ais.first().aiShortName = EngineHarness::NullAiShortName();
        record.ais.first().aiVersion = EngineHarness::NullAiVersion();

        SpringLaunchManager* launcher = SpringLaunchManager::Instance();
        QSignalSpy started(launcher, &SpringLaunchManager::OnSkirmishStarted);
        QSignalSpy stopped(launcher, &SpringLaunchManager::OnSkirmishStopped);
        QSignalSpy failed(launcher, &SpringLaunchManager::OnSpringFailed);
        launcher->StartSkirmish(record);
        QVERIFY(stopped.wait(60000) || stopped.count() == 1);
        QCOMPARE(started.count(), 1);
        QCOMPARE(failed.count(), 0);

        QFile output(engineOutput);
        QVERIFY(output.open(QIODevice::ReadOnly));
        const QString log = QString::fromUtf8(output.readAll());
        QVERIFY2(log.contains(HostAccepted), qPrintable(log.right(3000)));
        QVERIFY2(log.contains(QStringLiteral("[QuitAction] user exited to system")),
                 qPrintable(log.right(3000)));

        const QStringList demos = QDir(data + "/demos").entryList({"*.sdfz"}, QDir::Files);
        QCOMPARE(demos.size(), 1);
        const QString demoText = Unpack(data + "/demos/" + demos.first());
        QVERIFY(demoText.startsWith(QStringLiteral("spring demofile")));
        const int scriptStart = demoText.indexOf(QStringLiteral("[game]"), 0, Qt::CaseInsensitive);
        QVERIFY(scriptStart > 0);

        // The demo's script reads back with our parser: the game, the map, us and the AI.
        ReplayScriptParser parser;
        DataReplayScript replay;
        QVERIFY(parser.ParseScript(
            demoText.mid(scriptStart, demoText.indexOf(QChar(0), scriptStart) - scriptStart), replay));
        QCOMPARE(replay.gameName, EngineHarness::TestGameName());
        QCOMPARE(replay.mapName, EngineHarness::TestMapName());
        QCOMPARE(replay.players.size(), 2);
        QCOMPARE(replay.players.first().name, QStringLiteral("Commander"));
        QCOMPARE(replay.players.last().name, EngineHarness::NullAiShortName());

        SpringLaunchManager::Destroy();
        SyncManager::Destroy();
    }
};

QTEST_GUILESS_MAIN(TestEngineAcceptance)
#include "tst_EngineAcceptance.moc"
