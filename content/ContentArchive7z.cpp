#include "ContentArchive7z.h"

#include <QtEndian>

#include <zlib.h>

// 7z as the engine reads it: a start header points to the header at the end (itself usually
// packed), which lists the files and how each run of them is packed. An archive cut short has no
// header and is damaged.
namespace ContentArchiveFormats
{
namespace
{
using namespace SevenZip;
using ContentArchive::MaxEntries;

const char Signature[] = {'7', 'z', '\xBC', '\xAF', '\x27', '\x1C'};
constexpr int StartHeaderSize = 32;
constexpr quint32 MaxCoders = 32;
constexpr quint64 MaxPackStreams = quint64(MaxEntries) * 4;

enum Id : quint64
{
    End = 0x00,
    Header = 0x01,
    ArchiveProperties = 0x02,
    AdditionalStreamsInfo = 0x03,
    MainStreamsInfo = 0x04,
    FilesInfo = 0x05,
    PackInfo = 0x06,
    UnpackInfo = 0x07,
    SubStreamsInfo = 0x08,
    Size = 0x09,
    Crc = 0x0A,
    FolderId = 0x0B,
    CodersUnpackSize = 0x0C,
    NumUnpackStream = 0x0D,
    EmptyStream = 0x0E,
    EmptyFile = 0x0F,
    Name = 0x11,
    EncodedHeader = 0x17
};

// Reads the header's numbers and bytes; past the end it yields zeros and stays failed.
class ByteReader final
{
public:
    ByteReader(const QByteArray& bytes, qint64 begin, qint64 end) : m_bytes(bytes), m_at(begin), m_end(end) {}
    explicit ByteReader(const QByteArray& bytes) : ByteReader(bytes, 0, bytes.size()) {}

    bool Ok() const { return m_ok; }
    qint64 Left() const { return m_end - m_at; }
    qint64 At() const { return m_at; }

    quint8 Byte()
    {
        if (!Need(1))
            return 0;
        return quint8(m_bytes.at(int(m_at++)));
    }

    quint32 U32()
    {
        if (!Need(4))
            return 0;
        const quint32 value = qFromLittleEndian<quint32>(m_bytes.constData() + m_at);
        m_at += 4;
        return value;
    }

    // The header's variable-length numbers: the leading ones of the first byte count the bytes after it.
    quint64 Number()
    {
        const quint8 first = Byte();
        quint64 value = 0;
        quint8 mask = 0x80;
        for (int i = 0; i < 8; ++i, mask >>= 1)
        {
            if (!(first & mask))
                return value | (quint64(first & (mask - 1)) << (8 * i));
            value |= quint64(Byte()) << (8 * i);
        }
        return value;
    }

    // A count, failing above `max`.
    quint64 Count(quint64 max)
    {
        const quint64 value = Number();
        if (value > max)
            m_ok = false;
        return m_ok ? value : 0;
    }

    QByteArray Bytes(quint64 length)
    {
        if (!Need(length))
            return QByteArray();
        const QByteArray bytes = m_bytes.mid(int(m_at), int(length));
        m_at += qint64(length);
        return bytes;
    }

    void Skip(quint64 length)
    {
        if (Need(length))
            m_at += qint64(length);
    }

    // A reader of the next `length` bytes, which this one passes over.
    ByteReader Part(quint64 length)
    {
        const qint64 begin = m_at;
        Skip(length);
        return m_ok ? ByteReader(m_bytes, begin, m_at) : ByteReader(m_bytes, m_end, m_end);
    }

    // Little-endian UTF-16 up to a zero.
    QString Utf16Text()
    {
        QString text;
        while (Need(2))
        {
            const char16_t unit = qFromLittleEndian<quint16>(m_bytes.constData() + m_at);
            m_at += 2;
            if (unit == 0)
                return text;
            text += QChar(unit);
        }
        return text;
    }

    // A property this reader has no use for: its size, then its bytes.
    void SkipData() { Skip(Number()); }

