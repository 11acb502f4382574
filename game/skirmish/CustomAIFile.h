#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

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
QString Path();
// The commented example a missing file is created with.
QStringList TemplateLines();
// Writes the template (making the folders above), all or nothing. False when it cannot.
bool WriteTemplate(const QString& path);
// The entries of the file's bytes. Lines that do not fit are skipped; a name the start script could
// not carry (";", "[", "]", "{", "}", "=", control characters) is refused with a log line.
QList<CustomAIEntry> Parse(const QByteArray& data);
bool IsSafeName(const QString& name);
} // namespace CustomAIFile
