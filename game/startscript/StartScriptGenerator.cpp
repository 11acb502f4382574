#include "StartScriptGenerator.h"

#include <QDebug>
#include <QLocale>
#include <QMap>
#include <QSet>

#include <algorithm>

namespace
{
const QString Game = QStringLiteral("GAME");
// The engine reads PLAYER0 to PLAYER250 and drops the rest.
constexpr int MaxPlayers = 251;

bool IsControl(QChar c)
{
    return c.category() == QChar::Other_Control;
}

// The name as a log line can show it: control characters as "\xNN".
QString Printable(const QString& text)
{
    QString shown;
    for (const QChar c : text)
        shown +=
            IsControl(c) ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0')) : QString(c);
    return shown;
}

// What the engine makes of a name: it skips blanks and tabs in front of a value.
QString AsEngineReads(const QString& written)
{
    int start = 0;
    while (start < written.size() &&
           (written.at(start) == QLatin1Char(' ') || written.at(start) == QLatin1Char('\t')))
        ++start;
    return written.mid(start);
}
} // namespace

StartScriptGenerator::StartScriptGenerator(const DataStartScript& record) : m_record(record)
{
    if (m_record.isHost)
        GenerateHostScript();
    else if (!m_record.me.isBattleFounder)
        GenerateClientScript();

    if (m_script.isEmpty())
        m_problems << QStringLiteral("no start script for a battle founded here but not hosted here");
}

QString StartScriptGenerator::SafeValue(const QString& text)
{
    // The engine reads a value up to the next ";" and refuses the whole script for a NUL, a line
    // break or "]]" inside one; single brackets, braces and tabs are fine there (clan tags such as
    // "[ABC]Name" must reach the engine unchanged, or the host won't know the player).
    QString safe = text;
    QChar* chars = safe.data();
    for (int i = 0; i < safe.size(); ++i)
    {
        QChar& c = chars[i];
        if (c == QLatin1Char(';'))
            c = QLatin1Char(',');
        else if (c == QLatin1Char(']') && i > 0 && chars[i - 1] == QLatin1Char(']'))
            c = QLatin1Char(')');
        else if (IsControl(c) && c != QLatin1Char('\t'))
            c = QLatin1Char(' ');
    }
    return safe;
}

QString StartScriptGenerator::SafeName(const QString& name)
{
    // A key or section name must not open or close a section or hold "=", ";" or a NUL; blanks,
    // tabs, vertical tabs or form feeds inside it and "." make the engine refuse the script.
    QString safe = name;
    for (QChar& c : safe)
    {
        switch (c.unicode())
        {
        case '[':
        case '{':
            c = QLatin1Char('(');
            break;
        case ']':
        case '}':
            c = QLatin1Char(')');
            break;
        case '=':
            c = QLatin1Char('-');
            break;
        case ';':
            c = QLatin1Char(',');
            break;
        case '.':
            c = QLatin1Char('_');
            break;
        default:
            if (IsControl(c) || c.isSpace())
                c = QLatin1Char(' ');
            break;
        }
    }
    return safe.trimmed().replace(QLatin1Char(' '), QLatin1Char('_'));
}

QString StartScriptGenerator::ValueText(const QVariant& value)
{
    switch (static_cast<QMetaType::Type>(value.type()))
    {
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    default:
        return value.toString();
    }
}

void StartScriptGenerator::GenerateHostScript()
{
    m_root = Variable(VariableHash());
    m_playerNumbers.clear();
    m_teamNumbers.clear();
    m_allyNumbers.clear();

    AddGameKeys();

    const DataBattleOptions& options = m_record.options;
    if (!options.options.isEmpty())
    {
        qDebug().noquote() << "StartScriptGenerator :: AppendOptionsList";
        Variable& section = m_root.Insert(options.section, VariableHash());
        for (const DataBattleOption& option : options.options)
            section.Insert(option.key, QVariant(option.value));
    }

    if (m_record.players.size() > MaxPlayers)
        m_problems << QStringLiteral("%1 players, more than the engine's %2")
                          .arg(m_record.players.size())
                          .arg(MaxPlayers);
    QSet<QString> names;
    for (int i = 0; i < m_record.players.size(); ++i)
    {
        const DataPlayer& player = m_record.players.at(i);
        // Compared as the engine reads them.
        const QString name = AsEngineReads(SafeValue(player.name));
        if (name.isEmpty())
            m_problems << QStringLiteral("player %1 has no name").arg(i);
        else if (names.contains(name))
            m_problems << QStringLiteral("two players named \"%1\"").arg(name);
        names.insert(name);
        AddPlayer(player, i);
    }
    for (int j = 0; j < m_record.ais.size(); ++j)
        AddAi(m_record.ais.at(j), m_record.players.size() + j);

    m_script.clear();
    Serialize(Game, m_root, 0);
    qDebug().noquote() << "StartScriptGenerator :: HOST SCRIPT GENERATED";
}

