#include "ContentScanCache.h"
#include "CommonIO.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ContentScanCache
{
namespace
{
void Prepare(QDataStream& stream)
{
    stream.setVersion(QDataStream::Qt_5_15);
    stream.setByteOrder(QDataStream::BigEndian);
}

ReadResult Damaged(QString* reason, const QString& text, ReadResult result = ReadResult::Damaged)
{
    if (reason)
        *reason = text;
    return result;
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
               << it->content.description << it->problem << qint32(it->outcome);
    }
    return bytes;
}

ReadResult FromBytes(const QByteArray& bytes, Records& records, QString* reason)
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
        return Damaged(reason, QStringLiteral("version %1").arg(version), ReadResult::OtherVersion);
    if (count < 0 || count > MaxRecords)
        return Damaged(reason, QStringLiteral("%1 records").arg(count));

    Records read;
    for (qint32 i = 0; i < count; ++i)
    {
        QString path;
        Record record;
        qint32 kind = 0;
        qint32 outcome = 0;
        stream >> path >> record.size >> record.modified >> kind >> record.content.name >>
            record.content.description >> record.problem >> outcome;
        if (stream.status() != QDataStream::Ok)
            return Damaged(reason, QStringLiteral("truncated"));
        if (kind < int(ContentNaming::Kind::None) || kind > int(ContentNaming::Kind::Game) ||
            path.isEmpty() || (kind != int(ContentNaming::Kind::None) && record.content.name.isEmpty()) ||
            outcome < int(ContentArchive::Outcome::Read) ||
            outcome > int(ContentArchive::Outcome::EngineCantUnpack) ||
            (outcome == int(ContentArchive::Outcome::Read)) != record.problem.isEmpty())
            return Damaged(reason, QStringLiteral("record %1 makes no sense").arg(i));
        record.content.kind = ContentNaming::Kind(kind);
        record.outcome = ContentArchive::Outcome(outcome);
        read.insert(path, record);
    }
    if (!stream.atEnd())
        return Damaged(reason, QStringLiteral("trailing bytes"));
    records = read;
    return ReadResult::Ok;
}

ReadResult Read(const QString& path, Records& records, QString* reason)
{
    // A FIFO or device in its place must not block the scan, nor a huge file fill the memory.
    QByteArray bytes;
    QString why;
    switch (CommonIO::ReadFile(path, MaxFileSize, &bytes, &why))
    {
    case CommonIO::ReadStatus::Missing:
        return ReadResult::Missing;
    case CommonIO::ReadStatus::Ok:
        return FromBytes(bytes, records, reason);
    default:
        Damaged(reason, why);
        return ReadResult::Damaged;
    }
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
    return CommonIO::SaveFile(path, bytes, false, error);
}
} // namespace ContentScanCache
