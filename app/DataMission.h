#pragma once

#include "DataPlayer.h"

#include <QImage>
#include <QList>
#include <QMap>
#include <QMetaType>
#include <QString>

// One mission of the campaign or the tutorial.
struct DataMission
{
    DataMission() = default;
    DataMission(const QString& missionId, const QString& missionVersion, const QString& missionTitle)
        : id(missionId), version(missionVersion), title(missionTitle)
    {
    }

    bool update = true;
    QString folderPath;
    QString id;
    QString version;
    QString themeMusicPath;
    QString scriptPath;
    QString title;
    QString description;
    QString author;
    QImage introSmall;
    QImage introLarge;
    QList<QImage> screenshots;
    QString engineVersion;
    QString game;
    QString mapName;
    DataPlayer player;
    QMap<int, DataPlayer> bots;
};

Q_DECLARE_METATYPE(DataMission)
