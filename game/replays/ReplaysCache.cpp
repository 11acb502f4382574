#include "ReplaysCache.h"

#include "CommonIO.h"
#include "DemoFile.h"

#include <QDataStream>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QTextCodec>
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

int ToInt(const QStringRef& text, int base = 10)
{
    bool ok = false;
    const int value = text.toInt(&ok, base);
    return ok ? value : 0;
}

qint64 ToInt64(const QStringRef& text)
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

QString Unescape(const QStringRef& text)
{
    return text.contains(QLatin1Char('\\')) ? UnescapeText(text.toString()) : text.toString();
}

// A list field, split without a copy of each part (a cache holds a hundred thousand players):
// each entry of `count` parts becomes a player with its name, country and rank, which `complete`
// fills further; an entry of another count is logged as one of `what` and skipped.
template <typename Complete>
void ParseEntries(const QStringRef& text, int count, const char* what, QList<DataPlayer>& players,
                  Complete complete)
{
    // Copied: a new player asks the translator for its default texts.
    const DataPlayer blank;
    for (const QStringRef& entry : text.split(EntrySeparator, Qt::SkipEmptyParts))
    {
        const QVector<QStringRef> parts = entry.split(PartSeparator, Qt::KeepEmptyParts);
        if (parts.size() != count)
        {
            qDebug().noquote() << QStringLiteral("ReplaysManager :: FAIL - Wrong data count in cache %1,")
                                      .arg(QLatin1String(what))
                               << entry.toString();
            continue;
        }
        DataPlayer player = blank;
        player.name = Unescape(parts[0]);
        player.country = Unescape(parts[1]);
        player.rank = Unescape(parts[2]);
        complete(player, parts);
        players << player;
    }
}

void ParsePlayers(const QStringRef& text, QList<DataPlayer>& players)
{
    ParseEntries(text, PlayerFieldCount, "players", players,
                 [](DataPlayer& player, const QVector<QStringRef>& parts)
                 {
                     const QStringRef& color = parts[3];
                     const auto component = [](const QStringRef& hex)
                     { return qBound(0, ToInt(hex, 16), 255); };
                     player.color = QColor(component(color.mid(0, 2)), component(color.mid(2, 2)),
                                           component(color.right(2)), 255);
                     player.side = ToInt(parts[4]);
                     player.sideName = Unescape(parts[5]);
                     player.allyTeam = ToInt(parts[6]);
                     player.team = ToInt(parts[7]);
                     player.isAi = parts[8] == QLatin1String("1");
                     player.plays = true;
                     player.spectator = false;
                 });
}

void ParseSpectators(const QStringRef& text, QList<DataPlayer>& spectators)
{
    ParseEntries(text, SpectatorFieldCount, "spectators", spectators,
                 [](DataPlayer& spectator, const QVector<QStringRef>&)
                 {
                     spectator.plays = false;
                     spectator.spectator = true;
                 });
}

// Non-empty entries of a list field, counted before any is built.
int EntryCount(const QStringRef& field)
{
    int count = 0;
    bool inEntry = false;
    for (const QChar c : field)
    {
        const bool separator = c == EntrySeparator;
        count += !separator && !inEntry;
        inEntry = !separator;
    }
    return count;
}

