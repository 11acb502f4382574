#include "ReplayScriptParser.h"

#include <QDebug>
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

bool ReplayScriptParser::ParseScript(const QString& text, DataReplayScript& record)
{
    if (!text.startsWith(QLatin1String("[game]"), Qt::CaseInsensitive))
        return false;
    m_root = Variable(VariableHash());
    m_text = text;
    if (ParseBlock(m_root, 0) == 0)
        return false;
    if (!m_root.Contains(QStringLiteral("game")) || !m_root.Hash().value(QStringLiteral("game")).IsHash())
        return false;

    m_game = m_root.Hash().value(QStringLiteral("game")).Hash();
    const Variable game(m_game);
    record.gameName = Value(game, QStringLiteral("gametype"));
    record.mapName = Value(game, QStringLiteral("mapname"));
    return ParsePlayersAndAIs(record);
}

int ReplayScriptParser::ParseBlock(Variable& node, int pos, int depth)
{
    if (depth > MaxDepth)
    {
        qWarning().noquote() << "ReplayScriptParser :: sections nested too deep at" << pos;
        return 0;
    }
    const int length = m_text.size();
    while (pos < length)
    {
        const QChar c = m_text.at(pos);
        if (c == QLatin1Char('['))
        {
            const int close = m_text.indexOf(QLatin1Char(']'), pos + 1);
            if (close < 0)
                return 0;
            const QString name = m_text.mid(pos + 1, close - pos - 1).toLower();
            const int open = m_text.indexOf(QLatin1Char('{'), close + 1);
            if (open < 0)
                return 0;
            Variable& child = node.Insert(name, VariableHash());
            pos = ParseBlock(child, open, depth + 1);
            if (pos == 0)
                return 0;
        }
        else if (c.isLetterOrNumber())
        {
            const int equals = m_text.indexOf(QLatin1Char('='), pos);
            if (equals < 0)
                return 0;
            const int end = m_text.indexOf(QLatin1Char(';'), equals + 1);
            if (end < 0)
                return 0;
            node.Insert(m_text.mid(pos, equals - pos).toLower(), m_text.mid(equals + 1, end - equals - 1));
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
        DataPlayer ai(Value(section, QStringLiteral("shortname")), true, true);
        ai.aiShortName = ai.name;
        ai.aiVersion = Value(section, QStringLiteral("version"));
        if (!ParseTeam(ai, section, record))
            return false;
    }
    return true;
}

bool ReplayScriptParser::ParsePlayer(const Variable& section, DataReplayScript& record)
{
    DataPlayer player;
    player.name = Value(section, QStringLiteral("name"));
    player.country = Value(section, QStringLiteral("countrycode")).toUpper();
    player.rank = Value(section, QStringLiteral("rank"));
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

    const QStringList rgb = Value(teamSection, QStringLiteral("rgbcolor")).split(QLatin1Char(' '));
    if (rgb.size() < 3)
        return false;
    player.color =
        QColor::fromRgbF(ReadFraction(rgb.at(0)), ReadFraction(rgb.at(1)), ReadFraction(rgb.at(2)));
    player.sideName = Value(teamSection, QStringLiteral("side"));
    record.players << player;
    return true;
}
