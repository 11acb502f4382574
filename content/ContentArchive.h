#pragma once

#include <QByteArray>
#include <QString>

// What a map or game archive (".sdz" zip, ".sd7" 7z) or ".sdd" folder holds that names its
// content: its "mapinfo.lua" and "modinfo.lua" (at the top, any letter case, as the engine looks
// for them) and its first ".smf" map file. Archives are read in process, entry by entry, without
// unpacking anything to disk; only the two info files are read, each up to a size limit.
struct ContentFiles
{
    bool hasMapInfo = false;
    QByteArray mapInfo;
    bool hasModInfo = false;
    QByteArray modInfo;
    QString mapFile; // path inside, of the first ".smf" in archive order
};

namespace ContentArchive
{
// An info file is a few kilobytes; a larger one is damage, never read whole.
constexpr int MaxInfoFileSize = 1024 * 1024;
// A map has a few dozen files; so many more is damage (and would take long to list).
constexpr int MaxEntries = 100000;
// A 7z archive is unpacked up to its info file; the largest maps hold a few hundred megabytes.
constexpr qint64 MaxUnpackedBefore = qint64(2) * 1024 * 1024 * 1024;

// Reads an ".sdz" or ".sd7" file, in the format its suffix names, as the engine does. False with
// the reason when it can't be read.
bool ReadArchive(const QString& path, ContentFiles& files, QString* error);
// Reads an archive of either format held in memory.
bool ReadArchiveBytes(const QByteArray& bytes, ContentFiles& files, QString* error);
// Reads an ".sdd" folder.
bool ReadFolder(const QString& path, ContentFiles& files, QString* error);
} // namespace ContentArchive
