#include "ReplaysCache.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "helper_ReplayTestData.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

using namespace ReplaysCache;

namespace
{
// Only a hang takes this long.
constexpr int HangLimitMs = 30000;
} // namespace

// The replay cache file: round trips, the header, bad records and hostile names.
class TestReplaysCache : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString CachePath() const { return CacheFilePath(m_dir.path()); }

    static QByteArray Header(quint32 magic = Magic, qint32 version = Version, QByteArray tail = "\r\n")
    {
        QByteArray out;
        QDataStream stream(&out, QIODevice::WriteOnly);
        stream << magic << version;
        return out + tail;
    }

    static QString Line(const QStringList& fields) { return fields.join(QChar(0x0C)); }

    // `count` times `entry`, with `separator` between.
    static QString Repeated(const QString& entry, int count, const QString& separator)
    {
        return (entry + separator).repeated(count).chopped(separator.size());
    }

    static QStringList Fields(const QString& path)
    {
        return {path, "1234", "00ab", "106.0", "Morvantis 1.0", "Ashen Ford", "1700000000000", "600", "",
                "",   "",     "1",    "99"};
    }

    static DataReplay Sample(const QString& path)
    {
        DataReplay replay;
        replay.filePath = path;
        replay.fileName = QFileInfo(path).fileName();
        replay.fileSize = 3000000000LL; // past 32 bits
        replay.gameId = "0123456789abcdef0123456789abcdef";
        replay.engineVersion = "104.0.1-1707-gc0fc18e BAR";
        replay.gameName = "Morvantis 1.0";
        replay.mapName = "Ashen Ford";
        replay.startTime = QDateTime::fromSecsSinceEpoch(1700000000);
        replay.duration = 782;
        DataPlayer a("Ann", true, false);
        a.country = "DE";
        a.rank = "3";
        a.color = QColor(255, 100, 0);
        a.side = 1;
        a.sideName = "Core";
        a.allyTeam = 0;
        a.team = 0;
        DataPlayer bot("SimpleAI", true, true);
        bot.color = QColor(10, 11, 12);
        bot.allyTeam = 1;
        bot.team = 1;
        replay.players = {a, bot};
        DataPlayer spec("Sid", false, false);
        spec.country = "GB";
        spec.rank = "1";
        replay.spectators = {spec};
        replay.winningAllyTeams = {0, 200};
        replay.valid = true;
        replay.fileModified = 1700000123456LL;
        return replay;
    }

