#include "ContentScanCache.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ContentScanCache
{
namespace
{
void Prepare(QDataStream& stream)
{
    stream.setVersion(QDataStream::Qt_5_15);
    stream.setByteOrder(QDataStream::BigEndian);
}

bool Damaged(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
    return false;
}
} // namespace

QByteArray ToBytes(const Records& records)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    Prepare(stream);
    stream << Magic << Version << qint32(records.size());
    for (auto it = records.cbegin(); it != records.cend(); ++it)
    {
        stream << it.key() << it->size << it->modified << qint32(it->content.kind) << it->content.name
               << it->content.description << it->problem;
    }
    return bytes;
}

bool FromBytes(const QByteArray& bytes, Records& records, QString* reason)
{
    QDataStream stream(bytes);
    Prepare(stream);
    quint32 magic = 0;
    qint32 version = 0;
    qint32 count = 0;
    stream >> magic >> version >> count;
    if (stream.status() != QDataStream::Ok || magic != Magic)
        return Damaged(reason, QStringLiteral("not a scan cache"));
    if (version != Version)
        return Damaged(reason, QStringLiteral("version %1").arg(version));
    if (count < 0 || count > MaxRecords)
        return Damaged(reason, QStringLiteral("%1 records").arg(count));

    Records read;
    for (qint32 i = 0; i < count; ++i)
    {
        QString path;
        Record record;
        qint32 kind = 0;
        stream >> path >> record.size >> record.modified >> kind >> record.content.name >>
            record.content.description >> record.problem;
        if (stream.status() != QDataStream::Ok)
            return Damaged(reason, QStringLiteral("truncated"));
        if (kind < int(ContentNaming::Kind::None) || kind > int(ContentNaming::Kind::Game) ||
            path.isEmpty() || (kind != int(ContentNaming::Kind::None) && record.content.name.isEmpty()))
            return Damaged(reason, QStringLiteral("record %1 makes no sense").arg(i));
        record.content.kind = ContentNaming::Kind(kind);
        read.insert(path, record);
    }
    if (!stream.atEnd())
        return Damaged(reason, QStringLiteral("trailing bytes"));
    records = read;
    return true;
}

ReadResult Read(const QString& path, Records& records, QString* reason)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return ReadResult::Missing;
    // A FIFO or device in its place must not block the scan, nor a huge file fill the memory.
    if (!info.isFile())
    {
        Damaged(reason, QStringLiteral("not a regular file"));
        return ReadResult::Damaged;
    }
    if (info.size() > MaxFileSize)
    {
        Damaged(reason, QStringLiteral("larger than %1 bytes").arg(MaxFileSize));
        return ReadResult::Damaged;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
    {
        Damaged(reason, QStringLiteral("can't open: ") + file.errorString());
        return ReadResult::Damaged;
    }
    return FromBytes(file.read(MaxFileSize + 1), records, reason) ? ReadResult::Ok : ReadResult::Damaged;
}

bool Write(const QString& path, const Records& records, QString* error)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
    {
        if (error)
            *error = QStringLiteral("can't create the folder");
        return false;
    }
    const QByteArray bytes = ToBytes(records);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}
} // namespace ContentScanCache
