#include "ReplayArchive.h"

#include "SevenZManager.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <optional>

namespace ReplayArchive
{
namespace
{
constexpr int StartLimitMs = 5000;
constexpr int PollMs = 10;
constexpr int KillWaitMs = 2000;
// Left free on the disk beside an unpacked demo.
constexpr qint64 DiskReserve = qint64(64) << 20;

enum class Ran
{
    Finished,
    FailedToStart,
    Crashed,
    TimedOut,
    Stopped,
    TooMuchOutput
};

struct ToolRun
{
    Ran result = Ran::FailedToStart;
    int exitCode = -1;
    QByteArray output;
};

// A missing tool is told without starting a process: a start that fails still makes a child
// process and waits for it to end.
bool Startable(const QString& program)
{
    const bool path = program.contains(QLatin1Char('/')) || program.contains(QLatin1Char('\\'));
    const QFileInfo info(path ? program : QStandardPaths::findExecutable(program));
    return info.isFile() && info.isExecutable();
}

// Runs the archive tool to its end, unless `stop`, the time limit or its output cuts it short:
// then it is killed and reaped before we return, so it writes nothing afterwards.
ToolRun RunTool(const QString& program, const QStringList& arguments, qint64 timeLimitMs,
                const std::atomic<bool>& stop)
{
    ToolRun run;
    if (!Startable(program))
        return run;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::MergedChannels);
    // Nothing to read from us: a password question ends at once instead of waiting.
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted(StartLimitMs))
    {
        process.kill();
        process.waitForFinished(KillWaitMs);
        return run;
    }
    QElapsedTimer clock;
    clock.start();
    for (;;)
    {
        const bool ended = process.waitForFinished(PollMs) || process.state() == QProcess::NotRunning;
        run.output += process.readAll();
        if (ended)
            break;
        if (stop.load())
            run.result = Ran::Stopped;
        else if (clock.elapsed() > timeLimitMs)
            run.result = Ran::TimedOut;
        else if (run.output.size() > MaxListingOutput)
            run.result = Ran::TooMuchOutput;
        else
            continue;
        process.kill();
        process.waitForFinished(KillWaitMs);
        return run;
    }
    run.result = process.exitStatus() == QProcess::CrashExit ? Ran::Crashed : Ran::Finished;
    run.exitCode = process.exitCode();
    return run;
}

DemoOutcome Refused(const QString& reason)
{
    qDebug().noquote() << "ReplaysManager :: 7z - FAIL -" << reason;
    return DemoOutcome::Read;
}

DemoOutcome ToolError(const QString& reason, const QByteArray& output = QByteArray())
{
    qWarning().noquote() << "ReplaysManager :: 7z - ERROR ---" << reason;
    const QString text = QString::fromLocal8Bit(output).trimmed();
    if (!text.isEmpty())
        qWarning().noquote() << "ReplaysManager :: 7z - OUTPUT ---" << text.right(2000);
    return DemoOutcome::Unreadable;
}

// What a run that did not finish by itself means; nothing when it did.
std::optional<DemoOutcome> CutShort(const ToolRun& run, const QString& program, qint64 timeLimitMs)
{
    switch (run.result)
    {
    case Ran::Finished:
        return std::nullopt;
    case Ran::Stopped:
        return DemoOutcome::Stopped;
    case Ran::FailedToStart:
        return ToolError(QStringLiteral("can't start the archive tool: %1").arg(program));
    case Ran::Crashed:
        return ToolError(QStringLiteral("the archive tool crashed: %1").arg(program), run.output);
    case Ran::TimedOut:
        return Refused(QStringLiteral("killed after %1 s").arg(timeLimitMs / 1000.0));
    case Ran::TooMuchOutput:
        break;
    }
    return Refused(QStringLiteral("killed after %1 bytes of messages").arg(run.output.size()));
}

// A fatal error of an unpack after a good listing is the archive's (damaged data, a link entry
// the tool will not make), unless the tool names a failure of the machine: it gives those with
// their errno ("System ERROR: errno=28 : No space left on device").
bool MachineFailure(const QByteArray& output)
{
    static const QRegularExpression errnoText(QStringLiteral("errno=(\\d+)"));
    // No room, no permission, I/O, no memory, too many open files, over the quota.
    static const QSet<int> machine{1, 5, 12, 13, 23, 24, 28, 30, 122};
    auto it = errnoText.globalMatch(QString::fromLocal8Bit(output));
    while (it.hasNext())
    {
        if (machine.contains(it.next().captured(1).toInt()))
            return true;
    }
    return output.contains("Can't allocate required memory");
}

// An attribute or link line of an entry that makes it a link: the unix mode of a symbolic link
// ("Attributes = A lrwxrwxrwx") or a link target. (Packed from a pipe, a file lists as one,
// "prw-------", and unpacks as a plain file.)
bool LinkEntry(const QByteArray& line)
{
    if (line.startsWith("Symbolic Link = ") || line.startsWith("Hard Link = "))
        return line.size() > line.indexOf('=') + 2;
    if (!line.startsWith("Attributes = "))
        return false;
    for (const QByteArray& part : line.mid(13).split(' '))
    {
        static const QByteArray modeChars("rwxsStT-");
        const bool mode = part.size() == 10 && std::all_of(part.cbegin() + 1, part.cend(),
                                                           [](char c) { return modeChars.contains(c); });
        if (mode && part[0] == 'l')
            return true;
    }
    return false;
}
} // namespace

