#include "DemoFile.h"

#include "CommonIO.h"
#include "ReplayScriptParser.h"

#include <QDebug>
#include <QFile>
#include <QtEndian>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <limits>
#include <mutex>
#include <zlib.h>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace DemoLimits;

namespace
{
constexpr int HeaderSize = 352;
constexpr qint64 ChunkSize = 1 << 20;

class FileInput : public DemoInput
{
public:
    explicit FileInput(QFile& file) : m_file(file) {}
    qint64 Read(char* data, qint64 size) override
    {
        const qint64 n = m_file.read(data, size);
        m_failed = m_failed || n < 0;
        return n;
    }
    bool Skip(qint64 size) override
    {
        const qint64 target = m_file.pos() + size;
        return target <= m_file.size() && m_file.seek(target);
    }
    qint64 Size() const override { return m_file.size(); }
    bool SystemFailed() const override { return m_failed; }

private:
    QFile& m_file;
    bool m_failed = false;
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
            {
                // Z_ERRNO is the system's failure; the others are damaged data.
                int error = Z_OK;
                gzerror(m_file, &error);
                m_failed = error == Z_ERRNO;
                return done > 0 ? done : -1;
            }
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
    bool SystemFailed() const override { return m_failed; }

private:
    gzFile m_file;
    const std::atomic<bool>* m_cancel;
    bool m_failed = false;
};

// Big scripts are held by few reader threads at a time. Small ones (every real script) never wait.
class ScriptBudget
{
public:
    static ScriptBudget& Instance()
    {
        static ScriptBudget budget;
        return budget;
    }

    // Waits until `bytes` fit beside the scripts being read; false when `cancel` came first.
    bool Take(qint64 bytes, const std::atomic<bool>* cancel)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (m_used > 0 && m_used + bytes > DemoLimits::ScriptBudget)
        {
            if (cancel && cancel->load())
                return false;
            m_released.wait_for(lock, std::chrono::milliseconds(10));
        }
        m_used += bytes;
        return true;
    }

    void Give(qint64 bytes)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_used -= bytes;
        }
        m_released.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_released;
    qint64 m_used = 0;
};

class ScriptReservation
{
public:
    ScriptReservation(qint64 bytes, const std::atomic<bool>* cancel)
        : m_bytes(bytes > SmallScriptSize ? bytes : 0)
    {
        m_held = m_bytes == 0 || ScriptBudget::Instance().Take(m_bytes, cancel);
    }
    ~ScriptReservation()
    {
        if (m_held && m_bytes > 0)
            ScriptBudget::Instance().Give(m_bytes);
    }
    ScriptReservation(const ScriptReservation&) = delete;
    ScriptReservation& operator=(const ScriptReservation&) = delete;
    bool Held() const { return m_held; }

private:
    qint64 m_bytes;
    bool m_held = false;
};

qint32 ReadInt32(const char* at)
{
    return qFromLittleEndian<qint32>(reinterpret_cast<const uchar*>(at));
}

// Reads exactly `size` bytes, growing the buffer only as data arrives, so a size field that
// lies cannot make us allocate more than the data really holds. With a counter, a script over its
// limits ends the read early (false, with the counter's refusal).
bool ReadExactly(DemoInput& input, qint64 size, QByteArray& out, ReplayScriptCounter* counter = nullptr)
{
    out.clear();
    while (out.size() < size)
    {
        const qint64 part = qMin(ChunkSize, size - out.size());
        const int old = out.size();
        out.resize(old + int(part));
        if (input.Read(out.data() + old, part) != part)
            return false;
        if (counter && !counter->Feed(out.constData() + old, part))
            return false;
    }
    return true;
}

