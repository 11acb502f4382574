#include "ContentArchive.h"

#include "ContentArchiveFormats.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace ContentArchiveFormats
{
bool Source::SeekTo(qint64 offset, qint64 length)
{
    return offset >= 0 && length >= 0 && offset <= m_size && length <= m_size - offset &&
           m_device->seek(offset);
}

bool Source::ReadAt(qint64 offset, qint64 length, QByteArray* out)
{
    if (length > INT_MAX || !SeekTo(offset, length))
        return false;
    *out = m_device->read(length);
    return out->size() == length;
}

bool Source::ReadAt(qint64 offset, qint64 length, char* out)
{
    return SeekTo(offset, length) && m_device->read(out, length) == length;
}

Outcome Source::Hold(MemoryBudget::Reservation& held, qint64 bytes, QString* error)
{
    QString why;
    if (held.Budget() != &m_budget)
        held = m_budget.Reserve(bytes, m_setAside, &why);
    else
        held.Resize(bytes, m_setAside, &why);
    switch (held.GetStatus())
    {
    case MemoryBudget::Status::Granted:
        return Outcome::Read;
    case MemoryBudget::Status::SetAside:
        return Fail(error, Outcome::SetAside, why);
    case MemoryBudget::Status::Refused:
        break;
    }
    return Fail(error, Outcome::Damaged, why);
}

qint64 DirectoryCost(qint64 size, qint64 entries)
{
    // The bytes as read, the names made of them (at most twice as many bytes) and, per file, a
    // name's and a record's own share.
    return 3 * size + qMin(entries, qint64(ContentArchive::MaxEntries)) * 128;
}

qint64 ListCost(const QStringList& names)
{
    qint64 cost = 0;
    for (const QString& name : names)
        cost += 2 * name.size() + 128;
    return cost;
}

QString TooLarge(const QString& name, qint64 limit)
{
    return QStringLiteral("%1 is larger than %2 bytes").arg(name).arg(limit);
}

Outcome Fail(QString* error, Outcome outcome, const QString& text)
{
    if (error)
        *error = text;
    return outcome;
}
} // namespace ContentArchiveFormats

namespace ContentArchive
{
namespace
{
using namespace ContentArchiveFormats;

// Which of the files the engine names content by this path is. Only info files at the top count.
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

Outcome ReadFrom(Reader& reader, ContentFiles& files, QString* error)
{
    const Outcome opened = reader.Open(error);
    if (opened != Outcome::Read)
        return opened;
    ContentFiles found;
    int mapInfo = -1;
    int modInfo = -1;
    const QStringList& names = reader.Files();
    for (int i = 0; i < names.size(); ++i)
    {
        // The first of each counts, as for the engine.
        switch (RoleOf(names.at(i)))
        {
        case Role::MapInfo:
            mapInfo = mapInfo < 0 ? i : mapInfo;
            break;
        case Role::ModInfo:
            modInfo = modInfo < 0 ? i : modInfo;
            break;
        case Role::MapFile:
            if (found.mapFile.isEmpty())
                found.mapFile = names.at(i);
            break;
        case Role::None:
            break;
        }
    }
    found.hasMapInfo = mapInfo >= 0;
    found.hasModInfo = modInfo >= 0;
    // The engine names an archive holding a mapinfo.lua by that file alone.
    const int info = found.hasMapInfo ? mapInfo : modInfo;
    if (info >= 0)
    {
        const Outcome read =
            reader.ReadFile(info, MaxInfoFileSize, found.hasMapInfo ? &found.mapInfo : &found.modInfo, error);
        if (read != Outcome::Read)
            return read;
    }
    files = found;
    return Outcome::Read;
}

Outcome ReadDevice(QIODevice* device, bool sevenZip, ContentFiles& files, QString* error,
                   MemoryBudget& budget, bool setAside)
{
    Source source(device, budget, setAside);
    const std::unique_ptr<Reader> reader = sevenZip ? NewSevenZipReader(source) : NewZipReader(source);
    return ReadFrom(*reader, files, error);
}

bool ReadSmallFile(const QString& path, QByteArray* out, QString* error)
{
    // A FIFO or device in place of the file must not block the scan.
    const QFileInfo info(path);
    if (!info.isFile())
    {
        Fail(error, Outcome::Damaged, info.fileName() + QStringLiteral(" is not a regular file"));
        return false;
    }
    if (info.size() > MaxInfoFileSize)
    {
        Fail(error, Outcome::Damaged, TooLarge(info.fileName(), MaxInfoFileSize));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
    {
        Fail(error, Outcome::Damaged, info.fileName() + QStringLiteral(": ") + file.errorString());
        return false;
    }
    *out = file.read(MaxInfoFileSize);
    return true;
}
} // namespace

Outcome ReadArchive(const QString& path, ContentFiles& files, QString* error, MemoryBudget& budget,
                    bool setAside)
{
    // Checked before the open: a FIFO would block it.
    if (!QFileInfo(path).isFile())
        return Fail(error, Outcome::Damaged, QStringLiteral("not a regular file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(error, Outcome::Damaged, file.errorString());
    const bool sevenZip = QFileInfo(path).suffix().toLower() == QLatin1String("sd7");
    return ReadDevice(&file, sevenZip, files, error, budget, setAside);
}

Outcome ReadArchiveBytes(const QByteArray& bytes, ContentFiles& files, QString* error, MemoryBudget& budget)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadDevice(&buffer, IsSevenZip(bytes), files, error, budget, false);
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
                Fail(error, Outcome::Damaged, QStringLiteral("more than %1 files").arg(MaxEntries));
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