void StartScriptGenerator::AddGameKeys()
{
    m_root.Insert(QStringLiteral("HostIP"), m_record.hostIp);
    m_root.Insert(QStringLiteral("HostPort"), m_record.hostPort);
    m_root.Insert(QStringLiteral("IsHost"), 1);
    m_root.Insert(QStringLiteral("MyPlayerName"), m_record.me.name);
    m_root.Insert(QStringLiteral("GameType"), m_record.gameName);
    m_root.Insert(QStringLiteral("ModHash"), m_record.gameHash);
    m_root.Insert(QStringLiteral("MapName"), m_record.mapName);
    m_root.Insert(QStringLiteral("MapHash"), m_record.mapHash);
    m_root.Insert(QStringLiteral("startpostype"), m_record.startPosType);
}

void StartScriptGenerator::AddPlayer(const DataPlayer& player, int number)
{
    m_playerNumbers.insert(player.name, number);
    Variable& section = m_root.Insert(QStringLiteral("PLAYER") + QString::number(number), VariableHash());
    section.Insert(QStringLiteral("Name"), player.name);
    section.Insert(QStringLiteral("CountryCode"), player.country);
    section.Insert(QStringLiteral("Rank"), player.rank);
    section.Insert(QStringLiteral("IsFromDemo"), 0);
    if (!player.password.isEmpty())
        section.Insert(QStringLiteral("Password"), player.password);
    if (player.plays)
    {
        section.Insert(QStringLiteral("Spectator"), 0);
        const int team = AddTeam(player, number);
        // AddTeam may grow the root and move its children; look the section up again.
        m_root[QStringLiteral("PLAYER") + QString::number(number)].Insert(QStringLiteral("Team"), team);
    }
    else
    {
        section.Insert(QStringLiteral("Spectator"), 1);
    }
}

void StartScriptGenerator::AddAi(const DataPlayer& ai, int number)
{
    const QString name = QStringLiteral("AI") + QString::number(number);
    Variable& section = m_root.Insert(name, VariableHash());
    section.Insert(QStringLiteral("Name"), ai.name);
    section.Insert(QStringLiteral("ShortName"), ai.aiShortName);
    section.Insert(QStringLiteral("Version"), ai.aiVersion);
    section.Insert(QStringLiteral("IsFromDemo"), 0);

    int owner = -1;
    const auto found = m_playerNumbers.constFind(ai.aiOwner);
    if (found != m_playerNumbers.constEnd())
    {
        owner = found.value();
    }
    else
    {
        qWarning().noquote()
            << QStringLiteral("StartScriptGenerator :: script not contains AI owner: %1").arg(ai.aiOwner);
        m_problems
            << QStringLiteral("the owner \"%1\" of AI \"%2\" is not a player").arg(ai.aiOwner, ai.name);
    }
    section.Insert(QStringLiteral("Host"), owner);
    const int team = AddTeam(ai, owner);
    m_root[name].Insert(QStringLiteral("Team"), team);
}

