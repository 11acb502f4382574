// Replays worker speed on a big folder: first scan against plain gzip on one core, cached refresh,
// stop and shut-down latency and the scan's peak memory. Beside the good demos lie 20 script
// bombs, as replay sites may serve them. Pin it with taskset to measure on fewer cores.
// Usage: qm_bench_replays <work folder> [file count]

#include "AppDefines.h"
#include "AppSettings.h"
#include "DataReplay.h"
#include "DebugStream.h"
#include "DemoFile.h"
#include "MetaTypes.h"
#include "PathManager.h"
#include "ReplayReader.h"
#include "ReplaysCache.h"
#include "ReplaysManager.h"
#include "SevenZManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <cstdio>
#include <sys/resource.h>
#include <zlib.h>

namespace
{
constexpr int StreamSize = 2350 * 1024; // unpacks to about 2.4 MB, packs to about 1.3 MB
constexpr int BombCount = 20;

QByteArray Deflate(const QByteArray& data)
{
    // One gzip member; members are concatenated into one file, as gzip itself allows.
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&z, uLong(data.size()))) + 64, Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(int(z.total_out));
    deflateEnd(&z);
    return out;
}

QByteArray Script(int i)
{
    QString text =
        QStringLiteral("[game]\n{\n\tgametype=Morvantis 1.%1;\n\tmapname=Iron Saddle 1.4;\n").arg(i % 7);
    for (int p = 0; p < 8; ++p)
    {
        text += QStringLiteral("\t[player%1]\n\t{\n\t\tname=Player%2_%1;\n\t\tteam=%1;\n\t\tspectator=0;\n"
                               "\t\tcountrycode=DE;\n\t\trank=3;\n\t\tskill=~25;\n\t}\n"
                               "\t[team%1]\n\t{\n\t\tteamleader=%1;\n\t\tallyteam=%3;\n"
                               "\t\trgbcolor=0.5 0.25 1;\n\t\tside=Arm;\n\t\thandicap=0;\n\t}\n")
                    .arg(p)
                    .arg(i)
                    .arg(p % 2);
    }
    text +=
        QStringLiteral("\t[player8]\n\t{\n\t\tname=Watcher%1;\n\t\tspectator=1;\n\t\tcountrycode=GB;\n\t}\n")
            .arg(i);
    for (int o = 0; o < 60; ++o)
        text += QStringLiteral("\tmodoption_%1=%2;\n").arg(o).arg(o * 3);
    text += QStringLiteral("}\n");
    return text.toUtf8();
}

QByteArray Header(int i, const QByteArray& script)
{
    uchar raw[352] = {};
    const auto put = [&raw](int at, qint32 value) { qToLittleEndian<qint32>(value, raw + at); };
    qstrcpy(reinterpret_cast<char*>(raw), "spring demofile");
    put(16, 5);
    put(20, 352);
    qstrcpy(reinterpret_cast<char*>(raw + 24), "105.1.1-2511-g747f18b BAR105");
    for (int b = 0; b < 16; ++b)
        raw[280 + b] = uchar((i * 31 + b * 7) & 0xff);
    qToLittleEndian<quint64>(quint64(1700000000 + i * 3600), raw + 296);
    put(304, script.size());
    put(308, StreamSize);
    put(312, 1200 + i % 600);
    put(348, 1);
    return QByteArray(reinterpret_cast<const char*>(raw), sizeof raw);
}

// Scripts as long as the engine reads (16 MiB - 1 bytes), sorted behind the good demos so that all
// reader threads meet them at once: 900000-odd sections, 2 million keys, or one 16 MB value (which
// is read: the engine reads it too).
QByteArray BombScript(int i)
{
    const int size = DemoLimits::MaxScriptSize;
    QByteArray text = "[game]{gametype=Morvantis 1.0;mapname=Bomb;";
    const int kind = i % 3;
    if (kind == 2)
        text += "[modoptions]{big=" + QByteArray(size - text.size() - 20, 'a') + ";}";
    for (int n = 0; text.size() < size - 40; ++n)
        text += kind == 0 ? "[player" + QByteArray::number(n) + "]{}" : "k" + QByteArray::number(n) + "=;";
    text += '}';
    return text + QByteArray(size - text.size(), '\n');
}

