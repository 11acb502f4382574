#include "RegularFile.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace RegularFile
{
namespace
{
constexpr qint64 ChunkSize = 1 << 20;

#ifdef Q_OS_UNIX
Status FromErrno(int error)
{
    if (error == ENOENT || error == ENOTDIR)
        return Status::Missing;
    if (error == EACCES || error == EPERM)
        return Status::Denied;
    return Status::Failed;
}
#endif
} // namespace

Status Open(const QString& path, QFile& file)
{
#ifdef Q_OS_UNIX
    // Without O_NONBLOCK, opening a FIFO waits for a writer; the type is checked on what was opened,
    // so nothing can be swapped in between.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return FromErrno(errno);
    struct stat info;
    if (::fstat(fd, &info) != 0)
    {
        const Status status = FromErrno(errno);
        ::close(fd);
        return status;
    }
    if (!S_ISREG(info.st_mode))
    {
        ::close(fd);
        return Status::NotRegular;
    }
    // A regular file never waits; plain blocking reads keep zlib and QFile simple.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
    {
        ::close(fd);
        return Status::Failed;
    }
    return Status::Ok;
#else
    const QFileInfo info(path);
    if (!info.exists())
        return Status::Missing;
    if (!info.isFile())
        return Status::NotRegular;
    file.setFileName(path);
    if (file.open(QIODevice::ReadOnly))
        return Status::Ok;
    return file.error() == QFileDevice::PermissionsError ? Status::Denied : Status::Failed;
#endif
}

Status Read(const QString& path, qint64 maxBytes, QByteArray& data)
{
    data.clear();
    QFile file;
    const Status opened = Open(path, file);
    if (opened != Status::Ok)
        return opened;
    if (file.size() > maxBytes)
        return Status::TooBig;
    // Read by pieces: the file may grow while we read it.
    for (;;)
    {
        const qint64 room = maxBytes + 1 - data.size();
        const QByteArray piece = file.read(qMin(ChunkSize, room));
        if (file.error() != QFileDevice::NoError)
            return Status::Failed;
        if (piece.isEmpty())
            return Status::Ok;
        data += piece;
        if (data.size() > maxBytes)
        {
            data.clear();
            return Status::TooBig;
        }
    }
}

QString Describe(Status status)
{
    switch (status)
    {
    case Status::Ok:
        return QStringLiteral("read");
    case Status::Missing:
        return QStringLiteral("missing");
    case Status::Denied:
        return QStringLiteral("permission denied");
    case Status::NotRegular:
        return QStringLiteral("not a regular file");
    case Status::TooBig:
        return QStringLiteral("over the size limit");
    case Status::Failed:
        break;
    }
    return QStringLiteral("read error");
}
} // namespace RegularFile
