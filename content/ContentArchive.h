#pragma once

#include "MemoryBudget.h"

#include <QByteArray>
#include <QString>

// What a map or game archive (".sdz" zip, ".sd7" 7z) or ".sdd" folder holds that names its
// content: whether it has a "mapinfo.lua" and a "modinfo.lua" (at the top, any letter case, as the
// engine looks for them) and its first ".smf" map file. Archives are read in process, from their
// directory (the zip's central directory, the 7z header) without unpacking anything to disk; only
// the info file that names the content is unpacked, up to a size limit: "mapinfo.lua" when there
// is one, else "modinfo.lua" (a folder's are both read).
struct ContentFiles
{
    bool hasMapInfo = false;
    QByteArray mapInfo;
    bool hasModInfo = false;
    QByteArray modInfo; // left empty in an archive that also has a mapinfo.lua
    QString mapFile;    // path inside, of the first ".smf" in archive order
};

namespace ContentArchive
{
// An info file is a few kilobytes; a larger one is damage, never read whole.
constexpr int MaxInfoFileSize = 1024 * 1024;
// A map has a few dozen files; so many more is damage (and would take long to list).
constexpr int MaxEntries = 100000;
// The zip's central directory of that many files is a few megabytes.
constexpr qint64 MaxDirectorySize = 64 * 1024 * 1024;
// A 7z header lists them more tightly: long names and all, they fit in this, unpacked.
constexpr qint64 MaxHeaderSize = 16 * 1024 * 1024;
// A 7z archive is unpacked up to its info file; the largest maps hold a few hundred megabytes.
constexpr qint64 MaxUnpackedBefore = qint64(1024) * 1024 * 1024;

enum class Outcome
{
    Read,
    Damaged,
    // Packed in a way the engine can't unpack (a zip entry packed with bzip2, a 7z with BZip2 or
    // PPMd, encryption): the engine can't load its content, whatever a reader with more
    // decoders would find in it.
    EngineCantUnpack,
    // Only when asked to set aside what is too large to read beside others: reading it needs
    // more than the whole memory budget, so it is to be read again later, alone.
    SetAside
};

// Reads an ".sdz" or ".sd7" file, in the format its suffix names, as the engine does. The
// reason when it can't be read. Every buffer of its decoders is reserved from `budget` first;
// with `setAside`, an archive that would have to run alone is answered SetAside instead of
// waiting for the whole budget.
Outcome ReadArchive(const QString& path, ContentFiles& files, QString* error,
                    MemoryBudget& budget = MemoryBudget::Content(), bool setAside = false);
// Reads an archive of either format held in memory.
Outcome ReadArchiveBytes(const QByteArray& bytes, ContentFiles& files, QString* error,
                         MemoryBudget& budget = MemoryBudget::Content());
// Reads an ".sdd" folder.
bool ReadFolder(const QString& path, ContentFiles& files, QString* error);
} // namespace ContentArchive
