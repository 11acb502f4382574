#pragma once

#include <QCoreApplication>
#include <QMap>
#include <QMetaType>
#include <QString>

// What a battle needs installed.
struct DataSync
{
    QString mapName = QStringLiteral("Unknown");
    QString game = QStringLiteral("Unknown");
    QString engine = QStringLiteral("Unknown");
};

// One download of missing content.
struct DataDownload
{
    Q_DECLARE_TR_FUNCTIONS(SyncStatus)

public:
    enum ItemType
    {
        Map = 0,
        MapCache = 1,
        Game = 2,
        Engine = 3
    };

    int itemType = Map;
    QString name;
    QString statusText;
    bool hasErrors = false;
    bool searching = false;
    bool downloading = false;
    bool installing = false;
    bool completed = false;

    void SetSearching();
    void SetDownloading();
    void SetInstalling();
    void SetCompleted();
    void SetError();
};

struct DataDownloadProgress
{
    int itemType = DataDownload::Map;
    QString name;
    int progress = 0; // 0..100
    qint64 received = 0;
    qint64 total = 0;
};

struct DataDownloadTotal
{
    QMap<int, DataDownload> downloads;
};

struct DataDownloadProgressTotal
{
    int progress = 0;
    qint64 received = 0;
    qint64 total = 0;
};

// The sync state of one battle.
struct DataSyncState
{
    bool hasMap = true;
    bool hasMapCache = true;
    bool hasGame = true;
    bool hasEngine = true;
    QString mapName;
    QString gameName;
    QString engineVersion;
    QMap<int, DataDownload> downloads; // by item type, only downloads that exist
    bool isSynced = false;
    // The closing pair: a retry makes sense once the check has answered and no download runs.
    bool isChecked = false;
    bool downloadsIdle = false;

    // No download is searching, downloading or installing.
    bool NoDownloadRunning() const;
};

Q_DECLARE_METATYPE(DataSync)
Q_DECLARE_METATYPE(DataDownload)
Q_DECLARE_METATYPE(DataDownloadProgress)
Q_DECLARE_METATYPE(DataDownloadTotal)
Q_DECLARE_METATYPE(DataDownloadProgressTotal)
Q_DECLARE_METATYPE(DataSyncState)
