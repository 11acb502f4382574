#pragma once

#include "DataPlayer.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMetaType>
#include <QString>

// One replay: what its demo file holds plus the texts the replays page shows.
class DataReplay
{
public:
    int index = 0;
    QString fileName;
    QString filePath; // as listed; for a compressed demo the archive
    qint64 fileSize = 0;
    QString gameId; // 32 lower-case hex digits
    QString engineVersion;
    QString gameName;
    QString mapName;
    QString dateText;
    QString durationText;
    QString sizeText;
    QString gameVersionText;
    QString mapDisplayName;
    QString teamsText;
    int teamCount = 0;
    QString searchText;
    QDateTime startTime;
    int duration = 0; // game time in seconds
    QList<DataPlayer> players;
    QList<DataPlayer> spectators;
    QList<int> winningAllyTeams;
    bool valid = false;
    bool hasAi = false;
    // Carried along for the pages; the replays worker neither sets nor reads them.
    QString extraText;
    int extraNumber = 0;
    int extraFlags = 0;
    // Modification time of the listed file (ms since the epoch), so that a file replaced under
    // the same name is read again.
    qint64 fileModified = 0;
};

using ReplaysList = QList<DataReplay>;
using ReplaysTable = QHash<QString, DataReplay>;

Q_DECLARE_METATYPE(DataReplay)
Q_DECLARE_METATYPE(ReplaysList)
Q_DECLARE_METATYPE(ReplaysTable)

// Registers DataReplay, ReplaysList and ReplaysTable for queued signals; safe to call twice.
void RegisterReplayMetaTypes();