int StartScriptGenerator::AddTeam(const DataPlayer& player, int leader)
{
    const auto known = m_teamNumbers.constFind(player.team);
    if (known != m_teamNumbers.constEnd())
        return known.value();

    const int t = m_teamNumbers.size();
    m_teamNumbers.insert(player.team, t);
    const QString teamName = QStringLiteral("TEAM") + QString::number(t);
    Variable& team = m_root.Insert(teamName, VariableHash());
    team.Insert(QStringLiteral("TeamLeader"), leader);
    team.Insert(QStringLiteral("RgbColor"), player.GetRgbColorText());
    team.Insert(QStringLiteral("Side"), player.sideName);
    team.Insert(QStringLiteral("Handicap"), QStringLiteral("0"));
    team.Insert(QStringLiteral("Advantage"), QStringLiteral("0"));

    int a = 0;
    const auto ally = m_allyNumbers.constFind(player.allyTeam);
    if (ally != m_allyNumbers.constEnd())
    {
        a = ally.value();
    }
    else
    {
        a = m_allyNumbers.size();
        m_allyNumbers.insert(player.allyTeam, a);
        Variable& allySection =
            m_root.Insert(QStringLiteral("ALLYTEAM") + QString::number(a), VariableHash());
        allySection.Insert(QStringLiteral("NumAllies"), 0);
        const auto box = m_record.startRects.constFind(player.allyTeam);
        if (box != m_record.startRects.constEnd())
        {
            const QRect& r = box.value();
            allySection.Insert(QStringLiteral("StartRectLeft"), r.left() / 100.0);
            allySection.Insert(QStringLiteral("StartRectTop"), r.top() / 100.0);
            allySection.Insert(QStringLiteral("StartRectRight"), r.right() / 100.0);
            allySection.Insert(QStringLiteral("StartRectBottom"), r.bottom() / 100.0);
        }
    }
    m_root[teamName].Insert(QStringLiteral("AllyTeam"), a);
    return t;
}

void StartScriptGenerator::Serialize(const QString& name, const Variable& node, int depth)
{
    const QString tabs(depth, QLatin1Char('\t'));
    if (!node.IsHash())
    {
        const QString value = ValueText(node);
        const QString safe = SafeValue(value);
        if (safe != value)
            qWarning().noquote() << "StartScriptGenerator :: characters the script can't carry replaced in"
                                 << name;
        m_script += tabs + name + QLatin1Char('=') + safe + QStringLiteral(";\n");
        return;
    }

    m_script += tabs + QLatin1Char('[') + name + QStringLiteral("]\n") + tabs + QStringLiteral("{\n");
    // Written under their safe names, in the order of those; of two keys that come out alike the
    // first in plain order stays.
    const VariableHash& hash = node.Hash();
    QStringList keys = hash.keys();
    std::sort(keys.begin(), keys.end());
    QMap<QString, QString> children;
    for (const QString& key : qAsConst(keys))
    {
        const QString safe = SafeName(key);
        const QString shown = QLatin1Char('"') + Printable(key) + QLatin1Char('"');
        if (safe.isEmpty() || children.contains(safe))
        {
            qWarning().noquote() << "StartScriptGenerator :: name the script can't carry dropped in" << name
                                 << shown;
            continue;
        }
        if (safe != key)
            qWarning().noquote() << "StartScriptGenerator :: name the script can't carry renamed in" << name
                                 << shown << "->" << safe;
        children.insert(safe, key);
    }
    for (auto it = children.cbegin(); it != children.cend(); ++it)
        Serialize(it.key(), hash.value(it.value()), depth + 1);
    m_script += tabs + QStringLiteral("}\n");
}

void StartScriptGenerator::GenerateClientScript()
{
    QMap<QString, QString> keys;
    keys.insert(QStringLiteral("HostIP"), m_record.hostIp);
    keys.insert(QStringLiteral("HostPort"), m_record.hostPort);
    keys.insert(QStringLiteral("IsHost"), QStringLiteral("0"));
    if (!m_record.me.password.isEmpty())
        keys.insert(QStringLiteral("MyPasswd"), m_record.me.password);
    keys.insert(QStringLiteral("MyPlayerName"), m_record.me.name);
    keys.insert(QStringLiteral("Players_IDs"), m_record.playerIds.join(QLatin1Char(',')));
    keys.insert(QStringLiteral("Players_Names"), m_record.playerNames.join(QLatin1Char(',')));

    QString script = QStringLiteral("[GAME]\n{\n");
    for (auto it = keys.cbegin(); it != keys.cend(); ++it)
    {
        const QString safe = SafeValue(it.value());
        if (safe != it.value())
            qWarning().noquote() << "StartScriptGenerator :: characters the script can't carry replaced in"
                                 << it.key();
        script += QLatin1Char('\t') + it.key() + QLatin1Char('=') + safe + QStringLiteral(";\n");
    }
    script += QLatin1Char('}');
    m_script = script;
    qDebug().noquote() << "StartScriptGenerator :: CLIENT SCRIPT GENERATED";
}
