#include "ContentArchiveFormats.h"

#include <QVector>
#include <QtEndian>

#include <zlib.h>

// Zip as the engine reads it (minizip): the central directory at the end lists the files, so an
// archive cut short (an interrupted download) has none and is damaged. Only stored and deflated
// files, unencrypted and without zip64 sizes, can be unpacked.
namespace ContentArchiveFormats
{
namespace
{
constexpr quint32 EndSignature = 0x06054b50;
constexpr quint32 End64Signature = 0x06064b50;
constexpr quint32 End64LocatorSignature = 0x07064b50;
constexpr quint32 EntrySignature = 0x02014b50;
constexpr quint32 LocalSignature = 0x04034b50;
constexpr int EndSize = 22;
constexpr int MaxComment = 0xFFFF;
constexpr int InflateChunk = 65536;

quint16 U16(const QByteArray& bytes, qint64 at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 U32(const QByteArray& bytes, qint64 at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint64 U64(const QByteArray& bytes, qint64 at)
{
    return qFromLittleEndian<quint64>(bytes.constData() + at);
}

QString MethodName(quint16 method)
{
    switch (method)
    {
    case 9:
        return QStringLiteral("Deflate64");
    case 12:
        return QStringLiteral("bzip2");
    case 14:
        return QStringLiteral("LZMA");
    case 93:
        return QStringLiteral("Zstandard");
    case 95:
        return QStringLiteral("xz");
    case 98:
        return QStringLiteral("PPMd");
    case 99:
        return QStringLiteral("AES encryption");
    default:
        return QStringLiteral("method %1").arg(method);
    }
}

class ZipReader final : public Reader
{
public:
    explicit ZipReader(Source& source) : m_source(source) {}

    Outcome Open(QString* error) override;
    const QStringList& Files() const override { return m_names; }
    Outcome ReadFile(int index, qint64 limit, QByteArray* out, QString* error) override;

private:
    struct Entry
    {
        quint16 flags = 0;
        quint16 method = 0;
        quint32 crc = 0;
        quint64 packedSize = 0;
        quint64 size = 0;
        quint64 offset = 0;
    };

    // The end of central directory record, as minizip finds it: the last one in the final 64 KB.
    qint64 FindEnd(QByteArray* tail);
    // `count` entries, or as many as the directory holds when it is -1.
    Outcome ReadDirectory(const QByteArray& directory, qint64 count, QString* error);
    Outcome Inflate(const QString& name, const Entry& entry, qint64 start, qint64 limit, QByteArray* out,
                    QString* error);

    Source& m_source;
    // What this reader takes of the memory budget, for its list and for unpacking.
    MemoryBudget::Reservation m_held;
    // Bytes before the archive proper (a self-extractor's program): every offset is shifted by them.
    qint64 m_shift = 0;
    QStringList m_names;
    QVector<Entry> m_entries;
};

qint64 ZipReader::FindEnd(QByteArray* tail)
{
    const qint64 size = m_source.Size();
    // Most archives have no comment: the last kilobyte holds the record.
    for (const qint64 want : {qint64(1024), qint64(EndSize + MaxComment)})
    {
        const qint64 length = qMin(size, want);
        if (!m_source.ReadAt(size - length, length, tail))
            return -1;
        for (qint64 at = length - EndSize; at >= 0; --at)
        {
            if (U32(*tail, at) == EndSignature)
            {
                *tail = tail->mid(int(at));
                return size - length + at;
            }
        }
        if (length == size)
            break;
    }
    return -1;
}

Outcome ZipReader::Open(QString* error)
{
    const auto damaged = [error](const QString& text) { return Fail(error, Outcome::Damaged, text); };
    QByteArray end;
    const qint64 endAt = m_source.Size() >= EndSize ? FindEnd(&end) : -1;
    if (endAt < 0)
        return damaged(QStringLiteral("no zip central directory (cut short?)"));
    quint64 disk = U16(end, 4);
    quint64 directoryDisk = U16(end, 6);
    quint64 countHere = U16(end, 8);
    quint64 count = U16(end, 10);
    quint64 directorySize = U32(end, 12);
    quint64 directoryOffset = U32(end, 16);
    qint64 directoryEnd = endAt;
    // Whether the count is to be taken from the central directory itself.
    bool countEntries = false;
    if (count == 0xFFFF || countHere == 0xFFFF || directorySize == 0xFFFFFFFF ||
        directoryOffset == 0xFFFFFFFF)
    {
        // Zip64: the real figures are in a record the locator before the end record points to.
        QByteArray locator;
        QByteArray end64;
        const bool hasLocator = endAt >= 20 && m_source.ReadAt(endAt - 20, 20, &locator) &&
                                U32(locator, 0) == End64LocatorSignature;
        if (hasLocator)
        {
            const quint64 end64At = U64(locator, 8);
            if (end64At > quint64(endAt) || !m_source.ReadAt(qint64(end64At), 56, &end64) ||
                U32(end64, 0) != End64Signature)
                return damaged(QStringLiteral("no zip64 end of central directory"));
            disk = U32(end64, 16);
            directoryDisk = U32(end64, 20);
            countHere = U64(end64, 24);
            count = U64(end64, 32);
            directorySize = U64(end64, 40);
            directoryOffset = U64(end64, 48);
            directoryEnd = qint64(end64At);
        }
        // Without one, a count at its largest is only that (65535 files, as many tools write it):
        // the directory's own entries tell, as long as its size and place are given.
        else if (directorySize != 0xFFFFFFFF && directoryOffset != 0xFFFFFFFF)
            countEntries = true;
        else
            return damaged(QStringLiteral("no zip64 end of central directory"));
    }
    if (disk != 0 || directoryDisk != 0 || countHere != count)
        return damaged(QStringLiteral("a zip split over several files"));
    if (count > quint64(ContentArchive::MaxEntries))
        return damaged(QStringLiteral("more than %1 files").arg(ContentArchive::MaxEntries));
    if (directorySize > quint64(ContentArchive::MaxDirectorySize))
        return damaged(QStringLiteral("a central directory of more than %1 bytes")
                           .arg(ContentArchive::MaxDirectorySize));
    if (directoryOffset > quint64(directoryEnd) || directorySize > quint64(directoryEnd) - directoryOffset)
        return damaged(QStringLiteral("the central directory is not where its end says"));
    m_shift = directoryEnd - qint64(directoryOffset + directorySize);
    // Each entry takes 46 bytes at the least.
    const qint64 entries = countEntries ? qint64(directorySize / 46) : qint64(count);
    const Outcome held = m_source.Hold(m_held, DirectoryCost(qint64(directorySize), entries), error);
    if (held != Outcome::Read)
        return held;
    QByteArray directory;
    if (!m_source.ReadAt(qint64(directoryOffset) + m_shift, qint64(directorySize), &directory))
        return damaged(QStringLiteral("the central directory can't be read"));
    const Outcome read = ReadDirectory(directory, countEntries ? -1 : qint64(count), error);
    if (read != Outcome::Read)
        return read;
    directory.clear();
    return m_source.Hold(m_held, ListCost(m_names), error);
}

Outcome ZipReader::ReadDirectory(const QByteArray& directory, qint64 count, QString* error)
{
    const auto damaged = [error](const QString& text) { return Fail(error, Outcome::Damaged, text); };
    QString unsupported;
    qint64 at = 0;
    for (qint64 i = 0; count < 0 ? at < directory.size() : i < count; ++i)
    {
        if (i >= ContentArchive::MaxEntries)
            return damaged(QStringLiteral("more than %1 files").arg(ContentArchive::MaxEntries));
        if (directory.size() - at < 46 || U32(directory, at) != EntrySignature)
            return damaged(QStringLiteral("central directory entry %1 is damaged").arg(i));
        Entry entry;
        entry.flags = U16(directory, at + 8);
        entry.method = U16(directory, at + 10);
        entry.crc = U32(directory, at + 16);
        entry.packedSize = U32(directory, at + 20);
        entry.size = U32(directory, at + 24);
        const int nameLength = U16(directory, at + 28);
        const int extraLength = U16(directory, at + 30);
        const int commentLength = U16(directory, at + 32);
        entry.offset = U32(directory, at + 42);
        const qint64 next = at + 46 + nameLength + extraLength + commentLength;
        if (next > directory.size())
            return damaged(QStringLiteral("central directory entry %1 is damaged").arg(i));
        const QString name = QString::fromUtf8(directory.constData() + at + 46, nameLength);
        // Sizes and offset too large for the entry itself are in the zip64 extra field, in this order.
        // The engine reads no such entry.
        const bool zip64 =
            entry.size == 0xFFFFFFFF || entry.packedSize == 0xFFFFFFFF || entry.offset == 0xFFFFFFFF;
        for (qint64 extra = at + 46 + nameLength; extra + 4 <= at + 46 + nameLength + extraLength;)
        {
            const quint16 id = U16(directory, extra);
            const qint64 length = U16(directory, extra + 2);
            qint64 field = extra + 4;
            extra = field + length;
            if (id != 0x0001 || extra > at + 46 + nameLength + extraLength)
                continue;
            for (quint64* value : {&entry.size, &entry.packedSize, &entry.offset})
            {
                if (*value != 0xFFFFFFFF)
                    continue;
                if (field + 8 > extra)
                    return damaged(QStringLiteral("%1: damaged zip64 field").arg(name));
                *value = U64(directory, field);
                field += 8;
            }
        }
        at = next;
        if (name.endsWith(QLatin1Char('/')))
            continue;
        if (unsupported.isEmpty() && (entry.flags & 1))
            unsupported = QStringLiteral("%1 is encrypted").arg(name);
        else if (unsupported.isEmpty() && zip64)
            unsupported = QStringLiteral("%1 is a zip64 entry").arg(name);
        else if (unsupported.isEmpty() && entry.method != 0 && entry.method != Z_DEFLATED)
            unsupported = QStringLiteral("%1 is packed with %2").arg(name, MethodName(entry.method));
        m_names << name;
        m_entries << entry;
    }
    if (!unsupported.isEmpty())
        return Fail(error, Outcome::EngineCantUnpack, unsupported);
    return Outcome::Read;
}

Outcome ZipReader::ReadFile(int index, qint64 limit, QByteArray* out, QString* error)
{
    const QString& name = m_names.at(index);
    const Entry& entry = m_entries.at(index);
    const auto damaged = [&](const QString& text)
    { return Fail(error, Outcome::Damaged, name + QStringLiteral(": ") + text); };
    if (entry.size > quint64(limit))
        return Fail(error, Outcome::Damaged, TooLarge(name, limit));
    QByteArray local;
    const qint64 localAt = qint64(qMin<quint64>(entry.offset, quint64(m_source.Size()))) + m_shift;
    if (!m_source.ReadAt(localAt, 30, &local) || U32(local, 0) != LocalSignature)
        return damaged(QStringLiteral("no local header"));
    if (U16(local, 8) != entry.method)
        return damaged(QStringLiteral("its local header says another method"));
    const qint64 start = localAt + 30 + U16(local, 26) + U16(local, 28);
    if (entry.packedSize > quint64(m_source.Size()) || start > m_source.Size() - qint64(entry.packedSize))
        return damaged(QStringLiteral("cut short"));
    // Inflating: zlib's state and window, a chunk read and what is unpacked, which may grow to
    // twice its size on its way to the limit.
    const qint64 unpacking =
        entry.method == 0 ? qint64(entry.size) : 2 * (limit + InflateChunk) + InflateChunk + 48 * 1024;
    const Outcome held = m_source.Hold(m_held, ListCost(m_names) + unpacking, error);
    if (held != Outcome::Read)
    {
        if (error)
            *error = name + QStringLiteral(": ") + *error;
        return held;
    }
    QByteArray data;
    if (entry.method == 0)
    {
        if (entry.packedSize != entry.size || !m_source.ReadAt(start, qint64(entry.size), &data))
            return damaged(QStringLiteral("stored size differs"));
    }
    else
    {
        const Outcome inflated = Inflate(name, entry, start, limit, &data, error);
        if (inflated != Outcome::Read)
            return inflated;
    }
    if (quint64(data.size()) != entry.size)
        return damaged(QStringLiteral("holds %1 bytes, its header says %2").arg(data.size()).arg(entry.size));
    if (crc32(0, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())) != entry.crc)
        return damaged(QStringLiteral("checksum mismatch"));
    *out = data;
    return Outcome::Read;
}

Outcome ZipReader::Inflate(const QString& name, const Entry& entry, qint64 start, qint64 limit,
                           QByteArray* out, QString* error)
{
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return Fail(error, Outcome::Damaged, name + QStringLiteral(": can't unpack"));
    const std::unique_ptr<z_stream, int (*)(z_stream*)> guard(&stream, inflateEnd);
    QByteArray data;
    QByteArray chunk;
    char buffer[InflateChunk];
    qint64 position = start;
    const qint64 end = start + qint64(entry.packedSize);
    int result = Z_OK;
    // A header may understate the size: the limit holds for what is unpacked, chunk by chunk.
    while (result != Z_STREAM_END)
    {
        if (stream.avail_in == 0 && position < end)
        {
            const qint64 length = qMin<qint64>(end - position, InflateChunk);
            if (!m_source.ReadAt(position, length, &chunk))
                return Fail(error, Outcome::Damaged, name + QStringLiteral(": packed data cut short"));
            position += length;
            stream.next_in = reinterpret_cast<Bytef*>(chunk.data());
            stream.avail_in = uInt(length);
        }
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        result = inflate(&stream, Z_NO_FLUSH);
        // No progress without more input, and there is none.
        if (result == Z_BUF_ERROR && stream.avail_in == 0 && position >= end)
            return Fail(error, Outcome::Damaged, name + QStringLiteral(": packed data cut short"));
        if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
            return Fail(error, Outcome::Damaged, name + QStringLiteral(": packed data damaged"));
        const qint64 produced = qint64(sizeof buffer) - stream.avail_out;
        if (data.size() + produced > limit)
            return Fail(error, Outcome::Damaged, TooLarge(name, limit));
        data.append(buffer, int(produced));
    }
    *out = data;
    return Outcome::Read;
}
} // namespace

std::unique_ptr<Reader> NewZipReader(Source& source)
{
    return std::make_unique<ZipReader>(source);
}
} // namespace ContentArchiveFormats
