#pragma once

#include "CommonIO.h"
#include "DataEngineSettings.h"

#include <QMap>
#include <QString>

// The engine's config file: one "key = value" per line. Pure functions, so the worker, the tests
// and the fuzzer share one reader and one writer.
namespace EngineSettingsFile
{
using Values = QMap<QString, QString>;

// Splits text into key/value pairs. Lines without "=" are skipped; the value is everything after
// the first "=" (as the engine reads it); a later line with the same key wins. A comment line
// (first character "#", skipped by the engine) is kept as a key of its own with an empty value,
// so it survives a save; comments are written first, sorted.
Values ParseText(const QString& text);
// One "key = value" line per entry, sorted by key, "\n" line ends.
QString Serialize(const Values& values);
// The file's bytes as text and back: UTF-8, but a byte that is no part of UTF-8 text (a player's
// Latin-1 path, say) comes back as it was, so that a save keeps it.
QString DecodeText(const QByteArray& bytes);
QByteArray EncodeText(const QString& text);
// The text of a file's bytes: DecodeText without a leading UTF-8 byte-order mark, which an editor
// may put in front (Windows Notepad does) and which is no part of the first line.
QString FileText(const QByteArray& bytes);
bool IsComment(const QString& key);

// A real file holds a few kilobytes; a larger one is taken as damaged.
constexpr qint64 MaxFileBytes = CommonIO::MaxSettingsFileBytes;

// Empties values, then fills them from the file; `raw` gets its bytes. A file that can not be read
// is logged; a damaged one (not a regular file, larger than MaxFileBytes) is logged and moved aside
// as "<file>.corrupt", so that a fresh file can take its place. `reason` says what was wrong.
CommonIO::ReadStatus ReadFile(const QString& path, Values& values, QByteArray* raw = nullptr,
                              QString* reason = nullptr);
// ReadFile that also logs a missing file; true when the file was read.
bool Read(const QString& path, Values& values);
// Replaces the file in one step, so a failure never leaves it half-written; a file that already
// holds exactly this text, or that would grow past MaxFileBytes, is left alone. `error` says why a
// write failed.
bool Write(const QString& path, const Values& values, QString* error = nullptr);
// True when a rewrite would lose more than spacing: NUL bytes or lines that are neither
// "key = value", a comment nor blank. `reason` says which.
bool IsGarbage(const QByteArray& content, QString* reason = nullptr);
// Before a damaged file (see IsGarbage) read into `values` is rewritten, it is moved aside as
// "<file>.corrupt" and `values` keep only the lines that look like settings or notes, so that its
// garbage does not reach the new file. Returns whether the file was moved.
bool SetAsideIfGarbage(const QString& path, const QByteArray& raw, Values& values);

// Field values from the map; missing keys get the field defaults (resolution from screen).
DataEngineSettings ToRecord(const Values& values, const QSize& screen, const QString& springData);
// Sets every key of the record in the map, leaving the map's other keys alone.
void FromRecord(const DataEngineSettings& es, Values& values);

// The engine's SpringData folder list, joined with the platform's list separator.
QString SpringDataFolders(const QString& springDataDir, const QString& customSyncFolder);

// Value conversions. A trailing ";" (as in "-1;") is ignored; booleans also accept true/false.
qint32 ToInt(const QString& value);
bool ToBool(const QString& value);
float ToFloat(const QString& value);
QString FromFloat(float value);
} // namespace EngineSettingsFile
