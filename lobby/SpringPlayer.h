#pragma once

#include "DataPlayer.h"

#include <QImage>
#include <QMetaType>
#include <QString>

// An online user of the lobby.
struct SpringPlayer
{
    QString name;
    QString id; // account or Steam id text
    QString country = QStringLiteral("XX");
    QString rank;
    QString localTime;
    int platform = 0; // 1 Linux, 2 Windows, 3 macOS
    quint32 userStatus = 0;
    QImage picture;

    bool IsInGame() const { return userStatus & 0x1; }
    bool IsAway() const { return userStatus & 0x2; }
    bool IsBot() const { return userStatus & 0x40; }

    DataPlayer ToDataPlayer() const;
};

Q_DECLARE_METATYPE(SpringPlayer)
