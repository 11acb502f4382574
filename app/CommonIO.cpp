#include "CommonIO.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QSet>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace CommonIO
{
namespace
{
ReadStatus Fail(ReadStatus status, QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
    return status;
}

#ifdef Q_OS_UNIX
QString KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a device");
}

ReadStatus FailErrno(int error, QString* reason)
{
    if (error == ENOENT || error == ENOTDIR)
        return Fail(ReadStatus::Missing, reason, QStringLiteral("missing"));
    if (error == ELOOP)
        return Fail(ReadStatus::Damaged, reason, QStringLiteral("a link loop"));
    if (error == ENXIO || error == ENODEV)
        return Fail(ReadStatus::Damaged, reason, QStringLiteral("not a regular file"));
    return Fail(ReadStatus::Unreadable, reason, QString::fromLocal8Bit(std::strerror(error)));
}
#endif
} // namespace

bool MakeDir(const QString& path)
{
    qDebug().noquote() << "CommonIO :: MAKE" << path;
    return QDir().mkpath(path);
}

bool Remove(const QString& path, bool quiet)
{
    const QFileInfo info(path);
    bool ok = false;
    if (info.isDir() && !info.isSymLink())
        ok = QDir(path).removeRecursively();
    else if (info.exists() || info.isSymLink())
        ok = QFile::remove(path);
    if (!quiet)
    {
        if (ok)
            qDebug().noquote() << "CommonIO :: REMOVE" << path;
        else
            qDebug().noquote() << "CommonIO :: CAN'T REMOVE" << path;
    }
    return ok;
}

bool RemoveDir(const QString& folder, bool contentsOnly)
{
    QDir dir(folder);
    if (!dir.exists())
        return true;
    if (!contentsOnly)
        return dir.removeRecursively();
    bool ok = true;
    const auto entries =
        dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries)
        ok = Remove(entry.absoluteFilePath(), true) && ok;
    return ok;
}

void ExplorerCommand(const QString& path, QString* program, QStringList* arguments)
{
    const QFileInfo info(path);
#ifdef Q_OS_WIN
    *program = QStringLiteral("explorer.exe");
    if (info.isDir())
        *arguments = QStringList{QDir::toNativeSeparators(path)};
    else
        *arguments = QStringList{QStringLiteral("/select,") + QDir::toNativeSeparators(path)};
#else
    // Linux file browsers cannot select a file: open its folder.
    *program = QStringLiteral("xdg-open");
    *arguments = QStringList{info.isDir() ? path : info.absolutePath()};
#endif
}

void ShowInExplorer(const QString& path)
{
    QString program;
    QStringList arguments;
    ExplorerCommand(path, &program, &arguments);
    if (!QProcess::startDetached(program, arguments))
        qDebug().noquote() << "CommonIO :: CAN NOT SHOW ---" << path;
}

ReadStatus OpenRegularFile(QFile* file, const QString& path, QString* reason)
{
    if (path.isEmpty())
        return Fail(ReadStatus::Missing, reason, QStringLiteral("no file name"));
#ifdef Q_OS_UNIX
    if (!path.startsWith(QLatin1Char(':')))
    {
        const QByteArray native = QFile::encodeName(path);
        struct stat info;
        // Refused by its kind before it is opened: opening some devices does something already.
        if (::stat(native.constData(), &info) != 0)
            return FailErrno(errno, reason);
        if (S_ISDIR(info.st_mode))
            return Fail(ReadStatus::Unreadable, reason, KindOf(info.st_mode));
        if (!S_ISREG(info.st_mode))
            return Fail(ReadStatus::Damaged, reason, KindOf(info.st_mode));
        // Non-blocking, in case a FIFO took the file's place since: then the open returns at once
        // and the check below refuses it.
        const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0)
            return FailErrno(errno, reason);
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        {
            const ReadStatus status = S_ISDIR(info.st_mode) ? ReadStatus::Unreadable : ReadStatus::Damaged;
            ::close(fd);
            return Fail(status, reason, KindOf(info.st_mode));
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        {
            ::close(fd);
            return Fail(ReadStatus::Unreadable, reason, file->errorString());
        }
        return ReadStatus::Ok;
    }
#endif
    const QFileInfo info(path);
    if (!info.exists())
        return Fail(ReadStatus::Missing, reason, QStringLiteral("missing"));
    if (info.isDir())
        return Fail(ReadStatus::Unreadable, reason, QStringLiteral("a folder"));
    if (!info.isFile())
        return Fail(ReadStatus::Damaged, reason, QStringLiteral("not a regular file"));
    file->setFileName(path);
    if (!file->open(QIODevice::ReadOnly))
        return Fail(ReadStatus::Unreadable, reason, file->errorString());
    return ReadStatus::Ok;
}

