#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <csignal>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <utime.h>

// Small file helpers for tests that lay out folders and read back what the code wrote.
namespace TestFiles
{
// Writes `content`, creating the folders above; true when every byte was written.
inline bool Write(const QString& path, const QByteArray& content, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        return false;
    file.close();
    return !executable || file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

// The file's bytes, or "<missing>" when it cannot be read.
inline QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Gives an existing file or folder the modification time `time`.
inline bool SetModified(const QString& path, const QDateTime& time)
{
    const utimbuf times{time_t(time.toSecsSinceEpoch()), time_t(time.toSecsSinceEpoch())};
    return ::utime(QFile::encodeName(path).constData(), &times) == 0;
}

// Fills a file's place the way a damaged disk or a hostile user can: "" a regular file of
// `content`, "folder", "link loop", "unreadable" (`content`, no permissions), "FIFO" (nobody
// writes into it), "large:<bytes>" (zero bytes that take no disk space).
inline bool Place(const QString& path, const QString& kind, const QByteArray& content = QByteArray())
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray native = QFile::encodeName(path);
    if (kind == QLatin1String("folder"))
        return QDir().mkpath(path + QStringLiteral("/inside"));
    if (kind == QLatin1String("link loop"))
        return QFile::link(path + QStringLiteral(".loop"), path) &&
               QFile::link(path, path + QStringLiteral(".loop"));
    if (kind == QLatin1String("FIFO"))
        return ::mkfifo(native.constData(), 0600) == 0;
    if (kind.startsWith(QLatin1String("large:")))
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.resize(kind.mid(6).toLongLong());
    }
    if (kind == QLatin1String("unreadable"))
        return Write(path, content) && QFile::setPermissions(path, QFileDevice::Permissions());
    return kind.isEmpty() && Write(path, content);
}

// While one lives, the calling thread and the threads it starts check file permissions as any
// user does: a test run as root (CI) meets an unreadable file too.
class AsPlainUser
{
public:
    AsPlainUser() { Set(false); }
    ~AsPlainUser() { Set(true); }
    AsPlainUser(const AsPlainUser&) = delete;
    AsPlainUser& operator=(const AsPlainUser&) = delete;

private:
    static void Set(bool overrides)
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        if (::syscall(SYS_capget, &header, data) != 0)
            return;
        for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
        {
            const __u32 bit = 1u << (cap % 32);
            data[cap / 32].effective = overrides
                                           ? (data[cap / 32].effective | (data[cap / 32].permitted & bit))
                                           : (data[cap / 32].effective & ~bit);
        }
        ::syscall(SYS_capset, &header, data);
    }
};

// Runs `load` as a plain user; true when it returned within `ms`, as a read never does that waits on
// a FIFO.
template <typename Load>
bool ReturnsPromptly(qint64 ms, Load load)
{
    const AsPlainUser user;
    const QDateTime start = QDateTime::currentDateTimeUtc();
    load();
    return start.msecsTo(QDateTime::currentDateTimeUtc()) < ms;
}

// Runs `write` with a limit on the size of the files this process writes: past it a write fails
// part-way with EFBIG, as on a full disk (the signal that would end the process is ignored).
template <typename Write>
void WithFileSizeLimit(rlim_t bytes, Write write)
{
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit limit = old;
    limit.rlim_cur = bytes;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    write();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
}
} // namespace TestFiles
