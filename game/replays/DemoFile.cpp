#include "DemoFile.h"

#include "ReplayScriptParser.h"

#include <QDebug>
#include <QFile>
#include <QtEndian>

#include <cstring>
#include <limits>
#include <zlib.h>

namespace
{
constexpr int HeaderSize = 352;
constexpr qint64 ChunkSize = 1 << 20;
// Far beyond any real script or winner list; a compressed file cannot make us hold more.
constexpr qint32 MaxScriptSize = 32 << 20;
constexpr qint32 MaxWinnersSize = 1 << 16;

class FileInput : public DemoInput
{
public:
    explicit FileInput(QFile& file) : m_file(file) {}
    qint64 Read(char* data, qint64 size) override { return m_file.read(data, size); }
    bool Skip(qint64 size) override
    {
        const qint64 target = m_file.pos() + size;
        return target <= m_file.size() && m_file.seek(target);
    }
    qint64 Size() const override { return m_file.size(); }

private:
    QFile& m_file;
};

class MemoryInput : public DemoInput
{
public:
    explicit MemoryInput(const QByteArray& data) : m_data(data) {}
    qint64 Read(char* data, qint64 size) override
    {
        const qint64 n = qMin(size, qint64(m_data.size()) - m_pos);
        if (n > 0)
            std::memcpy(data, m_data.constData() + m_pos, size_t(n));
        m_pos += qMax<qint64>(n, 0);
        return qMax<qint64>(n, 0);
    }
    bool Skip(qint64 size) override
    {
        if (size > qint64(m_data.size()) - m_pos)
            return false;
        m_pos += size;
        return true;
    }
    qint64 Size() const override { return m_data.size(); }

private:
    const QByteArray& m_data;
    qint64 m_pos = 0;
};

class GzipInput : public DemoInput
{
public:
    GzipInput(gzFile file, const std::atomic<bool>* cancel) : m_file(file), m_cancel(cancel) {}
    ~GzipInput() override { gzclose(m_file); }
    qint64 Read(char* data, qint64 size) override
    {
        qint64 done = 0;
        while (done < size)
        {
            if (m_cancel && m_cancel->load(std::memory_order_relaxed))
                return -1;
            const unsigned part = unsigned(qMin<qint64>(size - done, ChunkSize));
            const int n = gzread(m_file, data + done, part);
            if (n < 0)
                return done > 0 ? done : -1;
            if (n == 0)
                break;
            done += n;
        }
        return done;
    }
    bool Skip(qint64 size) override
    {
        // The stream between script and winners is only unpacked and dropped.
        QByteArray scratch(int(qMin<qint64>(size, ChunkSize)), Qt::Uninitialized);
        while (size > 0)
        {
            const qint64 part = qMin<qint64>(size, scratch.size());
            if (Read(scratch.data(), part) != part)
                return false;
            size -= part;
        }
        return true;
    }

private:
    gzFile m_file;
    const std::atomic<bool>* m_cancel;
};

qint32 ReadInt32(const char* at)
{
    return qFromLittleEndian<qint32>(reinterpret_cast<const uchar*>(at));
}

// Reads exactly `size` bytes, growing the buffer only as data arrives, so a size field that
// lies cannot make us allocate more than the data really holds.
bool ReadExactly(DemoInput& input, qint64 size, QByteArray& out)
{
    out.clear();
    while (out.size() < size)
    {
        const qint64 part = qMin(ChunkSize, size - out.size());
        const int old = out.size();
        out.resize(old + int(part));
        if (input.Read(out.data() + old, part) != part)
            return false;
    }
    return true;
}

void Fail(const char* message)
{
    qDebug().noquote() << "ReplaysManager ::" << message;
}
} // namespace

void ResetDemoRecord(const QString& readPath, DataReplay& record)
{
    record.gameName = readPath;
    record.mapName = QStringLiteral("----------");
    record.duration = 0;
    record.valid = false;
    record.hasAi = false;
    record.startTime = QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::LocalTime);
}

