#pragma once

#include "DataBattle.h"
#include "DataPlayer.h"

#include <QList>
#include <QMap>
#include <QRect>
#include <QStringList>

// What the start-script generator needs for one engine launch.
struct DataStartScript
{
    DataStartScript() = default;
    // Host IP and port, is-host from the hosted-here flag, map, game, hashes, engine, options;
    // the caller fills Me, the player lists, the boxes and the start-position type.
    explicit DataStartScript(const DataBattle& battle);

    QString hostIp;
    QString hostPort;
    QString autohostName;
    bool isHost = false;
    DataPlayer me;
    QString gameName;
    QString gameHash;
    QString mapName;
    QString mapHash;
    QString engineVersion;
    QString startPosType;
    QMap<int, QRect> startRects; // by ally team, in hundredths of the map
    QList<DataPlayer> players;
    QList<DataPlayer> ais;
    DataBattleOptions options;
    QStringList playerIds;
    QStringList playerNames;
};

Q_DECLARE_METATYPE(DataStartScript)
