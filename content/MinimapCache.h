#pragma once

#include "DataMisc.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// Minimap cache files: one per map, so a minimap is read from the map archive once. A file is a
// QDataStream (Qt 5.15 format, big-endian) holding
//   quint32 magic 0xA0B0C0FF, qint32 version 1,
//   QString map name, QString information text,
//   qint32 width, height (map units), minimum wind, maximum wind, tidal strength,
//   float maximum metal (single precision),
//   the minimap as QDataStream writes a QImage (qint32 1, then a PNG).
namespace MinimapCache
{
constexpr quint32 Magic = 0xA0B0C0FF;
constexpr qint32 Version = 1;
// Larger pictures in a cache file are taken as damage rather than decoded.
constexpr int MaxPictureSide = 4096;
// A map's width and height in map units (512 to a size unit): 0 when the engine gave none, at most
// 128 size units, far beyond the largest maps; anything else is damage.
constexpr int MaxMapSide = 128 * 512;
// A file is read whole; a map's minimap (1024 x 1024 from the engine) takes a few MB at most.
constexpr qint64 MaxFileBytes = 32 * 1024 * 1024;

enum class ReadResult
{
    Ok,
    Missing,
    Damaged
};

// "<map name>.minimap" with every character a file name can't safely hold percent-encoded.
QString FileName(const QString& mapName);
QString FilePath(const QString& folder, const QString& mapName);

QByteArray ToBytes(const DataMinimap& minimap);
// Reads one record; on damage `reason` says what was wrong. The loaded flag is set on success.
ReadResult FromDevice(QIODevice* device, DataMinimap& minimap, QString* reason);
// Reads the file of `mapName`; a file that belongs to another map counts as damaged. One that is not
// a regular file or larger than MaxFileBytes is also moved aside as "<file>.corrupt".
ReadResult Read(const QString& path, const QString& mapName, DataMinimap& minimap, QString* reason);
// Writes atomically: a failed write leaves the old file as it was.
bool Write(const QString& path, const DataMinimap& minimap, QString* error);
} // namespace MinimapCache
