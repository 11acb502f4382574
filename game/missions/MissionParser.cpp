#include "MissionParser.h"

#include "AIHandler.h"

#include <QColor>
#include <QDebug>

namespace
{
bool StartsWithLetterOrDigit(const QByteArray& line)
{
    return !line.isEmpty() && QChar::fromLatin1(line.at(0)).isLetterOrNumber();
}

// Shortest line worth reading, line end not counted: "a=b".
constexpr int MinLineLength = 3;

struct ParseState
{
    DataMission& mission;
    QStringList descriptionKeys;
    int descriptionRank = -1; // index of the description key taken so far
};

void WrongKey(const QByteArray& key, const QByteArray& section)
{
    qWarning("MissionParser :: Wrong key '%s' in section '%s!", key.constData(), section.constData());
}

void ReadGeneral(ParseState& state, int mode, const QByteArray& key, const QString& value)
{
    if (mode == MissionParser::Header)
    {
        if (key == "author")
            state.mission.author = value;
        else if (key == "version")
            state.mission.version = value;
        return;
    }
    if (mode != MissionParser::Full)
        return;
    // A description in the wanted language wins over one in the fallback language, whatever
    // their order in the file.
    const int rank = state.descriptionKeys.indexOf(QString::fromUtf8(key));
    if (rank >= 0 && (state.descriptionRank < 0 || rank <= state.descriptionRank))
    {
        state.mission.description = value;
        state.descriptionRank = rank;
    }
}

void ReadDepends(ParseState& state, const QByteArray& section, const QByteArray& key, const QString& value)
{
    if (key == "engine")
        state.mission.engineVersion = value;
    else if (key == "map")
        state.mission.mapName = value;
    else if (key == "game")
        state.mission.game = value;
    else
        WrongKey(key, section);
}

void ReadPlayer(ParseState& state, const QByteArray& section, const QByteArray& key, const QString& value)
{
    DataPlayer& player = state.mission.player;
    if (key == "team")
        player.allyTeam = value.toInt();
    else if (key == "coop")
        player.team = value.toInt();
    else if (key == "side")
        player.side = value.toInt();
    else if (key == "color")
        player.color.setNamedColor(value);
    else
        WrongKey(key, section);
}

void ReadBot(ParseState& state, const QByteArray& section, const QByteArray& key, const QString& value)
{
    static const QList<QByteArray> known = {"team", "coop", "ai", "name", "side", "color", "level"};
    if (!known.contains(key))
    {
        WrongKey(key, section);
        return;
    }
    const int number = QString::fromLatin1(section.mid(3)).toInt();
    DataPlayer& bot = state.mission.bots[number];
    if (key == "team")
        bot.allyTeam = value.toInt();
    else if (key == "coop")
        bot.team = value.toInt();
    else if (key == "side")
        bot.side = value.toInt();
    else if (key == "color")
        bot.color.setNamedColor(value);
    else if (key == "name")
    {
        bot.name = value;
        bot.aiKind = value;
    }
    else if (key == "ai")
    {
        DataPlayer scratch;
        scratch.aiShortName = value;
        if (scratch.IsAiRav())
            scratch.aiShortName = AIHandler::MakeRavAI(0).aiShortName;
        else if (scratch.IsAiSkitters())
            scratch.aiShortName = AIHandler::MakeSkitterhiveAI(1).aiShortName;
        else if (scratch.IsAiMission())
            scratch.aiShortName = AIHandler::MakeMissionAI(0).aiShortName;
        bot.isAi = true;
        bot.aiShortName = scratch.aiShortName;
    }
    else if (key == "level")
    {
        if (bot.IsAiRav())
            AIHandler::SetRavShortName(bot);
        else if (bot.IsAiSkitters())
            AIHandler::SetDifficultyName(bot, value.toInt());
        else if (bot.IsAiMission())
            AIHandler::SetMissionShortName(bot);
    }
}
} // namespace

QStringList MissionParser::DescriptionKeys(const QString& language)
{
    const QString english = QStringLiteral("description_en");
    const QString wanted = language.trimmed().toLower();
    if (wanted.isEmpty() || wanted == QLatin1String("en"))
        return {english};
    return {QStringLiteral("description_") + wanted, english};
}

bool MissionParser::parse(const QByteArray& data, DataMission& mission, int mode,
                          const QStringList& descriptionKeys)
{
    if (data.isEmpty())
        return false;

    ParseState state{mission, descriptionKeys};

    QByteArray text = data;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);

    QByteArray section;
    for (QByteArray line : text.split('\n'))
    {
        // CR LF and bare LF files read the same; a last line without a line end loses nothing.
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.startsWith(';') || line.size() < MinLineLength)
            continue;
        if (line.startsWith('['))
        {
            const int close = line.indexOf(']');
            section = (close > 0 ? line.mid(1, close - 1) : line.mid(1)).toLower();
            continue;
        }
        if (!StartsWithLetterOrDigit(line))
            continue;
        const int eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray key = line.left(eq).toLower();
        const QString value = QString::fromUtf8(line.mid(eq + 1));

        if (section == "general")
            ReadGeneral(state, mode, key, value);
        else if (mode != Full)
            continue;
        else if (section == "depends")
            ReadDepends(state, section, key, value);
        else if (section.startsWith("player"))
            ReadPlayer(state, section, key, value);
        else if (section.startsWith("bot"))
            ReadBot(state, section, key, value);
    }
    return true;
}
