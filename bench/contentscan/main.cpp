// Content index scan of 1000 packed maps (each a map file of 64 KB and its mapinfo.lua), once for
// each writer of map archives, beside the engine's unitsync library scanning the same folder:
//   libarchive ".sd7"  one solid block, the map file first and mapinfo.lua last: reaching the info
//                      file unpacks the map file, for the index as for the engine
//   7-Zip ".sd7"       7-Zip puts mapinfo.lua first
//   ".sdz"             zip, written by libarchive
// Cold, with no scan cache, every archive is opened (unitsync: without its archive cache); warm, a
// new scanner starting from the cache file, as the next program start does, opens none. The index
// must be no slower than unitsync in either, and warm below 250 ms.
// Usage: qm_bench_contentscan <work folder> [maps]

#include "BenchStats.h"
#include "ContentScanner.h"
#include "TestArchive.h"
#include "UnitSync.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace
{
struct Writer
{
    QString name;
    QString folder;
    QString suffix;
    bool by7Zip = false;
    // Writes one map archive from its files, in the order given.
    std::function<bool(const QString& file, const TestArchive::Entries& entries)> write;
};

// 7-Zip packs what lies in a folder, so the files are laid out there first.
bool WriteWith7Zip(const QString& file, const TestArchive::Entries& entries)
{
    QTemporaryDir staging;
    QStringList names;
    for (const auto& entry : entries)
    {
        QDir().mkpath(QFileInfo(staging.filePath(entry.first)).absolutePath());
        QFile out(staging.filePath(entry.first));
        if (!out.open(QIODevice::WriteOnly) || out.write(entry.second) != entry.second.size())
            return false;
        names << entry.first;
    }
    QProcess sevenZip;
    sevenZip.setWorkingDirectory(staging.path());
    sevenZip.start(QStringLiteral("7z"),
                   QStringList{QStringLiteral("a"), QStringLiteral("-t7z"), file} + names);
    return sevenZip.waitForFinished(60000) && sevenZip.exitStatus() == QProcess::NormalExit &&
           sevenZip.exitCode() == 0;
}

bool MakeMaps(const Writer& writer, const QString& folder, int count)
{
    const QString done = folder + QStringLiteral("/.made-%1").arg(count);
    if (QFile::exists(done))
        return true;
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i)
    {
        const QString file =
            QStringLiteral("%1/map_%2.%3").arg(folder).arg(i, 4, 10, QLatin1Char('0')).arg(writer.suffix);
        const QByteArray info =
            QStringLiteral("local mapinfo = {\n\tname = \"Bench Map %1\",\n\tversion = \"1.%2\",\n"
                           "\tdescription = \"A map for the scan benchmark\",\n}\nreturn mapinfo\n")
                .arg(i)
                .arg(i % 7)
                .toUtf8();
        if (!writer.write(file,
                          {{QStringLiteral("maps/bench.smf"), TestArchive::Noise(64 * 1024, quint32(i))},
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

// unitsync's start, which scans every archive it has no cache entry for; -1 when it can't start.
Run UnitSyncScan(UnitSync& unitSync, const QString& springDir, bool cold)
{
    // Its archive cache lives in the folder it writes to.
    if (cold)
        QDir(springDir + QStringLiteral("/cache")).removeRecursively();
    QElapsedTimer timer;
    timer.start();
    QString error;
    if (!unitSync.Init({springDir}, &error))
    {
        std::fprintf(stderr, "unitsync: %s\n", qPrintable(error));
        return {-1, 0, 0};
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    const int maps = unitSync.MapNames().size();
    unitSync.UnInit();
    return {ms, maps, 0};
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
    // unitsync reads and writes the engine's settings under HOME.
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());

    const QList<Writer> writers{
        {QStringLiteral("libarchive .sd7"), QStringLiteral("libarchive-sd7"), QStringLiteral("sd7"), false,
         TestArchive::Write},
        {QStringLiteral("7-Zip .sd7"), QStringLiteral("7zip-sd7"), QStringLiteral("sd7"), true,
         WriteWith7Zip},
        {QStringLiteral(".sdz"), QStringLiteral("sdz"), QStringLiteral("sdz"), false, TestArchive::Write},
    };
    UnitSync unitSync(UnitSync::DefaultLibraryPath());
    QString error;
    const bool haveUnitSync = unitSync.Load(&error);
    if (!haveUnitSync)
        std::fprintf(stderr, "no unitsync to compare with: %s\n", qPrintable(error));
    const bool have7Zip = !QStandardPaths::findExecutable(QStringLiteral("7z")).isEmpty();

    bool allOk = true;
    std::printf("%d packed maps per writer; median ms (cold of 3, warm of 9); the index must be no slower "
                "than unitsync, and warm below 250 ms\n",
                count);
    std::printf("%-16s %10s %10s %10s %10s  %s\n", "writer", "cold", "unitsync", "warm", "unitsync", "");
    for (const Writer& writer : writers)
    {
        if (writer.by7Zip && !have7Zip)
        {
            std::printf("%-16s no 7z to write them --- MISSED\n", qPrintable(writer.name));
            allOk = false;
            continue;
        }
        const QString springDir = work + QLatin1Char('/') + writer.folder;
        const QString cacheFile = springDir + QStringLiteral("/content.cache");
        if (!MakeMaps(writer, springDir + QStringLiteral("/maps"), count))
        {
            std::fprintf(stderr, "can't write the maps into %s\n", qPrintable(springDir));
            return 2;
        }
        QList<double> cold;
        QList<double> warm;
        QList<double> engineCold;
        QList<double> engineWarm;
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
            if (!haveUnitSync)
                continue;
            const Run engineFirst = UnitSyncScan(unitSync, springDir, true);
            const Run engineAgain = UnitSyncScan(unitSync, springDir, false);
            ok = ok && engineFirst.maps == count && engineAgain.maps == count;
            engineCold << engineFirst.ms;
            engineWarm << engineAgain.ms;
        }
        const double coldMedian = BenchStats::Median(cold);
        const double warmMedian = BenchStats::Median(warm);
        const double engineColdMedian = BenchStats::Median(engineCold);
        const double engineWarmMedian = BenchStats::Median(engineWarm);
        const bool met = ok && haveUnitSync && coldMedian <= engineColdMedian &&
                         warmMedian <= engineWarmMedian && warmMedian < 250;
        allOk = allOk && met;
        std::printf("%-16s %10.0f %10.0f %10.1f %10.1f  %s\n", qPrintable(writer.name), coldMedian,
                    engineColdMedian, warmMedian, engineWarmMedian,
                    met ? "OK" : (ok ? "MISSED" : "WRONG COUNTS --- MISSED"));
    }
    return allOk ? 0 : 1;
}
