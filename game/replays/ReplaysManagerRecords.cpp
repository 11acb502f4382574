#include "ReplaysManager.h"

#include "Common.h"

#include <QDebug>
#include <QFile>

#include <algorithm>

// The records' own side: map names, display texts, teams text and the game filter.

void ReplaysManager::DoInitialize()
{
    QString text;
    QFile file(m_relationFile);
    if (file.open(QIODevice::ReadOnly))
        text = QString::fromUtf8(file.readAll());
    if (text.isEmpty())
    {
        qWarning().noquote() << "ReplaysManager :: DataRelations File is EMPTY" << m_relationFile;
        return;
    }
    m_mapNames = ParseRelations(text);
}

QMap<QString, QString> ReplaysManager::ParseRelations(const QString& text)
{
    QMap<QString, QString> names;
    QString clean = text;
    clean.remove(QLatin1Char('\r'));
    for (const QString& line : clean.split(QLatin1Char('\n')))
    {
        const QStringList columns = line.split(QLatin1Char('\t'));
        const QString key = columns.first();
        QString value = columns.last();
        if (key.isEmpty() || value.isEmpty())
            continue;
        value.replace(QLatin1Char('_'), QLatin1Char(' '));
        value.remove(QStringLiteral(".sdz"));
        value.remove(QStringLiteral(".sd7"));
        names.insert(key, value);
    }
    return names;
}

void ReplaysManager::AddReplay(DataReplay replay)
{
    QString lowerGame = replay.gameName.toLower();
    lowerGame.remove(QLatin1Char(':'));
    replay.mapDisplayName = m_mapNames.value(replay.mapName, replay.mapName);

    QString version = lowerGame;
    version.remove(QStringLiteral(".sdz"));
    if (!m_gamePattern.isEmpty())
        version.remove(m_gamePattern);
    version.remove(QLatin1Char(' '));
    version.remove(QLatin1Char('_'));
    replay.gameVersionText = version;

    replay.hasAi = std::any_of(replay.players.cbegin(), replay.players.cend(),
                               [](const DataPlayer& player) { return player.isAi; });
    BuildDescription(replay);
    replay.dateText = Common::FormatDate(replay.startTime, m_today);
    replay.durationText = Common::FormatClock(replay.duration);
    replay.sizeText = Common::FormatSize(replay.fileSize);

    replay.searchText.clear();
    for (int i = 0; i < replay.players.size(); ++i)
    {
        DataPlayer& player = replay.players[i];
        player.id = QString::number(i);
        player.winner = replay.winningAllyTeams.contains(player.allyTeam);
        replay.searchText += player.name + QLatin1Char(' ');
    }
    for (int j = 0; j < replay.spectators.size(); ++j)
    {
        DataPlayer& spectator = replay.spectators[j];
        spectator.id = QString::number(1000 + j);
        replay.searchText += spectator.name + QLatin1Char(' ');
    }

    replay.index = m_replayTable.size();
    m_replayTable.insert(replay.filePath, replay);

    if (!lowerGame.contains(m_gamePattern))
        qDebug().noquote() << "ReplaysManager :: IGNORE" << lowerGame << replay.filePath;
    else if (!m_lobbyAdmin && lowerGame.contains(QLatin1String("beta-")))
        qDebug().noquote() << "ReplaysManager :: NOT DEVELOPER - IGNORE" << lowerGame << replay.filePath;
    else
        m_waitingPaths << replay.filePath;
}

void ReplaysManager::BuildDescription(DataReplay& replay)
{
    QMap<int, QStringList> groups;
    for (const DataPlayer& player : qAsConst(replay.players))
        groups[player.allyTeam] << (player.isAi ? QStringLiteral("Ai") : player.name);

    QString text;
    int count = 0;
    for (auto it = groups.cbegin(); it != groups.cend(); ++it)
    {
        if (it.key() < 0)
            continue;
        ++count;
        if (!text.isEmpty())
            text += QStringLiteral(" | ");
        const QStringList& group = it.value();
        if (!group.contains(QStringLiteral("Ai")))
            text += QString::number(group.size());
        else if (group.size() == 1)
            text += QStringLiteral("Ai");
        else
            text += QStringLiteral("%1 + %2").arg(QStringLiteral("Ai")).arg(group.size() - 1);
    }
    if (count == 2 && replay.players.size() == 2 && !text.contains(QLatin1String("Ai")))
        text = tr("DUEL");
    else if (count > 2)
        text = QStringLiteral("FFA");
    replay.teamsText = text;
    replay.teamCount = count;
}
