#pragma once

#include "DataReplay.h"
#include "ReplayScriptParser.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <utility>

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

// What a cache may hold: a record per listed file (the worker lists at most 10000), 64 MB in all
// (real records take one or two KB), and no record line longer than the biggest record a demo can
// give (about 1.6 MB: 502 players and spectators with texts of 256 characters).
constexpr int MaxRecords = 10000;
constexpr qint64 MaxFileSize = qint64(64) << 20;
constexpr int MaxLineSize = 2 << 20;
// A record holds no more players, spectators and winners than the demo reader takes from a demo
// (see WithinDemoLimits); one with more is damage, and its lists are never built.
constexpr int MaxPlayers = ReplayScriptParser::MaxPlayers + ReplayScriptParser::MaxAis;
constexpr int MaxSpectators = ReplayScriptParser::MaxPlayers;

enum class LoadResult
{
    Loaded,     // also a cache with no record
    Missing,    // no cache yet
    Wrong,      // another format or version: ignored, replaced by the next save
    Unreadable, // there but not readable (no permission, a folder): left as it is
    Damaged     // over the limits or no regular file: to be set aside (CommonIO::SetAside)
};

struct CacheLoad
{
    LoadResult result = LoadResult::Missing;
    QString problem; // what is wrong with it
};

// The cache path for a folder.
QString CacheFilePath(const QString& folder);

// Writes the table atomically: a failed write leaves the old file as it was. Beyond the limits
// above, records are left out (they are read from their demos again).
bool SaveCache(const QString& cachePath, const ReplaysTable& table);
// Inserts every good record of the cache file into the table (a record replaces one with the same
// path). A missing, unreadable or damaged file leaves the table unchanged.
CacheLoad LoadCache(const QString& cachePath, ReplaysTable& table);

QByteArray CacheBytes(const ReplaysTable& table);
CacheLoad LoadCacheData(const QByteArray& data, const QString& cachePath, ReplaysTable& table);

// Reads a cache a few records at a time, so that a big one never holds its caller for long. The
// file's size, lines and records are checked before any record is built; a record over the
// demo limits makes the whole cache damaged.
class CacheReader final
{
public:
    // Reads the file (or takes the bytes) and checks the header and the size limits. Records
    // follow only when the result is Loaded.
    CacheLoad Open(const QString& cachePath);
    CacheLoad OpenData(const QByteArray& data, const QString& cachePath);
    // Adds up to `count` further records to `table`; false once none is left. When it finds a
    // damaged record it stops, and Result() tells; what it added before stays in `table`.
    bool ReadSome(ReplaysTable& table, int count);
    const CacheLoad& Result() const { return m_result; }
    // Record lines the file holds (good or not).
    int Records() const { return m_records; }

private:
    // Forgets what was read; `result` is what Result() tells until the next read.
    void Reset(const CacheLoad& result);

    QByteArray m_data;
    QVector<std::pair<int, int>> m_lines; // start and length of each record line
    int m_next = 0;
    int m_records = 0;
    CacheLoad m_result;
};

// True when the replay holds no more than a demo can: the players, AIs, spectators and winners the
// demo reader takes at most.
bool WithinDemoLimits(const DataReplay& replay);

void ParseCachePlayers(const QString& text, QList<DataPlayer>& players);
void ParseCacheSpectators(const QString& text, QList<DataPlayer>& spectators);

// Lower-case hex, at least two digits.
QString HexByte(int number);

// Texts are stored with backslash and control characters as "\hh", so no name can split or
// shift a record.
QString EscapeText(const QString& text);
QString UnescapeText(const QString& text);
} // namespace ReplaysCache
