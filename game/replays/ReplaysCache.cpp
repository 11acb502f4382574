#include "ReplaysCache.h"

#include "CommonIO.h"

#include <QDataStream>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QVector>

#include <algorithm>

namespace ReplaysCache
{
namespace
{
const QChar FieldSeparator(0x0C);
const QChar EntrySeparator(0x07);
const QChar PartSeparator(0x09);

QString FileNameOf(const QString& path)
{
    const int at = path.lastIndexOf(QDir::separator());
    return at < 0 ? path : path.mid(at + 1);
}

int ToInt(const QString& text, int base = 10)
{
    bool ok = false;
    const int value = text.toInt(&ok, base);
    return ok ? value : 0;
}

qint64 ToInt64(const QString& text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? value : 0;
}

QString PlayerEntry(const DataPlayer& player)
{
    const QColor color = player.color;
    return QStringList{EscapeText(player.name),
                       EscapeText(player.country),
                       EscapeText(player.rank),
                       HexByte(color.red()) + HexByte(color.green()) + HexByte(color.blue()),
                       QString::number(player.side),
                       EscapeText(player.sideName),
                       QString::number(player.allyTeam),
                       QString::number(player.team),
                       player.isAi ? QStringLiteral("1") : QStringLiteral("0")}
        .join(PartSeparator);
}

QString SpectatorEntry(const DataPlayer& player)
{
    return QStringList{EscapeText(player.name), EscapeText(player.country), EscapeText(player.rank)}.join(
        PartSeparator);
}

QString RecordLine(const DataReplay& replay)
{
    QStringList players;
    for (const DataPlayer& player : replay.players)
        players << PlayerEntry(player);
    QStringList spectators;
    for (const DataPlayer& spectator : replay.spectators)
        spectators << SpectatorEntry(spectator);
    QStringList winners;
    for (const int team : replay.winningAllyTeams)
        winners << QString::number(team);
    const qint64 start = replay.startTime.isValid() ? replay.startTime.toMSecsSinceEpoch() : 0;
    return QStringList{EscapeText(replay.filePath),
                       QString::number(replay.fileSize),
                       EscapeText(replay.gameId),
                       EscapeText(replay.engineVersion),
                       EscapeText(replay.gameName),
                       EscapeText(replay.mapName),
                       QString::number(start),
                       QString::number(replay.duration),
                       players.join(EntrySeparator),
                       spectators.join(EntrySeparator),
                       winners.join(QLatin1Char('.')),
                       replay.valid ? QStringLiteral("1") : QStringLiteral("0"),
                       QString::number(replay.fileModified)}
        .join(FieldSeparator);
}

int HexDigit(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

void ParseRecord(const QString& line, ReplaysTable& table)
{
    const QStringList fields = line.split(FieldSeparator, Qt::KeepEmptyParts);
    if (fields.size() != FieldCount)
    {
        qDebug().noquote() << "ReplaysManager :: FAIL - Wrong data count in cache," << fields.size();
        return;
    }
    DataReplay replay;
    replay.filePath = UnescapeText(fields[0]);
    replay.fileName = FileNameOf(replay.filePath);
    replay.fileSize = ToInt64(fields[1]);
    replay.gameId = UnescapeText(fields[2]);
    replay.engineVersion = UnescapeText(fields[3]);
    replay.gameName = UnescapeText(fields[4]);
    replay.mapName = UnescapeText(fields[5]);
    replay.startTime = QDateTime::fromMSecsSinceEpoch(ToInt64(fields[6]), Qt::LocalTime);
    replay.duration = ToInt(fields[7]);
    ParseCachePlayers(fields[8], replay.players);
    ParseCacheSpectators(fields[9], replay.spectators);
    if (!fields[10].isEmpty())
    {
        for (const QString& part : fields[10].split(QLatin1Char('.')))
            replay.winningAllyTeams << ToInt(part);
    }
    replay.valid = fields[11] == QLatin1String("1");
    replay.fileModified = ToInt64(fields[12]);
    table.insert(replay.filePath, replay);
}
} // namespace

QString CacheFilePath(const QString& folder)
{
    if (folder.isEmpty())
        return QString();
    // The name stays the same across format versions: the version in the header decides.
    return QDir::toNativeSeparators(folder + QStringLiteral("/replays.cache.rc%1").arg(1));
}

QString HexByte(int number)
{
    return QStringLiteral("%1").arg(number, 2, 16, QLatin1Char('0'));
}

QString EscapeText(const QString& text)
{
    const auto plain = [](QChar c)
    { return c.unicode() >= 0x20 && c.unicode() != 0x7F && c != QLatin1Char('\\'); };
    if (std::all_of(text.cbegin(), text.cend(), plain))
        return text;
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
    {
        const ushort u = c.unicode();
        if (u < 0x20 || u == 0x7F || u == '\\')
            out += QLatin1Char('\\') + HexByte(u);
        else
            out += c;
    }
    return out;
}

QString UnescapeText(const QString& text)
{
    if (!text.contains(QLatin1Char('\\')))
        return text;
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i)
    {
        if (text[i] == QLatin1Char('\\') && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
            HexDigit(text[i + 2]) >= 0)
        {
            out += QChar(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        }
        else
            out += text[i];
    }
    return out;
}

QByteArray CacheBytes(const ReplaysTable& table)
{
    QByteArray out;
    {
        QDataStream stream(&out, QIODevice::WriteOnly);
        stream.setByteOrder(QDataStream::BigEndian);
        stream << Magic << Version;
    }
    out += "\r\n";
    // The reader refuses more; what is left out is read from its demo again.
    int written = 0;
    for (auto it = table.cbegin(); it != table.cend(); ++it)
    {
        const QByteArray line = RecordLine(it.value()).toUtf8() + "\r\n";
        if (written == MaxRecords || line.size() > MaxLineSize || out.size() + line.size() > MaxFileSize)
            continue;
        out += line;
        ++written;
    }
    if (written < table.size())
        qDebug().noquote() << "ReplaysManager :: Replays Cache FULL, left out:" << table.size() - written;
    return out;
}

bool SaveCache(const QString& cachePath, const ReplaysTable& table)
{
    return !cachePath.isEmpty() && CommonIO::SaveFile(cachePath, CacheBytes(table));
}

CacheLoad LoadCacheData(const QByteArray& data, const QString& cachePath, ReplaysTable& table)
{
    QDataStream stream(data);
    stream.setByteOrder(QDataStream::BigEndian);
    quint32 magic = 0;
    qint32 version = 0;
    stream >> magic >> version;
    if (stream.status() != QDataStream::Ok || magic != Magic || version != Version)
    {
        qWarning().noquote() << "ReplaysManager :: Replays Cache file is WRONG" << cachePath;
        return {LoadResult::Wrong, QString()};
    }
    if (data.size() > MaxFileSize)
        return {LoadResult::Damaged, QStringLiteral("more than %1 bytes").arg(MaxFileSize)};
    // The lines, checked against the limits before any is parsed. The two bytes after the version
    // are a line break; their values do not matter.
    QVector<QPair<int, int>> lines;
    for (int pos = qMin(10, data.size()); pos < data.size();)
    {
        int end = data.indexOf('\n', pos);
        if (end < 0)
            end = data.size();
        const int length = end - pos;
        if (length > MaxLineSize)
            return {LoadResult::Damaged, QStringLiteral("a line of more than %1 bytes").arg(MaxLineSize)};
        if (data[pos] != '#' && lines.size() == MaxRecords)
            return {LoadResult::Damaged, QStringLiteral("more than %1 records").arg(MaxRecords)};
        if (data[pos] != '#')
            lines.append({pos, length > 0 && data[end - 1] == '\r' ? length - 1 : length});
        pos = end + 1;
    }
    for (const QPair<int, int>& line : qAsConst(lines))
        ParseRecord(QString::fromUtf8(data.constData() + line.first, line.second), table);
    return {LoadResult::Loaded, QString()};
}

CacheLoad LoadCache(const QString& cachePath, ReplaysTable& table)
{
    QByteArray data;
    QString reason;
    switch (CommonIO::ReadFile(cachePath, MaxFileSize, &data, &reason))
    {
    case CommonIO::ReadStatus::Ok:
        return LoadCacheData(data, cachePath, table);
    case CommonIO::ReadStatus::Missing:
        return {};
    case CommonIO::ReadStatus::Unreadable:
        return {LoadResult::Unreadable, reason};
    case CommonIO::ReadStatus::Damaged:
        break;
    }
    return {LoadResult::Damaged, reason};
}

void ParseCachePlayers(const QString& text, QList<DataPlayer>& players)
{
    for (const QString& entry : text.split(EntrySeparator, Qt::SkipEmptyParts))
    {
        const QStringList parts = entry.split(PartSeparator, Qt::KeepEmptyParts);
        if (parts.size() != PlayerFieldCount)
        {
            qDebug().noquote() << "ReplaysManager :: FAIL - Wrong data count in cache players," << entry;
            continue;
        }
        DataPlayer player;
        player.name = UnescapeText(parts[0]);
        player.country = UnescapeText(parts[1]);
        player.rank = UnescapeText(parts[2]);
        const QString& color = parts[3];
        const auto component = [](const QString& hex) { return qBound(0, ToInt(hex, 16), 255); };
        player.color =
            QColor(component(color.mid(0, 2)), component(color.mid(2, 2)), component(color.right(2)), 255);
        player.side = ToInt(parts[4]);
        player.sideName = UnescapeText(parts[5]);
        player.allyTeam = ToInt(parts[6]);
        player.team = ToInt(parts[7]);
        player.isAi = parts[8] == QLatin1String("1");
        player.plays = true;
        player.spectator = false;
        players << player;
    }
}

void ParseCacheSpectators(const QString& text, QList<DataPlayer>& spectators)
{
    for (const QString& entry : text.split(EntrySeparator, Qt::SkipEmptyParts))
    {
        const QStringList parts = entry.split(PartSeparator, Qt::KeepEmptyParts);
        if (parts.size() != SpectatorFieldCount)
        {
            qDebug().noquote() << "ReplaysManager :: FAIL - Wrong data count in cache spectators," << entry;
            continue;
        }
        DataPlayer spectator;
        spectator.name = UnescapeText(parts[0]);
        spectator.country = UnescapeText(parts[1]);
        spectator.rank = UnescapeText(parts[2]);
        spectator.plays = false;
        spectator.spectator = true;
        spectators << spectator;
    }
}
} // namespace ReplaysCache
