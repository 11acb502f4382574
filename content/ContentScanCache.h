#pragma once

#include "ContentArchive.h"
#include "ContentNaming.h"

#include <QByteArray>
#include <QHash>
#include <QString>

// What each map or game archive was found to hold, by path, size and modification time, so that a
// scan with nothing changed opens no archive. The file is a QDataStream (Qt 5.15 format,
// big-endian) holding
//   quint32 magic 0x51534331, qint32 version 1, qint32 record count, then per record:
//   QString path, qint64 size, qint64 modified (ms since epoch),
//   qint32 kind (0 nothing, 1 map, 2 game), QString name, QString description,
//   QString problem (why the archive couldn't be read; empty when it could),
//   qint32 outcome (0 read, 1 damaged, 2 packed in a way the engine can't unpack).
// The version changes whenever the reading or naming rules do, so that nothing is ever taken from an
// older rule: a cache of another version is dropped and every archive read again.
namespace ContentScanCache
{
constexpr quint32 Magic = 0x51534331;
constexpr qint32 Version = 2;
// A record is a few hundred bytes: this is room for far more archives than anyone keeps.
constexpr qint64 MaxFileSize = 32 * 1024 * 1024;
constexpr qint32 MaxRecords = 1000000;

struct Record
{
    qint64 size = -1;
    qint64 modified = -1;
    ContentArchive::Outcome outcome = ContentArchive::Outcome::Read;
    ContentNaming::Content content;
    QString problem;
};
using Records = QHash<QString, Record>; // by archive path

enum class ReadResult
{
    Ok,
    Missing,
    OtherVersion, // written under other rules: nothing in it counts
    Damaged
};

QByteArray ToBytes(const Records& records);
// Reads every record or none; otherwise `reason` says what was wrong.
ReadResult FromBytes(const QByteArray& bytes, Records& records, QString* reason);
// Refuses anything but a regular file of at most MaxFileSize bytes without reading it.
ReadResult Read(const QString& path, Records& records, QString* reason);
// Writes atomically: a failed write leaves the old file as it was.
bool Write(const QString& path, const Records& records, QString* error);
} // namespace ContentScanCache
