#pragma once

#include "ContentArchiveFormats.h"

#include <QVector>

// The parts of a 7z archive that ContentArchive7z.cpp reads from its header and
// ContentArchive7zUnpack.cpp unpacks.
namespace ContentArchiveFormats
{
namespace SevenZip
{
constexpr quint64 MethodCopy = 0x00;
constexpr quint64 MethodLzma = 0x030101;
constexpr quint64 MethodLzma2 = 0x21;
constexpr quint64 MethodBcj = 0x03030103;
constexpr quint64 MethodArm = 0x03030501;
constexpr quint64 MethodBcj2 = 0x0303011B;

struct Coder
{
    quint64 method = 0;
    bool knownId = true; // an id longer than eight bytes is none the engine knows
    quint32 inputs = 1;
    quint32 outputs = 1;
    QByteArray properties;
};

// A run of files packed together ("solid block"): coders joined by bonds turn pack streams into
// one unpacked stream that holds the files one after another.
struct Folder
{
    QVector<Coder> coders;
    QVector<QPair<quint32, quint32>>
        bonds;               // (coder input, coder output), inputs and outputs counted over all coders
    QVector<quint32> packed; // the coder inputs fed from pack streams, in pack stream order
    QVector<quint64> sizes;  // unpacked size of each coder output
    quint64 firstPack = 0;   // index of its first pack stream in the archive
    bool hasCrc = false;
    quint32 crc = 0;
    quint64 files = 1;

    // The coder output that is the folder's, the one no bond takes.
    int MainOutput() const;
    quint64 Size() const { return sizes.value(MainOutput()); }
};

struct Streams
{
    quint64 packPosition = 0; // after the 32-byte start header
    QVector<quint64> packSizes;
    QVector<Folder> folders;
    // Per file with data, in folder order.
    QVector<quint64> fileSizes;
    QVector<bool> fileHasCrc;
    QVector<quint32> fileCrcs;
};

// Empty when the engine's 7z decoder takes the folder as it stands, else why not.
QString Unsupported(const Folder& folder);
// Unpacks `length` bytes of a supported folder's stream from `skip` on. Before its decoders
// allocate anything, `held` is made to hold what they take and the bytes unpacked, beside `kept`
// bytes the caller holds already; it is left holding all that.
Outcome Unpack(Source& source, const Streams& streams, int folder, quint64 skip, quint64 length,
               QByteArray* out, QString* error, MemoryBudget::Reservation& held, qint64 kept);
} // namespace SevenZip
} // namespace ContentArchiveFormats
