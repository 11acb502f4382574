#pragma once

#include "DataReplay.h"

#include <QByteArray>
#include <QString>

// The replay cache: what the replays worker has read, so known demo files are not read again.
// A private binary-headed text file in the lobby data folder, one record per line.
namespace ReplaysCache
{
constexpr quint32 Magic = 0xFFB0C0A0;
// Version 2 added the file's modification time and escaped texts.
constexpr qint32 Version = 2;
constexpr int FieldCount = 13;
constexpr int PlayerFieldCount = 9;
constexpr int SpectatorFieldCount = 3;

// The cache path for a folder.
QString CacheFilePath(const QString& folder);

// Writes the table atomically: a failed write leaves the old file as it was.
bool SaveCache(const QString& cachePath, const ReplaysTable& table);
// Inserts every good record of the cache file into the table (a record replaces one with the same
// path). A missing file leaves the table unchanged.
void LoadCache(const QString& cachePath, ReplaysTable& table);

QByteArray CacheBytes(const ReplaysTable& table);
void LoadCacheData(const QByteArray& data, const QString& cachePath, ReplaysTable& table);

void ParseCachePlayers(const QString& text, QList<DataPlayer>& players);
void ParseCacheSpectators(const QString& text, QList<DataPlayer>& spectators);

// Lower-case hex, at least two digits.
QString HexByte(int number);

// Texts are stored with backslash and control characters as "\hh", so no name can split or
// shift a record.
QString EscapeText(const QString& text);
QString UnescapeText(const QString& text);
} // namespace ReplaysCache
