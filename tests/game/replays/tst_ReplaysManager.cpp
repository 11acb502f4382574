#include "AppSettings.h"
#include "PathManager.h"
#include "ReplayArchive.h"
#include "ReplaysCache.h"
#include "ReplaysManager.h"
#include "SevenZManager.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "helper_ReplayTestData.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <optional>
#include <time.h>

namespace
{
// How long a refresh may take before the test fails. The waits end as soon as the refresh does;
// the bound only has to hold for 10000 files in a sanitizer build on a busy machine.
constexpr int RefreshLimitMs = 120000;
// Only a hang takes this long: what is timed here is held by the order of events, not by a time.
constexpr int HangLimitMs = 30000;
} // namespace

// The replays worker: folder scan, cache use, batches and percentages, filters, stop and restart.
class TestReplaysManager : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<ReplaysRecorder> m_recorder;
    QString m_demos;

    ReplaysManager* Manager() { return ReplaysManager::Instance(); }

    void Start() { m_recorder = std::make_unique<ReplaysRecorder>(Manager()); }

    // One full refresh posted the way callers post it; waits for OnBusy(false).
    bool Refresh()
    {
        m_recorder->Clear();
        Manager()->Queue("DoUpdateReplays");
        return QTest::qWaitFor([this] { return m_recorder->finished; }, RefreshLimitMs);
    }

    // The events without the percentages sent between batches, which depend on timing: those
    // follow another percentage and are not the last one.
    QStringList BatchEvents() const
    {
        const QStringList& all = m_recorder->events;
        QStringList kept;
        for (int i = 0; i < all.size(); ++i)
        {
            if (i == 0 || i + 1 == all.size() || !all[i].startsWith("progress:") ||
                !all[i - 1].startsWith("progress:") || all[i + 1] == "busy:0")
                kept << all[i];
        }
        return kept;
    }

    // A stand-in for the archive tool, made the one used: it notes each archive it gets in "calls"
    // and its process id in "pid", then runs `body`. `Listing` lists one small file.
    bool UseFakeArchiveTool(const QTemporaryDir& tools, const QString& body)
    {
        const QString script = tools.filePath("fake7z.sh");
        // The pid first: once a call is counted, the pid file names that call's process.
        const QString text = "#!/bin/sh\necho $$ > '" + tools.filePath("pid") + "'\necho \"$3\" >> '" +
                             tools.filePath("calls") + "'\n" + body + "\n";
        SevenZManager::Instance()->SetProgram(script);
        return TestFiles::Write(script, text.toUtf8(), true);
    }
    // The running process that the fake tool's pid file names, as "<pid> <start time>"; empty when
    // none runs. A pid alone is no proof: threads and processes of the tests running beside this
    // one take freed pids again within seconds where the system has only 32768 of them.
    static QByteArray RunningTool(const QTemporaryDir& tools)
    {
        const QByteArray pid = TestFiles::Read(tools.filePath("pid")).trimmed();
        QFile stat("/proc/" + QString::fromLatin1(pid) + "/stat");
        if (pid.isEmpty() || !stat.open(QIODevice::ReadOnly))
            return {};
        const QByteArray text = stat.readAll();
        // After the command's closing bracket: the state first, the start time twentieth.
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() < 20 || fields.at(0) == "Z")
            return {};
        return pid + ' ' + fields.at(19);
    }

    static inline const QString Listing =
        "[ \"$1\" = l ] && printf -- '----------\\nPath = a.sdf\\nSize = 100\\n' && exit 0\n";

    QString TempReplayFolder() const { return PathManager::Instance()->GetTempDir() + "/replay"; }

    static QStringList Lines(const QString& path)
    {
        return QString::fromUtf8(TestFiles::Read(path)).split('\n', Qt::SkipEmptyParts);
    }

    QString Demo(const QString& name) const { return m_demos + QLatin1Char('/') + name; }

    void WriteDemo(const QString& name, const QString& game, const QString& map,
                   const QList<ScriptPlayer>& players = {{"Ann", 0}, {"Bob", 1}},
                   const QByteArray& winners = {})
    {
        const QByteArray data = SimpleDemo(game, map, players, winners);
        QVERIFY(name.endsWith("sdfz") ? WriteGzip(Demo(name), data) : TestFiles::Write(Demo(name), data));
    }

    QStringList ReceivedPaths() const
    {
        QStringList paths;
        for (const DataReplay& replay : m_recorder->replays)
            paths << QFileInfo(replay.filePath).fileName();
        return paths;
    }

    ReplaysTable CacheOnDisk()
    {
        ReplaysTable table;
        ReplaysCache::LoadCache(ReplaysCache::CacheFilePath(PathManager::Instance()->GetLobbyDataDir()),
                                table);
        return table;
    }

    DataReplay Received(const QString& name) const
    {
        for (const DataReplay& replay : m_recorder->replays)
        {
            if (replay.fileName == name)
                return replay;
        }
        return DataReplay();
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        RegisterReplayMetaTypes();
        m_demos = PathManager::Instance()->GetReplaysDir();
        QDir().mkpath(m_demos);
    }

    void cleanup()
    {
        ReplaysManager::SetArchiveTimeLimit(ReplayArchive::UnpackTimeLimitMs);
        m_recorder.reset();
        if (ReplaysManager::Exists())
            Manager()->InvokeBlocking("DoDestroy");
        ReplaysManager::Destroy();
        SevenZManager::Destroy();
        m_env.reset();
    }

    void relationTable()
    {
        const QMap<QString, QString> names = ReplaysManager::ParseRelations(
            "a map\tA_Map.sdz\r\nb\tmiddle\tB_b.sd7.sdz\n\tno key\nno value\t\nc\tfirst\nc\tsecond\n");
        QCOMPARE(names.value("a map"), "A Map");
        QCOMPARE(names.value("b"), "B b"); // last column
        QCOMPARE(names.value("c"), "second");
        QVERIFY(!names.contains("no value"));
        QCOMPARE(names.size(), 3);

        // Every game row has its table compiled in.
        for (const QString code : {"zorn", "gvm", "vq", "yx"})
        {
            QFile file(":/DataRelations/maps.relations." + code + ".txt");
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(code));
            const QMap<QString, QString> table =
                ReplaysManager::ParseRelations(QString::fromUtf8(file.readAll()));
            QVERIFY(table.size() >= 5);
            QCOMPARE(table.value("Comet Catcher Remake 1.8"), "Comet Catcher");
        }
    }

    void teamsText_data()
    {
        QTest::addColumn<QList<ScriptPlayer>>("players");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::newRow("duel") << QList<ScriptPlayer>{{"A", 0}, {"B", 1}} << "DUEL" << 2;
        QTest::newRow("one ai") << QList<ScriptPlayer>{{"A", 0}, {"Bot", 1, true}} << "1 | Ai" << 2;
        QTest::newRow("two ais") << QList<ScriptPlayer>{{"A", 0}, {"B", 0}, {"X", 1, true}, {"Y", 1, true}}
                                 << "2 | Ai + 1" << 2;
        QTest::newRow("ffa") << QList<ScriptPlayer>{{"A", 0}, {"B", 1}, {"C", 2}} << "FFA" << 3;
        QTest::newRow("2v2") << QList<ScriptPlayer>{{"A", 0}, {"B", 0}, {"C", 1}, {"D", 1}} << "2 | 2" << 2;
        QTest::newRow("negative ally") << QList<ScriptPlayer>{{"A", 0}, {"B", 1}, {"C", -1}} << "1 | 1" << 2;
    }

    void teamsText()
    {
        QFETCH(QList<ScriptPlayer>, players);
        QFETCH(QString, text);
        QFETCH(int, count);
        DataReplay replay;
        for (const ScriptPlayer& p : players)
        {
            DataPlayer player(p.name, true, p.ai);
            player.allyTeam = p.allyTeam;
            replay.players << player;
        }
        ReplaysManager::BuildDescription(replay);
        QCOMPARE(replay.teamsText, text);
        QCOMPARE(replay.teamCount, count);
    }

    // What the archive tool's technical listing tells: the unpacked size, an entry without one,
    // and links (a file packed from a pipe lists as one, "p", and unpacks as a plain file).
    void archiveListing_data()
    {
        QTest::addColumn<QByteArray>("entries");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("link");
        const QByteArray file = "Path = a.sdf\nSize = 100\nAttributes = A -rw-r--r--\n\n";
        QTest::newRow("two files") << file + "Path = b.sdf\nSize = 200\nAttributes = A_ -rw-------\n"
                                   << qint64(300) << QString();
        QTest::newRow("a file without a size") << file + "Path = b.sdf\nAttributes = A -rw-r--r--\n"
                                               << qint64(-1) << QString();
        QTest::newRow("a size that is no number")
            << QByteArray("Path = a.sdf\nSize = 1x\n") << qint64(-1) << QString();
        QTest::newRow("a link") << file + "Path = l.sdf\nSize = 5\nAttributes = A lrwxrwxrwx\n"
                                << qint64(105) << QString("l.sdf");
        QTest::newRow("a link target") << QByteArray("Path = t.sdf\nSize = 0\nSymbolic Link = /etc/passwd\n")
                                       << qint64(0) << QString("t.sdf");
        QTest::newRow("packed from a pipe")
            << QByteArray("Path = p.sdf\nSize = 7\nAttributes = A prw-------\n") << qint64(7) << QString();
        QTest::newRow("past the limit")
            << QByteArray("Path = a\nSize = 536870912\n\nPath = b\nSize = 536870912\n")
            << ReplayArchive::MaxUnpackedSize + 1 << QString();
    }

    void archiveListing()
    {
        QFETCH(QByteArray, entries);
        QFETCH(qint64, size);
        QFETCH(QString, link);
        // The archive's own block comes before the dashes and counts for nothing.
        const ReplayArchive::Listing listing = ReplayArchive::ReadListing(
            "Path = h.sdfz\nType = 7z\nPhysical Size = 9\n\n----------\n" + entries);
        QCOMPARE(listing.size, size);
        QCOMPARE(listing.link, link);
    }

    void emptyFolder()
    {
        Start();
        QVERIFY(Refresh());
        QCOMPARE(m_recorder->events, (QStringList{"busy:1", "progress:0", "progress:100", "busy:0"}));
        QVERIFY(m_env->LogContains("ReplaysManager :: FINISH"));
        QCOMPARE(QFileInfo(ReplaysCache::CacheFilePath(PathManager::Instance()->GetLobbyDataDir())).size(),
                 qint64(10));
    }

    void signalsAndRecords()
    {
        WriteDemo("a.sdf", "Morvantis 1.2", "ashen_ford_v3",
                  {{"Ann", 0}, {"Bot", 1, true}, {"Spec", 0, false, true}}, QByteArray("\x01", 1));
        WriteDemo("b.sdfz", "Morvantis 1.3", "Unlisted Map");
        WriteDemo("c.sdf", "Morvantis 1.4", "Iron Saddle 1.4");
        Start();
        QVERIFY(Refresh());
        // Three files: a batch of two at 66 %, the last one at the end.
        QCOMPARE(BatchEvents(), (QStringList{"busy:1", "progress:0", "update:2", "progress:66", "update:1",
                                             "progress:100", "progress:100", "busy:0"}));
        QCOMPARE(ReceivedPaths(), (QStringList{"a.sdf", "b.sdfz", "c.sdf"}));

        // What the worker adds to the demo's own record (the demo file test reads that).
        const DataReplay a = Received("a.sdf");
        QCOMPARE(a.mapDisplayName, "Ashen Ford");
        QCOMPARE(a.gameVersionText, "1.2");
        QCOMPARE(a.teamsText, "1 | Ai");
        QVERIFY(a.hasAi);
        QCOMPARE(a.searchText, "Ann Bot Spec ");
        QCOMPARE(a.players[0].id, "0");
        QVERIFY(!a.players[0].winner);
        QVERIFY(a.players[1].winner);
        QCOMPARE(a.spectators[0].id, "1000");
        QCOMPARE(a.durationText, "10:00");

        QCOMPARE(Received("b.sdfz").mapDisplayName, "Unlisted Map");
        QCOMPARE(Received("c.sdf").mapDisplayName, "Iron Saddle");

        // All three are cached with the file's size and time.
        const ReplaysTable cache = CacheOnDisk();
        QCOMPARE(cache.size(), 3);
        QCOMPARE(cache.value(Demo("b.sdfz")).fileSize, QFileInfo(Demo("b.sdfz")).size());
        QCOMPARE(cache.value(Demo("b.sdfz")).fileModified,
                 QFileInfo(Demo("b.sdfz")).lastModified().toMSecsSinceEpoch());
    }

    void cachedRefresh()
    {
        for (int i = 0; i < 6; ++i)
            WriteDemo(QStringLiteral("r%1.sdfz").arg(i), "Morvantis 1.0", "Iron Saddle 1.4");
        Start();
        QVERIFY(Refresh());
        QCOMPARE(m_recorder->replays.size(), 6);

        // A deleted file is neither sent nor kept; a replaced one is read again.
        QFile::remove(Demo("r2.sdfz"));
        WriteDemo("r4.sdfz", "Morvantis 1.0", "Changed Map", {{"Ann", 0}, {"Bob", 0}, {"Cid", 1}});
        QVERIFY(TestFiles::SetModified(Demo("r4.sdfz"), QDateTime::currentDateTime().addSecs(-3600)));
        m_env->ClearLog();
        QVERIFY(Refresh());
        QCOMPARE(ReceivedPaths(), (QStringList{"r0.sdfz", "r1.sdfz", "r3.sdfz", "r5.sdfz", "r4.sdfz"}));
        QCOMPARE(Received("r4.sdfz").mapName, "Changed Map");
        QCOMPARE(Received("r0.sdfz").mapName, "Iron Saddle 1.4");
        QCOMPARE(m_env->LogLines().filter("ReplaysManager :: LOADING r").size(), 1);
        QVERIFY(m_env->LogContains("ReplaysManager :: FOUND Replays Cache 6"));
        const ReplaysTable cache = CacheOnDisk();
        QCOMPARE(cache.size(), 5);
        QVERIFY(!cache.contains(Demo("r2.sdfz")));
        // Records from the cache look like freshly read ones.
        QCOMPARE(Received("r0.sdfz").teamsText, "DUEL");
        QCOMPARE(Received("r0.sdfz").mapDisplayName, "Iron Saddle");

        // Nothing read, one file gone: the cache is written without it.
        QFile::remove(Demo("r5.sdfz"));
        m_env->ClearLog();
        QVERIFY(Refresh());
        QVERIFY(!m_env->LogContains("ReplaysManager :: LOADING r"));
        QCOMPARE(CacheOnDisk().size(), 4);
        QVERIFY(!CacheOnDisk().contains(Demo("r5.sdfz")));
    }

    void skippedFiles()
    {
        WriteDemo("good.sdf", "Morvantis 1.0", "M");
        QVERIFY(TestFiles::Write(Demo("empty.sdf"), QByteArray())); // a killed engine leaves these
        WriteDemo("upper.SDF", "Morvantis 1.0", "M");
        WriteDemo("notes.txt", "Morvantis 1.0", "M");
        WriteDemo(".hidden.sdf", "Morvantis 1.0", "M");
        QDir().mkpath(Demo("folder.sdf"));
        QVERIFY(TestFiles::Write(Demo("broken.sdf"), QByteArray("spring demofile")));
        Start();
        QVERIFY(Refresh());
        QCOMPARE(ReceivedPaths(), QStringList{"good.sdf"});
        const ReplaysTable cache = CacheOnDisk();
        QCOMPARE(cache.size(), 2);
        QVERIFY(!cache.value(Demo("broken.sdf")).valid);
        QVERIFY(cache.value(Demo("good.sdf")).valid);
        QVERIFY(m_env->LogContains("FOUND Replays Files 5"));

        // A broken file is not read again while it stays.
        m_env->ClearLog();
        QVERIFY(Refresh());
        QVERIFY(!m_env->LogContains("LOADING broken.sdf"));
    }

    void gameFilter()
    {
        WriteDemo("mine.sdf", "Morvantis 1.0", "M");
        WriteDemo("other.sdf", "Yxelder 1.2", "M");
        WriteDemo("beta.sdf", "Morvantis:beta-7", "M");
        Start();
        QVERIFY(Refresh());
        QCOMPARE(ReceivedPaths(), QStringList{"mine.sdf"});
        QVERIFY(m_env->LogContains("ReplaysManager :: IGNORE yxelder 1.2"));
        QVERIFY(m_env->LogContains("ReplaysManager :: NOT DEVELOPER - IGNORE morvantisbeta-7"));
        QCOMPARE(CacheOnDisk().size(), 3);

        Manager()->Queue("DoLobbyAdmin", Q_ARG(bool, true));
        QVERIFY(Refresh());
        QCOMPARE(ReceivedPaths(), (QStringList{"beta.sdf", "mine.sdf"}));
    }

    void customSyncFolder()
    {
        QTemporaryDir custom;
        QDir().mkpath(custom.filePath("demos"));
        AppSettingsMain::Instance()->CustomSyncFolder = custom.path();
        WriteDemo("default.sdf", "Morvantis 1.0", "M");
        QVERIFY(TestFiles::Write(custom.filePath("demos/custom.sdf"),
                                 SimpleDemo("Morvantis 1.0", "M", {{"A", 0}})));
        Start();
        const auto update = [this]
        {
            m_recorder->Clear();
            ReplaysManager::UpdateReplays();
            return QTest::qWaitFor([this] { return m_recorder->finished; }, RefreshLimitMs);
        };
        QVERIFY(update());
        QCOMPARE(ReceivedPaths(), QStringList{"custom.sdf"});
        // The worker never reads the settings: a request without a folder keeps the last one.
        AppSettingsMain::Instance()->CustomSyncFolder.clear();
        QVERIFY(Refresh());
        QCOMPARE(ReceivedPaths(), QStringList{"custom.sdf"});
        QVERIFY(update());
        QCOMPARE(ReceivedPaths(), QStringList{"default.sdf"});
    }

    // Over the limit the newest files are kept.
    void newestTenThousand()
    {
        const QDateTime now = QDateTime::currentDateTime();
        for (int i = 0; i < ReplaysManager::MaxFiles + 5; ++i)
        {
            QFile file(Demo(QStringLiteral("f%1.sdf").arg(i, 5, 10, QLatin1Char('0'))));
            QVERIFY(file.open(QIODevice::WriteOnly));
            // The last five by name are the oldest.
            QVERIFY(file.setFileTime(now.addSecs(-i), QFileDevice::FileModificationTime));
        }
        WriteDemo("f00000.sdf", "Morvantis 1.0", "Newest");
        WriteDemo("f10004.sdf", "Morvantis 1.0", "Oldest");
        QVERIFY(TestFiles::SetModified(Demo("f10004.sdf"), now.addDays(-30)));
        Start();
        QVERIFY(Refresh());
        QVERIFY(m_env->LogContains("ReplaysManager :: FOUND Replays Files 10000"));
        QVERIFY(m_env->LogContains("ReplaysManager :: TOO MANY Replays Files, the oldest left out: 5"));
        QCOMPARE(ReceivedPaths(), QStringList{"f00000.sdf"});

        // The folder is listed in steps of their own: a stop posted right behind the refresh comes
        // before any of it.
        m_env->ClearLog();
        ReplaysManager::UpdateReplays();
        ReplaysManager::Stop();
        QVERIFY(Manager()->InvokeBlocking("DoInitialize")); // everything queued before has run
        QVERIFY(m_env->LogContains("ReplaysManager :: DoStop"));
        QVERIFY(!m_env->LogContains("FOUND Replays Files"));
    }

    // The date text of a replay is the same on the first scan and from the cache.
    void oneTimeZone()
    {
        const QByteArray oldTz = qgetenv("TZ");
        qputenv("TZ", "Pacific/Kiritimati"); // UTC+14: the local date is a day ahead
        tzset();
        DemoSpec spec;
        spec.startTime = QDateTime(QDate(2023, 11, 14), QTime(22, 0), Qt::UTC).toSecsSinceEpoch();
        spec.script = MakeScript("Morvantis 1.0", "M", {{"A", 0}});
        QVERIFY(TestFiles::Write(Demo("tz.sdf"), BuildDemo(spec)));
        Start();
        QVERIFY(Refresh());
        const QString first = Received("tz.sdf").dateText;
        QVERIFY(Refresh());
        const QString cached = Received("tz.sdf").dateText;
        if (oldTz.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", oldTz);
        tzset();
        QCOMPARE(first, "15.11.2023");
        QCOMPARE(cached, first);
    }

    void stopAndRestart()
    {
        // The scan cannot end while the gate is unpacked, and the archive tool waits for the test:
        // the stop surely comes in the middle of the scan.
        QTemporaryDir tools;
        QVERIFY(UseFakeArchiveTool(tools, Listing + "while [ ! -e '" + tools.filePath("open") +
                                              "' ]; do sleep 0.02; done"));
        QVERIFY(TestFiles::Write(Demo("gate.sdfz"), "no gzip"));
        DemoSpec spec;
        spec.script = MakeScript("Morvantis 1.0", "M", {{"A", 0}, {"B", 1}});
        spec.winners = QByteArray(1, '\0');
        const QByteArray data = BuildDemo(spec);
        for (int i = 0; i < 60; ++i)
            QVERIFY(WriteGzip(Demo(QStringLiteral("s%1.sdfz").arg(i, 3, 10, QLatin1Char('0'))), data));
        Start();
        ReplaysManager::UpdateReplays();
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->updates > 0 && QFile::exists(tools.filePath("pid")),
                                 HangLimitMs);
        ReplaysManager::Stop();
        QVERIFY(Manager()->InvokeBlocking("DoInitialize")); // everything queued before has run
        QTest::qWait(100);
        QVERIFY(!m_recorder->finished);
        QVERIFY(m_env->LogContains("ReplaysManager :: DoStop"));
        QVERIFY(!m_env->LogContains("ReplaysManager :: FINISH"));
        QVERIFY(!QFile::exists(ReplaysCache::CacheFilePath(PathManager::Instance()->GetLobbyDataDir())));

        // Two refreshes posted back to back finish once, with every file once.
        QVERIFY(TestFiles::Write(tools.filePath("open"), ""));
        m_recorder->Clear();
        ReplaysManager::UpdateReplays();
        ReplaysManager::UpdateReplays();
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->finished, RefreshLimitMs);
        QTest::qWait(200);
        QCOMPARE(m_recorder->events.filter("busy:0").size(), 1);
        QCOMPARE(m_recorder->events.filter("busy:1").size(), 2);
        QCOMPARE(CacheOnDisk().size(), 61);
        // Read on many threads, sent in name order.
        QStringList sorted = ReceivedPaths();
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(ReceivedPaths().size(), 60);
        QCOMPARE(ReceivedPaths(), sorted);
    }

    // An archive done before an earlier demo is read: both come back, and the scan ends.
    void archiveBeforeEarlierDemo()
    {
        QTemporaryDir tools;
        QVERIFY(UseFakeArchiveTool(tools, Listing)); // unpacks nothing, at once
        QVERIFY(TestFiles::Write(Demo("b.sdfz"), "no gzip"));
        // 400 MB of zeros to unpack in front of the winners, in members of 10 MB.
        DemoSpec spec;
        spec.script = MakeScript("Morvantis 1.0", "M", {{"A", 0}, {"B", 1}});
        spec.stream.clear();
        spec.streamSize = 400 << 20;
        spec.winnersSize = 1;
        const QByteArray zeros = Gzip(QByteArray(10 << 20, '\0'));
        QVERIFY(TestFiles::Write(Demo("a.sdfz"), Gzip(BuildDemo(spec)) + zeros.repeated(40) + Gzip("\1")));
        Start();
        QVERIFY(Refresh());
        QCOMPARE(ReceivedPaths(), QStringList{"a.sdfz"});
        QCOMPARE(Received("a.sdfz").winningAllyTeams, QList<int>{1});
        QVERIFY(m_env->LogContains("7z - FAIL - no file in the archive"));
        QVERIFY(CacheOnDisk().contains(Demo("b.sdfz")));
    }

    // Hostile or unlucky demos beside a good one. The file's own failures are remembered, those of
    // the machine tried again once their cause is gone; a stop and a shut-down in the middle are
    // quick and leave no archive tool running and no unpacked file behind.
    void hostileDemos_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("log");
        QTest::addColumn<bool>("remembered");
        QTest::newRow("script bomb") << "script"
                                     << "FAIL - Script over the limits: more than 1267 sections" << true;
        QTest::newRow("7z bomb") << "bomb"
                                 << "7z - FAIL - unpacks to more than 536870912 bytes" << true;
        QTest::newRow("slow archive tool") << "slow"
                                           << "7z - FAIL - killed after 0.3 s" << true;
        QTest::newRow("archive tool missing") << "missing"
                                              << "7z - ERROR --- can't start the archive tool" << false;
        QTest::newRow("unreadable demo") << "unreadable"
                                         << "FAIL - Can't open file (Permission denied)" << false;
        QTest::newRow("broken gzip") << "gzip"
                                     << "FAIL - Can't read demo header" << true;
        QTest::newRow("stream of 2 GiB") << "stream"
                                         << "FAIL - Demo stream over the limits: 2147483647 bytes" << true;
        QTest::newRow("7z link entry") << "link"
                                       << "7z - FAIL - the archive holds a link: link.sdf" << true;
        QTest::newRow("7z entry without a size") << "unsized"
                                                 << "7z - FAIL - the archive does not list its sizes" << true;
        QTest::newRow("tool fails on the content") << "content"
                                                   << "7z - FAIL - damaged data" << true;
        QTest::newRow("tool finds no room") << "no room"
                                            << "7z - ERROR --- exit code 2 for" << false;
    }

    void hostileDemos()
    {
        QFETCH(QString, kind);
        QFETCH(QString, log);
        QFETCH(bool, remembered);
        QTemporaryDir tools;
        std::optional<TestFiles::AsPlainUser> plainUser; // for the threads started from here on
        const QString hostile = Demo("h.sdfz");
        const QByteArray good = SimpleDemo("Morvantis 1.0", "M", {{"A", 0}, {"B", 1}});
        WriteDemo("good.sdf", "Morvantis 1.0", "M");
        if (kind == "script")
        {
            DemoSpec spec;
            spec.script = "[game]{" + QByteArray("[player]{}").repeated(900000) + "}";
            QVERIFY(WriteGzip(hostile, BuildDemo(spec)));
        }
        else if (kind == "bomb")
        {
            // Lists 600 MB, packed into 130 KB.
            QM_REQUIRE(Has7z(), "7z");
            QProcess pack;
            pack.start("sh", {"-c", "head -c 600000000 /dev/zero | 7z a -si\"h.sdf\" -mx1 \"$0\"", hostile});
            QVERIFY(pack.waitForFinished(60000) && pack.exitCode() == 0);
        }
        else if (kind == "damaged")
        {
            QM_REQUIRE(Has7z(), "7z");
            QVERIFY(TestFiles::Write(hostile, QByteArray("7z\xbc\xaf\x27\x1c garbage", 15)));
        }
        else if (kind == "slow")
        {
            ReplaysManager::SetArchiveTimeLimit(300);
            QVERIFY(UseFakeArchiveTool(tools, Listing + "exec sleep 30"));
            QVERIFY(TestFiles::Write(hostile, "no gzip"));
        }
        else if (kind == "missing")
        {
            QM_REQUIRE(Has7z(), "7z");
            QVERIFY(Write7z(hostile, good, "h.sdf"));
            SevenZManager::Instance()->SetProgram(tools.filePath("no-such-7z"));
        }
        else if (kind == "gzip")
        {
            // A gzip header, then no deflate data at all.
            QVERIFY(TestFiles::Write(hostile,
                                     QByteArray::fromHex("1f8b0800000000000003") + QByteArray(64, '\xff')));
        }
        else if (kind == "stream")
        {
            DemoSpec spec;
            spec.script = MakeScript("Morvantis 1.0", "M", {{"A", 0}, {"B", 1}});
            spec.streamSize = 0x7fffffff;
            spec.winners = QByteArray(1, '\1');
            QVERIFY(WriteGzip(hostile, BuildDemo(spec)));
        }
        else if (kind == "link")
        {
            QM_REQUIRE(Has7z(), "7z");
            QVERIFY(Write7z(hostile, good, "h.sdf", "link.sdf"));
        }
        else if (kind == "unsized")
        {
            QVERIFY(UseFakeArchiveTool(tools, "[ \"$1\" = l ] && printf -- 'Type = 7z\\n----------\\nPath = "
                                              "a.sdf\\nSize = 100\\n\\nPath = b.sdf\\n'\n"
                                              "exit 0"));
            QVERIFY(TestFiles::Write(hostile, "no gzip"));
        }
        else if (kind == "content")
        {
            QVERIFY(UseFakeArchiveTool(
                tools, Listing + "echo 'ERROR: Dangerous link path was ignored : c.sdf : ../x'\n"
                                 "exit 2"));
            QVERIFY(TestFiles::Write(hostile, "no gzip"));
        }
        else if (kind == "no room")
        {
            QM_REQUIRE(Has7z(), "7z");
            QVERIFY(Write7z(hostile, good, "h.sdf"));
            QVERIFY(UseFakeArchiveTool(
                tools, Listing + "printf 'System ERROR:\\nerrno=28 : No space left on device\\n'\n"
                                 "exit 2"));
        }
        else
        {
            QVERIFY(TestFiles::Place(hostile, "unreadable", Gzip(good)));
            plainUser.emplace();
            QVERIFY(!QFile(hostile).open(QIODevice::ReadOnly));
        }

        // Stopped while the hostile one is at work, then shut down: nothing of the refresh ends after
        // the stop, and the shut-down leaves no archive tool running and no unpacked file behind.
        Start();
        ReplaysManager::UpdateReplays();
        QTRY_VERIFY_WITH_TIMEOUT(m_env->LogContains("LOADING h.sdfz") || m_env->LogContains("7z - LIST") ||
                                     Lines(tools.filePath("calls")).size() == 2,
                                 HangLimitMs);
        const QByteArray tool = RunningTool(tools);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(Manager()->InvokeBlocking("DoStop"));
        QVERIFY(Manager()->InvokeBlocking("DoDestroy")); // waits for every reader thread
        QVERIFY2(clock.elapsed() < HangLimitMs, qPrintable(QString::number(clock.elapsed())));
        const QStringList lines = m_env->LogLines();
        const int stop = lines.indexOf("ReplaysManager :: DoStop");
        QVERIFY(stop >= 0);
        QCOMPARE(lines.mid(stop).filter("ReplaysManager :: FINISH").size(), 0);
        if (!tool.isEmpty())
            QVERIFY(RunningTool(tools) != tool);
        QCOMPARE(QDir(TempReplayFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        m_recorder.reset();
        ReplaysManager::Destroy();

        Start();
        QVERIFY(Refresh());
        QCOMPARE(ReceivedPaths(), QStringList{"good.sdf"});
        QVERIFY2(m_env->LogContains("ReplaysManager :: " + log), qPrintable(m_env->LogLines().join("\n")));
        QCOMPARE(CacheOnDisk().contains(hostile), remembered);
        QVERIFY(!CacheOnDisk().value(hostile).valid);

        // Remembered: not touched again. Tried again: read once the tool or the rights are back.
        m_env->ClearLog();
        SevenZManager::Instance()->SetProgram(QString());
        QVERIFY(QFile::setPermissions(hostile, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(Refresh());
        QCOMPARE(m_env->LogContains("LOADING h.sdfz") || m_env->LogContains("7z - LIST"), !remembered);
        QCOMPARE(CacheOnDisk().value(hostile).valid, !remembered);
        QCOMPARE(ReceivedPaths().size(), remembered ? 1 : 2);
    }

    // A stop in the middle of a long unpack ends it at once, not when the time limit or the tool
    // would: the tool is killed before the shut-down returns and never gets to its end. The
    // unpack's folder is its own to remove; the stop leaves the temporary folder be, and what an
    // earlier run left there goes at the next refresh.
    void stopDuringLongUnpack()
    {
        QTemporaryDir tools;
        ReplaysManager::SetArchiveTimeLimit(10 * 60 * 1000);
        QVERIFY(UseFakeArchiveTool(tools, Listing + "echo x > \"${4#-o}/a.sdf\"\nsleep 60\ntouch '" +
                                              tools.filePath("done") + "'"));
        QVERIFY(TestFiles::Write(Demo("h.sdfz"), "no gzip"));
        Start();
        ReplaysManager::UpdateReplays();
        const auto unpacked = [this]
        {
            for (const QString& folder :
                 QDir(TempReplayFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            {
                if (QFile::exists(TempReplayFolder() + "/" + folder + "/a.sdf"))
                    return true;
            }
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(unpacked(), HangLimitMs);
        const QByteArray tool = RunningTool(tools);
        QVERIFY(!tool.isEmpty());
        const QString leftover = TempReplayFolder() + "/left by an earlier run";
        QVERIFY(TestFiles::Write(leftover, "x"));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(Manager()->InvokeBlocking("DoStop"));
        QVERIFY(QFile::exists(leftover));
        QVERIFY(Manager()->InvokeBlocking("DoDestroy"));
        QVERIFY2(clock.elapsed() < HangLimitMs, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(RunningTool(tools) != tool);
        QVERIFY(!QFile::exists(tools.filePath("done")));
        QVERIFY(!m_env->LogContains("killed after"));
        QCOMPARE(QDir(TempReplayFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"left by an earlier run"});
        m_recorder.reset();
        ReplaysManager::Destroy();

        QVERIFY(QFile::remove(Demo("h.sdfz")));
        Start();
        QVERIFY(Refresh());
        QCOMPARE(QDir(TempReplayFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    // A cache record with more spectators than a demo can hold is damage: the cache is set aside
    // and built anew from the demos.
    void overLimitCacheRebuilt()
    {
        WriteDemo("good.sdf", "Morvantis 1.0", "M");
        Start();
        QVERIFY(Refresh());
        const QString cache = ReplaysCache::CacheFilePath(PathManager::Instance()->GetLobbyDataDir());
        QByteArray bytes = TestFiles::Read(cache);
        QList<QByteArray> fields = bytes.mid(10).split('\r').first().split('\x0c');
        QCOMPARE(fields.size(), ReplaysCache::FieldCount);
        fields[0] = QFile::encodeName(Demo("gone.sdf"));
        fields[9] = QByteArray("S\tGB\t1\x07").repeated(ReplaysCache::MaxSpectators + 1);
        QVERIFY(TestFiles::Write(cache, bytes + fields.join('\x0c') + "\r\n"));
        m_env->ClearLog();
        QVERIFY(Refresh());
        QVERIFY2(
            m_env->LogContains("Replays Cache file is damaged --- a record with more than 251 spectators "
                               "--- kept as"),
            qPrintable(m_env->LogLines().join("\n")));
        QVERIFY(m_env->LogContains("LOADING good.sdf"));
        QCOMPARE(ReceivedPaths(), QStringList{"good.sdf"});
        QCOMPARE(CacheOnDisk().keys(), QStringList{Demo("good.sdf")});
        QVERIFY(QFileInfo(cache + ".corrupt").exists());
    }

    // A cache record whose text is no UTF-8 (a damaged byte; the writer never makes one) is left out:
    // its demo is read again, so the replay is listed as the demo has it, under its game's name
    // (a garbled one was filtered out as another game's), and the cache gets the good record back.
    void damagedCacheRecordReadAgain_data()
    {
        QTest::addColumn<QByteArray>("from"); // in the record of b.sdf, the first such bytes ...
        QTest::addColumn<QByteArray>("to");   // ... become these
        QTest::newRow("a byte of the game name")
            << QByteArray("Morvantis 1.0") << QByteArray("Morv\xe1ntis 1.0");
        QTest::newRow("a byte of a player's name") << QByteArray("Bob")
                                                   << QByteArray("B\xf6"
                                                                 "b");
        QTest::newRow("a character cut at the line's end")
            << QByteArray("\r\n") << QByteArray("\xe2\x82\r\n");
    }

    void damagedCacheRecordReadAgain()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        for (const char* name : {"a.sdf", "b.sdf", "c.sdf", "d.sdf"})
            WriteDemo(name, "Morvantis 1.0", "Iron Saddle 1.4");
        Start();
        QVERIFY(Refresh());
        QCOMPARE(ReceivedPaths(), (QStringList{"a.sdf", "b.sdf", "c.sdf", "d.sdf"}));
        const QString cache = ReplaysCache::CacheFilePath(PathManager::Instance()->GetLobbyDataDir());
        const QByteArray good = TestFiles::Read(cache);
        const int record = good.indexOf(QFile::encodeName(Demo("b.sdf")) + '\x0c');
        QVERIFY(record > 0);
        const int at = good.indexOf(from, record);
        QVERIFY(at > 0 && at < good.indexOf('\n', record));
        QVERIFY(TestFiles::Write(cache, QByteArray(good).replace(at, from.size(), to)));

        m_env->ClearLog();
        QVERIFY(Refresh());
        QVERIFY2(m_env->LogContains(
                     "ReplaysManager :: FAIL - Cache record is not UTF-8, its demo is read again: " +
                     Demo("b.sdf")),
                 qPrintable(m_env->LogLines().join('\n')));
        QVERIFY(m_env->LogContains("ReplaysManager :: LOADING b.sdf"));
        QVERIFY(!m_env->LogContains("ReplaysManager :: LOADING a.sdf"));
        QVERIFY(!m_env->LogContains("IGNORE"));
        QCOMPARE(ReceivedPaths(), (QStringList{"a.sdf", "c.sdf", "d.sdf", "b.sdf"}));
        QCOMPARE(Received("b.sdf").gameName, "Morvantis 1.0");
        QCOMPARE(Received("b.sdf").players.at(1).name, "Bob");
        QCOMPARE(TestFiles::Read(cache).size(), good.size());
        QCOMPARE(CacheOnDisk().value(Demo("b.sdf")).gameName, "Morvantis 1.0");

        // From now on the good record serves.
        m_env->ClearLog();
        QVERIFY(Refresh());
        QVERIFY(!m_env->LogContains("LOADING b.sdf"));
        QCOMPARE(Received("b.sdf").players.at(1).name, "Bob");
    }

    // A file name that is not valid UTF-8 and a cache path that is a folder are logged once; a
    // damaged cache is set aside and built anew.
    void silentCasesLoggedOnce()
    {
        WriteDemo("good.sdf", "Morvantis 1.0", "M");
        FILE* bad = fopen((QFile::encodeName(m_demos) + "/bad\xff.sdf").constData(), "w");
        QVERIFY(bad && fputs("x", bad) >= 0 && fclose(bad) == 0);
        const QString cache = ReplaysCache::CacheFilePath(PathManager::Instance()->GetLobbyDataDir());
        QVERIFY(TestFiles::Place(cache, "FIFO"));
        Start();
        QVERIFY(Refresh());
        QVERIFY(QFileInfo(cache + ".corrupt").exists());
        QCOMPARE(CacheOnDisk().size(), 1);
        QVERIFY(QFile::remove(cache) && TestFiles::Place(cache, "folder"));
        QVERIFY(Refresh());
        QVERIFY(Refresh());
        QCOMPARE(ReceivedPaths(), QStringList{"good.sdf"});
        const QStringList lines = m_env->LogLines();
        QCOMPARE(lines.filter("SKIP a file name that is not valid UTF-8: bad").size(), 1);
        QCOMPARE(lines.filter("Replays Cache file is damaged --- a FIFO --- kept as").size(), 1);
        QCOMPARE(lines.filter("Replays Cache file can NOT be opened " + cache + " --- a folder").size(), 1);
    }

    // 7z demos go through the archive tool; a slow tool and a stop-and-restart in between never
    // store one replay's data under another's path.
    void sevenZipRace()
    {
        QM_REQUIRE(Has7z(), "7z");
        QTemporaryDir tools;
        const QString slow = tools.filePath("slow7z.sh");
        QVERIFY(TestFiles::Write(slow, "#!/bin/sh\nsleep 0.3\nexec 7z \"$@\"\n", true));
        SevenZManager::Instance()->SetProgram(slow);

        const QStringList maps{"Map Zero", "Map One", "Map Two", "Map Three"};
        for (int i = 0; i < maps.size(); ++i)
            QVERIFY(Write7z(Demo(QStringLiteral("z%1.sdfz").arg(i)),
                            SimpleDemo("Morvantis 1.0", maps[i], {{"A", 0}, {"B", 1}}), "z.sdf"));
        Start();

        ReplaysManager::UpdateReplays();
        QTest::qWait(450); // the first unpack is done, the second in flight
        ReplaysManager::Stop();
        ReplaysManager::UpdateReplays();
        QTest::qWait(100);
        ReplaysManager::Stop();
        m_recorder->Clear();
        ReplaysManager::UpdateReplays();
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->finished, RefreshLimitMs);

        // Unpacked side by side, each sent once unpacked.
        QStringList received = ReceivedPaths();
        std::sort(received.begin(), received.end());
        QCOMPARE(received, (QStringList{"z0.sdfz", "z1.sdfz", "z2.sdfz", "z3.sdfz"}));
        for (int i = 0; i < maps.size(); ++i)
        {
            const DataReplay replay = Received(QStringLiteral("z%1.sdfz").arg(i));
            QCOMPARE(replay.mapName, maps[i]);
            QCOMPARE(replay.fileSize, QFileInfo(Demo(replay.fileName)).size());
        }
        const ReplaysTable cache = CacheOnDisk();
        QCOMPARE(cache.size(), 4);
        for (int i = 0; i < maps.size(); ++i)
            QCOMPARE(cache.value(Demo(QStringLiteral("z%1.sdfz").arg(i))).mapName, maps[i]);
        // Unpacked files do not pile up.
        QTRY_COMPARE_WITH_TIMEOUT(
            QDir(TempReplayFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 0,
            HangLimitMs);
    }

    // Percentages count the names already handled: cached names count at once.
    void percentages()
    {
        QM_REQUIRE(Has7z(), "7z");
        QVERIFY(
            Write7z(Demo("a.sdfz"), SimpleDemo("Morvantis 1.0", "Packed", {{"A", 0}, {"B", 1}}), "a.sdf"));
        for (const QString name : {"b.sdf", "c.sdf", "d.sdf"})
            WriteDemo(name, "Morvantis 1.0", "M");
        Start();
        QVERIFY(Refresh());
        QCOMPARE(m_recorder->replays.size(), 4);

        // The archive changed: read again, the other three come from the cache.
        QVERIFY(TestFiles::SetModified(Demo("a.sdfz"), QDateTime::currentDateTime().addDays(-1)));
        QVERIFY(Refresh());
        QCOMPARE(BatchEvents(), (QStringList{"busy:1", "progress:0", "update:2", "progress:0", "update:2",
                                             "progress:100", "progress:100", "busy:0"}));
        QCOMPARE(ReceivedPaths(), (QStringList{"b.sdf", "c.sdf", "d.sdf", "a.sdfz"}));
        QCOMPARE(Received("a.sdfz").mapName, "Packed");
    }

    // Files the archive tool cannot open are not handed to it again until they change, and the
    // bar moves while no record goes out.
    void failedUnpacksRemembered()
    {
        QTemporaryDir tools;
        QVERIFY(UseFakeArchiveTool(tools, "sleep 0.2\nexit 2"));
        for (const QString name : {"x1.sdfz", "x2.sdfz"})
            QVERIFY(TestFiles::Write(Demo(name), QByteArray(4096, 'z')));
        Start();
        QVERIFY(Refresh());
        QCOMPARE(m_recorder->events,
                 (QStringList{"busy:1", "progress:0", "progress:50", "progress:100", "busy:0"}));
        QCOMPARE(Lines(tools.filePath("calls")).size(), 2);

        QVERIFY(Refresh());
        QCOMPARE(Lines(tools.filePath("calls")).size(), 2);
        QVERIFY(TestFiles::Write(Demo("x2.sdfz"), QByteArray(4100, 'z')));
        QVERIFY(Refresh());
        QCOMPARE(Lines(tools.filePath("calls")).size(), 3);
        QCOMPARE(Lines(tools.filePath("calls")).last(), Demo("x2.sdfz"));
        QCOMPARE(CacheOnDisk().value(Demo("x2.sdfz")).fileSize, qint64(4100));
    }
};

QTEST_GUILESS_MAIN(TestReplaysManager)
#include "tst_ReplaysManager.moc"
