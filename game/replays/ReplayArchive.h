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
// Real demos unpack to tens of MB, the longest games to a few hundred: as much as a demo stream
// may hold.
constexpr qint64 MaxUnpackedSize = DemoLimits::MaxStreamSize;
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

// What a technical listing ("7z l -slt") tells of the entries.
struct Listing
{
    qint64 size = 0; // sum of the entries' sizes, at most MaxUnpackedSize + 1; -1 when one has none
    QString link;    // the first entry that is a link
};
Listing ReadListing(const QByteArray& listing);
} // namespace ReplayArchive
