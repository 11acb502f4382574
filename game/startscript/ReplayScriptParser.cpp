#include "ReplayScriptParser.h"

#include <QDebug>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <limits>

namespace
{
QString Value(const Variable& section, const QString& key)
{
    return section.Hash().value(key).toString();
}

bool ReadBool(const QString& text)
{
    return !(text.isEmpty() || text == QLatin1String("0") ||
             text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0);
}

double ReadFraction(const QString& text)
{
    const double value = text.toDouble();
    if (!(value >= 0.0)) // also NaN
        return 0.0;
    return std::min(value, 1.0);
}

// "player12" -> ("player", 12); names without a number sort after numbered ones.
qint64 TrailingNumber(const QString& name, int prefixLength)
{
    bool ok = false;
    const qint64 number = name.midRef(prefixLength).toLongLong(&ok);
    return ok ? number : std::numeric_limits<qint64>::max();
}

QStringList SortedNames(const QStringList& names, int prefixLength)
{
    QStringList sorted = names;
    std::sort(sorted.begin(), sorted.end(),
              [prefixLength](const QString& a, const QString& b)
              {
                  const qint64 na = TrailingNumber(a, prefixLength);
                  const qint64 nb = TrailingNumber(b, prefixLength);
                  return na != nb ? na < nb : a < b;
              });
    return sorted;
}
} // namespace

bool ReplayScriptParser::ParseScript(const QString& text, DataReplayScript& record,
                                     const std::atomic<bool>* stop)
{
    m_stop = stop;
    m_sections = 0;
    m_keys = 0;
    m_refusal.clear();
    if (!text.startsWith(QLatin1String("[game]"), Qt::CaseInsensitive))
        return false;
    m_root = Variable(VariableHash());
    m_text = text;
    const int end = ParseBlock(&m_root, 0);
    // The text is not needed any more; a big one should not stay while the record is built.
    m_text.clear();
    if (end == 0)
        return false;
    if (!m_root.Contains(QStringLiteral("game")) || !m_root.Hash().value(QStringLiteral("game")).IsHash())
        return false;

    m_game = m_root.Hash().value(QStringLiteral("game")).Hash();
    if (!WithinEngineCounts())
        return false;
    const Variable game(m_game);
    if (!Text(game, QStringLiteral("gametype"), record.gameName) ||
        !Text(game, QStringLiteral("mapname"), record.mapName))
        return false;
    return ParsePlayersAndAIs(record);
}

int ReplayScriptParser::Refuse(const QString& reason)
{
    m_refusal = reason;
    return 0;
}

bool ReplayScriptParser::WithinEngineCounts()
{
    int players = 0;
    int ais = 0;
    int teams = 0;
    int allyTeams = 0;
    for (auto it = m_game.cbegin(); it != m_game.cend(); ++it)
    {
        if (!it.value().IsHash())
            continue;
        const QString& name = it.key();
        players += name.startsWith(QLatin1String("player"));
        ais += name.startsWith(QLatin1String("ai"));
        teams += name.startsWith(QLatin1String("team"));
        allyTeams += name.startsWith(QLatin1String("allyteam"));
    }
    const auto over = [this](int count, int limit, const char* what)
    {
        if (count <= limit)
            return false;
        Refuse(QStringLiteral("more than %1 %2").arg(limit).arg(QLatin1String(what)));
        return true;
    };
    return !over(players, MaxPlayers, "players") && !over(ais, MaxAis, "AIs") &&
           !over(teams, MaxTeams, "teams") && !over(allyTeams, MaxAllyTeams, "ally teams");
}

bool ReplayScriptParser::Text(const Variable& section, const QString& key, QString& out)
{
    const QString text = Value(section, key);
    if (text.size() > MaxTextLength)
    {
        Refuse(
            QStringLiteral("%1 of %2 characters, at most %3").arg(key).arg(text.size()).arg(MaxTextLength));
        return false;
    }
    out = text;
    return true;
}

