#include "MinimapCache.h"

#include "CommonIO.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QUrl>

namespace MinimapCache
{
namespace
{
void Prepare(QDataStream& stream)
{
    stream.setVersion(QDataStream::Qt_5_15);
    stream.setByteOrder(QDataStream::BigEndian);
    stream.setFloatingPointPrecision(QDataStream::SinglePrecision);
}

ReadResult Damaged(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
    return ReadResult::Damaged;
}
} // namespace

QString FileName(const QString& mapName)
{
    // Blanks and the usual punctuation of map names stay readable; separators, drive colons,
    // wildcards and control characters can't end up in a path.
    return QString::fromLatin1(QUrl::toPercentEncoding(mapName, " ()[]{}+,;=!'&@#$^")) +
           QStringLiteral(".minimap");
}

QString FilePath(const QString& folder, const QString& mapName)
{
    return folder + QLatin1Char('/') + FileName(mapName);
}

QByteArray ToBytes(const DataMinimap& minimap)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    Prepare(stream);
    stream << Magic << Version << minimap.mapName << minimap.infoText << qint32(minimap.width)
           << qint32(minimap.height) << qint32(minimap.minWind) << qint32(minimap.maxWind)
           << qint32(minimap.tidalStrength) << minimap.maxMetal << minimap.minimap;
    return bytes;
}

ReadResult FromDevice(QIODevice* device, DataMinimap& minimap, QString* reason)
{
    QDataStream stream(device);
    Prepare(stream);
    quint32 magic = 0;
    qint32 version = 0;
    stream >> magic >> version;
    if (stream.status() != QDataStream::Ok || magic != Magic)
        return Damaged(reason, QStringLiteral("not a minimap cache"));
    if (version != Version)
        return Damaged(reason, QStringLiteral("version %1").arg(version));

    DataMinimap read;
    qint32 width = 0, height = 0, minWind = 0, maxWind = 0, tidal = 0, hasPicture = 0;
    stream >> read.mapName >> read.infoText >> width >> height >> minWind >> maxWind >> tidal >>
        read.maxMetal >> hasPicture;
    if (stream.status() != QDataStream::Ok)
        return Damaged(reason, QStringLiteral("truncated"));
    if (hasPicture != 1)
        return Damaged(reason, QStringLiteral("no picture"));
    if (width < 0 || height < 0 || width > MaxMapSide || height > MaxMapSide)
        return Damaged(reason, QStringLiteral("map size %1 x %2").arg(width).arg(height));

    // The picture is read by hand rather than by the QImage stream operator, so that a damaged size
    // is refused before anything is allocated for it.
    QImageReader reader(device, "png");
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > MaxPictureSide || size.height() > MaxPictureSide)
        return Damaged(reason, QStringLiteral("picture size %1 x %2").arg(size.width()).arg(size.height()));
    read.minimap = reader.read();
    if (read.minimap.isNull())
        return Damaged(reason, QStringLiteral("picture: ") + reader.errorString());

    read.width = width;
    read.height = height;
    read.minWind = minWind;
    read.maxWind = maxWind;
    read.tidalStrength = tidal;
    read.loaded = true;
    minimap = read;
    return ReadResult::Ok;
}

ReadResult Read(const QString& path, const QString& mapName, DataMinimap& minimap, QString* reason)
{
    QByteArray bytes;
    QString problem;
    switch (CommonIO::ReadFile(path, MaxFileBytes, &bytes, &problem))
    {
    case CommonIO::ReadStatus::Ok:
        break;
    case CommonIO::ReadStatus::Missing:
        return ReadResult::Missing;
    case CommonIO::ReadStatus::Unreadable:
        return Damaged(reason, QStringLiteral("can't open: ") + problem);
    case CommonIO::ReadStatus::Damaged:
        // Out of the way, so that the cache can be built anew.
        return Damaged(reason, problem + QStringLiteral(" --- ") + CommonIO::SetAside(path));
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    DataMinimap read;
    const ReadResult result = FromDevice(&buffer, read, reason);
    if (result != ReadResult::Ok)
        return result;
    if (read.mapName != mapName)
        return Damaged(reason, QStringLiteral("holds the map \"%1\"").arg(read.mapName));
    minimap = read;
    return ReadResult::Ok;
}

bool Write(const QString& path, const DataMinimap& minimap, QString* error)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
    {
        if (error)
            *error = QStringLiteral("can't create the folder");
        return false;
    }
    const QByteArray bytes = ToBytes(minimap);
    return CommonIO::SaveFile(path, bytes, false, error);
}
} // namespace MinimapCache
