// Peak memory of the content index's scan beside the engine's unitsync library scanning the same
// maps folder, each in a process of its own (its peak resident size as the kernel counts it). The
// folders, 8 copies of one archive each, are made by make_archives.py:
//   header   a 7z whose packed header unpacks to 64 MB (the index refuses it as damaged)
//   zeros    1000 MB of zeros before mapinfo.lua in one LZMA2 block, a 3 GB dictionary claimed
//   texture  a valid map packed by 7-Zip, a 128 MB texture before its mapinfo.lua
// The index must take at most the larger of 300 MB and 1.2 times what unitsync takes, and list the
// maps of "zeros" and "texture" as unitsync does; on "texture" it must be no slower.
// Usage: qm_bench_contentmemory <work folder>
//        qm_bench_contentmemory --scan-index|--scan-unitsync <data folder>   (one child's scan)

#include "ContentScanner.h"
#include "UnitSync.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
// A child prints "<maps listed> <milliseconds>".
int ScanIndex(const QString& dataDir)
{
    QElapsedTimer timer;
    timer.start();
    ContentScanner scanner;
    const ContentScanner::Result result = scanner.Scan(dataDir);
    std::printf("%d %lld\n", int(result.maps.size()), timer.elapsed());
    return 0;
}

int ScanUnitSync(const QString& dataDir)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    QDir(dataDir + QStringLiteral("/cache")).removeRecursively();
    QElapsedTimer timer;
    timer.start();
    UnitSync unitSync(UnitSync::DefaultLibraryPath());
    QString error;
    if (!unitSync.Load(&error) || !unitSync.Init({dataDir}, &error))
    {
        std::fprintf(stderr, "unitsync: %s\n", qPrintable(error));
        return 1;
    }
    const int maps = unitSync.MapNames().size();
    unitSync.UnInit();
    std::printf("%d %lld\n", maps, timer.elapsed());
    return 0;
}

struct Peak
{
    bool ok = false;
    long kb = 0; // peak resident size
    int maps = 0;
    qint64 ms = 0;
};

// Runs this program on one scan and reads the child's own peak, not the largest of all children.
Peak RunChild(const char* self, const char* mode, const QString& dataDir)
{
    int out[2];
    if (pipe(out) != 0)
        return {};
    const QByteArray dir = QFile::encodeName(dataDir);
    const pid_t pid = fork();
    if (pid == 0)
    {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(self, self, mode, dir.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    QByteArray text;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, int(n));
    close(out[0]);
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    const QList<QByteArray> fields = text.trimmed().split(' ');
    return {fields.size() == 2, usage.ru_maxrss, fields.value(0).toInt(), fields.value(1).toLongLong()};
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--scan-index")
        return ScanIndex(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && QByteArray(argv[1]) == "--scan-unitsync")
        return ScanUnitSync(QString::fromLocal8Bit(argv[2]));
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: qm_bench_contentmemory <work folder>\n");
        return 2;
    }
    const QString work = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QProcess make;
    make.setProcessChannelMode(QProcess::ForwardedChannels);
    make.start(QStringLiteral("python3"), {QStringLiteral(QM_MAKE_ARCHIVES), work});
    if (!make.waitForFinished(-1) || make.exitStatus() != QProcess::NormalExit || make.exitCode() != 0)
    {
        std::fprintf(stderr, "make_archives.py failed\n");
        return 2;
    }

    bool allOk = true;
    std::printf(
        "8 archives per folder; peak resident MB of the scan's process (index, unitsync), maps listed, "
        "ms; the index may take max(300, 1.2 x unitsync) MB\n");
    std::printf("%-8s %9s %9s %7s %7s %9s %9s  %s\n", "folder", "index", "unitsync", "maps", "maps", "ms",
                "ms", "");
    for (const char* folder : {"header", "zeros", "texture"})
    {
        const QString dataDir = work + QLatin1Char('/') + QLatin1String(folder);
        const Peak index = RunChild(argv[0], "--scan-index", dataDir);
        const Peak engine = RunChild(argv[0], "--scan-unitsync", dataDir);
        const double indexMb = index.kb / 1024.0;
        const double engineMb = engine.kb / 1024.0;
        bool met = index.ok && engine.ok && indexMb <= qMax(300.0, 1.2 * engineMb);
        // The header bomb is refused as damaged; the valid maps are listed as unitsync lists them.
        if (QByteArray(folder) != "header")
            met = met && index.maps == 8 && index.maps == engine.maps;
        if (QByteArray(folder) == "texture")
            met = met && index.ms <= engine.ms;
        allOk = allOk && met;
        std::printf("%-8s %9.0f %9.0f %7d %7d %9lld %9lld  %s\n", folder, indexMb, engineMb, index.maps,
                    engine.maps, index.ms, engine.ms, met ? "OK" : "MISSED");
    }
    return allOk ? 0 : 1;
}
