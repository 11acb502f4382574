#pragma once

#include <QImage>
#include <QMetaType>
#include <QString>

// A minimap and the map facts shown beside it.
struct DataMinimap
{
    QString mapName;
    QString infoText;
    bool loaded = false;
    int requestKind = 0; // 0 map panels, 1 map choice dialog
    int tidalStrength = 0;
    float maxMetal = 0.0f;
    int minWind = 0;
    int maxWind = 0;
    int width = 0;
    int height = 0;
    QImage minimap;
    QImage rowPicture;
};

// A newer lobby version and its change log.
struct DataUpdates
{
    QString version;
    QString changeLog;
};

// One automated game test.
struct DataTest
{
    QString name;
    QString mapName;
    QString startPosition;
    QString script;
};

// Progress of one web transfer.
struct DataWebItem
{
    QString id;
    QString url;
    QString filePath;
    qint64 received = 0;
    qint64 total = 0;
    bool finished = false;
    bool failed = false;
};

// An AI project held in a git working copy.
struct DataAiProject
{
    QString name;
    QString folder;
    QString url;
    QString version;
    bool enabled = false;
};

Q_DECLARE_METATYPE(DataMinimap)
Q_DECLARE_METATYPE(DataUpdates)
Q_DECLARE_METATYPE(DataTest)
Q_DECLARE_METATYPE(DataWebItem)
Q_DECLARE_METATYPE(DataAiProject)