bool GenerateBombs(const QString& folder)
{
    for (int i = 0; i < BombCount; ++i)
    {
        const QByteArray script = BombScript(i);
        QByteArray header = Header(i, script);
        qToLittleEndian<qint32>(0, reinterpret_cast<uchar*>(header.data() + 308)); // no stream
        qToLittleEndian<qint32>(0, reinterpret_cast<uchar*>(header.data() + 348)); // no winners
        QFile file(folder + QStringLiteral("/bomb_%1.sdfz").arg(i, 2, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write(Deflate(header + script)) < 0)
            return false;
    }
    return true;
}

bool Generate(const QString& folder, int count)
{
    const QString marker =
        folder + QStringLiteral("/.generated-%1-%2-bombs%3").arg(count).arg(StreamSize).arg(BombCount);
    if (QFile::exists(marker))
        return true;
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    // Filler with about half the entropy of bytes, so it packs about 2:1 like real streams.
    QByteArray stream(StreamSize, Qt::Uninitialized);
    QRandomGenerator random(42);
    for (int i = 0; i < StreamSize; ++i)
        stream[i] = char(0x40 | (random.generate() & 0x0f));
    const QByteArray tail = Deflate(stream + QByteArray(1, '\1'));
    for (int i = 0; i < count; ++i)
    {
        const QByteArray script = Script(i);
        QFile file(folder + QStringLiteral("/%1_bench.sdfz").arg(i, 5, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write(Deflate(Header(i, script) + script)) < 0 ||
            file.write(tail) != tail.size())
            return false;
    }
    if (!GenerateBombs(folder))
        return false;
    QFile(marker).open(QIODevice::WriteOnly);
    return true;
}

QStringList DemoFiles(const QString& folder, const QString& pattern)
{
    QStringList files;
    for (const QString& name : QDir(folder).entryList({pattern}, QDir::Files, QDir::Name))
        files << folder + QLatin1Char('/') + name;
    return files;
}

double GzipSeconds(const QStringList& files)
{
    QProcess gzip;
    gzip.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    gzip.start(QStringLiteral("taskset"), QStringList{QStringLiteral("-c"), QStringLiteral("0"),
                                                      QStringLiteral("gzip"), QStringLiteral("-dc")} +
                                              files);
    gzip.waitForFinished(-1);
    return timer.nsecsElapsed() / 1e9;
}

struct Counter
{
    int updates = 0;
    int records = 0;
    bool busy = false;
};

// Runs one refresh and waits for OnBusy(false).
double Refresh(Counter& counter)
{
    counter = Counter();
    counter.busy = true;
    QElapsedTimer timer;
    timer.start();
    ReplaysManager::UpdateReplays();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop,
                     [&]
                     {
                         if (!counter.busy)
                             loop.quit();
                     });
    poll.start(1);
    loop.exec();
    return timer.nsecsElapsed() / 1e9;
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Starts a new peak of the resident memory; false when the kernel cannot reset it.
bool ResetPeakMemory()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

// Peak resident memory in MB since the last reset (or since the start).
double PeakMemoryMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
    {
        for (const QByteArray& line : status.readAll().split('\n'))
        {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// The first scan's target against gzip on one core, by the cores it may use.
double RatioTarget(int cores)
{
    if (cores >= 8)
        return 0.15;
    if (cores >= 4)
        return 0.25;
    return cores >= 2 ? 0.5 : 1.0;
}

void Wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: qm_bench_replays <work folder> [file count]\n");
        return 2;
    }
    const QString work = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const int count = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 3000;
    const QString springDir = work + QStringLiteral("/spring");
    QDir().mkpath(springDir);

    RegisterAppMetaTypes();
    RegisterReplayMetaTypes();
    AppDefines::Instance()->SelectGame(QStringLiteral("zorn"));
    PathManager::Instance()->Initialize(springDir, AppDefines::Instance()->GetShortCode());
    CreateAppSettingsGroups();
    AppSettings::Instance()->SetFiles(QString(), QString());
    AppSettings::Instance()->Load();
    // Log to a file as the program does, not to the terminal.
    DebugStream::Instance()->SetEchoToStdout(false);
    QFile::remove(work + QStringLiteral("/bench.log"));
    DebugStream::Instance()->Open(work + QStringLiteral("/bench.log"));
    DebugStream::InstallMessageHandler();

    const QString demos = PathManager::Instance()->GetReplaysDir();
    std::printf("generating %d demos in %s ...\n", count, qPrintable(demos));
    std::fflush(stdout);
    if (!Generate(demos, count))
    {
        std::fprintf(stderr, "cannot write the demos\n");
        return 2;
    }
    // The good demos are what gzip is timed on; the bombs only cost the scan.
    const QStringList files = DemoFiles(demos, QStringLiteral("*_bench.sdfz"));
    const QStringList bombs = DemoFiles(demos, QStringLiteral("bomb_*.sdfz"));
    qint64 bytes = 0;
    for (const QString& file : files)
        bytes += QFileInfo(file).size();
    std::printf("%d files, %.2f MB each on average, and %d script bombs of %d bytes\n", files.size(),
                bytes / 1048576.0 / qMax(1, files.size()), bombs.size(), DemoLimits::MaxScriptSize);

    GzipSeconds(files); // warms the page cache for both contenders
    const QString cachePath = ReplaysCache::CacheFilePath(PathManager::Instance()->GetLobbyDataDir());

    Counter counter;
    QObject context;
    const auto listen = [&counter, &context](ReplaysManager* manager)
    {
        QObject::connect(manager, &ReplaysManager::OnReplaysUpdate, &context,
                         [&counter](ReplaysList list)
                         {
                             ++counter.updates;
                             counter.records += list.size();
                         });
        QObject::connect(manager, &ReplaysManager::OnBusy, &context,
                         [&counter](bool value)
                         {
                             if (!value)
                                 counter.busy = false;
                         });
        return manager;
    };
    ReplaysManager* manager = listen(ReplaysManager::Instance());

    const int cores = ReplayReader::ThreadCount();
    std::printf("cores used: %d reader threads (the cores this process may run on)\n", cores);
    std::fflush(stdout);

    // Two rounds, the better one of each counts.
    double gzipBest = 1e9;
    double scanBest = 1e9;
    double scanCpu = 0;
    double peakMb = 0;
    int scanRecords = 0;
    const bool peakReset = ResetPeakMemory();
    for (int round = 0; round < 2; ++round)
    {
        gzipBest = qMin(gzipBest, GzipSeconds(files));
        QFile::remove(cachePath);
        ResetPeakMemory();
        const double cpuBefore = CpuSeconds();
        const double seconds = Refresh(counter);
        peakMb = qMax(peakMb, PeakMemoryMb());
        if (seconds < scanBest)
        {
            scanBest = seconds;
            scanCpu = CpuSeconds() - cpuBefore;
        }
        scanRecords = counter.records;
    }
    const double ratio = scanBest / gzipBest;

    const double cached = Refresh(counter);
    const int cachedUpdates = counter.updates;
    const int cachedRecords = counter.records;

    // What became of the bombs: refused ones are cached as failed reads, so they cost nothing again.
    ReplaysTable known;
    ReplaysCache::LoadCache(cachePath, known);
    int bombsRefused = 0;
    for (const QString& bomb : bombs)
        bombsRefused += known.contains(bomb) && !known.value(bomb).valid;

    // Stop while a first scan is running, at a few points of it.
    double stopWorst = 0;
    for (const int delay : {50, 200, 400, 800, 1500})
    {
        QFile::remove(cachePath);
        counter.busy = true;
        ReplaysManager::UpdateReplays();
        Wait(delay);
        QElapsedTimer timer;
        timer.start();
        QMetaObject::invokeMethod(manager, "DoStop", Qt::BlockingQueuedConnection);
        stopWorst = qMax(stopWorst, timer.nsecsElapsed() / 1e6);
    }

    manager->InvokeBlocking("DoDestroy");
    ReplaysManager::Destroy();

    // Stop and shut down while only bombs are read: the cache knows every good demo, and the bombs
    // are read once every cached record went out.
    for (const QString& bomb : bombs)
        known.remove(bomb);
    double shutdownWorst = 0;
    for (const int delay : {0, 30, 100, 250, 600})
    {
        ReplaysCache::SaveCache(cachePath, known);
        counter = Counter();
        listen(ReplaysManager::Instance());
        ReplaysManager::UpdateReplays();
        while (counter.records < known.size())
            Wait(1);
        Wait(delay);
        QElapsedTimer timer;
        timer.start();
        ReplaysManager::Instance()->InvokeBlocking("DoStop");
        ReplaysManager::Instance()->InvokeBlocking("DoDestroy"); // waits for every reader thread
        shutdownWorst = qMax(shutdownWorst, timer.nsecsElapsed() / 1e6);
        ReplaysManager::Destroy();
    }
    SevenZManager::Destroy();

    const double ratioTarget = RatioTarget(cores);
    const bool ratioOk = ratio <= ratioTarget;
    const bool cachedOk = cached < 0.5 && cachedUpdates <= 50;
    const bool stopOk = stopWorst < 250 && shutdownWorst < 250;
    const bool memoryOk = peakMb < 300;
    std::printf(
        "first scan:      %.2f s for %d records, %.1f cores busy; gzip -dc on one core %.2f s; ratio %.3f "
        "(target <= %.2f on %d cores) %s\n",
        scanBest, scanRecords, scanCpu / scanBest, gzipBest, ratio, ratioTarget, cores,
        ratioOk ? "OK" : "MISSED");
    std::printf(
        "cached refresh:  %.3f s, %d OnReplaysUpdate signals for %d records (target < 0.5 s, <= 50) %s\n",
        cached, cachedUpdates, cachedRecords, cachedOk ? "OK" : "MISSED");
    std::printf("script bombs:    %d of %d refused, the rest within the engine's limits and read\n",
                bombsRefused, bombs.size());
    std::printf("DoStop honoured: worst %.1f ms of 5; stop and shut-down among the bombs: worst %.1f ms of 5 "
                "(target < 250 ms) %s\n",
                stopWorst, shutdownWorst, stopOk ? "OK" : "MISSED");
    std::printf("peak memory:     %.0f MB resident during the first scan%s (target < 300 MB) %s\n", peakMb,
                peakReset ? "" : " (whole run: the peak cannot be reset here)", memoryOk ? "OK" : "MISSED");

    DestroyAppSettingsGroups();
    PathManager::Destroy();
    AppDefines::Destroy();
    qInstallMessageHandler(nullptr);
    DebugStream::Destroy();
    return ratioOk && cachedOk && stopOk && memoryOk ? 0 : 1;
}
