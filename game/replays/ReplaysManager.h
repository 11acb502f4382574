#pragma once

#include "DataReplay.h"
#include "Singleton.h"
#include "WorkerThread.h"

#include <QHash>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QStringList>

// Builds the list of the user's replays on a thread of its own: lists the replay folder, takes
// what the replay cache already knows, reads only new or changed demo files and sends the records
// to the replays page in batches with a percentage. Callers post "DoUpdateReplays" / "DoStop".
class ReplaysManager : public WorkerThread, public Singleton<ReplaysManager>
{
    Q_OBJECT
    friend class Singleton<ReplaysManager>;

public:
    // At most this many files are looked at per refresh (the newest ones).
    static constexpr int MaxFiles = 10000;

    // Queued requests, for callers on other threads.
    static void UpdateReplays();
    static void Stop();

    // The parts of the work that need no thread, for tests.
    static QMap<QString, QString> ParseRelations(const QString& text);
    static void BuildDescription(DataReplay& replay);

signals:
    void OnReplaysUpdate(ReplaysList replaysUpdate);
    void OnBusy(bool value);
    void OnProgress(int percent);

public slots:
    void DoInitialize();
    void DoDestroy();
    void DoLobbyAdmin(bool value);
    void DoUpdateReplays();
    void DoStop();
    void Do7zFinish(QString filePath, QString id);
    void Do7zError(QString filePath, QString id);
    void DoParseFiles();

private:
    struct FileStamp
    {
        qint64 size = 0;
        qint64 modified = 0;
    };

    ReplaysManager();
    ~ReplaysManager() override;

    void SearchReplayFiles();
    void ValidateCache();
    void ParseDemo(const QString& readPath, const QString& listedPath);
    void AddReplay(DataReplay replay);
    void EmitProgress();
    void ScheduleParse();
    void ResetTempFolder();
    // Forgets everything of a refresh in flight.
    void ClearRefreshState();
    void DropStaleUnpack(const QString& id);
    int BatchSize() const;
    // Listens to the archive manager; on the caller's thread, before the first refresh.
    void ConnectArchiveManager();

    QString m_replayFolder;
    QString m_tempFolder;
    QString m_relationFile;
    QString m_gamePattern;
    bool m_lobbyAdmin = false;
    bool m_stopping = false;
    QStringList m_pendingNames;
    int m_total = 0;
    ReplaysTable m_cachedTable;
    ReplaysTable m_replayTable;
    QStringList m_waitingPaths;
    QString m_cachePath;
    QMap<QString, QString> m_mapNames;

    QHash<QString, FileStamp> m_listing; // by path, from the last search
    bool m_parseQueued = false;
    // The one unpack in flight: its archive, folder and the id its answer must carry.
    QString m_extractArchive;
    QString m_extractFolder;
    QString m_extractId;
    int m_extractSerial = 0;
    QPointer<QObject> m_archiveManager; // the one whose answers we listen to
};
