#include "DemoFile.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "helper_ReplayTestData.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Reads demo files: real published ones, hand-built ones and hostile ones.
class TestDemoFile : public QObject
{
    Q_OBJECT

    // Writes the bytes as a plain demo and reads it back.
    DataReplay ReadBytes(const QByteArray& data, bool gzip = false)
    {
        const QString path = m_dir.filePath(gzip ? QStringLiteral("t.sdfz") : QStringLiteral("t.sdf"));
        if (gzip)
            WriteGzip(path, data);
        else
            TestFiles::Write(path, data);
        DataReplay replay;
        replay.filePath = path;
        replay.fileName = "t";
        ReadDemoFile(path, replay);
        return replay;
    }

    QTemporaryDir m_dir;

private slots:
    void sharedDemos_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("gameId");
        QTest::addColumn<qint64>("start");
        QTest::addColumn<int>("duration");
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("map");
        QTest::addColumn<QStringList>("players");
        QTest::addColumn<QStringList>("spectators");
        QTest::addColumn<QList<int>>("winners");

        QTest::newRow("104.0.1")
            << QStringLiteral("20201219_003920_Altored Divide Bar Remake 1_104.0.1-1707-gc0fc18e BAR.sdfz")
            << "104.0.1-1707-gc0fc18e BAR"
            << "b44bdd5f15aa52d5f2b60c3bf84a62b8" << qint64(1608338360) << 782
            << "Beyond All Reason test-15077-b342469"
            << "Altored Divide Bar Remake 1.55"
            << QStringList{"[Fx]Drone", "[Fx]HappyFace", "[WxN]PHILmyCrack", "badosu",
                           "[Fx]ShoX",  "Zecrus",        "TankTank",         "raphael972"}
            << QStringList{"[Fx]Jazcash", "Raffeh", "Floris"} << QList<int>{0};
        QTest::newRow("2025.04.08") << QStringLiteral("2025-07-15_07-03-52-966_Fallendell_V4_2025.04.08.sdfz")
                                    << "2025.04.08"
                                    << "58fd7568043c67ff2549d802b1b4eb63" << qint64(1752563032) << 15
                                    << "Beyond All Reason test-28379-33ba377"
                                    << "Fallendell_V4" << QStringList{"Tuxedoman1234"} << QStringList{}
                                    << QList<int>{0};
        QTest::newRow("2025.06.12") << QStringLiteral(
                                           "2026-02-07_20-28-00-916_Comet Catcher Remake 1.8_2025.06.12.sdfz")
                                    << "2025.06.12"
                                    << "50a0876977497180efafab4d5e108e25" << qint64(1770496080) << 399
                                    << "Beyond All Reason test-29422-87225c3"
                                    << "Comet Catcher Remake 1.8"
                                    << QStringList{"pikterra", "Zepek_75", "SimpleAI"} << QStringList{}
                                    << QList<int>{1};
    }

    void sharedDemos()
    {
        QFETCH(QString, name);
        QFETCH(QString, engine);
        QFETCH(QString, gameId);
        QFETCH(qint64, start);
        QFETCH(int, duration);
        QFETCH(QString, game);
        QFETCH(QString, map);
        QFETCH(QStringList, players);
        QFETCH(QStringList, spectators);
        QFETCH(QList<int>, winners);
        TestEnvironment env;
        const QString path = SharedDemosDir() + QLatin1Char('/') + name;
        QM_REQUIRE(QFile::exists(path), "shared demo " + name);

        DataReplay replay;
        replay.filePath = path;
        replay.fileName = name;
        ReadDemoFile(path, replay);
        QVERIFY2(replay.valid, qPrintable(env.LogLines().join('\n')));
        QVERIFY(env.LogContains("ReplaysManager :: SUCCESS"));
        QCOMPARE(replay.fileSize, QFileInfo(path).size());
        QCOMPARE(replay.engineVersion, engine);
        QCOMPARE(replay.gameId, gameId);
        QCOMPARE(replay.startTime.toSecsSinceEpoch(), start);
        QCOMPARE(replay.duration, duration);
        QCOMPARE(replay.gameName, game);
        QCOMPARE(replay.mapName, map);
        QStringList names;
        for (const DataPlayer& player : replay.players)
            names << player.name;
        QCOMPARE(names, players);
        names.clear();
        for (const DataPlayer& spectator : replay.spectators)
        {
            QVERIFY(spectator.spectator);
            names << spectator.name;
        }
        QCOMPARE(names, spectators);
        QCOMPARE(replay.winningAllyTeams, winners);

        // The unpacked bytes read from memory give the same record.
        DataReplay fromMemory;
        fromMemory.filePath = path;
        ReadDemoData(ReadGzip(path), fromMemory);
        QCOMPARE(fromMemory.valid, replay.valid);
        QCOMPARE(fromMemory.gameId, replay.gameId);
        QCOMPARE(fromMemory.players.size(), replay.players.size());
        QCOMPARE(fromMemory.winningAllyTeams, replay.winningAllyTeams);
    }

    void gzipAndPlainAgree()
    {
        TestEnvironment env;
        const QByteArray data =
            SimpleDemo("Morvantis 1.0", "Ashen Ford", {{"Ann", 0}, {"Bob", 1}, {"Cid", 0, false, true}},
                       QByteArray("\x01", 1));
        const DataReplay plain = ReadBytes(data);
        const DataReplay packed = ReadBytes(data, true);
        QVERIFY(plain.valid);
        QVERIFY(packed.valid);
        QCOMPARE(packed.gameName, plain.gameName);
        QCOMPARE(packed.mapName, "Ashen Ford");
        QCOMPARE(packed.players.size(), 2);
        QCOMPARE(packed.spectators.size(), 1);
        QCOMPARE(packed.winningAllyTeams, QList<int>{1});
        QCOMPARE(plain.fileSize, qint64(data.size()));
        QVERIFY(packed.fileSize < data.size()); // the archive's size, not the unpacked one
    }

    void headerFields()
    {
        TestEnvironment env;
        DemoSpec spec;
        spec.engineVersion = "104";
        spec.startTime = (quint64(7) << 32) | 1000; // only the low 32 bits count
        const DataReplay replay = ReadBytes(BuildDemo(spec));
        QVERIFY(replay.valid);
        QCOMPARE(replay.engineVersion, "104.0");
        QCOMPARE(replay.gameId, "00ab0102030405060708090a0b0c0dff");
        QCOMPARE(replay.startTime.toSecsSinceEpoch(), qint64(1000));
        QCOMPARE(replay.duration, 600);
        // No script: defaults stay.
        QCOMPARE(replay.mapName, "----------");
        QCOMPARE(replay.gameName, m_dir.filePath("t.sdf"));
        QVERIFY(replay.players.isEmpty());
        QVERIFY(replay.winningAllyTeams.isEmpty());
        QVERIFY(env.LogContains("Engine: 104.0, Start at: " +
                                replay.startTime.toString("dd.MM.yyyy hh:mm:ss") + ", Duration: 600 secs"));

        spec.winners = QByteArray("\x00\x01\xc8", 3); // unsigned bytes
        QCOMPARE(ReadBytes(BuildDemo(spec)).winningAllyTeams, (QList<int>{0, 1, 200}));
        spec.engineVersion = "105.1.1-2 BAR";
        QCOMPARE(ReadBytes(BuildDemo(spec)).engineVersion, "105.1.1-2 BAR");
    }

    void gameTimeZeroIsNotValid()
    {
        TestEnvironment env;
        DemoSpec spec;
        spec.gameTime = 0;
        const DataReplay replay = ReadBytes(BuildDemo(spec));
        QVERIFY(env.LogContains("ReplaysManager :: SUCCESS"));
        QVERIFY(!replay.valid);
        spec.gameTime = -5;
        QVERIFY(!ReadBytes(BuildDemo(spec)).valid);
    }

    void refusedHeaders_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("message");
        DemoSpec spec;
        const QByteArray good = BuildDemo(spec);
        QTest::newRow("351 bytes") << good.left(351) << "FAIL - Can't read demo header";
        QTest::newRow("empty") << QByteArray() << "FAIL - Can't read demo header";
        DemoSpec s = spec;
        s.magic = "Spring demofile";
        QTest::newRow("magic case") << BuildDemo(s) << "FAIL - Wrong magic number in file";
        s.magic = "spring demofilexx"; // no NUL inside the 16 bytes
        QTest::newRow("magic no NUL") << BuildDemo(s) << "FAIL - Wrong magic number in file";
        s = spec;
        s.version = 4;
        QTest::newRow("version 4") << BuildDemo(s) << "FAIL - Wrong demo file version";
        s.version = 6;
        QTest::newRow("version 6") << BuildDemo(s) << "FAIL - Wrong demo file version";
        s = spec;
        s.headerSize = 351;
        QTest::newRow("header 351") << BuildDemo(s) << "FAIL - Wrong demo file header size value";
        s.headerSize = 353;
        QTest::newRow("header 353") << BuildDemo(s) << "FAIL - Wrong demo file header size value";
        s = spec;
        s.engineVersion = QByteArray(256, 'x');
        QTest::newRow("engine no NUL") << BuildDemo(s) << "FAIL - Wrong engine version in file";
    }

    void refusedHeaders()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, message);
        for (const bool gzip : {false, true})
        {
            TestEnvironment env;
            const DataReplay replay = ReadBytes(data, gzip);
            QVERIFY2(env.LogContains("ReplaysManager :: " + message), qPrintable(env.LogLines().join('\n')));
            QVERIFY(!replay.valid);
            QCOMPARE(replay.mapName, "----------");
            QVERIFY(replay.gameName.endsWith(gzip ? "t.sdfz" : "t.sdf"));
            if (!gzip)
                QCOMPARE(replay.fileSize, qint64(data.size()));
        }
    }

    // Sizes from the file never lead to reading or allocating past what the file holds.
    void hostileSizes_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("scriptRead");
        DemoSpec spec;
        spec.script = MakeScript("Morvantis 1.0", "Ashen Ford", {{"Ann", 0}, {"Bob", 1}});
        spec.winners = QByteArray("\x01", 1);
        const QByteArray good = BuildDemo(spec);

        DemoSpec s = spec;
        s.scriptSize = 0x7fffffff;
        QTest::newRow("script 0x7fffffff") << BuildDemo(s) << "FAIL - Can't read script" << false;
        s.scriptSize = -1;
        QTest::newRow("script negative")
            << BuildDemo(s) << "FAIL - Wrong size values in demo header" << false;
        s.scriptSize = int(spec.script.size() + spec.stream.size() + 2);
        QTest::newRow("script past end") << BuildDemo(s) << "FAIL - Can't read script" << false;
        s = spec;
        s.streamSize = 0x7fffffff;
        QTest::newRow("stream 0x7fffffff")
            << BuildDemo(s) << "FAIL - Can't positioning on winning ally data" << true;
        s.streamSize = -100;
        QTest::newRow("stream negative")
            << BuildDemo(s) << "FAIL - Wrong size values in demo header" << false;
        s = spec;
        s.winnersSize = 0x7fffffff;
        QTest::newRow("winners 0x7fffffff") << BuildDemo(s) << "FAIL - Can't read winning ally data" << true;
        s.winnersSize = int(0x80000000);
        QTest::newRow("winners negative")
            << BuildDemo(s) << "FAIL - Wrong size values in demo header" << false;
        s.winnersSize = 2;
        QTest::newRow("winners past end") << BuildDemo(s) << "FAIL - Can't read winning ally data" << true;
        QTest::newRow("cut inside script") << good.left(352 + 20) << "FAIL - Can't read script" << false;
        QTest::newRow("cut before winners")
            << good.left(good.size() - 1) << "FAIL - Can't read winning ally data" << true;
        QTest::newRow("cut inside stream")
            << good.left(good.size() - 50) << "FAIL - Can't positioning on winning ally data" << true;
    }

    void hostileSizes()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, message);
        QFETCH(bool, scriptRead);
        for (const bool gzip : {false, true})
        {
            TestEnvironment env;
            const DataReplay replay = ReadBytes(data, gzip);
            QVERIFY2(env.LogContains("ReplaysManager :: " + message), qPrintable(env.LogLines().join('\n')));
            QVERIFY(!env.LogContains("SUCCESS"));
            QVERIFY(!replay.valid);
            QVERIFY(replay.winningAllyTeams.isEmpty());
            // What was read before the failure stays.
            QCOMPARE(replay.gameId, "00ab0102030405060708090a0b0c0dff");
            QCOMPARE(replay.mapName,
                     scriptRead ? QStringLiteral("Ashen Ford") : QStringLiteral("----------"));
            QCOMPARE(replay.players.size(), scriptRead ? 2 : 0);
        }
    }

    // A small compressed file that unpacks to a lot: sizes beyond any real demo are refused
    // before the data is held.
    void compressedBomb()
    {
        TestEnvironment env;
        DemoSpec spec;
        spec.script = QByteArray(64 << 20, ' ');
        QVERIFY(ReadBytes(BuildDemo(spec), true).mapName == "----------");
        QVERIFY(env.LogContains("ReplaysManager :: FAIL - Can't read script"));
        QVERIFY(QFileInfo(m_dir.filePath("t.sdfz")).size() < (1 << 20));

        env.ClearLog();
        spec.script = MakeScript("Morvantis 1.0", "Ashen Ford", {{"Ann", 0}});
        spec.winners = QByteArray(1 << 20, '\1');
        const DataReplay replay = ReadBytes(BuildDemo(spec), true);
        QVERIFY(env.LogContains("ReplaysManager :: FAIL - Can't read winning ally data"));
        QVERIFY(replay.winningAllyTeams.isEmpty());
        QCOMPARE(replay.mapName, "Ashen Ford");
    }

    void badScript()
    {
        TestEnvironment env;
        DemoSpec spec;
        spec.script =
            "[game]{gametype=Morvantis;mapname=M;[player0]{name=A;team=0;}[team0]{allyteam=0;rgbcolor=1 0;}}";
        const DataReplay replay = ReadBytes(BuildDemo(spec));
        QVERIFY(env.LogContains("ReplaysManager :: FAIL - Script parse error"));
        QVERIFY(!replay.valid);
        spec.script = "not a script at all";
        ReadBytes(BuildDemo(spec));
        QVERIFY(env.LogContains("ReplaysManager :: FAIL - Script parse error"));
    }

    void brokenGzip()
    {
        TestEnvironment env;
        const QString path = m_dir.filePath("broken.sdfz");
        QVERIFY(WriteGzip(path, SimpleDemo("Morvantis", "M", {{"A", 0}})));
        QByteArray data = TestFiles::Read(path);
        // Damage the compressed body; the reader must stop cleanly.
        for (int i = 20; i < data.size() - 8; i += 7)
            data[i] = char(data[i] ^ 0x5a);
        QVERIFY(TestFiles::Write(path, data));
        DataReplay replay;
        ReadDemoFile(path, replay);
        QVERIFY(!replay.valid);
        QCOMPARE(replay.fileSize, qint64(data.size()));
    }

    void missingFile()
    {
        TestEnvironment env;
        DataReplay replay;
        replay.fileName = "gone.sdf";
        ReadDemoFile(m_dir.filePath("gone.sdf"), replay);
        QVERIFY(env.LogContains("ReplaysManager :: LOADING gone.sdf"));
        QVERIFY(env.LogContains("ReplaysManager :: FAIL - Can't open file"));
        QVERIFY(!replay.valid);
    }
};

QTEST_GUILESS_MAIN(TestDemoFile)
#include "tst_DemoFile.moc"
