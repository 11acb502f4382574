#pragma once

#include "CommonIO.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <limits>

// One AI named by the user in the custom AI list file.
struct CustomAIEntry
{
    QString name;
    int side = 0;
};

// The custom AI list "game.AIs.txt" of the selected game's lobby folder: one AI per line, its
// name and side number separated by tabs; lines beginning with "#" are comments.
namespace CustomAIFile
{
// A player names a handful of AIs: a larger file, or more entries, is no list of them.
constexpr qint64 MaxFileBytes = CommonIO::MaxSettingsFileBytes;
constexpr int MaxEntries = 1000;

QString Path();
// The commented example a missing file is created with.
QStringList TemplateLines();
// Writes the template (making the folders above), all or nothing. False when it cannot.
bool WriteTemplate(const QString& path);
// The entries of the file's bytes. Lines that do not fit are skipped; a name the start script could
// not carry (";", "[", "]", "{", "}", "=", control characters) is refused with a log line.
QList<CustomAIEntry> Parse(const QByteArray& data, int maxEntries = std::numeric_limits<int>::max());
// The entries of the file at `path`, sorted by name; at most MaxEntries (the first ones of the file),
// with a log line when there were more. A missing file is created with the template. A damaged one
// (not a regular file, larger than MaxFileBytes) is logged and moved aside as "<file>.corrupt", and
// gives no entries.
QList<CustomAIEntry> Load(const QString& path);
bool IsSafeName(const QString& name);
} // namespace CustomAIFile
