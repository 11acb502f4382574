#pragma once

#include "DataReplay.h"

#include <QByteArray>
#include <QString>

#include <atomic>

// Reads the header, start script and winners of one engine demo file into a replay record.
// Failures are logged and leave record.valid false; the record keeps what was read before.

// How a read ended: whether its record speaks for the file itself and may be remembered.
enum class DemoOutcome
{
    Read,       // the file's own bytes decided (valid, damaged or over the limits)
    Unreadable, // opening or reading failed (permission, I/O, archive tool): try again later
    Stopped     // the stop flag ended it: the record means nothing
};

// What one demo may cost.
namespace DemoLimits
{
// The engine reads start scripts of at most 16 MiB - 1 bytes (a longer one is "GAME-section
// missing" to it).
constexpr qint32 MaxScriptSize = (1 << 24) - 1;
// One byte per winning ally team; the engine has at most 255.
constexpr qint32 MaxWinnersSize = 255;
// Real demo streams are tens of MB, the longest games a few hundred; a bigger claim would only
// make us unpack and drop that much before the winners.
constexpr qint32 MaxStreamSize = 512 << 20;
// Scripts over this size (real ones stay far below) are read one at a time when they are big, a
// few when not (see ScriptBudget in the source), so that a folder of them cannot make the reader
// threads hold them all at once: one costs about four times its size while it is parsed.
constexpr qint32 SmallScriptSize = 1 << 20;
constexpr qint64 ScriptBudget = qint64(16) << 20;
} // namespace DemoLimits

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
    // True once a read failed in the system (I/O error), not because the data ended or was bad.
    virtual bool SystemFailed() const { return false; }
};

// Plain (".sdf") or gzip-compressed (".sdfz") demo; a compressed file is unpacked on the fly.
// record.fileSize becomes the size of the file on disk. A set `cancel` flag ends the read early.
DemoOutcome ReadDemoFile(const QString& path, DataReplay& record, const std::atomic<bool>* cancel = nullptr);
// Same reader on bytes already in memory (an uncompressed demo).
void ReadDemoData(const QByteArray& data, DataReplay& record);
// The reader itself, on a record already reset.
DemoOutcome ReadDemo(DemoInput& input, DataReplay& record, const std::atomic<bool>* cancel = nullptr);
// Sets the defaults every read starts from; the game name is the path read until a script says.
void ResetDemoRecord(const QString& readPath, DataReplay& record);