private slots:
    // What is written reads back whole: saving the read table again gives the same bytes.
    void roundTrip()
    {
        TestEnvironment env;
        QVERIFY(CacheFilePath(QString()).isEmpty());
        ReplaysTable table;
        table.insert("/d/one.sdfz", Sample("/d/one.sdfz"));
        DataReplay empty = Sample("/d/two.sdf");
        empty.players.clear();
        empty.spectators.clear();
        empty.winningAllyTeams.clear();
        empty.valid = false;
        table.insert("/d/two.sdf", empty);
        QVERIFY(SaveCache(CachePath(), table));
        QVERIFY(TestFiles::Read(CachePath()).startsWith(Header()));

        ReplaysTable read;
        LoadCache(CachePath(), read);
        QCOMPARE(CacheBytes(read), CacheBytes(table));
        QVERIFY(env.LogLines().filter("FAIL").isEmpty());
        // Every field was written, the large and the easily forgotten ones too.
        const DataReplay one = read.value("/d/one.sdfz");
        QCOMPARE(one.fileSize, 3000000000LL);
        QCOMPARE(one.fileModified, 1700000123456LL);
        QCOMPARE(one.winningAllyTeams, (QList<int>{0, 200}));
        QCOMPARE((QStringList{one.players[0].rank, one.players[0].sideName, one.players[1].color.name(),
                              one.spectators[0].country, one.engineVersion}),
                 (QStringList{"3", "Core", "#0a0b0c", "GB", "104.0.1-1707-gc0fc18e BAR"}));
        // What the line does not hold comes back from the rest.
        QCOMPARE(one.fileName, "one.sdfz");
        QCOMPARE(one.startTime.timeSpec(), Qt::LocalTime);
        QVERIFY(one.players[0].plays && !one.players[0].spectator && one.players[1].isAi);
        QVERIFY(one.spectators[0].spectator && !one.spectators[0].plays);
        QVERIFY(!read.value("/d/two.sdf").valid && read.value("/d/two.sdf").players.isEmpty());
    }

    // Names holding the cache's own separators or control characters read back unchanged and
    // cannot shift the fields of their record or the next one.
    void hostileNames()
    {
        TestEnvironment env;
        DataReplay replay = Sample("/d/we\x0cird\nname\\x0c.sdf");
        replay.mapName = QString("Map\tWith\x07"
                                 "Bell\r\nAnd\\Back");
        replay.players[0].name = QString("Tab\tBell\x07"
                                         "Feed\x0c"
                                         "Ann\\5c");
        replay.spectators[0].rank = QString("#\n#");
        replay.gameName = "#comment-looking";
        ReplaysTable table;
        table.insert(replay.filePath, replay);
        table.insert("/d/next.sdf", Sample("/d/next.sdf"));
        QVERIFY(SaveCache(CachePath(), table));

        ReplaysTable read;
        LoadCache(CachePath(), read);
        QVERIFY2(env.LogLines().filter("FAIL").isEmpty(), qPrintable(env.LogLines().join('\n')));
        QCOMPARE(read.keys(), table.keys());
        QCOMPARE(read.value(replay.filePath).players[0].name, replay.players[0].name);
        QCOMPARE(CacheBytes(read), CacheBytes(table));
    }

    // A header alone is an empty cache; no file at all leaves the table as it was; neither is an error.
    void nothingToRead()
    {
        TestEnvironment env;
        QVERIFY(TestFiles::Write(CachePath(), Header()));
        ReplaysTable table;
        LoadCache(CachePath(), table);
        QVERIFY(table.isEmpty());
        table.insert("/x", Sample("/x"));
        LoadCache(m_dir.filePath("absent.rc1"), table);
        QCOMPARE(table.size(), 1);
        QVERIFY(env.LogLines().filter("ReplaysManager").isEmpty());
    }

    void wrongHeader_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("7 bytes") << Header().left(7);
        QTest::newRow("version 1") << Header(Magic, 1);
        QTest::newRow("version 3") << Header(Magic, 3);
        QTest::newRow("magic first byte") << Header(0xFEB0C0A0);
        QTest::newRow("magic last byte") << Header(0xFFB0C0A1);
    }

    void wrongHeader()
    {
        QFETCH(QByteArray, data);
        TestEnvironment env;
        QVERIFY(TestFiles::Write(CachePath(), data + Line(Fields("/d/a.sdf")).toUtf8() + "\r\n"));
        ReplaysTable table;
        LoadCache(CachePath(), table);
        QVERIFY(table.isEmpty());
        QVERIFY(env.LogContains("ReplaysManager :: Replays Cache file is WRONG"));
    }

    void records()
    {
        TestEnvironment env;
        QStringList eleven = Fields("/d/eleven.sdf");
        eleven.removeLast();
        QStringList fourteen = Fields("/d/fourteen.sdf");
        fourteen << "x";
        QStringList later = Fields("/d/dup.sdf");
        later[5] = "Later Map";
        QStringList odd = Fields("/d/odd.sdf");
        odd[1] = "abc";   // no number: 0
        odd[10] = "0.1";  // winners
        odd[11] = "true"; // only "1" is valid
        odd[8] = QString("A\tXX\t\t0a0b0c\t1\tArm\t2\t3\t1") + QChar(0x07) + QChar(0x07) + "short\tentry" +
                 QChar(0x07) + "B\tXX\t\tzz\tq\t\t0\t0\t0";
        odd[9] = QString("S\tGB\t1") + QChar(0x07) + "bad\tspec";
        // A damaged byte: no UTF-8 text, so the record is left out (its demo is read again).
        const QByteArray notUtf8 =
            Line(Fields("/d/not-utf8.sdf")).toUtf8().replace("Morvantis", "Morv\xe1ntis");
        const QByteArray body =
            (QStringList{Line(Fields("/d/dup.sdf")), Line(later), Line(eleven), Line(fourteen),
                         "#" + Line(Fields("/d/comment.sdf")), "", Line(odd)}
                 .join("\r\n") +
             "\r\n")
                .toUtf8() +
            notUtf8 + "\r\n";
        // The two bytes after the version may be anything.
        QVERIFY(TestFiles::Write(CachePath(), Header(Magic, Version, "xy") + body));
        ReplaysTable table;
        LoadCache(CachePath(), table);
        QCOMPARE(table.size(), 2);
        QCOMPARE(table.value("/d/dup.sdf").mapName, "Later Map");
        QVERIFY(!table.contains("/d/comment.sdf"));
        QVERIFY(!table.contains("/d/not-utf8.sdf"));
        QVERIFY(env.LogContains("ReplaysManager :: FAIL - Cache record is not UTF-8, its demo is read again: "
                                "/d/not-utf8.sdf"));
        QVERIFY(env.LogContains("ReplaysManager :: FAIL - Wrong data count in cache, 12"));
        QVERIFY(env.LogContains("ReplaysManager :: FAIL - Wrong data count in cache, 14"));
        QVERIFY(env.LogContains("ReplaysManager :: FAIL - Wrong data count in cache, 1"));
        QVERIFY(env.LogContains("ReplaysManager :: FAIL - Wrong data count in cache players, short\tentry"));
        QVERIFY(env.LogContains("ReplaysManager :: FAIL - Wrong data count in cache spectators, bad\tspec"));

        const DataReplay replay = table.value("/d/odd.sdf");
        QCOMPARE(replay.fileSize, qint64(0));
        QCOMPARE(replay.winningAllyTeams, (QList<int>{0, 1}));
        QVERIFY(!replay.valid);
        QCOMPARE(replay.players.size(), 2);
        QCOMPARE(replay.players[0].color, QColor(10, 11, 12));
        QCOMPARE(replay.players[0].allyTeam, 2);
        QCOMPARE(replay.players[0].team, 3);
        QVERIFY(replay.players[0].isAi);
        QCOMPARE(replay.players[1].color, QColor(0, 0, 0)); // "zz" is no number
        QCOMPARE(replay.players[1].side, 0);
        QCOMPARE(replay.spectators.size(), 1);
    }

    // No regular file, or over the limits: damaged (set aside, it leaves the place to a new cache);
    // no permission or a folder: left as it is. Nothing is taken from either, a FIFO is never
    // waited on.
    void damagedCache_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("problem");
        const int damaged = int(LoadResult::Damaged);
        QTest::newRow("FIFO") << "FIFO" << damaged << "a FIFO";
        QTest::newRow("link loop") << "link loop" << damaged << "a link loop";
        QTest::newRow("over 64 MB") << "large:67108865" << damaged << "larger than 67108864 bytes";
        QTest::newRow("10001 records") << "records" << damaged << "more than 10000 records";
        QTest::newRow("a line over 2 MB") << "line" << damaged << "a line of more than 2097152 bytes";
        QTest::newRow("503 players") << "record players:503" << damaged
                                     << "a record with more than 502 players";
        QTest::newRow("252 spectators")
            << "record spectators:252" << damaged << "a record with more than 251 spectators";
        QTest::newRow("256 winners") << "record winners:256" << damaged
                                     << "a record with more than 255 winners";
        QTest::newRow("252 humans") << "record humans:252" << damaged
                                    << "a record with more players, AIs or spectators than a demo holds";
        QTest::newRow("252 AIs") << "record ais:252" << damaged
                                 << "a record with more players, AIs or spectators than a demo holds";
        // 32 MB of spectators in lines of 2 MB: refused at the first, never built (4 million players).
        QTest::newRow("2 MB of spectators")
            << "record spectators:262000" << damaged << "a record with more than 251 spectators";
        QTest::newRow("folder") << "folder" << int(LoadResult::Unreadable) << "a folder";
        QTest::newRow("no permission") << "unreadable" << int(LoadResult::Unreadable) << "Permission denied";
    }

    void damagedCache()
    {
        QFETCH(QString, kind);
        QFETCH(int, result);
        QFETCH(QString, problem);
        TestEnvironment env;
        QTemporaryDir dir;
        const QString path = CacheFilePath(dir.path());
        const QByteArray record = Line(Fields("/d/a.sdf")).toUtf8() + "\r\n";
        if (kind.startsWith("record "))
        {
            // A good record first, then lines over a demo's limits.
            const int count = kind.section(':', 1).toInt();
            QStringList fields = Fields("/d/big.sdf");
            const QString human = QString("H\tXX\t\t0a0b0c\t1\tArm\t0\t0\t0");
            const QString ai = QString("A\tXX\t\t0a0b0c\t1\tArm\t0\t0\t1");
            const QString spectator = QString("S\tGB\t1");
            const QString bell(QChar(0x07));
            if (kind.contains("players"))
                fields[8] = Repeated(ai, count, bell);
            else if (kind.contains("spectators"))
                fields[9] = Repeated(spectator, count, bell);
            else if (kind.contains("winners"))
                fields[10] = Repeated("1", count, ".");
            else if (kind.contains("humans"))
            {
                fields[8] = Repeated(human, 2, bell);
                fields[9] = Repeated(spectator, count - 2, bell);
            }
            else
                fields[8] = Repeated(ai, count, bell);
            const QByteArray line = Line(fields).toUtf8() + "\r\n";
            QVERIFY(TestFiles::Write(path, Header() + record +
                                               line.repeated(qBound(1, (32 << 20) / line.size(), 5000))));
        }
        else if (kind == "records")
            QVERIFY(TestFiles::Write(path, Header() + record.repeated(MaxRecords + 1)));
        else if (kind == "line")
            QVERIFY(TestFiles::Write(path, Header() + record + QByteArray(MaxLineSize + 1, 'x')));
        else
            QVERIFY(TestFiles::Place(path, kind, Header() + record));
        ReplaysTable table{{"/kept", Sample("/kept")}};
        CacheLoad load;
        QVERIFY(TestFiles::ReturnsPromptly(HangLimitMs, [&] { load = LoadCache(path, table); }));
        QCOMPARE(int(load.result), result);
        QCOMPARE(load.problem, problem);
        QCOMPARE(table.keys(), QStringList{"/kept"});
        QVERIFY(env.LogLines().filter("FAIL").isEmpty());
    }

    // The writer stays within what the reader takes: the rest is read from the demos again.
    void fullCacheLeavesOut()
    {
        TestEnvironment env;
        ReplaysTable table;
        const QString longName(2000000, 'm'); // 33 such records fill the 64 MB
        for (int i = 0; i < 34; ++i)
        {
            table.insert(QString::number(i), Sample(QString::number(i)));
            table[QString::number(i)].mapName = longName;
        }
        ReplaysTable read;
        QCOMPARE(int(LoadCacheData(CacheBytes(table), "x", read).result), int(LoadResult::Loaded));
        QCOMPARE(read.size(), 33);
        QVERIFY(env.LogContains("ReplaysManager :: Replays Cache FULL, left out: 1"));
    }

    // The most a demo holds reads back; one more of any kind is not written (it is read from its demo
    // again), so the writer never makes a cache the reader calls damaged.
    void demoLimits_data()
    {
        QTest::addColumn<int>("humans");
        QTest::addColumn<int>("ais");
        QTest::addColumn<int>("spectators");
        QTest::addColumn<int>("winners");
        QTest::addColumn<bool>("kept");
        QTest::newRow("the most players and AIs") << 251 << 251 << 0 << 255 << true;
        QTest::newRow("the most spectators") << 0 << 251 << 251 << 0 << true;
        QTest::newRow("one human more") << 251 << 0 << 1 << 0 << false;
        QTest::newRow("one AI more") << 0 << 252 << 0 << 0 << false;
        QTest::newRow("one winner more") << 1 << 1 << 0 << 256 << false;
    }

    void demoLimits()
    {
        QFETCH(int, humans);
        QFETCH(int, ais);
        QFETCH(int, spectators);
        QFETCH(int, winners);
        QFETCH(bool, kept);
        TestEnvironment env;
        DataReplay replay = Sample("/d/limits.sdf");
        replay.players.clear();
        replay.spectators.clear();
        replay.winningAllyTeams.clear();
        for (int i = 0; i < humans + ais; ++i)
            replay.players << DataPlayer(QStringLiteral("P%1").arg(i), true, i >= humans);
        for (int i = 0; i < spectators; ++i)
            replay.spectators << DataPlayer(QStringLiteral("S%1").arg(i), false, false);
        for (int i = 0; i < winners; ++i)
            replay.winningAllyTeams << i % 256;
        QCOMPARE(WithinDemoLimits(replay), kept);
        const ReplaysTable table{{replay.filePath, replay}, {"/d/other.sdf", Sample("/d/other.sdf")}};
        ReplaysTable read;
        QCOMPARE(int(LoadCacheData(CacheBytes(table), "x", read).result), int(LoadResult::Loaded));
        QCOMPARE(read.contains(replay.filePath), kept);
        QVERIFY(read.contains("/d/other.sdf"));
        if (kept)
        {
            QCOMPARE(read.value(replay.filePath).players.size(), humans + ais);
            QCOMPARE(read.value(replay.filePath).spectators.size(), spectators);
            QCOMPARE(read.value(replay.filePath).winningAllyTeams.size(), winners);
        }
    }

    // A cache cut anywhere loads what is whole before the cut and never crashes.
    void cutAtRandomByte()
    {
        TestEnvironment env;
        ReplaysTable table;
        for (int i = 0; i < 20; ++i)
        {
            const QString path = QStringLiteral("/d/r%1.sdfz").arg(i, 2, 10, QLatin1Char('0'));
            table.insert(path, Sample(path));
        }
        const QByteArray full = CacheBytes(table);
        QRandomGenerator random(12345);
        for (int round = 0; round < 200; ++round)
        {
            const int cut = round < 12 ? round : random.bounded(full.size());
            QVERIFY(TestFiles::Write(CachePath(), full.left(cut)));
            ReplaysTable read;
            LoadCache(CachePath(), read);
            // Every record that came back is whole and right.
            for (const DataReplay& replay : qAsConst(read))
            {
                const DataReplay original = table.value(replay.filePath);
                if (replay.filePath.isEmpty() || original.filePath.isEmpty())
                    continue; // a cut inside the path is a different key
                if (replay.fileModified != original.fileModified)
                    continue; // the cut fell inside the last field
                QCOMPARE(replay.players.size(), 2);
                QCOMPARE(replay.spectators.size(), 1);
                QCOMPARE(replay.winningAllyTeams, original.winningAllyTeams);
            }
            const int wholeLines = full.left(cut).count("\r\n") - (cut >= 10 ? 1 : 0);
            QVERIFY(read.size() >= qMax(0, wholeLines));
        }
    }

    // Root writes into read-only folders, so the disk is made full: a 64 KB tmpfs in a mount
    // namespace of its own, in which this program runs again as a child. Where no namespace can be
    // made, a 64 KB file size limit fails the write the same way (a short write, then EFBIG).
    void failedWriteKeepsCache()
    {
        TestEnvironment env;
        QVERIFY(!SaveCache(QString(), ReplaysTable()));
        const QString self = QCoreApplication::applicationFilePath();
        const QStringList ways[] = {
            {"unshare", "-rm", "sh", "-c",
             "mount -t tmpfs -o size=64k quillmere-test \"$0\" || exit 77; " + Fill},
            {"unshare", "-m", "sh", "-c",
             "mount -t tmpfs -o size=64k quillmere-test \"$0\" || exit 77; " + Fill},
            {"sh", "-c", "trap '' XFSZ; ulimit -f 128 || exit 77; " + Fill},
        };
        int tried = 0;
        for (QStringList way : ways)
        {
            QTemporaryDir dir;
            const QString program = way.takeFirst();
            QProcess child;
            child.start(program, way << dir.path() << self);
            if (!child.waitForFinished(30000) || child.exitStatus() != QProcess::NormalExit)
                continue;
            // Any other code means the way itself was not available here.
            QVERIFY2(child.exitCode() != ChildFailed, child.readAllStandardError().constData());
            tried += child.exitCode() == 0;
        }
        QM_REQUIRE(tried > 0, "a small tmpfs or a file size limit");
    }

