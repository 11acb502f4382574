#pragma once

#include "DataReplay.h"
#include "DemoFile.h"

#include <QString>

#include <atomic>

// A demo packed with the archive tool (a ".sdfz" that is no gzip file). Its listing is read first
// and an archive that would unpack to more than real demos do is refused; then the tool unpacks it
// into a folder of its own under a time limit, the first file is read and the folder removed.
// The tool is killed when the stop flag is set or the limit passes.
namespace ReplayArchive
{
// Real demos unpack to tens of MB, the longest games to a few hundred.
constexpr qint64 MaxUnpackedSize = qint64(512) << 20;
// Listing output beyond this means thousands of files: no demo archive.
constexpr qint64 MaxListingOutput = 1 << 20;
constexpr int ListTimeLimitMs = 10000;
// The unpack time limit: the base plus one second per this many bytes listed.
constexpr int UnpackTimeLimitMs = 5000;
constexpr qint64 BytesPerSecond = qint64(32) << 20;

struct Settings
{
    QString program;    // the archive tool
    QString tempFolder; // unpacks go into folders of their own inside it
    int timeLimitMs = UnpackTimeLimitMs;
};

// Reads the archive at `archivePath` into `record` (whose file name and path are set). A failure
// of the tool itself (missing, not starting, crashing, no room on the disk) is Unreadable; a
// damaged archive, one over the limits and one that takes too long are the file's own (Read).
DemoOutcome Read(const QString& archivePath, const Settings& settings, DataReplay& record,
                 const std::atomic<bool>& stop);

// Sum of the "Size" entries of a technical listing ("7z l -slt"); -1 when an entry has none.
qint64 ListedSize(const QByteArray& listing);
} // namespace ReplayArchive
