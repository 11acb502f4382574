#pragma once

#include "DataBattle.h"
#include "DataStartScript.h"

#include <QMetaType>
#include <QString>

// An open battle of the lobby, hosted by another user: what names it in the battle list and what
// a client needs to join its game.
struct SpringBattle
{
    int id = 0;
    QString title;
    QString founder;
    QString hostIp;
    quint16 hostPort = 8452;
    QString mapName;
    quint32 mapHash = 0; // the server sends it signed; the engine reads it unsigned
    QString gameName;
    quint32 gameHash = 0;
    QString engineVersion;
    DataBattleOptions options;

    // The launch record of joining it, built as from a local battle that is not hosted here. The
    // caller fills Me and the player lists.
    DataStartScript ToStartScript() const;
};

Q_DECLARE_METATYPE(SpringBattle)
