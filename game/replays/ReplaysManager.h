#pragma once

#include "DataReplay.h"
#include "Singleton.h"
#include "WorkerThread.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <atomic>

class ReplayReader;

// Builds the list of the user's replays on a thread of its own: lists the replay folder, takes
// what the replay cache already knows, reads only new or changed demo files (on a pool of threads)
// and sends the records to the replays page in batches, in name order (7z demos once unpacked),
// with a percentage. Callers post "DoUpdateReplays" / "DoStop", or use the static functions.
// Files that could not be read (permissions, I/O, the archive tool) are not cached: the next
// refresh tries them again.
class ReplaysManager : public WorkerThread, public Singleton<ReplaysManager>
{
    Q_OBJECT
    friend class Singleton<ReplaysManager>;

public:
    // At most this many files are looked at per refresh (the newest ones).
    static constexpr int MaxFiles = 10000;
    // Between batches the percentage still goes out when it changed, at most this often.
    static constexpr int ProgressIntervalMs = 100;

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

    void SearchReplayFiles();
    void LoadCache();
    void ValidateCache();
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
    bool m_parseQueued = false;
    ReplayReader* m_reader = nullptr;
    QElapsedTimer m_progressClock;
    int m_lastPercent = 0;
    QSet<QString> m_unreadPaths; // read at this refresh without result: not cached
    QSet<QString> m_logged;      // problems that are logged once
    static std::atomic<int> s_archiveTimeLimitMs;
};
