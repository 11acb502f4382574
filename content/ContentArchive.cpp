#include "ContentArchive.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <archive.h>
#include <archive_entry.h>

#include <functional>
#include <memory>

namespace ContentArchive
{
namespace
{
using ArchivePtr = std::unique_ptr<archive, decltype(&archive_read_free)>;

enum class Format
{
    Zip,
    SevenZip,
    Any
};

void SetError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QString ArchiveError(archive* reader)
{
    const char* text = archive_error_string(reader);
    return text ? QString::fromUtf8(text) : QStringLiteral("not an archive of its kind");
}

ArchivePtr NewReader(Format format)
{
    ArchivePtr reader(archive_read_new(), &archive_read_free);
    if (format != Format::SevenZip)
        archive_read_support_format_zip(reader.get());
    if (format != Format::Zip)
        archive_read_support_format_7zip(reader.get());
    return reader;
}

// Which of the files the engine names content by this path is. Only files at the top count.
enum class Role
{
    None,
    MapInfo,
    ModInfo,
    MapFile
};

Role RoleOf(const QString& path)
{
    const QString lower = path.toLower();
    if (lower == QLatin1String("mapinfo.lua"))
        return Role::MapInfo;
    if (lower == QLatin1String("modinfo.lua"))
        return Role::ModInfo;
    if (lower.endsWith(QLatin1String(".smf")))
        return Role::MapFile;
    return Role::None;
}

bool ReadEntry(archive* reader, archive_entry* entry, const QString& name, QByteArray* out, QString* error)
{
    const QString tooLarge = QStringLiteral("%1 is larger than %2 bytes").arg(name).arg(MaxInfoFileSize);
    if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > MaxInfoFileSize)
    {
        SetError(error, tooLarge);
        return false;
    }
    QByteArray data;
    char buffer[16384];
    while (true)
    {
        const la_ssize_t read = archive_read_data(reader, buffer, sizeof buffer);
        if (read < 0)
        {
            SetError(error, name + QStringLiteral(": ") + ArchiveError(reader));
            return false;
        }
        if (read == 0)
            break;
        // The size in the header may lie.
        if (data.size() + read > MaxInfoFileSize)
        {
            SetError(error, tooLarge);
            return false;
        }
        data.append(buffer, int(read));
    }
    *out = data;
    return true;
}

// Reads and drops the rest of the current entry's data.
bool Consume(archive* reader)
{
    char buffer[16384];
    la_ssize_t read = 0;
    while ((read = archive_read_data(reader, buffer, sizeof buffer)) > 0)
    {
    }
    return read == 0;
}

// With `consumeAll`, every entry's data is unpacked rather than skipped.
bool ReadEntries(archive* reader, ContentFiles& files, QString* error, bool consumeAll)
{
    ContentFiles found;
    archive_entry* entry = nullptr;
    // Reaching an entry of a 7z archive unpacks what comes before it: a bound on that keeps a
    // hostile archive from holding up the scan.
    qint64 before = 0;
    const auto tooFar = [&](const QString& path, qint64 size)
    {
        if (archive_format(reader) != ARCHIVE_FORMAT_7ZIP || before + size <= MaxUnpackedBefore)
            return false;
        SetError(error,
                 QStringLiteral("more than %1 bytes to unpack before %2").arg(MaxUnpackedBefore).arg(path));
        return true;
    };
    for (int count = 0;; ++count)
    {
        const int result = archive_read_next_header(reader, &entry);
        if (result == ARCHIVE_EOF)
            break;
        if (result < ARCHIVE_WARN)
        {
            SetError(error, ArchiveError(reader));
            return false;
        }
        if (count >= MaxEntries)
        {
            SetError(error, QStringLiteral("more than %1 files").arg(MaxEntries));
            return false;
        }
        if (archive_entry_filetype(entry) != AE_IFREG)
            continue;
        const char* utf8 = archive_entry_pathname_utf8(entry);
        const char* raw = archive_entry_pathname(entry);
        const QString path = utf8 ? QString::fromUtf8(utf8) : QString::fromLocal8Bit(raw ? raw : "");
        const qint64 size = qMax<qint64>(0, archive_entry_size(entry));
        // The first of each info file counts.
        const auto readInfo = [&](bool* has, QByteArray* into)
        {
            if (*has)
                return true;
            *has = true;
            return !tooFar(path, 0) && ReadEntry(reader, entry, path, into, error);
        };
        const Role role = RoleOf(path);
        if ((role == Role::MapInfo && !readInfo(&found.hasMapInfo, &found.mapInfo)) ||
            (role == Role::ModInfo && !readInfo(&found.hasModInfo, &found.modInfo)))
            return false;
        if (role == Role::MapFile && found.mapFile.isEmpty())
            found.mapFile = path;
        // That is all a map needs; the rest of a 7z archive would have to be unpacked to be listed.
        if (found.hasMapInfo && !found.mapFile.isEmpty())
            break;
        if (consumeAll && tooFar(path, size))
            return false;
        if (consumeAll && !Consume(reader))
        {
            SetError(error, path + QStringLiteral(": ") + ArchiveError(reader));
            return false;
        }
        before += size;
    }
    files = found;
    return true;
}

// Reads from a new reader that `open` opens on the source.
bool ReadWith(const std::function<bool(archive*)>& open, Format format, ContentFiles& files, QString* error)
{
    // libarchive (3.6) can't read a 7z entry after skipping others in some archives that 7-Zip
    // reads well (those libarchive writes itself, for one): those are unpacked up to the entry.
    QString failure;
    for (const bool consumeAll : {false, true})
    {
        ArchivePtr reader = NewReader(format);
        if (!open(reader.get()))
        {
            SetError(error, ArchiveError(reader.get()));
            return false;
        }
        if (ReadEntries(reader.get(), files, &failure, consumeAll))
            return true;
        if (format == Format::Zip)
            break;
    }
    SetError(error, failure);
    return false;
}

bool ReadSmallFile(const QString& path, QByteArray* out, QString* error)
{
    // A FIFO or device in place of the file must not block the scan.
    const QFileInfo info(path);
    if (!info.isFile())
    {
        SetError(error, info.fileName() + QStringLiteral(" is not a regular file"));
        return false;
    }
    if (info.size() > MaxInfoFileSize)
    {
        SetError(error,
                 QStringLiteral("%1 is larger than %2 bytes").arg(info.fileName()).arg(MaxInfoFileSize));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
    {
        SetError(error, info.fileName() + QStringLiteral(": ") + file.errorString());
        return false;
    }
    *out = file.read(MaxInfoFileSize);
    return true;
}
} // namespace

bool ReadArchive(const QString& path, ContentFiles& files, QString* error)
{
    if (!QFileInfo(path).isFile())
    {
        SetError(error, QStringLiteral("not a regular file"));
        return false;
    }
    const Format format =
        QFileInfo(path).suffix().toLower() == QLatin1String("sd7") ? Format::SevenZip : Format::Zip;
    return ReadWith(
        [&](archive* reader) {
            return archive_read_open_filename(reader, QFile::encodeName(path).constData(), 65536) ==
                   ARCHIVE_OK;
        },
        format, files, error);
}

bool ReadArchiveBytes(const QByteArray& bytes, ContentFiles& files, QString* error)
{
    return ReadWith(
        [&](archive* reader)
        { return archive_read_open_memory(reader, bytes.constData(), size_t(bytes.size())) == ARCHIVE_OK; },
        Format::Any, files, error);
}

bool ReadFolder(const QString& path, ContentFiles& files, QString* error)
{
    ContentFiles found;
    const QFileInfoList top = QDir(path).entryInfoList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
    for (const QFileInfo& info : top)
    {
        const Role role = RoleOf(info.fileName());
        if (role == Role::MapInfo && !found.hasMapInfo)
        {
            if (!ReadSmallFile(info.filePath(), &found.mapInfo, error))
                return false;
            found.hasMapInfo = true;
        }
        else if (role == Role::ModInfo && !found.hasModInfo)
        {
            if (!ReadSmallFile(info.filePath(), &found.modInfo, error))
                return false;
            found.hasModInfo = true;
        }
    }
    // Map files are looked for only where the name may come from one: a folder has no order of its
    // own, so the first in path order is taken.
    if (!found.hasModInfo || found.hasMapInfo)
    {
        QDirIterator it(path, QDir::Files, QDirIterator::Subdirectories);
        for (int count = 0; it.hasNext(); ++count)
        {
            const QString file = it.next();
            if (count >= MaxEntries)
            {
                SetError(error, QStringLiteral("more than %1 files").arg(MaxEntries));
                return false;
            }
            if (RoleOf(file) != Role::MapFile)
                continue;
            const QString relative = QDir(path).relativeFilePath(file);
            if (found.mapFile.isEmpty() || relative < found.mapFile)
                found.mapFile = relative;
        }
    }
    files = found;
    return true;
}
} // namespace ContentArchive