bool Cancelled(const std::atomic<bool>* cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

// Logs why the read ended and tells whether that speaks for the file.
DemoOutcome Fail(const DemoInput& input, const std::atomic<bool>* cancel, const QString& message)
{
    if (Cancelled(cancel))
        return DemoOutcome::Stopped;
    qDebug().noquote() << "ReplaysManager ::" << message;
    return input.SystemFailed() ? DemoOutcome::Unreadable : DemoOutcome::Read;
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

DemoOutcome ReadDemo(DemoInput& input, DataReplay& record, const std::atomic<bool>* cancel)
{
    const auto fail = [&input, cancel](const QString& message) { return Fail(input, cancel, message); };
    char header[HeaderSize];
    if (input.Read(header, HeaderSize) != HeaderSize)
        return fail(QStringLiteral("FAIL - Can't read demo header"));

    const char* magicEnd = static_cast<const char*>(std::memchr(header, 0, 16));
    if (!magicEnd || std::strcmp(header, "spring demofile") != 0)
        return fail(QStringLiteral("FAIL - Wrong magic number in file"));
    if (ReadInt32(header + 16) != 5)
        return fail(QStringLiteral("FAIL - Wrong demo file version"));
    const qint32 headerSize = ReadInt32(header + 20);
    if (headerSize != HeaderSize)
        return fail(QStringLiteral("FAIL - Wrong demo file header size value"));

    record.gameId.clear();
    for (int i = 0; i < 16; ++i)
        record.gameId += QStringLiteral("%1").arg(uchar(header[280 + i]), 2, 16, QLatin1Char('0'));

    const char* versionStart = header + 24;
    const char* versionEnd = static_cast<const char*>(std::memchr(versionStart, 0, 256));
    if (!versionEnd)
        return fail(QStringLiteral("FAIL - Wrong engine version in file"));

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
    const qint32 teamCount = ReadInt32(header + 332);
    const qint32 winnersSize = ReadInt32(header + 348);
    record.duration = gameTime;

    if (scriptSize < 0 || streamSize < 0 || winnersSize < 0)
        return fail(QStringLiteral("FAIL - Wrong size values in demo header"));
    if (streamSize > MaxStreamSize)
        return fail(QStringLiteral("FAIL - Demo stream over the limits: %1 bytes, at most %2")
                        .arg(streamSize)
                        .arg(MaxStreamSize));

    const qint64 known = input.Size();
    if (scriptSize != 0)
    {
        if (scriptSize > MaxScriptSize)
            return fail(QStringLiteral("FAIL - Script over the limits: %1 bytes, at most %2")
                            .arg(scriptSize)
                            .arg(MaxScriptSize));
        if (known >= 0 && qint64(headerSize) + scriptSize > known)
            return fail(QStringLiteral("FAIL - Can't read script"));
        const ScriptReservation reservation(scriptSize, cancel);
        if (!reservation.Held())
            return DemoOutcome::Stopped;
        QByteArray script;
        ReplayScriptCounter counter;
        const bool read = ReadExactly(input, scriptSize, script, &counter);
        if (!counter.Refusal().isEmpty())
            return fail(QStringLiteral("FAIL - Script over the limits: ") + counter.Refusal());
        if (!read)
            return fail(QStringLiteral("FAIL - Can't read script"));
        ReplayScriptParser parser(ReplayScriptParser::Keep::RecordOnly);
        DataReplayScript parsed;
        bool parsedOk = false;
        {
            // The bytes go before the parse, the text right after it.
            const QString text = QString::fromUtf8(script);
            script = QByteArray();
            parsedOk = parser.ParseScript(text, parsed, cancel);
        }
        if (Cancelled(cancel))
            return DemoOutcome::Stopped;
        // What was found before a failure is kept, as the parser keeps it.
        if (!parsed.gameName.isNull() || parsedOk)
            record.gameName = parsed.gameName;
        if (!parsed.mapName.isNull() || parsedOk)
            record.mapName = parsed.mapName;
        record.players += parsed.players;
        record.spectators += parsed.spectators;
        if (!parsedOk && !parser.Refusal().isEmpty())
            return fail(QStringLiteral("FAIL - Script over the limits: ") + parser.Refusal());
        if (!parsedOk)
            return fail(QStringLiteral("FAIL - Script parse error"));
    }

    // The engine sets the winners' size but writes no list when the game had no teams: what lies
    // there is the players' statistics, and the file is shorter than its header's sizes.
    if (winnersSize != 0 && teamCount != 0)
    {
        const qint64 winnersAt = qint64(headerSize) + scriptSize + streamSize;
        if (known >= 0 && winnersAt > known)
            return fail(QStringLiteral("FAIL - Can't positioning on winning ally data"));
        // Checked before the stream is unpacked for nothing.
        if (winnersSize > MaxWinnersSize)
            return fail(QStringLiteral("FAIL - Can't read winning ally data"));
        if (!input.Skip(streamSize))
            return fail(QStringLiteral("FAIL - Can't positioning on winning ally data"));
        if (known >= 0 && winnersAt + winnersSize > known)
            return fail(QStringLiteral("FAIL - Can't read winning ally data"));
        QByteArray winners;
        if (!ReadExactly(input, winnersSize, winners))
            return fail(QStringLiteral("FAIL - Can't read winning ally data"));
        // Ally team numbers are unsigned bytes.
        for (const char c : qAsConst(winners))
            record.winningAllyTeams.append(int(uchar(c)));
    }
    // An input that does not watch the flag itself read to the end: the record still means nothing.
    if (Cancelled(cancel))
        return DemoOutcome::Stopped;

    qDebug().noquote() << "ReplaysManager :: SUCCESS"
                       << QStringLiteral("Engine: %1, Start at: %2, Duration: %3 secs")
                              .arg(record.engineVersion,
                                   record.startTime.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")))
                              .arg(record.duration);
    record.valid = gameTime > 0;
    return DemoOutcome::Read;
}

void ReadDemoData(const QByteArray& data, DataReplay& record)
{
    ResetDemoRecord(record.filePath, record);
    MemoryInput input(data);
    ReadDemo(input, record);
}

DemoOutcome ReadDemoFile(const QString& path, DataReplay& record, const std::atomic<bool>* cancel)
{
    ResetDemoRecord(path, record);
    qDebug().noquote() << "ReplaysManager :: LOADING" << record.fileName;

    QFile file;
    QString reason;
    const CommonIO::ReadStatus opened = CommonIO::OpenRegularFile(&file, path, &reason);
    if (opened != CommonIO::ReadStatus::Ok)
    {
        qDebug().noquote() << "ReplaysManager :: FAIL - Can't open file"
                           << QStringLiteral("(%1)").arg(reason);
        // What is no file at all (a FIFO, a device) will not become a demo; the rest may be readable later.
        return opened == CommonIO::ReadStatus::Damaged ? DemoOutcome::Read : DemoOutcome::Unreadable;
    }
    record.fileSize = file.size();

    const QByteArray signature = file.peek(2);
    if (signature.size() == 2 && uchar(signature[0]) == 0x1f && uchar(signature[1]) == 0x8b)
    {
        // zlib gets a descriptor of its own on the file already opened, from its start.
#ifdef Q_OS_WIN
        gzFile gz = gzopen_w(reinterpret_cast<const wchar_t*>(path.utf16()), "rb");
#else
        const int fd = ::fcntl(file.handle(), F_DUPFD_CLOEXEC, 0);
        gzFile gz = fd >= 0 && ::lseek(fd, 0, SEEK_SET) == 0 ? gzdopen(fd, "rb") : nullptr;
        if (!gz && fd >= 0)
            ::close(fd);
#endif
        file.close();
        if (!gz)
        {
            qDebug().noquote() << "ReplaysManager :: FAIL - Can't open file";
            return DemoOutcome::Unreadable;
        }
        gzbuffer(gz, 256 * 1024);
        GzipInput input(gz, cancel);
        return ReadDemo(input, record, cancel);
    }

    FileInput input(file);
    return ReadDemo(input, record, cancel);
}