void ReadDemo(DemoInput& input, DataReplay& record)
{
    char header[HeaderSize];
    if (input.Read(header, HeaderSize) != HeaderSize)
        return Fail("FAIL - Can't read demo header");

    const char* magicEnd = static_cast<const char*>(std::memchr(header, 0, 16));
    if (!magicEnd || std::strcmp(header, "spring demofile") != 0)
        return Fail("FAIL - Wrong magic number in file");
    if (ReadInt32(header + 16) != 5)
        return Fail("FAIL - Wrong demo file version");
    const qint32 headerSize = ReadInt32(header + 20);
    if (headerSize != HeaderSize)
        return Fail("FAIL - Wrong demo file header size value");

    record.gameId.clear();
    for (int i = 0; i < 16; ++i)
        record.gameId += QStringLiteral("%1").arg(uchar(header[280 + i]), 2, 16, QLatin1Char('0'));

    const char* versionStart = header + 24;
    const char* versionEnd = static_cast<const char*>(std::memchr(versionStart, 0, 256));
    if (!versionEnd)
        return Fail("FAIL - Wrong engine version in file");

    record.engineVersion = QString::fromUtf8(versionStart, int(versionEnd - versionStart));
    // An engine that writes no version (Debian's build) keeps an empty text, not ".0".
    if (!record.engineVersion.isEmpty() && !record.engineVersion.contains(QLatin1Char('.')))
        record.engineVersion += QStringLiteral(".0");

    // Local time here and in the cache, so the date text never depends on where it came from.
    const quint32 startSecs = qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(header + 296));
    record.startTime = QDateTime::fromSecsSinceEpoch(startSecs, Qt::LocalTime);

    const qint32 scriptSize = ReadInt32(header + 304);
    const qint32 streamSize = ReadInt32(header + 308);
    const qint32 gameTime = ReadInt32(header + 312);
    const qint32 winnersSize = ReadInt32(header + 348);
    record.duration = gameTime;

    if (scriptSize < 0 || streamSize < 0 || winnersSize < 0)
        return Fail("FAIL - Wrong size values in demo header");

    const qint64 known = input.Size();
    if (scriptSize != 0)
    {
        if ((known >= 0 && qint64(headerSize) + scriptSize > known) || scriptSize > MaxScriptSize)
            return Fail("FAIL - Can't read script");
        QByteArray script;
        if (!ReadExactly(input, scriptSize, script))
            return Fail("FAIL - Can't read script");
        ReplayScriptParser parser;
        DataReplayScript parsed;
        const bool parsedOk = parser.ParseScript(QString::fromUtf8(script), parsed);
        // What was found before a failure is kept, as the parser keeps it.
        if (!parsed.gameName.isNull() || parsedOk)
            record.gameName = parsed.gameName;
        if (!parsed.mapName.isNull() || parsedOk)
            record.mapName = parsed.mapName;
        record.players += parsed.players;
        record.spectators += parsed.spectators;
        if (!parsedOk)
            return Fail("FAIL - Script parse error");
    }

    if (winnersSize != 0)
    {
        const qint64 winnersAt = qint64(headerSize) + scriptSize + streamSize;
        if (known >= 0 && winnersAt > known)
            return Fail("FAIL - Can't positioning on winning ally data");
        // Checked before the stream is unpacked for nothing.
        if (winnersSize > MaxWinnersSize)
            return Fail("FAIL - Can't read winning ally data");
        if (!input.Skip(streamSize))
            return Fail("FAIL - Can't positioning on winning ally data");
        if (known >= 0 && winnersAt + winnersSize > known)
            return Fail("FAIL - Can't read winning ally data");
        QByteArray winners;
        if (!ReadExactly(input, winnersSize, winners))
            return Fail("FAIL - Can't read winning ally data");
        // Ally team numbers are unsigned bytes.
        for (const char c : qAsConst(winners))
            record.winningAllyTeams.append(int(uchar(c)));
    }

    qDebug().noquote() << "ReplaysManager :: SUCCESS"
                       << QStringLiteral("Engine: %1, Start at: %2, Duration: %3 secs")
                              .arg(record.engineVersion,
                                   record.startTime.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")))
                              .arg(record.duration);
    record.valid = gameTime > 0;
}

void ReadDemoData(const QByteArray& data, DataReplay& record)
{
    ResetDemoRecord(record.filePath, record);
    MemoryInput input(data);
    ReadDemo(input, record);
}

bool IsGzipFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(2);
    return start.size() == 2 && uchar(start[0]) == 0x1f && uchar(start[1]) == 0x8b;
}

void ReadDemoFile(const QString& path, DataReplay& record, const std::atomic<bool>* cancel)
{
    ResetDemoRecord(path, record);
    qDebug().noquote() << "ReplaysManager :: LOADING" << record.fileName;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail("FAIL - Can't open file");
    record.fileSize = file.size();

    const QByteArray signature = file.peek(2);
    if (signature.size() == 2 && uchar(signature[0]) == 0x1f && uchar(signature[1]) == 0x8b)
    {
        // zlib gets its own descriptor; the QFile only sized the file.
#ifdef Q_OS_WIN
        gzFile gz = gzopen_w(reinterpret_cast<const wchar_t*>(path.utf16()), "rb");
#else
        gzFile gz = gzopen(QFile::encodeName(path).constData(), "rb");
#endif
        file.close();
        if (!gz)
            return Fail("FAIL - Can't open file");
        gzbuffer(gz, 256 * 1024);
        GzipInput input(gz, cancel);
        ReadDemo(input, record);
        return;
    }

    FileInput input(file);
    ReadDemo(input, record);
}