public:
    static constexpr int ChildFailed = 3;
    static inline const QString Fill = "exec \"$1\" --fill-cache-folder \"$0\"";

    // Saves a small cache into `folder`, then one too big for the disk. Empty when the small one
    // survived untouched and alone, else what went wrong.
    static QString FailedWriteKeepsCache(const QString& folder)
    {
        const QString path = CacheFilePath(folder);
        const ReplaysTable small{{"/d/a.sdf", Sample("/d/a.sdf")}};
        if (!SaveCache(path, small))
            return "the small cache was not written";
        const QByteArray before = TestFiles::Read(path);
        ReplaysTable big;
        for (int i = 0; i < 2000; ++i)
            big.insert(QStringLiteral("/d/%1.sdf").arg(i), Sample(QStringLiteral("/d/%1.sdf").arg(i)));
        if (SaveCache(path, big))
            return "a cache that cannot fit was reported written";
        if (TestFiles::Read(path) != before)
            return "the old cache changed";
        const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        if (left != QStringList{QFileInfo(path).fileName()})
            return "files left: " + left.join(", ");
        return QString();
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // Run by failedWriteKeepsCache inside its mount namespace, with the small tmpfs on the folder.
    if (argc == 3 && qstrcmp(argv[1], "--fill-cache-folder") == 0)
    {
        const QString error = TestReplaysCache::FailedWriteKeepsCache(QString::fromLocal8Bit(argv[2]));
        if (error.isEmpty())
            return 0;
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return TestReplaysCache::ChildFailed;
    }
    TestReplaysCache test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ReplaysCache.moc"