    void Fail() { m_ok = false; }

private:
    bool Need(quint64 length)
    {
        if (m_ok && length <= quint64(m_end - m_at))
            return true;
        m_ok = false;
        m_at = m_end;
        return false;
    }

    const QByteArray& m_bytes;
    qint64 m_at;
    qint64 m_end;
    bool m_ok = true;
};

QVector<bool> ReadBits(ByteReader& reader, quint64 count)
{
    QVector<bool> bits(int(count), false);
    quint8 byte = 0;
    for (quint64 i = 0; i < count; ++i)
    {
        if (i % 8 == 0)
            byte = reader.Byte();
        bits[int(i)] = byte & (0x80 >> (i % 8));
    }
    return bits;
}

void ReadDigests(ByteReader& reader, quint64 count, QVector<bool>* defined, QVector<quint32>* crcs)
{
    *defined = reader.Byte() ? QVector<bool>(int(count), true) : ReadBits(reader, count);
    crcs->fill(0, int(count));
    for (quint64 i = 0; i < count && reader.Ok(); ++i)
        if (defined->at(int(i)))
            (*crcs)[int(i)] = reader.U32();
}

void ReadPackInfo(ByteReader& reader, Streams& streams)
{
    streams.packPosition = reader.Number();
    const quint64 count = reader.Count(MaxPackStreams);
    for (quint64 id = reader.Number(); id != End && reader.Ok(); id = reader.Number())
    {
        if (id == Size)
        {
            streams.packSizes.resize(int(count));
            for (quint64 i = 0; i < count && reader.Ok(); ++i)
                streams.packSizes[int(i)] = reader.Number();
        }
        else if (id == Crc)
        {
            QVector<bool> defined;
            QVector<quint32> crcs;
            ReadDigests(reader, count, &defined, &crcs);
        }
        else
        {
            reader.SkipData();
        }
    }
    if (quint64(streams.packSizes.size()) != count)
        reader.Fail();
}

void ReadFolder(ByteReader& reader, Folder& folder)
{
    const quint64 coders = reader.Count(MaxCoders);
    if (coders == 0)
        reader.Fail();
    quint32 inputs = 0;
    quint32 outputs = 0;
    for (quint64 i = 0; i < coders && reader.Ok(); ++i)
    {
        Coder coder;
        const quint8 flags = reader.Byte();
        // 0x80: alternative methods, which no 7z writer has ever used.
        if (flags & 0xC0)
            reader.Fail();
        const int idSize = flags & 0x0F;
        coder.knownId = idSize <= 8;
        for (const char byte : reader.Bytes(quint64(idSize)))
            coder.method = (coder.method << 8) | quint8(byte);
        if (flags & 0x10)
        {
            coder.inputs = quint32(reader.Count(MaxCoders));
            coder.outputs = quint32(reader.Count(MaxCoders));
        }
        if (flags & 0x20)
            coder.properties = reader.Bytes(reader.Count(0xFFFF));
        inputs += coder.inputs;
        outputs += coder.outputs;
        folder.coders << coder;
    }
    if (!reader.Ok() || outputs == 0 || inputs < outputs)
        return reader.Fail();
    QVector<bool> inputBound(int(inputs), false);
    QVector<bool> outputBound(int(outputs), false);
    for (quint32 i = 0; i + 1 < outputs && reader.Ok(); ++i)
    {
        const quint32 input = quint32(reader.Count(inputs - 1));
        const quint32 output = quint32(reader.Count(outputs - 1));
        if (inputBound.at(int(input)) || outputBound.at(int(output)))
            return reader.Fail();
        inputBound[int(input)] = outputBound[int(output)] = true;
        folder.bonds << qMakePair(input, output);
    }
    const quint32 packed = inputs - (outputs - 1);
    if (packed == 1)
    {
        const int free = inputBound.indexOf(false);
        if (free >= 0)
            folder.packed << quint32(free);
    }
    else
    {
        for (quint32 i = 0; i < packed && reader.Ok(); ++i)
            folder.packed << quint32(reader.Count(inputs - 1));
    }
    for (const quint32 input : qAsConst(folder.packed))
    {
        if (inputBound.at(int(input)))
            return reader.Fail();
        inputBound[int(input)] = true;
    }
    if (quint32(folder.packed.size()) != packed)
        reader.Fail();
}

void ReadUnpackInfo(ByteReader& reader, Streams& streams)
{
    if (reader.Number() != FolderId)
        return reader.Fail();
    const quint64 count = reader.Count(quint64(MaxEntries));
    // Folders kept elsewhere in the archive: no writer does that.
    if (reader.Byte() != 0)
        return reader.Fail();
    streams.folders.resize(int(count));
    for (Folder& folder : streams.folders)
    {
        ReadFolder(reader, folder);
        if (!reader.Ok())
            return;
    }
    if (reader.Number() != CodersUnpackSize)
        return reader.Fail();
    for (Folder& folder : streams.folders)
    {
        int outputs = 0;
        for (const Coder& coder : qAsConst(folder.coders))
            outputs += int(coder.outputs);
        for (int i = 0; i < outputs && reader.Ok(); ++i)
            folder.sizes << reader.Number();
    }
    for (quint64 id = reader.Number(); id != End && reader.Ok(); id = reader.Number())
    {
        if (id != Crc)
        {
            reader.SkipData();
            continue;
        }
        QVector<bool> defined;
        QVector<quint32> crcs;
        ReadDigests(reader, count, &defined, &crcs);
        for (int i = 0; i < int(count) && reader.Ok(); ++i)
        {
            streams.folders[i].hasCrc = defined.at(i);
            streams.folders[i].crc = crcs.at(i);
        }
    }
}

void ReadSubStreamsInfo(ByteReader& reader, Streams& streams, quint64* id)
{
    quint64 total = streams.folders.size();
    *id = reader.Number();
    for (; *id != Crc && *id != Size && *id != End && reader.Ok(); *id = reader.Number())
    {
        if (*id != NumUnpackStream)
        {
            reader.SkipData();
            continue;
        }
        total = 0;
        for (Folder& folder : streams.folders)
        {
            folder.files = reader.Count(quint64(MaxEntries));
            total += folder.files;
        }
        if (total > quint64(MaxEntries))
            reader.Fail();
    }
    if (!reader.Ok())
        return;
    for (const Folder& folder : qAsConst(streams.folders))
    {
        if (!reader.Ok() || folder.files == 0)
            continue;
        // Without sizes a folder holds one file.
        if (*id != Size && folder.files != 1)
            return reader.Fail();
        quint64 sum = 0;
        for (quint64 i = 1; i < folder.files && *id == Size; ++i)
        {
            const quint64 size = reader.Number();
            if (size > folder.Size() - sum)
                return reader.Fail();
            streams.fileSizes << size;
            sum += size;
        }
        streams.fileSizes << folder.Size() - sum;
    }
    if (*id == Size)
        *id = reader.Number();

    // Files alone in a folder with a checksum have the folder's; the others' follow.
    quint64 withoutCrc = 0;
    for (const Folder& folder : qAsConst(streams.folders))
        withoutCrc += folder.files == 1 && folder.hasCrc ? 0 : folder.files;
    QVector<bool> defined(int(withoutCrc), false);
    QVector<quint32> crcs(int(withoutCrc), 0);
    for (; *id != End && reader.Ok(); *id = reader.Number())
    {
        if (*id == Crc)
            ReadDigests(reader, withoutCrc, &defined, &crcs);
        else
            reader.SkipData();
    }
    int next = 0;
    for (const Folder& folder : qAsConst(streams.folders))
    {
        for (quint64 i = 0; i < folder.files && reader.Ok(); ++i)
        {
            const bool own = folder.files == 1 && folder.hasCrc;
            streams.fileHasCrc << (own || defined.value(next));
            streams.fileCrcs << (own ? folder.crc : crcs.value(next));
            next += own ? 0 : 1;
        }
    }
}

void ReadStreamsInfo(ByteReader& reader, Streams& streams)
{
    quint64 id = reader.Number();
    if (id == PackInfo)
    {
        ReadPackInfo(reader, streams);
        id = reader.Number();
    }
    if (id == UnpackInfo)
    {
        ReadUnpackInfo(reader, streams);
        id = reader.Number();
    }
    if (id == SubStreamsInfo)
    {
        ReadSubStreamsInfo(reader, streams, &id);
        id = reader.Number();
    }
    else
    {
        for (const Folder& folder : qAsConst(streams.folders))
        {
            streams.fileSizes << folder.Size();
            streams.fileHasCrc << folder.hasCrc;
            streams.fileCrcs << folder.crc;
        }
    }
    if (id != End)
        return reader.Fail();
    quint64 pack = 0;
    for (Folder& folder : streams.folders)
    {
        folder.firstPack = pack;
        pack += quint64(folder.packed.size());
        if (folder.MainOutput() < 0)
            reader.Fail();
    }
    if (pack > quint64(streams.packSizes.size()))
        reader.Fail();
}

class SevenZipReader final : public Reader
{
public:
    explicit SevenZipReader(Source& source) : m_source(source) {}

