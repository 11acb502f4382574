// Replays worker at scale: the first scan against plain gzip on one core, cached refreshes, stops
// at any moment, and memory. Four folders: sixteen valid demos near every script limit (peak and
// after-refresh memory), 50000 files of which the 10000 newest are demos (cached refresh, stops),
// a few thousand big demos beside 20 script bombs (first scan, memory), and the bombs alone (stop
// and shut-down while they are read). Every wait ends on the worker's own end of a refresh,
// whatever it sends. Pin it with taskset to measure on fewer cores; QM_BENCH_PHASE=0..3 runs one
// of the four alone.
// Usage: qm_bench_replays <work folder> [file count]

#include "AppDefines.h"
#include "AppSettings.h"
#include "BenchDemos.h"
#include "DataReplay.h"
#include "DebugStream.h"
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
#include <QTimer>

#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace
{
constexpr int BigDemos = ReplaysManager::MaxFiles;
constexpr int BigOthers = 40000;
// Any wait for a refresh ends here: a refresh that takes longer has missed every target anyway.
constexpr int RefreshLimitMs = 30 * 60 * 1000;

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

void Wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
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

// A line of /proc/self/status in MB ("VmHWM" the peak since the last reset, "VmRSS" now).
double StatusMb(const QByteArray& key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
    {
        for (const QByteArray& line : status.readAll().split('\n'))
        {
            if (line.startsWith(key + ':'))
                return line.mid(key.size() + 1).trimmed().split(' ').first().toDouble() / 1024.0;
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

const char* Verdict(bool ok)
{
    return ok ? "OK" : "MISSED";
}

// The worker, with what it sends counted on this thread.
class Worker
{
public:
    Worker()
    {
        m_manager = ReplaysManager::Instance();
        QObject::connect(m_manager, &ReplaysManager::OnReplaysUpdate, &m_context,
                         [this](ReplaysList list)
                         {
                             ++updates;
                             records += list.size();
                         });
        QObject::connect(m_manager, &ReplaysManager::OnBusy, &m_context,
                         [this](bool value) { busy = value; });
    }

    ~Worker()
    {
        m_manager->InvokeBlocking("DoDestroy");
        ReplaysManager::Destroy();
    }

    void Start(const QString& folder)
    {
        updates = 0;
        records = 0;
        busy = true;
        m_manager->Queue("DoUpdateReplays", Q_ARG(QString, folder));
    }

    // One refresh of `folder` to the worker's own end; its seconds, or -1 when it never ended.
    double Refresh(const QString& folder)
    {
        QElapsedTimer timer;
        timer.start();
        Start(folder);
        while (busy && timer.elapsed() < RefreshLimitMs)
            Wait(1);
        return busy ? -1 : timer.nsecsElapsed() / 1e9;
    }

    // Milliseconds a blocking stop takes.
    double Stop()
    {
        QElapsedTimer timer;
        timer.start();
        m_manager->InvokeBlocking("DoStop");
        return timer.nsecsElapsed() / 1e6;
    }

    // Milliseconds a stop and a shut-down (which waits for every reader thread) take.
    double StopAndDestroy()
    {
        QElapsedTimer timer;
        timer.start();
        m_manager->InvokeBlocking("DoStop");
        m_manager->InvokeBlocking("DoDestroy");
        return timer.nsecsElapsed() / 1e6;
    }

    int updates = 0;
    int records = 0;
    bool busy = false;

private:
    ReplaysManager* m_manager = nullptr;
    QObject m_context;
};

QString CachePath()
{
    return ReplaysCache::CacheFilePath(PathManager::Instance()->GetLobbyDataDir());
}

int InvalidIn(const QString& folder)
{
    ReplaysTable known;
    ReplaysCache::LoadCache(CachePath(), known);
    int invalid = 0;
    for (const DataReplay& replay : qAsConst(known))
        invalid += replay.filePath.startsWith(folder) && !replay.valid;
    return invalid;
}

// Sixteen valid demos near every script limit, first thing in a fresh process.
bool NearLimitPhase(const QString& folder)
{
    QFile::remove(CachePath());
    const bool peakReset = ResetPeakMemory();
    const double before = StatusMb("VmRSS");
    double seconds = 0;
    double after = 0;
    double later = 0;
    int records = 0;
    {
        Worker worker;
        seconds = worker.Refresh(folder);
        records = worker.records;
        after = StatusMb("VmRSS");
        Wait(1000);
        later = StatusMb("VmRSS");
    }
    const double peak = StatusMb("VmHWM");
    const int invalid = InvalidIn(folder);
    const bool ok = seconds >= 0 && records == BenchDemos::NearLimitCount && invalid == 0 && peak < 300 &&
                    after < 300 && later < 300;
    std::printf("near-limit demos: %d of %d read valid in %.2f s; resident %.0f MB before, peak %.0f MB%s, "
                "%.0f MB after the refresh, %.0f MB 1 s later (target < 300 MB) %s\n",
                records - invalid, BenchDemos::NearLimitCount, seconds, before, peak,
                peakReset ? "" : " (whole run)", after, later, Verdict(ok));
    return ok;
}

// 50000 files, the 10000 newest of them demos: cached refreshes, stops at any moment.
bool BigFolderPhase(const QString& folder)
{
    QFile::remove(CachePath());
    Worker worker;
    const double first = worker.Refresh(folder);
    double cachedBest = 1e9;
    int cachedUpdates = 0;
    int cachedRecords = 0;
    for (int round = 0; round < 3; ++round)
    {
        const double seconds = worker.Refresh(folder);
        cachedBest = qMin(cachedBest, seconds < 0 ? 1e9 : seconds);
        cachedUpdates = worker.updates;
        cachedRecords = worker.records;
    }
    // Stops during a cached refresh, then during a first scan, at many moments.
    double stopWorst = 0;
    int stops = 0;
    for (const int delay : {0, 2, 5, 10, 20, 35, 50, 75, 100, 150, 200, 300, 450, 700})
    {
        worker.Start(folder);
        Wait(delay);
        stopWorst = qMax(stopWorst, worker.Stop());
        ++stops;
    }
    for (const int delay : {0, 20, 100, 300, 800})
    {
        QFile::remove(CachePath());
        worker.Start(folder);
        Wait(delay);
        stopWorst = qMax(stopWorst, worker.Stop());
        ++stops;
    }
    const bool ok = first >= 0 && cachedBest < 1.0 && cachedRecords == BigDemos && stopWorst < 250;
    std::printf(
        "50000 files:     first scan %.2f s; cached refresh %.3f s, %d OnReplaysUpdate signals for %d "
        "records (target < 1 s); DoStop worst %.1f ms of %d (target < 250 ms) %s\n",
        first, cachedBest, cachedUpdates, cachedRecords, stopWorst, stops, Verdict(ok));
    return ok;
}

// Big demos beside script bombs: the first scan against gzip, a cached refresh, memory.
bool ScanPhase(const QString& folder)
{
    const QStringList files = DemoFiles(folder, QStringLiteral("*_bench.sdfz"));
    const QStringList bombs = DemoFiles(folder, QStringLiteral("bomb_*.sdfz"));
    GzipSeconds(files); // warms the page cache for both contenders
    const int cores = ReplayReader::ThreadCount();

    Worker worker;
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
        QFile::remove(CachePath());
        ResetPeakMemory();
        const double cpuBefore = CpuSeconds();
        const double seconds = worker.Refresh(folder);
        peakMb = qMax(peakMb, StatusMb("VmHWM"));
        if (seconds >= 0 && seconds < scanBest)
        {
            scanBest = seconds;
            scanCpu = CpuSeconds() - cpuBefore;
        }
        scanRecords = worker.records;
    }
    const double ratio = scanBest / gzipBest;
    const double cached = worker.Refresh(folder);
    const int cachedUpdates = worker.updates;
    const int cachedRecords = worker.records;
    const int bombsRefused = InvalidIn(folder);

    double stopWorst = 0;
    for (const int delay : {50, 200, 400, 800, 1500})
    {
        QFile::remove(CachePath());
        worker.Start(folder);
        Wait(delay);
        stopWorst = qMax(stopWorst, worker.Stop());
    }

    const double ratioTarget = RatioTarget(cores);
    const bool ratioOk = ratio <= ratioTarget;
    const bool cachedOk = cached >= 0 && cached < 0.5 && cachedUpdates <= 50;
    const bool stopOk = stopWorst < 250;
    const bool memoryOk = peakMb < 300;
    std::printf("%d big demos and %d script bombs of %d bytes, %d reader threads\n", files.size(),
                bombs.size(), DemoLimits::MaxScriptSize, cores);
    std::printf(
        "first scan:      %.2f s for %d records, %.1f cores busy; gzip -dc on one core %.2f s; ratio %.3f "
        "(target <= %.2f on %d cores) %s\n",
        scanBest, scanRecords, scanCpu / scanBest, gzipBest, ratio, ratioTarget, cores, Verdict(ratioOk));
    std::printf(
        "cached refresh:  %.3f s, %d OnReplaysUpdate signals for %d records (target < 0.5 s, <= 50) %s\n",
        cached, cachedUpdates, cachedRecords, Verdict(cachedOk));
    std::printf("script bombs:    %d of %d refused, the rest within the engine's limits and read\n",
                bombsRefused, bombs.size());
    std::printf("DoStop honoured: worst %.1f ms of 5 during the first scan (target < 250 ms) %s\n", stopWorst,
                Verdict(stopOk));
    std::printf("peak memory:     %.0f MB resident during the first scan%s (target < 300 MB) %s\n", peakMb,
                peakReset ? "" : " (whole run: the peak cannot be reset here)", Verdict(memoryOk));
    return ratioOk && cachedOk && stopOk && memoryOk;
}

// Stop and shut-down while only bombs are read, a fresh worker each time.
bool BombPhase(const QString& folder)
{
    double worst = 0;
    for (const int delay : {0, 30, 100, 250, 600})
    {
        QFile::remove(CachePath());
        Worker worker;
        worker.Start(folder);
        Wait(delay);
        worst = qMax(worst, worker.StopAndDestroy());
    }
    const bool ok = worst < 250;
    std::printf("among the bombs: stop and shut-down worst %.1f ms of 5 (target < 250 ms) %s\n", worst,
                Verdict(ok));
    return ok;
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

    const QString nearLimit = work + QStringLiteral("/near-limit");
    const QString big = work + QStringLiteral("/big");
    const QString scan = PathManager::Instance()->GetReplaysDir();
    const QString bombs = work + QStringLiteral("/bombs");
    std::printf("generating the demo folders in %s ...\n", qPrintable(work));
    std::fflush(stdout);
    if (!BenchDemos::GenerateNearLimitFolder(nearLimit) ||
        !BenchDemos::GenerateBigFolder(big, BigDemos, BigOthers) ||
        !BenchDemos::GenerateScanFolder(scan, count) || !BenchDemos::GenerateBombFolder(bombs))
    {
        std::fprintf(stderr, "cannot write the demos\n");
        return 2;
    }

    const std::function<bool(const QString&)> phases[] = {NearLimitPhase, BigFolderPhase, ScanPhase,
                                                          BombPhase};
    const QString folders[] = {nearLimit, big, scan, bombs};
    bool ok = true;
    const QByteArray only = qgetenv("QM_BENCH_PHASE");
    for (int i = 0; i < 4; ++i)
    {
        if (!only.isEmpty() && only.toInt() != i)
            continue;
        ok = phases[i](folders[i]) && ok;
        std::fflush(stdout);
    }
    SevenZManager::Destroy();

    DestroyAppSettingsGroups();
    PathManager::Destroy();
    AppDefines::Destroy();
    qInstallMessageHandler(nullptr);
    DebugStream::Destroy();
    return ok ? 0 : 1;
}
