#pragma once

#include "DataReplay.h"
#include "ReplaysCache.h"
#include "Singleton.h"
#include "WorkerThread.h"

#include <QDate>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

class DemoFolderLister;
class ReplayReader;

// Builds the list of the user's replays on a thread of its own: lists the replay folder, takes
// what the replay cache already knows, reads only new or changed demo files (on a pool of threads)
// and sends the records to the replays page in batches, in name order (7z demos once unpacked),
// with a percentage. Callers post "DoUpdateReplays" / "DoStop", or use the static functions.
// Files that could not be read (permissions, I/O, the archive tool) are not cached: the next
// refresh tries them again. Listing the folder and taking the cache go in short steps, each in a
// turn of the event loop, so a stop is heard at any moment of a refresh.
class ReplaysManager : public WorkerThread, public Singleton<ReplaysManager>
{
    Q_OBJECT
    friend class Singleton<ReplaysManager>;

public:
    // At most this many files are looked at per refresh (the newest ones).
    static constexpr int MaxFiles = 10000;
    // Between batches the percentage still goes out when it changed, at most this often.
    static constexpr int ProgressIntervalMs = 100;
    // How long one step of listing or taking the cache runs before the event loop gets a turn.
    static constexpr int StepMs = 10;

    // Queued requests, for callers on other threads. A refresh hands over the current folder.
    static void UpdateReplays();
    static void Stop();
    // Where the engine writes its demos: the custom sync folder's when one is set. Reads the
    // settings, so it is called on the caller's thread, never on the worker's.
    static QString CurrentReplayFolder();

    // The parts of the work that need no thread, for tests.
    static QMap<QString, QString> ParseRelations(const QString& text);
    static void BuildDescription(DataReplay& replay);
    // The archive tool's base time limit per 7z demo (see ReplayArchive), from the next refresh
    // on; for tests.
    static void SetArchiveTimeLimit(int ms);

signals:
    void OnReplaysUpdate(ReplaysList replaysUpdate);
    void OnBusy(bool value);
    void OnProgress(int percent);

public slots:
    void DoInitialize();
    void DoDestroy();
    void DoLobbyAdmin(bool value);
    // An empty folder refreshes the folder of the last request (at first the one at construction).
    void DoUpdateReplays(QString replayFolder = QString());
    void DoStop();
    void DoParseFiles();

private:
    struct FileStamp
    {
        qint64 size = 0;
        qint64 modified = 0;
    };

    ReplaysManager();
    ~ReplaysManager() override;

    // The steps of a refresh, in this order; each queues the next, or itself until its part is done.
    void SearchReplayFiles();
    void SortReplayFiles();
    void LoadCache();
    void ValidateCache();
    // Queues a step of the current refresh; it does not run once the refresh is stopped or replaced.
    void Step(void (ReplaysManager::*step)());
    void CacheTaken();
    // Frees the tables of refreshes that ended, a part at a time.
    void FreeStep();
    void TakeRecord(DataReplay replay, bool remember);
    void AddReplay(DataReplay replay);
    void Finish();
    int Percent() const;
    void EmitProgress();
    void ReportProgress();
    void SendProgress(int percent);
    void ResetTempFolder();
    // Forgets everything of a refresh in flight.
    void ClearRefreshState();
    int BatchSize() const;
    // Logs `line` unless it was logged before by this worker.
    void LogOnce(const QString& line);

    QString m_replayFolder;
    QString m_tempFolder;
    QString m_relationFile;
    QString m_gamePattern;
    bool m_lobbyAdmin = false;
    bool m_stopping = false;
    QStringList m_pendingNames; // listed, not yet handed to the reader
    int m_total = 0;
    int m_remaining = 0; // names not yet handled at this refresh
    ReplaysTable m_cachedTable;
    ReplaysTable m_replayTable;
    QStringList m_waitingPaths;
    QString m_cachePath;
    QMap<QString, QString> m_mapNames;

    QHash<QString, FileStamp> m_listing; // by path, from the last search
    int m_refresh = 0;                   // counts refreshes and stops, so old steps know they are old
    std::unique_ptr<DemoFolderLister> m_lister;
    ReplaysCache::CacheReader m_cacheReader;
    QSet<QString> m_known;         // paths of the cached records whose files are listed unchanged
    QList<ReplaysTable> m_garbage; // tables of ended refreshes, being freed
    bool m_freeQueued = false;
    int m_validateNext = 0;      // next pending name to look up in the cached table
    QDate m_today;               // for the date texts: asking the time zone per record costs much
    int m_cacheRecords = -1;     // record lines of the cache read at this refresh; -1: none read
    bool m_cacheChanged = false; // a file was read at this refresh
    bool m_parseQueued = false;
    ReplayReader* m_reader = nullptr;
    QElapsedTimer m_progressClock;
    int m_lastPercent = 0;
    QSet<QString> m_unreadPaths; // read at this refresh without result: not cached
    QSet<QString> m_logged;      // problems that are logged once
    static std::atomic<int> s_archiveTimeLimitMs;
};