Listing ReadListing(const QByteArray& listing)
{
    Listing result;
    // The entries follow a line of dashes; the block before it describes the archive itself.
    const int dashes = listing.indexOf("\n----------");
    if (dashes < 0)
        return result;
    int paths = 0;
    int sizes = 0;
    QString path;
    for (const QByteArray& raw : listing.mid(dashes + 11).split('\n'))
    {
        const QByteArray line = raw.trimmed();
        if (line.startsWith("Path = "))
        {
            ++paths;
            path = QString::fromLocal8Bit(line.mid(7));
        }
        else if (line.startsWith("Size ="))
        {
            bool ok = false;
            const qint64 size = line.mid(6).trimmed().toLongLong(&ok);
            if (!ok || size < 0)
                result.size = -1;
            ++sizes;
            if (result.size >= 0)
                result.size = qMin(result.size + size, MaxUnpackedSize + 1);
        }
        else if (result.link.isEmpty() && LinkEntry(line))
            result.link = path;
    }
    if (sizes != paths)
        result.size = -1;
    return result;
}

DemoOutcome Read(const QString& archivePath, const Settings& settings, DataReplay& record,
                 const std::atomic<bool>& stop)
{
    qDebug().noquote() << "ReplaysManager :: 7z - LIST" << archivePath;
    const ToolRun listing =
        RunTool(settings.program,
                {QStringLiteral("l"), QStringLiteral("-slt"), QDir::toNativeSeparators(archivePath)},
                ListTimeLimitMs, stop);
    if (const auto outcome = CutShort(listing, settings.program, ListTimeLimitMs))
        return *outcome;
    // We could open the file ourselves, so a tool that cannot list it found no archive in it.
    if (listing.exitCode == 2)
        return Refused(QStringLiteral("not an archive, or a damaged one"));
    if (listing.exitCode != 0 && listing.exitCode != 1)
        return ToolError(QStringLiteral("exit code %1 for %2").arg(listing.exitCode).arg(archivePath),
                         listing.output);

    const Listing entries = ReadListing(listing.output);
    const qint64 size = entries.size;
    if (size < 0)
        return Refused(QStringLiteral("the archive does not list its sizes"));
    // The tool would make links (pointing anywhere) or fail on them.
    if (!entries.link.isEmpty())
        return Refused(QStringLiteral("the archive holds a link: %1").arg(entries.link));
    if (size > MaxUnpackedSize)
        return Refused(QStringLiteral("unpacks to more than %1 bytes").arg(MaxUnpackedSize));
    const QStorageInfo disk(settings.tempFolder);
    if (disk.isValid() && disk.bytesAvailable() >= 0 && disk.bytesAvailable() < size + DiskReserve)
        return ToolError(
            QStringLiteral("no room to unpack %1 bytes in %2").arg(size).arg(settings.tempFolder));

    QTemporaryDir folder(settings.tempFolder + QStringLiteral("/unpack-XXXXXX"));
    if (!folder.isValid())
        return ToolError(QStringLiteral("can't create a folder in %1").arg(settings.tempFolder));
    const qint64 timeLimitMs = settings.timeLimitMs + size * 1000 / BytesPerSecond;
    const ToolRun unpack = RunTool(
        settings.program, SevenZManager::ExtractArguments(archivePath, folder.path()), timeLimitMs, stop);
    if (const auto outcome = CutShort(unpack, settings.program, timeLimitMs))
        return *outcome;
    if (unpack.exitCode != 0 && unpack.exitCode != 1)
    {
        // 2 is a fatal error; the others (7 a wrong command, 8 no memory) are never the archive's.
        if (unpack.exitCode == 2 && !MachineFailure(unpack.output))
        {
            qDebug().noquote() << "ReplaysManager :: 7z - OUTPUT ---"
                               << QString::fromLocal8Bit(unpack.output).trimmed().right(2000);
            return Refused(QStringLiteral("damaged data"));
        }
        return ToolError(QStringLiteral("exit code %1 for %2").arg(unpack.exitCode).arg(archivePath),
                         unpack.output);
    }

    // Links are not followed: the archive could point them anywhere.
    const QStringList files =
        QDir(folder.path()).entryList(QDir::Files | QDir::NoSymLinks | QDir::NoDotAndDotDot, QDir::Name);
    qDebug().noquote() << "ReplaysManager :: 7z - Finish START" << files.join(QStringLiteral(", "));
    if (files.isEmpty())
        return Refused(QStringLiteral("no file in the archive"));
    const DemoOutcome outcome = ReadDemoFile(folder.path() + QLatin1Char('/') + files.first(), record, &stop);
    qDebug() << "ReplaysManager :: 7z - Finish STOP";
    return outcome;
}
} // namespace ReplayArchive