ReadStatus ReadFile(const QString& path, qint64 maxBytes, QByteArray* content, QString* reason)
{
    content->clear();
    QFile file;
    const ReadStatus opened = OpenRegularFile(&file, path, reason);
    if (opened != ReadStatus::Ok)
        return opened;
    const QString tooLarge = QStringLiteral("larger than %1 bytes").arg(maxBytes);
    if (file.size() > maxBytes)
        return Fail(ReadStatus::Damaged, reason, tooLarge);
    // One byte more than allowed tells a file that grew since from one that did not.
    QByteArray data = file.read(file.size() + 1);
    while (data.size() <= maxBytes)
    {
        const QByteArray more = file.read(qMin<qint64>(64 * 1024, maxBytes + 1 - data.size()));
        if (more.isEmpty())
            break;
        data += more;
    }
    if (file.error() != QFileDevice::NoError)
        return Fail(ReadStatus::Unreadable, reason, file.errorString());
    if (data.size() > maxBytes)
        return Fail(ReadStatus::Damaged, reason, tooLarge);
    *content = data;
    return ReadStatus::Ok;
}

bool SaveFile(const QString& path, const QByteArray& bytes, bool text, QString* error)
{
    QSaveFile file(path);
    // The explicit flush: commit() flushes too, but does not see that flush fail (a full disk), and
    // would put a cut-short file in place of the old one.
    if (file.open(text ? QIODevice::WriteOnly | QIODevice::Text : QIODevice::WriteOnly) &&
        file.write(bytes) == bytes.size() && file.flush() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    file.cancelWriting();
    return false;
}

QString CorruptPath(const QString& path, int copy)
{
    const QString newest = path + QStringLiteral(".corrupt");
    return copy <= 0 ? newest : newest + QStringLiteral(".%1").arg(copy);
}

namespace
{
bool IsThere(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool Rename(const QString& from, const QString& to)
{
#ifdef Q_OS_WIN
    return QFile::rename(from, to);
#else
    // A plain rename, also for a FIFO or a link: QFile::rename would copy where it cannot rename.
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

// Frees CorruptPath(path) for the newest copy: the copies up to the first free number move one
// number up; when every number is taken, the oldest copy goes. A folder there is never removed.
bool MakeRoomAside(const QString& path)
{
    int free = 0;
    while (free < CorruptCopies && IsThere(CorruptPath(path, free)))
        ++free;
    if (free == CorruptCopies)
    {
        free = CorruptCopies - 1;
        const QString oldest = CorruptPath(path, free);
        const QFileInfo info(oldest);
        if ((info.isDir() && !info.isSymLink()) || !QFile::remove(oldest))
            return false;
    }
    for (int copy = free; copy > 0; --copy)
    {
        if (!Rename(CorruptPath(path, copy - 1), CorruptPath(path, copy)))
            return false;
    }
    return true;
}
} // namespace

bool MoveAside(const QString& path)
{
    const QFileInfo info(path);
    if ((info.isDir() && !info.isSymLink()) || !IsThere(path))
        return false;
    return MakeRoomAside(path) && Rename(path, CorruptPath(path));
}

QString SetAside(const QString& path, bool* moved)
{
    const bool done = MoveAside(path);
    if (moved)
        *moved = done;
    return done ? QStringLiteral("kept as ") + CorruptPath(path) : QStringLiteral("left where it is");
}

bool KeepAside(const QString& path, const QByteArray& bytes)
{
    return MakeRoomAside(path) && SaveFile(CorruptPath(path), bytes);
}

QString ForLog(const QString& text, int maxLength)
{
    if (text.size() <= maxLength)
        return text;
    return text.left(maxLength) + QStringLiteral("... (%1 characters)").arg(text.size());
}

bool IsSaveLeftover(const QString& fileName, const QStringList& names)
{
    const int dot = fileName.size() - 7;
    if (dot < 1 || fileName.at(dot) != QLatin1Char('.'))
        return false;
    const QString suffix = fileName.mid(dot + 1);
    for (const QChar c : suffix)
    {
        if ((c.unicode() < 'a' || c.unicode() > 'z') && (c.unicode() < 'A' || c.unicode() > 'Z'))
            return false;
    }
    // Qt draws each letter from a-z and A-Z by chance, so any six letters may be its; these words, in
    // any case, are one of its names in 25 million, and far likelier a copy the player named.
    static const QSet<QString> words{
        QStringLiteral("backup"), QStringLiteral("before"), QStringLiteral("broken"),
        QStringLiteral("copied"), QStringLiteral("custom"), QStringLiteral("edited"),
        QStringLiteral("latest"), QStringLiteral("manual"), QStringLiteral("modded"),
        QStringLiteral("normal"), QStringLiteral("stable"), QStringLiteral("tested")};
    return !words.contains(suffix.toLower()) && QDir::match(names, fileName.left(dot));
}

int RemoveSaveLeftovers(const QString& folder, const QStringList& names, const QDateTime& before)
{
    int removed = 0;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries)
    {
        // A younger one may belong to a save another copy of the program is making right now.
        if (IsSaveLeftover(entry.fileName(), names) && entry.lastModified() < before &&
            QFile::remove(entry.absoluteFilePath()))
        {
            qDebug().noquote() << "CommonIO :: REMOVE LEFTOVER ---" << entry.absoluteFilePath();
            ++removed;
        }
    }
    return removed;
}
} // namespace CommonIO
