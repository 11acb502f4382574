#pragma once

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
bool IsComment(const QString& key);

// Empties values, then fills them from the file; false (and a log line) when it cannot be opened.
bool Read(const QString& path, Values& values);
// Replaces the file in one step, so a failure never leaves it half-written.
bool Write(const QString& path, const Values& values);
// True when a rewrite would lose more than spacing: bytes that are no text (NUL, broken UTF-8) or
// lines that are neither "key = value", a comment nor blank.
bool IsGarbage(const QByteArray& content);
// Before a damaged file is rewritten, its content is kept as "<file>.corrupt" (replacing an older
// copy); returns whether a copy was made.
bool KeepIfGarbage(const QString& path);

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
