#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Files that come from outside (demos, the replay cache): a FIFO, device or folder in their place
// never blocks us, and nothing is read whole without a limit.
namespace RegularFile
{
enum class Status
{
    Ok,
    Missing,    // no such file
    Denied,     // no permission
    NotRegular, // a folder, FIFO, device or socket
    TooBig,     // more bytes than the limit
    Failed      // any other error of the system (I/O)
};

// Opens `path` read-only when it is a regular file; `file` is then open.
Status Open(const QString& path, QFile& file);
// Reads the whole regular file when it holds at most `maxBytes`.
Status Read(const QString& path, qint64 maxBytes, QByteArray& data);
// A few words for log lines.
QString Describe(Status status);
} // namespace RegularFile
