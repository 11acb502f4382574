#pragma once

#include "DataReplay.h"

#include <QByteArray>
#include <QString>

#include <atomic>

// Reads the header, start script and winners of one engine demo file into a replay record.
// Failures are logged and leave record.valid false; the record keeps what was read before.

// A byte source for the reader: a plain file, a gzip-compressed file or memory.
class DemoInput
{
public:
    virtual ~DemoInput() = default;
    // Reads up to `size` bytes; returns how many were read (fewer at the end, -1 on error).
    virtual qint64 Read(char* data, qint64 size) = 0;
    // Moves forward by `size` bytes; false when the data ends first.
    virtual bool Skip(qint64 size) = 0;
    // Total bytes when known in advance (plain files, memory), else -1.
    virtual qint64 Size() const { return -1; }
};

// Plain (".sdf") or gzip-compressed (".sdfz") demo; a compressed file is unpacked on the fly.
// record.fileSize becomes the size of the file on disk. A set `cancel` flag ends the unpacking of a
// compressed file early (the read then fails).
void ReadDemoFile(const QString& path, DataReplay& record, const std::atomic<bool>* cancel = nullptr);
// Same reader on bytes already in memory (an uncompressed demo).
void ReadDemoData(const QByteArray& data, DataReplay& record);
// The reader itself, on a record already reset.
void ReadDemo(DemoInput& input, DataReplay& record);
// Sets the defaults every read starts from; the game name is the path read until a script says.
void ResetDemoRecord(const QString& readPath, DataReplay& record);

// True when the file starts with the gzip signature, so zlib can read it in-process.
bool IsGzipFile(const QString& path);