// The text of a record line; false when its bytes are no UTF-8, which the writer never makes (a
// damaged byte). Such a record would show, or filter out, its replay by a garbled name until the
// demo changed: it is left out, so its demo is read again and the cache rewritten.
bool DecodeRecord(const char* data, int size, QString* text)
{
    static QTextCodec* const utf8 = QTextCodec::codecForMib(106);
    // IgnoreHeader: a byte-order mark is text of the record, not a header to drop.
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    *text = utf8->toUnicode(data, size, &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

// Parses one record line into the table; an empty text when it was added or skipped as a bad
// line, else why the record is damage.
QString ParseRecord(const QString& line, ReplaysTable& table)
{
    // Counted before the split, so a line of separators costs nothing.
    const int separators = line.count(FieldSeparator);
    if (separators != FieldCount - 1)
    {
        qDebug().noquote() << "ReplaysManager :: FAIL - Wrong data count in cache," << separators + 1;
        return QString();
    }
    const QVector<QStringRef> fields = line.splitRef(FieldSeparator, Qt::KeepEmptyParts);
    if (EntryCount(fields[8]) > MaxPlayers)
        return QStringLiteral("a record with more than %1 players").arg(MaxPlayers);
    if (EntryCount(fields[9]) > MaxSpectators)
        return QStringLiteral("a record with more than %1 spectators").arg(MaxSpectators);
    if (fields[10].count(QLatin1Char('.')) >= DemoLimits::MaxWinnersSize)
        return QStringLiteral("a record with more than %1 winners").arg(DemoLimits::MaxWinnersSize);
    DataReplay replay;
    replay.filePath = Unescape(fields[0]);
    replay.fileName = FileNameOf(replay.filePath);
    replay.fileSize = ToInt64(fields[1]);
    replay.gameId = Unescape(fields[2]);
    replay.engineVersion = Unescape(fields[3]);
    replay.gameName = Unescape(fields[4]);
    replay.mapName = Unescape(fields[5]);
    replay.startTime = QDateTime::fromMSecsSinceEpoch(ToInt64(fields[6]), Qt::LocalTime);
    replay.duration = ToInt(fields[7]);
    ParsePlayers(fields[8], replay.players);
    ParseSpectators(fields[9], replay.spectators);
    if (!fields[10].isEmpty())
    {
        for (const QStringRef& part : fields[10].split(QLatin1Char('.')))
            replay.winningAllyTeams << ToInt(part);
    }
    replay.valid = fields[11] == QLatin1String("1");
    replay.fileModified = ToInt64(fields[12]);
    if (!WithinDemoLimits(replay))
        return QStringLiteral("a record with more players, AIs or spectators than a demo holds");
    table.insert(replay.filePath, replay);
    return QString();
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
        if (written == MaxRecords || !WithinDemoLimits(it.value()))
            continue;
        const QByteArray line = RecordLine(it.value()).toUtf8() + "\r\n";
        if (line.size() > MaxLineSize || out.size() + line.size() > MaxFileSize)
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

bool WithinDemoLimits(const DataReplay& replay)
{
    const auto ais = std::count_if(replay.players.cbegin(), replay.players.cend(),
                                   [](const DataPlayer& player) { return player.isAi; });
    const int humans = replay.players.size() - int(ais) + replay.spectators.size();
    return ais <= ReplayScriptParser::MaxAis && humans <= ReplayScriptParser::MaxPlayers &&
           replay.winningAllyTeams.size() <= DemoLimits::MaxWinnersSize;
}

void CacheReader::Reset(const CacheLoad& result)
{
    m_data.clear();
    m_lines.clear();
    m_next = 0;
    m_records = 0;
    m_result = result;
}

CacheLoad CacheReader::OpenData(const QByteArray& data, const QString& cachePath)
{
    Reset({LoadResult::Loaded, QString()});
    QDataStream stream(data);
    stream.setByteOrder(QDataStream::BigEndian);
    quint32 magic = 0;
    qint32 version = 0;
    stream >> magic >> version;
    if (stream.status() != QDataStream::Ok || magic != Magic || version != Version)
    {
        qWarning().noquote() << "ReplaysManager :: Replays Cache file is WRONG" << cachePath;
        return m_result = {LoadResult::Wrong, QString()};
    }
    if (data.size() > MaxFileSize)
        return m_result = {LoadResult::Damaged, QStringLiteral("more than %1 bytes").arg(MaxFileSize)};
    // The lines, checked against the limits before any is parsed. The two bytes after the version
    // are a line break; their values do not matter.
    for (int pos = qMin(10, data.size()); pos < data.size();)
    {
        int end = data.indexOf('\n', pos);
        if (end < 0)
            end = data.size();
        const int length = end - pos;
        if (length > MaxLineSize)
        {
            Reset({LoadResult::Damaged, QStringLiteral("a line of more than %1 bytes").arg(MaxLineSize)});
            return m_result;
        }
        if (data[pos] != '#' && m_lines.size() == MaxRecords)
        {
            Reset({LoadResult::Damaged, QStringLiteral("more than %1 records").arg(MaxRecords)});
            return m_result;
        }
        if (data[pos] != '#')
            m_lines.append({pos, length > 0 && data[end - 1] == '\r' ? length - 1 : length});
        pos = end + 1;
    }
    m_data = data;
    m_records = m_lines.size();
    return m_result;
}

CacheLoad CacheReader::Open(const QString& cachePath)
{
    QByteArray data;
    QString reason;
    switch (CommonIO::ReadFile(cachePath, MaxFileSize, &data, &reason))
    {
    case CommonIO::ReadStatus::Ok:
        return OpenData(data, cachePath);
    case CommonIO::ReadStatus::Missing:
        Reset({});
        break;
    case CommonIO::ReadStatus::Unreadable:
        Reset({LoadResult::Unreadable, reason});
        break;
    case CommonIO::ReadStatus::Damaged:
        Reset({LoadResult::Damaged, reason});
        break;
    }
    return m_result;
}

bool CacheReader::ReadSome(ReplaysTable& table, int count)
{
    for (; count > 0 && m_next < m_lines.size(); --count)
    {
        const std::pair<int, int> line = m_lines.at(m_next++);
        QString text;
        if (!DecodeRecord(m_data.constData() + line.first, line.second, &text))
        {
            qDebug().noquote()
                << "ReplaysManager :: FAIL - Cache record is not UTF-8, its demo is read again:"
                << CommonIO::ForLog(text.section(FieldSeparator, 0, 0), 300);
            continue;
        }
        const QString damage = ParseRecord(text, table);
        if (!damage.isEmpty())
        {
            m_result = {LoadResult::Damaged, damage};
            m_next = m_lines.size();
        }
    }
    if (m_next < m_lines.size())
        return true;
    m_data.clear();
    m_lines.clear();
    return false;
}

namespace
{
// Reads every record, and hands them over only when the whole cache was good.
CacheLoad ReadAll(CacheReader& reader, CacheLoad opened, ReplaysTable& table)
{
    if (opened.result != LoadResult::Loaded)
        return opened;
    ReplaysTable read;
    while (reader.ReadSome(read, MaxRecords))
    {
    }
    if (reader.Result().result != LoadResult::Loaded)
        return reader.Result();
    for (auto it = read.cbegin(); it != read.cend(); ++it)
        table.insert(it.key(), it.value());
    return reader.Result();
}
} // namespace

CacheLoad LoadCacheData(const QByteArray& data, const QString& cachePath, ReplaysTable& table)
{
    CacheReader reader;
    return ReadAll(reader, reader.OpenData(data, cachePath), table);
}

CacheLoad LoadCache(const QString& cachePath, ReplaysTable& table)
{
    CacheReader reader;
    return ReadAll(reader, reader.Open(cachePath), table);
}

void ParseCachePlayers(const QString& text, QList<DataPlayer>& players)
{
    ParsePlayers(QStringRef(&text), players);
}

void ParseCacheSpectators(const QString& text, QList<DataPlayer>& spectators)
{
    ParseSpectators(QStringRef(&text), spectators);
}
} // namespace ReplaysCache
