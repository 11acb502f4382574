// The real engine (Debian's spring-headless) reads every script shape the generator writes. A real
// skirmish through the launcher to its end is played by the skirmish tests (mode, launcher, engine).

#include "EngineHarness.h"
#include "SpringBattle.h"
#include "StartScriptGenerator.h"
#include "TestEnvironment.h"
#include "helper_Records.h"

#include <QtTest>

using namespace TestRecords;

namespace
{
const QString HostAccepted = "[CPreGame] using server IP";
const QString ClientAccepted = "connecting to IP";
const QString Rejected = "GAME-section missing";

DataStartScript ManyShapes()
{
    DataStartScript r = OneAgainstAi();
    r.players.clear();
    r.ais.clear();
    r.startRects.clear();
    r.startRects.insert(3, QRect(0, 0, 25, 100));
    r.startRects.insert(7, QRect(75, 0, 25, 100));
    r.options.section = "modoptions";
    r.options.SetValue("startmetal", "1000");
    r.options.SetValue("comment", "two words");
    r.players << Player("Commander", 0, 3);
    r.players << Spectator("Watcher");
    r.players << Player("Mate", 0, 3, Qt::green); // shares the team
    r.players << Player("Rival", 5, 7, Qt::white);
    r.ais << Ai("Bot one", "NullAI", "Commander", 8, 7);
    r.ais << Ai("Bot two", "NullAI", "Rival", 9, 3);
    return r;
}

// A record with many players, each on a team of its own (the first is Me and owns the AI).
DataStartScript Crowd(int players)
{
    DataStartScript r = OneAgainstAi();
    r.players.clear();
    r.startRects.clear();
    for (int i = 0; i < players; ++i)
        r.players << Player(QStringLiteral("P%1").arg(i), i, i % 3);
    r.me = r.players.first();
    r.ais.first().aiOwner = r.me.name;
    r.ais.first().team = players;
    return r;
}

DataStartScript WithOption(const QString& key, const QString& value)
{
    DataStartScript r = OneAgainstAi();
    r.options.SetValue(key, value);
    return r;
}

DataStartScript WithPlayerName(const QString& name)
{
    DataStartScript r = OneAgainstAi();
    r.me.name = name;
    r.players.first().name = name;
    r.ais.first().aiOwner = name;
    return r;
}
} // namespace

class TestEngineAcceptance : public QObject
{
    Q_OBJECT

private slots:
    // Each script the generator writes is accepted. Where it had to make something safe, the
    // text as it was written before (`written` replaced by `raw`) is refused with `refusal`.
    void HostScripts_Accepted_data()
    {
        QTest::addColumn<DataStartScript>("record");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("raw");
        QTest::addColumn<QString>("refusal");
        const QString none;
        QTest::newRow("player against AI, boxes, options") << OneAgainstAi() << none << none << none;
        QTest::newRow("spectator, shared team, ally teams 3 and 7") << ManyShapes() << none << none << none;
        QTest::newRow("251 players, the most the engine reads") << Crowd(251) << none << none << none;
        DataStartScript trailing = OneAgainstAi();
        trailing.players << Spectator("Commander ");
        QTest::newRow("names that differ by a blank behind") << trailing << none << none << none;
        DataStartScript unsafe = WithPlayerName("[Clan]Com;mander");
        unsafe.players.first().rank = "a]]b";
        unsafe.options.SetValue("note", "line\none\t{tab}");
        QTest::newRow("]] in a value") << unsafe << "\t\tRank=a])b;\n"
                                       << "\t\tRank=a]]b;\n"
                                       << Rejected;
        QTest::newRow("NUL in a value")
            << WithOption(QStringLiteral("note"), QStringLiteral("a") + QChar(0) + "b") << "\t\tnote=a b;\n"
            << QStringLiteral("\t\tnote=a") + QChar(0) + "b;\n"
            << Rejected;
        QTest::newRow("NUL in a player name")
            << WithPlayerName(QStringLiteral("Com") + QChar(0) + "mander") << "\t\tName=Com mander;\n"
            << QStringLiteral("\t\tName=Com") + QChar(0) + "mander;\n"
            << Rejected;
        QTest::newRow("blank in an option key") << WithOption("multi key", "v") << "\t\tmulti_key=v;\n"
                                                << "\t\tmulti key=v;\n"
                                                << Rejected;
        // A tab or line break used to become a blank.
        QTest::newRow("tab in an option key") << WithOption("multi\tkey", "v") << "\t\tmulti_key=v;\n"
                                              << "\t\tmulti key=v;\n"
                                              << Rejected;
        QTest::newRow("line break in an option key") << WithOption("multi\nkey", "v") << "\t\tmulti_key=v;\n"
                                                     << "\t\tmulti key=v;\n"
                                                     << Rejected;
        QTest::newRow("vertical tab in an option key")
            << WithOption("multi\vkey", "v") << "\t\tmulti_key=v;\n"
            << "\t\tmulti\vkey=v;\n"
            << Rejected;
        QTest::newRow("dot in an option key") << WithOption("x.y", "v") << "\t\tx_y=v;\n"
                                              << "\t\tx.y=v;\n"
                                              << "invalid datatype for key x.y";
        QTest::newRow("empty option key") << WithOption(QString(), "v") << "\t\tmaxunits=500;\n"
                                          << "\t\t=v;\n\t\tmaxunits=500;\n"
                                          << Rejected;
    }
    void HostScripts_Accepted()
    {
        QFETCH(DataStartScript, record);
        QFETCH(QString, written);
        QFETCH(QString, raw);
        QFETCH(QString, refusal);
        TestEnvironment env;
        QM_REQUIRE(EngineHarness::IsAvailable(), "spring-headless (Debian package spring)");
        const StartScriptGenerator generator(record);
        QVERIFY2(generator.LaunchProblems().isEmpty(), qPrintable(generator.LaunchProblems().join("; ")));
        EngineHarness engine;
        const EngineRun run = engine.RunScript(generator.Script(), 20000);
        QVERIFY2(run.Contains(HostAccepted), qPrintable(run.Tail()));
        QVERIFY2(!run.Contains(Rejected), qPrintable(run.Tail()));
        // No content installed: the engine stops at the map.
        QVERIFY2(run.Contains("Dependent archive"), qPrintable(run.Tail()));
        QCOMPARE(run.exitCode, 21);
        if (raw.isEmpty())
            return;
        QVERIFY2(generator.Script().contains(written), qPrintable(generator.Script()));
        QString old = generator.Script();
        old.replace(written, raw);
        const EngineRun oldRun = engine.RunScript(old, 20000, refusal);
        QVERIFY2(oldRun.Contains(refusal), qPrintable(oldRun.Tail()));
    }

