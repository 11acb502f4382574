// Minimap service speed for the test map: a cold answer (no cache file, the unitsync library started
// afresh, the cache built from the map archive) and a cached answer (the cache file read back).
// Usage: qm_bench_minimap <work folder> [rounds]

#include "AppDefines.h"
#include "AppSettings.h"
#include "BenchStats.h"
#include "DebugStream.h"
#include "MetaTypes.h"
#include "MinimapCache.h"
#include "MinimapManager.h"
#include "PathManager.h"
#include "SyncManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#ifndef QM_TEST_CONTENT_DIR
#define QM_TEST_CONTENT_DIR ""
#endif

namespace
{
const QString TestMap = QStringLiteral("Quill Test Map");

// One request, answered; the time in milliseconds, negative when no minimap came within 60 s.
double Answer()
{
    DataMinimap answer;
    QEventLoop loop;
    QObject context;
    QObject::connect(MinimapManager::Instance(), &MinimapManager::OnMapLoad, &context,
                     [&](DataMinimap minimap)
                     {
                         answer = minimap;
                         loop.quit();
                     });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    MinimapManager::Load(TestMap, 0);
    loop.exec();
    const double ms = timer.nsecsElapsed() / 1e6;
    return answer.loaded ? ms : -1;
}

void StopMinimapManager()
{
    MinimapManager::Instance()->InvokeBlocking("DoDestroy");
    MinimapManager::Destroy();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: qm_bench_minimap <work folder> [rounds]\n");
        return 2;
    }
    const QString work = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const int rounds = argc > 2 ? qMax(1, QString::fromLocal8Bit(argv[2]).toInt()) : 5;
    const QString springDir = work + QStringLiteral("/spring");
    QDir(springDir).removeRecursively();
    QDir().mkpath(springDir);
    // The library reads the user's engine settings under HOME: keep the user's maps out.
    QDir().mkpath(work + QStringLiteral("/home"));
    qputenv("HOME", QString(work + QStringLiteral("/home")).toUtf8());
    const QString maps = QStringLiteral(QM_TEST_CONTENT_DIR "/maps");
    if (!QFile::link(maps, springDir + QStringLiteral("/maps")) || !QDir(maps).exists())
    {
        std::fprintf(stderr, "no test map in %s (needs mapcompile)\n", qPrintable(maps));
        return 2;
    }

    // Log to a file as the program does, not to the terminal.
    DebugStream::Instance()->SetEchoToStdout(false);
    QFile::remove(work + QStringLiteral("/bench.log"));
    DebugStream::Instance()->Open(work + QStringLiteral("/bench.log"));
    DebugStream::InstallMessageHandler();
    RegisterAppMetaTypes();
    AppDefines::Instance()->SelectGame(QStringLiteral("zorn"));
    PathManager::Instance()->Initialize(springDir, AppDefines::Instance()->GetShortCode());
    CreateAppSettingsGroups();
    AppSettings::Instance()->SetFiles(QString(), QString());
    AppSettings::Instance()->Load();
    SyncManager::Instance()->ContainsMap(TestMap); // the first folder scan is not what is measured

    const QString cachePath = MinimapCache::FilePath(PathManager::Instance()->GetMinimapCacheDir(), TestMap);
    QList<double> cold;
    QList<double> cached;
    bool ok = true;
    for (int round = 0; round < rounds; ++round)
    {
        // Cold: no cache and a fresh service, so the library is started again.
        QFile::remove(cachePath);
        cold << Answer();
        for (int i = 0; i < 10; ++i)
            cached << Answer();
        StopMinimapManager();
    }
    for (const double ms : cold + cached)
        ok = ok && ms >= 0;
    const qint64 cacheBytes = QFileInfo(cachePath).size();

    SyncManager::Instance()->InvokeBlocking("DoDestroy");
    SyncManager::Destroy();

    const double coldFirst = cold.value(0);
    const double coldMedian = BenchStats::Median(cold);
    const double cachedMedian = BenchStats::Median(cached);
    const double cachedWorst = *std::max_element(cached.cbegin(), cached.cend());
    const bool coldOk = ok && coldMedian < 1000;
    const bool cachedOk = ok && cachedMedian < 50;
    std::printf("cold answer:   first %.1f ms, median %.1f ms of %d (target median < 1000 ms) %s\n",
                coldFirst, coldMedian, cold.size(), coldOk ? "OK" : "MISSED");
    std::printf("cached answer: median %.1f ms, worst %.1f ms of %d (target median < 50 ms) %s\n",
                cachedMedian, cachedWorst, cached.size(), cachedOk ? "OK" : "MISSED");
    std::printf("cache file:    %lld bytes\n", cacheBytes);

    DestroyAppSettingsGroups();
    PathManager::Destroy();
    AppDefines::Destroy();
    qInstallMessageHandler(nullptr);
    DebugStream::Destroy();
    return coldOk && cachedOk ? 0 : 1;
}