namespace
{
// Every key the record is read from (see ParsePlayersAndAIs and below).
const QSet<QString>& RecordKeys()
{
    static const QSet<QString> keys{
        QStringLiteral("gametype"),    QStringLiteral("mapname"),   QStringLiteral("name"),
        QStringLiteral("countrycode"), QStringLiteral("rank"),      QStringLiteral("spectator"),
        QStringLiteral("team"),        QStringLiteral("shortname"), QStringLiteral("version"),
        QStringLiteral("allyteam"),    QStringLiteral("rgbcolor"),  QStringLiteral("side")};
    return keys;
}

// Game entries the record looks at as sections: a leaf of such a name hides a section before it.
bool SectionOfTheRecord(const QString& name, int depth)
{
    if (depth == 0)
        return name == QLatin1String("game");
    return depth == 1 &&
           (name.startsWith(QLatin1String("player")) || name.startsWith(QLatin1String("ai")) ||
            name.startsWith(QLatin1String("team")) || name.startsWith(QLatin1String("allyteam")));
}
} // namespace

ReplayScriptParser::Kept ReplayScriptParser::KeepKey(const QString& name, int depth) const
{
    if (m_keep == Keep::Everything || RecordKeys().contains(name))
        return Kept::Yes;
    return SectionOfTheRecord(name, depth) ? Kept::Mark : Kept::No;
}

ReplayScriptParser::Kept ReplayScriptParser::KeepSection(const QString& name, int depth) const
{
    // The root's and the game's sections are kept; deeper ones are read as values only, and a
    // section read as a value reads as an empty text, as a mark does.
    if (m_keep == Keep::Everything || depth <= 1)
        return Kept::Yes;
    return RecordKeys().contains(name) ? Kept::Mark : Kept::No;
}

int ReplayScriptParser::ParseBlock(Variable* node, int pos, int depth)
{
    if (depth > MaxDepth)
    {
        qWarning().noquote() << "ReplayScriptParser :: sections nested too deep at" << pos;
        return 0;
    }
    const int length = m_text.size();
    while (pos < length)
    {
        // Long runs of characters that are skipped still see the stop flag now and then.
        if ((pos & 0xFFFF) == 0 && Stopped())
            return 0;
        const QChar c = m_text.at(pos);
        if (c == QLatin1Char('['))
        {
            if (++m_sections > MaxSections)
                return Refuse(QStringLiteral("more than %1 sections").arg(MaxSections));
            if (Stopped())
                return 0;
            const int close = m_text.indexOf(QLatin1Char(']'), pos + 1);
            if (close < 0)
                return 0;
            const QString name = m_text.mid(pos + 1, close - pos - 1).toLower();
            const int open = m_text.indexOf(QLatin1Char('{'), close + 1);
            if (open < 0)
                return 0;
            const Kept kept = node ? KeepSection(name, depth) : Kept::No;
            Variable* child = nullptr;
            if (kept == Kept::Yes)
                child = &node->Insert(name, VariableHash());
            else if (kept == Kept::Mark)
                node->Insert(name, QVariant());
            pos = ParseBlock(child, open, depth + 1);
            if (pos == 0)
                return 0;
        }
        else if (c.isLetterOrNumber())
        {
            if (++m_keys > MaxKeys)
                return Refuse(QStringLiteral("more than %1 keys").arg(MaxKeys));
            if ((m_keys & 0xFF) == 0 && Stopped())
                return 0;
            const int equals = m_text.indexOf(QLatin1Char('='), pos);
            if (equals < 0)
                return 0;
            const int end = m_text.indexOf(QLatin1Char(';'), equals + 1);
            if (end < 0)
                return 0;
            if (node)
            {
                const QString key = m_text.mid(pos, equals - pos).toLower();
                const Kept kept = KeepKey(key, depth);
                if (kept == Kept::Yes)
                    node->Insert(key, m_text.mid(equals + 1, end - equals - 1));
                else if (kept == Kept::Mark)
                    node->Insert(key, QVariant());
            }
            pos = end;
        }
        else if (c == QLatin1Char('}'))
        {
            return pos;
        }
        ++pos;
    }
    return pos;
}

bool ReplayScriptParser::ParsePlayersAndAIs(DataReplayScript& record)
{
    const VariableHash& game = m_game;
    QStringList playerNames;
    QStringList aiNames;
    for (auto it = game.cbegin(); it != game.cend(); ++it)
    {
        // Only sections describe players; leaves such as a client script's "Players_Names" don't.
        if (!it.value().IsHash())
            continue;
        if (it.key().startsWith(QLatin1String("player"), Qt::CaseInsensitive))
            playerNames << it.key();
        else if (it.key().startsWith(QLatin1String("ai"), Qt::CaseInsensitive))
            aiNames << it.key();
    }

    for (const QString& name : SortedNames(playerNames, 6))
    {
        if (!ParsePlayer(game.value(name), record))
            return false;
    }
    for (const QString& name : SortedNames(aiNames, 2))
    {
        const Variable section = game.value(name);
        DataPlayer ai(QString(), true, true);
        if (!Text(section, QStringLiteral("shortname"), ai.name) ||
            !Text(section, QStringLiteral("version"), ai.aiVersion))
            return false;
        ai.aiShortName = ai.name;
        if (!ParseTeam(ai, section, record))
            return false;
    }
    return true;
}

