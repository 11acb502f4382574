// The real engine (Debian's spring-headless) reads every script shape the generator writes. A real
// skirmish through the launcher to its end is played by the skirmish tests (mode, launcher, engine).

#include "EngineHarness.h"
#include "StartScriptGenerator.h"
#include "TestEnvironment.h"
#include "helper_Records.h"

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
        unsafe.options.SetValue(QStringLiteral("note"), QStringLiteral("line\none\t{tab}"));
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
};

QTEST_GUILESS_MAIN(TestEngineAcceptance)
#include "tst_EngineAcceptance.moc"
