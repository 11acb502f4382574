// Content index scan of 1000 packed maps (half ".sdz", half ".sd7", each a map file of 64 KB and
// its mapinfo.lua, packed last): cold, with no scan cache, every archive is opened; warm, a new
// scanner starting from the cache file, as the next program start does, opens none.
// The ".sd7" are the slowest kind there is: written by libarchive, with the map file first, they
// are unpacked up to mapinfo.lua, twice (see ContentArchive). 7-Zip puts mapinfo.lua first;
// such maps read as quickly as the ".sdz" (about 0.1 ms each here).
// Usage: qm_bench_contentscan <work folder> [maps]

#include "BenchStats.h"
#include "ContentScanner.h"
#include "TestArchive.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>

namespace
{
// Map files that don't pack away to nothing, the same on every run.
QByteArray Noise(int size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 x = seed * 2654435761u + 1;
    for (char& byte : bytes)
    {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        byte = char(x);
    }
    return bytes;
}

bool MakeMaps(const QString& folder, int count)
{
    const QString done = folder + QStringLiteral("/.made-%1").arg(count);
    if (QFile::exists(done))
        return true;
    QDir(folder).removeRecursively();
    for (int i = 0; i < count; ++i)
    {
        const QString file = QStringLiteral("%1/map_%2.%3")
                                 .arg(folder)
                                 .arg(i, 4, 10, QLatin1Char('0'))
                                 .arg(i % 2 ? QStringLiteral("sd7") : QStringLiteral("sdz"));
        const QByteArray info =
            QStringLiteral("local mapinfo = {\n\tname = \"Bench Map %1\",\n\tversion = \"1.%2\",\n"
                           "\tdescription = \"A map for the scan benchmark\",\n}\nreturn mapinfo\n")
                .arg(i)
                .arg(i % 7)
                .toUtf8();
        if (!TestArchive::Write(file, {{QStringLiteral("maps/bench.smf"), Noise(64 * 1024, quint32(i))},
                                       {QStringLiteral("mapinfo.lua"), info}}))
            return false;
    }
    QFile marker(done);
    return marker.open(QIODevice::WriteOnly);
}

struct Run
{
    double ms = 0;
    int maps = 0;
    int archivesRead = 0;
};

Run Scan(const QString& springDir, const QString& cacheFile)
{
    QElapsedTimer timer;
    timer.start();
    ContentScanner scanner(cacheFile);
    const ContentScanner::Result result = scanner.Scan(springDir);
    return {timer.nsecsElapsed() / 1e6, result.maps.size(), result.archivesRead};
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: qm_bench_contentscan <work folder> [maps]\n");
        return 2;
    }
    const QString work = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const int count = argc > 2 ? qMax(1, QString::fromLocal8Bit(argv[2]).toInt()) : 1000;
    const QString springDir = work + QStringLiteral("/spring");
    const QString cacheFile = work + QStringLiteral("/content.cache");
    if (!MakeMaps(springDir + QStringLiteral("/maps"), count))
    {
        std::fprintf(stderr, "can't write the maps into %s\n", qPrintable(springDir));
        return 2;
    }

    QList<double> cold;
    QList<double> warm;
    bool ok = true;
    for (int round = 0; round < 3; ++round)
    {
        QFile::remove(cacheFile);
        const Run first = Scan(springDir, cacheFile);
        ok = ok && first.maps == count && first.archivesRead == count;
        cold << first.ms;
        for (int i = 0; i < 3; ++i)
        {
            const Run again = Scan(springDir, cacheFile);
            ok = ok && again.maps == count && again.archivesRead == 0;
            warm << again.ms;
        }
    }
    const double coldMedian = BenchStats::Median(cold);
    const double warmMedian = BenchStats::Median(warm);
    const bool coldOk = ok && coldMedian < 10000;
    const bool warmOk = ok && warmMedian < 250;
    std::printf("%d packed maps, cache file %lld bytes%s\n", count, QFileInfo(cacheFile).size(),
                ok ? "" : " --- WRONG COUNTS");
    std::printf("cold scan (every archive opened): median %.0f ms of %d (target < 10000 ms) %s\n", coldMedian,
                cold.size(), coldOk ? "OK" : "MISSED");
    std::printf("warm scan (no archive opened):    median %.1f ms of %d (target < 250 ms) %s\n", warmMedian,
                warm.size(), warmOk ? "OK" : "MISSED");
    return coldOk && warmOk ? 0 : 1;
}