    // Players the engine refuses: the generator names the problem, so the launcher never starts
    // the engine with them; the engine, given the script all the same, refuses it.
    void HostScripts_LaunchProblems_data()
    {
        QTest::addColumn<DataStartScript>("record");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("empty player name") << WithPlayerName(QString()) << "No name given for Player 0";
        QTest::newRow("blank player name") << WithPlayerName(" \t ") << "No name given for Player 0";
        DataStartScript leading = OneAgainstAi();
        leading.players << Spectator("  Commander");
        QTest::newRow("names that differ by blanks in front")
            << leading << "Player 1 has name Commander which is already taken";
        QTest::newRow("252 players") << Crowd(252) << "Team 251 has invalid leader";
    }
    void HostScripts_LaunchProblems()
    {
        QFETCH(DataStartScript, record);
        QFETCH(QString, refusal);
        TestEnvironment env;
        QM_REQUIRE(EngineHarness::IsAvailable(), "spring-headless (Debian package spring)");
        const StartScriptGenerator generator(record);
        QCOMPARE(generator.LaunchProblems().size(), 1);
        EngineHarness engine;
        const EngineRun run = engine.RunScript(generator.Script(), 20000, refusal);
        QVERIFY2(run.Contains(refusal), qPrintable(run.Tail()));
    }

    void ClientScript_Accepted_data()
    {
        QTest::addColumn<DataStartScript>("record");
        QTest::addColumn<QString>("connecting");
        DataStartScript record = Client("secret");
        record.hostIp = "127.0.0.1";
        record.me.name = "[Clan]Commander";
        QTest::newRow("client record") << record << "127.0.0.1 on port 8452 using name [Clan]Commander";
        // An open battle of the lobby, hosted elsewhere, on a port of its own.
        SpringBattle battle;
        battle.id = 12;
        battle.title = "1v1 Twin Lakes";
        battle.founder = "Host";
        battle.hostIp = "127.0.0.1";
        battle.hostPort = 8470;
        battle.mapName = "Twin Lakes";
        battle.mapHash = quint32(-1234567);
        battle.gameName = "Test Game v1";
        battle.gameHash = 99;
        battle.engineVersion = "106.0";
        battle.options.SetValue("maxunits", "500");
        DataStartScript joined = battle.ToStartScript();
        joined.me = Player("Joiner", 0, 0);
        joined.me.password = "pass";
        joined.playerIds = QStringList({"4", "9"});
        joined.playerNames = QStringList({"Host", "Joiner"});
        QTest::newRow("from a lobby battle") << joined << "127.0.0.1 on port 8470 using name Joiner";
    }
    void ClientScript_Accepted()
    {
        QFETCH(DataStartScript, record);
        QFETCH(QString, connecting);
        TestEnvironment env;
        QM_REQUIRE(EngineHarness::IsAvailable(), "spring-headless (Debian package spring)");
        const StartScriptGenerator generator(record);
        QVERIFY(generator.Script().contains("\tIsHost=0;\n"));
        EngineHarness engine;
        // A client waits 30 s for its host; stop it once it tries to connect.
        const EngineRun run = engine.RunScript(generator.Script(), 20000, ClientAccepted);
        QVERIFY2(run.stopped, qPrintable(run.Tail()));
        QVERIFY2(run.Contains("connecting to IP " + connecting), qPrintable(run.Tail()));
        QVERIFY(!run.Contains(Rejected));
    }
};

QTEST_GUILESS_MAIN(TestEngineAcceptance)
#include "tst_EngineAcceptance.moc"
