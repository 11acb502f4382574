#include "DemoFile.h"
#include "ReplayScriptParser.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "helper_ReplayTestData.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cstring>

// Reads demo files: real published ones, hand-built ones and hostile ones.
class TestDemoFile : public QObject
{
    Q_OBJECT

    // Writes the bytes as a plain demo and reads it back.
    DataReplay ReadBytes(const QByteArray& data, bool gzip = false, DemoOutcome* outcome = nullptr)
    {
        const QString path = m_dir.filePath(gzip ? QStringLiteral("t.sdfz") : QStringLiteral("t.sdf"));
        if (gzip)
            WriteGzip(path, data);
        else
            TestFiles::Write(path, data);
        DataReplay replay;
        replay.filePath = path;
        replay.fileName = "t";
        const DemoOutcome read = ReadDemoFile(path, replay);
        if (outcome)
            *outcome = read;
        return replay;
    }

    // A script of `count` sections "[<name><i>]{<body>}" inside the game section.
    static QByteArray Sections(const QString& name, int count, const QString& body = QString())
    {
        QString text;
        for (int i = 0; i < count; ++i)
            text += QStringLiteral("[%1%2]{%3}").arg(name).arg(i).arg(body);
        return text.toUtf8();
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
                                    << QList<int>{}; // no teams: the byte behind the stream is no winner
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
        QTest::newRow("script 0x7fffffff")
            << BuildDemo(s) << "FAIL - Script over the limits: 2147483647 bytes, at most 16777215" << false;
        s.scriptSize = -1;
        QTest::newRow("script negative")
            << BuildDemo(s) << "FAIL - Wrong size values in demo header" << false;
        s.scriptSize = int(spec.script.size() + spec.stream.size() + 2);
        QTest::newRow("script past end") << BuildDemo(s) << "FAIL - Can't read script" << false;
        s = spec;
        s.streamSize = 0x7fffffff;
        QTest::newRow("stream 0x7fffffff")
            << BuildDemo(s) << "FAIL - Demo stream over the limits: 2147483647 bytes, at most 536870912"
            << false;
        s.streamSize = DemoLimits::MaxStreamSize + 1;
        QTest::newRow("stream 512 MB + 1")
            << BuildDemo(s) << "FAIL - Demo stream over the limits: 536870913 bytes, at most 536870912"
            << false;
        s.streamSize = DemoLimits::MaxStreamSize; // allowed, but not in the file
        QTest::newRow("stream 512 MB")
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
        s.winners = QByteArray(256, '\1'); // one per ally team at most: 255
        s.winnersSize.reset();
        QTest::newRow("winners 256") << BuildDemo(s) << "FAIL - Can't read winning ally data" << true;
        s.winners = spec.winners;
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
            DemoOutcome outcome = DemoOutcome::Stopped;
            const DataReplay replay = ReadBytes(data, gzip, &outcome);
            QVERIFY2(env.LogContains("ReplaysManager :: " + message), qPrintable(env.LogLines().join('\n')));
            QVERIFY(!env.LogContains("SUCCESS"));
            QCOMPARE(outcome, DemoOutcome::Read); // the file's own: remembered
            QVERIFY(!replay.valid);
            QVERIFY(replay.winningAllyTeams.isEmpty());
            // What was read before the failure stays.
            QCOMPARE(replay.gameId, "00ab0102030405060708090a0b0c0dff");
            QCOMPARE(replay.mapName,
                     scriptRead ? QStringLiteral("Ashen Ford") : QStringLiteral("----------"));
            QCOMPARE(replay.players.size(), scriptRead ? 2 : 0);
        }
    }

    // What the engine reads of a script is read; a script holding more is refused with its reason,
    // remembered as the file's own failure, before it costs much. A compressed one as well.
    void scriptLimits_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("refusal"); // empty: read
        using P = ReplayScriptParser;
        const QByteArray head = "[game]{gametype=Morvantis 1.0;mapname=M;";
        QByteArray most = head + Sections("ai", 4, "shortname=Bot;host=0;team=251;");
        for (int i = 0; i < P::MaxPlayers; ++i)
            most += QStringLiteral("[player%1]{name=P%1;team=%1;}").arg(i).toUtf8();
        most += Sections("team", P::MaxTeams, "allyteam=0;rgbcolor=1 0 0;") +
                Sections("allyteam", P::MaxAllyTeams);
        QTest::newRow("the most players, teams and ally teams") << most + "}" << QString();
        QByteArray longest = head + "[modoptions]{big=";
        longest += QByteArray(DemoLimits::MaxScriptSize - longest.size() - 3, 'a') + ";}}";
        QTest::newRow("the longest script") << longest << QString();

        QTest::newRow("900000 sections") << head + QByteArray("[player]{}").repeated(900000) + "}"
                                         << "more than 1267 sections";
        QTest::newRow("players") << head + Sections("player", 252, "spectator=1;") + "}"
                                 << "more than 251 players";
        QTest::newRow("AIs") << head + Sections("ai", 252) + "}"
                             << "more than 251 AIs";
        QTest::newRow("teams") << head + Sections("team", 256) + "}"
                               << "more than 255 teams";
        QTest::newRow("ally teams") << head + Sections("allyteam", 256) + "}"
                                    << "more than 255 ally teams";
        QTest::newRow("keys") << head + QByteArray("k=;").repeated(P::MaxKeys + 1) + "}"
                              << "more than 131072 keys";
        QTest::newRow("long name") << head + "[player0]{spectator=1;name=" + QByteArray(257, 'n') + ";}}"
                                   << "name of 257 characters, at most 256";
    }

    void scriptLimits()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, refusal);
        for (const bool gzip : {false, true})
        {
            TestEnvironment env;
            DemoSpec spec;
            spec.script = script;
            DemoOutcome outcome = DemoOutcome::Stopped;
            const DataReplay replay = ReadBytes(BuildDemo(spec), gzip, &outcome);
            QCOMPARE(outcome, DemoOutcome::Read);
            QCOMPARE(replay.valid, refusal.isEmpty());
            if (refusal.isEmpty())
                continue;
            QVERIFY2(env.LogContains("ReplaysManager :: FAIL - Script over the limits: " + refusal),
                     qPrintable(env.LogLines().join('\n')));
            QVERIFY(replay.players.isEmpty() && replay.spectators.isEmpty());
        }
    }

    // The winners as the engine writes them: one byte per ally team, none at all when the game
    // had no teams (the header still gives their size, and the file is that much shorter).
    void winnerLists_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QList<int>>("winners");
        DemoSpec spec;
        spec.script = MakeScript("Morvantis 1.0", "Ashen Ford", {{"Ann", 0}, {"Bob", 1}});
        spec.statistics = QByteArray(20, '\7');
        QList<int> all;
        for (int i = 0; i < DemoLimits::MaxWinnersSize; ++i)
            all << (i * 7) % 256;
        DemoSpec s = spec;
        for (const int team : all)
            s.winners += char(team);
        QTest::newRow("255 winners") << BuildDemo(s) << all;
        s = spec;
        s.teams = 0;
        s.winnersSize = 1;
        QTest::newRow("no teams, no list") << BuildDemo(s) << QList<int>{};
        s.winners = QByteArray(1, '\1');
        QTest::newRow("no teams, a byte there") << BuildDemo(s) << QList<int>{};
        s = spec;
        s.winners = QByteArray(1, '\0');
        QTest::newRow("one team") << BuildDemo(s) << QList<int>{0};
    }

    void winnerLists()
    {
        QFETCH(QByteArray, data);
        QFETCH(QList<int>, winners);
        for (const bool gzip : {false, true})
        {
            TestEnvironment env;
            const DataReplay replay = ReadBytes(data, gzip);
            QVERIFY2(replay.valid, qPrintable(env.LogLines().join('\n')));
            QCOMPARE(replay.winningAllyTeams, winners);
        }
    }

    // A read cancelled in the middle (here while the stream is skipped) stands for nothing: it says
    // it stopped, whether the input saw the flag or not. So does a gzip read cancelled before.
    void cancelledRead()
    {
        class CancellingInput : public DemoInput
        {
        public:
            CancellingInput(const QByteArray& data, std::atomic<bool>& cancel)
                : m_data(data), m_cancel(cancel)
            {
            }
            qint64 Read(char* data, qint64 size) override
            {
                const qint64 n = qMin(size, qint64(m_data.size()) - m_pos);
                std::memcpy(data, m_data.constData() + m_pos, size_t(n));
                m_pos += n;
                return n;
            }
            bool Skip(qint64 size) override
            {
                m_cancel = true;
                m_pos += size;
                return m_pos <= m_data.size();
            }

        private:
            QByteArray m_data;
            std::atomic<bool>& m_cancel;
            qint64 m_pos = 0;
        };
        TestEnvironment env;
        const QByteArray data =
            SimpleDemo("Morvantis 1.0", "M", {{"Ann", 0}, {"Bob", 1}}, QByteArray(1, '\1'));
        std::atomic<bool> cancel{false};
        CancellingInput input(data, cancel);
        DataReplay replay;
        QCOMPARE(ReadDemo(input, replay, &cancel), DemoOutcome::Stopped);
        QVERIFY(cancel);
        QVERIFY(!env.LogContains("SUCCESS"));

        const QString path = m_dir.filePath("cancelled.sdfz");
        QVERIFY(WriteGzip(path, data));
        DataReplay packed;
        QCOMPARE(ReadDemoFile(path, packed, &cancel), DemoOutcome::Stopped);
        QVERIFY(!packed.valid);
        cancel = false;
        QCOMPARE(ReadDemoFile(path, packed, &cancel), DemoOutcome::Read);
        QVERIFY(packed.valid);
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
        // The file's own damage: remembered, not tried again as a failure of the machine.
        QCOMPARE(ReadDemoFile(path, replay), DemoOutcome::Read);
        QVERIFY(!replay.valid);
        QCOMPARE(replay.fileSize, qint64(data.size()));
    }

    // A missing file may come back; a FIFO is no demo, and opening it never waits for a writer.
    void missingFileAndFifo()
    {
        TestEnvironment env;
        DataReplay replay;
        replay.fileName = "gone.sdf";
        QCOMPARE(ReadDemoFile(m_dir.filePath("gone.sdf"), replay), DemoOutcome::Unreadable);
        QVERIFY(env.LogContains("ReplaysManager :: LOADING gone.sdf"));
        QVERIFY(env.LogContains("ReplaysManager :: FAIL - Can't open file (missing)"));
        QVERIFY(!replay.valid);

        QVERIFY(TestFiles::Place(m_dir.filePath("fifo.sdf"), "FIFO"));
        QCOMPARE(ReadDemoFile(m_dir.filePath("fifo.sdf"), replay), DemoOutcome::Read);
        QVERIFY(env.LogContains("ReplaysManager :: FAIL - Can't open file (a FIFO)"));
    }
};

QTEST_GUILESS_MAIN(TestDemoFile)
#include "tst_DemoFile.moc"
