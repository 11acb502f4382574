#pragma once

#include "Singleton.h"
#include "WorkerThread.h"

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <condition_variable>
#include <mutex>

// The content index: which engines, games and maps are installed in the engine data folder.
//
// It scans on its own thread ("DoInitialize", then on every "DoReload"):
//   engines  a folder per version under "engines" holding the engine executable ("spring.exe" on
//            Windows, "spring" elsewhere); on Linux also the engine installed system-wide
//            (Debian's /usr/games/spring), its version read from "--version"
//   games    ".sdz" and ".sd7" archives and ".sdd" folders under "games"
//   maps     the same kinds under "maps"
// An entry is the name the engine knows the content by where it can be read (name and version
// in the modinfo.lua or mapinfo.lua of an ".sdd" folder), else the file name without extension.
// The getters are safe from any thread; before the first scan has finished they wait for it.
class SyncManager : public WorkerThread, public Singleton<SyncManager>
{
    Q_OBJECT
    friend class Singleton<SyncManager>;

public:
    // Queues a new scan; OnReloaded follows.
    static void Reload();

    // Full path of the engine executable of that version, or "ENGINE NOT FOUND".
    QString GetEngineExePath(const QString& version);
    bool ContainsEngine(const QString& version);
    bool ContainsGame(const QString& name);
    bool ContainsMap(const QString& name);
    // The entry of that game (the name the engine knows it by), or empty when unknown. Takes the
    // entry itself or the archive's file name.
    QString GetGameFilePath(const QString& version);
    // Engine version -> executable path, in version order.
    QMap<QString, QString> GetEngineVersions();
    // Game entry -> archive or folder path.
    QMap<QString, QString> GetGameVersions();
    QSet<QString> GetAvailableMaps();

    // The engine installed system-wide (Linux); an empty path leaves it out. Tests point it elsewhere.
    static void SetSystemEnginePath(const QString& path);
    static QString SystemEnginePath();

    // The name an ".sdd" folder's modinfo.lua or mapinfo.lua gives ("name version"), or empty when
    // the file has no name. Exposed for tests.
    static QString ReadInfoName(const QString& infoFile);
    static QString EngineExeName();

signals:
    void OnReloaded();

public slots:
    void DoInitialize();
    void DoReload();
    void DoDestroy();

private:
    SyncManager();
    ~SyncManager() override;

    struct Index
    {
        QMap<QString, QString> engines; // version -> executable
        QMap<QString, QString> games;   // entry -> path
        QMap<QString, QString> maps;    // entry -> path
    };
    static Index Scan(const QString& springDataDir);
    static QString ReadEngineVersion(const QString& executable);
    void WaitForFirstScan(std::unique_lock<std::mutex>& lock);

    std::mutex m_mutex;
    std::condition_variable m_scanned;
    bool m_hasScanned = false;
    Index m_index;
};