    Outcome Open(QString* error) override;
    const QStringList& Files() const override { return m_names; }
    Outcome ReadFile(int index, qint64 limit, QByteArray* out, QString* error) override;

private:
    struct File
    {
        int folder = -1; // none: an empty file
        quint64 offset = 0;
        quint64 size = 0;
        bool hasCrc = false;
        quint32 crc = 0;
    };

    Outcome ReadHeader(QByteArray header, QString* error);
    bool ReadFilesInfo(ByteReader& reader);
    // Where each pack stream lies; false when the file is too short for them.
    bool PlaceStreams(const Streams& streams) const;

    Source& m_source;
    // What this reader takes of the memory budget, for its list and for unpacking.
    MemoryBudget::Reservation m_held;
    Streams m_streams;
    QStringList m_names;
    QVector<File> m_files;
};

bool SevenZipReader::PlaceStreams(const Streams& streams) const
{
    quint64 end = StartHeaderSize + streams.packPosition;
    if (end < streams.packPosition)
        return false;
    for (const quint64 size : streams.packSizes)
    {
        if (size > quint64(m_source.Size()))
            return false;
        end += size;
    }
    return end <= quint64(m_source.Size());
}

Outcome SevenZipReader::Open(QString* error)
{
    const auto damaged = [error](const QString& text) { return Fail(error, Outcome::Damaged, text); };
    QByteArray start;
    if (!m_source.ReadAt(0, StartHeaderSize, &start) || !IsSevenZip(start))
        return damaged(QStringLiteral("not a 7z archive"));
    if (start.at(6) != 0)
        return damaged(QStringLiteral("7z format version %1").arg(int(start.at(6))));
    if (crc32(0, reinterpret_cast<const Bytef*>(start.constData()) + 12, 20) !=
        qFromLittleEndian<quint32>(start.constData() + 8))
        return damaged(QStringLiteral("damaged start header"));
    const quint64 offset = qFromLittleEndian<quint64>(start.constData() + 12);
    const quint64 size = qFromLittleEndian<quint64>(start.constData() + 20);
    if (size == 0)
        return Outcome::Read; // an empty archive
    if (size > quint64(ContentArchive::MaxHeaderSize))
        return damaged(QStringLiteral("a header of more than %1 bytes").arg(ContentArchive::MaxHeaderSize));
    const Outcome held = m_source.Hold(m_held, DirectoryCost(qint64(size), qint64(size)), error);
    if (held != Outcome::Read)
        return held;
    QByteArray header;
    if (offset > quint64(m_source.Size()) ||
        !m_source.ReadAt(StartHeaderSize + qint64(offset), qint64(size), &header))
        return damaged(QStringLiteral("no 7z header (cut short?)"));
    if (crc32(0, reinterpret_cast<const Bytef*>(header.constData()), uInt(header.size())) !=
        qFromLittleEndian<quint32>(start.constData() + 28))
        return damaged(QStringLiteral("damaged header"));
    return ReadHeader(std::move(header), error);
}

Outcome SevenZipReader::ReadHeader(QByteArray header, QString* error)
{
    const auto damaged = [error](const QString& text) { return Fail(error, Outcome::Damaged, text); };
    // The header is packed like the files, a few times over at most.
    for (int round = 0; round < 4; ++round)
    {
        ByteReader reader(header);
        const quint64 id = reader.Number();
        if (id == Header)
            break;
        Streams streams;
        if (id == EncodedHeader)
            ReadStreamsInfo(reader, streams);
        if (id != EncodedHeader || !reader.Ok() || streams.folders.isEmpty() || !PlaceStreams(streams))
            return damaged(QStringLiteral("damaged header"));
        const Folder& folder = streams.folders.first();
        const QString unsupported = Unsupported(folder);
        if (!unsupported.isEmpty())
            return Fail(error, Outcome::EngineCantUnpack, QStringLiteral("its header is ") + unsupported);
        // Checked before anything is unpacked: a header claiming far more than any real one
        // would cost that much memory.
        if (folder.Size() > quint64(ContentArchive::MaxHeaderSize))
            return damaged(
                QStringLiteral("a header of more than %1 bytes").arg(ContentArchive::MaxHeaderSize));
        QByteArray unpacked;
        const qint64 size = qint64(folder.Size());
        const Outcome read = Unpack(m_source, streams, 0, 0, folder.Size(), &unpacked, error, m_held,
                                    header.size() + DirectoryCost(size, size));
        if (read != Outcome::Read)
            return read;
        if (folder.hasCrc && crc32(0, reinterpret_cast<const Bytef*>(unpacked.constData()),
                                   uInt(unpacked.size())) != folder.crc)
            return damaged(QStringLiteral("damaged header"));
        header = unpacked;
    }

    ByteReader reader(header);
    quint64 id = reader.Number();
    if (id != Header)
        return damaged(QStringLiteral("damaged header"));
    id = reader.Number();
    if (id == ArchiveProperties)
    {
        for (quint64 property = reader.Number(); property != End && reader.Ok(); property = reader.Number())
            reader.SkipData();
        id = reader.Number();
    }
    if (id == AdditionalStreamsInfo)
    {
        Streams additional;
        ReadStreamsInfo(reader, additional);
        id = reader.Number();
    }
    if (id == MainStreamsInfo)
    {
        ReadStreamsInfo(reader, m_streams);
        id = reader.Number();
    }
    if (id == FilesInfo && reader.Ok() && ReadFilesInfo(reader))
        id = reader.Number();
    if (id != End || !reader.Ok() || !PlaceStreams(m_streams))
        return damaged(QStringLiteral("damaged header"));
    for (const Folder& folder : qAsConst(m_streams.folders))
    {
        const QString unsupported = Unsupported(folder);
        if (!unsupported.isEmpty())
            return Fail(error, Outcome::EngineCantUnpack, QStringLiteral("its files are ") + unsupported);
    }
    // The header itself is gone; its list stays while the reader lives.
    header.clear();
    return m_source.Hold(m_held, ListCost(m_names), error);
}

bool SevenZipReader::ReadFilesInfo(ByteReader& reader)
{
    const quint64 count = reader.Count(quint64(MaxEntries));
    QVector<bool> emptyStream(int(count), false);
    QVector<bool> emptyFile;
    QStringList names;
    for (quint64 id = reader.Number(); id != End && reader.Ok(); id = reader.Number())
    {
        ByteReader field = reader.Part(reader.Number());
        if (id == EmptyStream)
        {
            emptyStream = ReadBits(field, count);
        }
        else if (id == EmptyFile)
        {
            emptyFile = ReadBits(field, quint64(emptyStream.count(true)));
        }
        else if (id == Name)
        {
            // Names kept elsewhere in the archive: no writer does that.
            if (field.Byte() != 0)
                return false;
            names.clear();
            while (field.Left() > 0 && field.Ok())
                names << field.Utf16Text();
        }
        if (!field.Ok())
            return false;
    }
    if (!reader.Ok() || (!names.isEmpty() && quint64(names.size()) != count))
        return false;

    int folder = 0;
    quint64 inFolder = 0;
    quint64 offset = 0;
    int stream = 0;
    int empty = 0;
    for (int i = 0; i < int(count); ++i)
    {
        File file;
        if (emptyStream.at(i))
        {
            // An empty stream is a folder unless it is marked an empty file.
            if (!emptyFile.value(empty++))
                continue;
        }
        else
        {
            while (folder < m_streams.folders.size() && inFolder >= m_streams.folders.at(folder).files)
            {
                ++folder;
                inFolder = 0;
                offset = 0;
            }
            if (folder >= m_streams.folders.size() || stream >= m_streams.fileSizes.size())
                return false;
            file.folder = folder;
            file.offset = offset;
            file.size = m_streams.fileSizes.at(stream);
            file.hasCrc = m_streams.fileHasCrc.at(stream);
            file.crc = m_streams.fileCrcs.at(stream);
            offset += file.size;
            ++inFolder;
            ++stream;
        }
        m_names << names.value(i);
        m_files << file;
    }
    return true;
}

Outcome SevenZipReader::ReadFile(int index, qint64 limit, QByteArray* out, QString* error)
{
    const QString& name = m_names.at(index);
    const File& file = m_files.at(index);
    if (file.size > quint64(limit))
        return Fail(error, Outcome::Damaged, TooLarge(name, limit));
    if (file.folder < 0)
    {
        *out = QByteArray();
        return Outcome::Read;
    }
    // Reaching a file unpacks what comes before it in its folder: a bound on that keeps a hostile
    // archive from holding up the scan.
    if (file.offset > quint64(ContentArchive::MaxUnpackedBefore))
        return Fail(error, Outcome::Damaged,
                    QStringLiteral("more than %1 bytes to unpack before %2")
                        .arg(ContentArchive::MaxUnpackedBefore)
                        .arg(name));
    QByteArray data;
    const Outcome read = Unpack(m_source, m_streams, file.folder, file.offset, file.size, &data, error,
                                m_held, ListCost(m_names));
    if (read != Outcome::Read)
    {
        if (error)
            *error = name + QStringLiteral(": ") + *error;
        return read;
    }
    if (file.hasCrc &&
        crc32(0, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())) != file.crc)
        return Fail(error, Outcome::Damaged, name + QStringLiteral(": checksum mismatch"));
    *out = data;
    return Outcome::Read;
}
} // namespace

int SevenZip::Folder::MainOutput() const
{
    int outputs = 0;
    for (const Coder& coder : coders)
        outputs += int(coder.outputs);
    for (int output = 0; output < outputs; ++output)
    {
        const auto bound = std::find_if(bonds.cbegin(), bonds.cend(),
                                        [output](const QPair<quint32, quint32>& bond)
                                        { return int(bond.second) == output; });
        if (bound == bonds.cend())
            return output;
    }
    return -1;
}

bool IsSevenZip(const QByteArray& start)
{
    return start.startsWith(QByteArray::fromRawData(Signature, sizeof Signature));
}

std::unique_ptr<Reader> NewSevenZipReader(Source& source)
{
    return std::make_unique<SevenZipReader>(source);
}
} // namespace ContentArchiveFormats