bool ReplayScriptParser::ParsePlayer(const Variable& section, DataReplayScript& record)
{
    DataPlayer player;
    if (!Text(section, QStringLiteral("name"), player.name) ||
        !Text(section, QStringLiteral("countrycode"), player.country) ||
        !Text(section, QStringLiteral("rank"), player.rank))
        return false;
    player.country = player.country.toUpper();
    player.spectator = ReadBool(Value(section, QStringLiteral("spectator")));
    player.plays = !player.spectator;
    if (player.spectator)
    {
        record.spectators << player;
        return true;
    }
    return ParseTeam(player, section, record);
}

bool ReplayScriptParser::ParseTeam(DataPlayer& player, const Variable& section, DataReplayScript& record)
{
    bool ok = false;
    const int team = Value(section, QStringLiteral("team")).toInt(&ok);
    if (!ok)
        return false;

    const Variable teamSection = m_game.value(QStringLiteral("team") + QString::number(team));
    if (!teamSection.IsHash())
        return false;

    const int allyTeam = Value(teamSection, QStringLiteral("allyteam")).toInt(&ok);
    if (!ok)
        return false;
    player.allyTeam = allyTeam;
    player.team = team;

    QString color;
    if (!Text(teamSection, QStringLiteral("rgbcolor"), color) ||
        !Text(teamSection, QStringLiteral("side"), player.sideName))
        return false;
    const QStringList rgb = color.split(QLatin1Char(' '));
    if (rgb.size() < 3)
        return false;
    player.color =
        QColor::fromRgbF(ReadFraction(rgb.at(0)), ReadFraction(rgb.at(1)), ReadFraction(rgb.at(2)));
    record.players << player;
    return true;
}

bool ReplayScriptCounter::Feed(const char* data, qint64 size)
{
    static const char* const ends = "]{=;";
    for (qint64 i = 0; i < size && m_refusal.isEmpty(); ++i)
    {
        const uchar byte = uchar(data[i]);
        if (m_state != State::Between)
        {
            // Every end mark is ASCII, and no byte of a longer UTF-8 character looks like one.
            if (byte == uchar(ends[int(m_state) - 1]))
                m_state = m_state == State::Name ? State::Brace
                                                 : (m_state == State::Key ? State::Value : State::Between);
            continue;
        }
        if (m_missing > 0 && (byte & 0xC0) == 0x80)
        {
            m_code = (m_code << 6) | (byte & 0x3F);
            // An overlong form is no character to the decoder either.
            if (--m_missing == 0 && m_code >= m_least && !Between(m_code))
                return false;
            continue;
        }
        m_missing = 0;
        if (byte < 0x80)
        {
            if (!Between(byte))
                return false;
        }
        else if (byte >= 0xC0 && byte < 0xF8)
        {
            m_missing = byte < 0xE0 ? 1 : (byte < 0xF0 ? 2 : 3);
            m_least = m_missing == 1 ? 0x80 : (m_missing == 2 ? 0x800 : 0x10000);
            m_code = byte & (0x3F >> m_missing);
        }
    }
    return m_refusal.isEmpty();
}

bool ReplayScriptCounter::Between(char32_t c)
{
    using Parser = ReplayScriptParser;
    if (c == '[')
    {
        m_state = State::Name;
        if (++m_sections > Parser::MaxSections)
            m_refusal = QStringLiteral("more than %1 sections").arg(Parser::MaxSections);
    }
    // As QChar sees it: characters beyond 16 bits are surrogate pairs, no letters.
    else if (c <= 0xFFFF && QChar(ushort(c)).isLetterOrNumber())
    {
        m_state = State::Key;
        if (++m_keys > Parser::MaxKeys)
            m_refusal = QStringLiteral("more than %1 keys").arg(Parser::MaxKeys);
    }
    return m_refusal.isEmpty();
}
