#pragma once

#include "Singleton.h"
#include "WorkerThread.h"

#include <QImage>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <condition_variable>
#include <memory>
#include <mutex>

class ContentScanner;

// The content index: which engines, games and maps are installed in the engine data folder.
//
// It scans on its own thread ("DoInitialize", then on every "DoReload"):
//   engines  a folder per version under "engines" holding the engine executable ("spring.exe" on
//            Windows, "spring" elsewhere); on Linux also the engine installed system-wide
//            (Debian's /usr/games/spring), its version read from "--version" once per file
//   games    ".sdz" and ".sd7" archives and ".sdd" folders holding a game, and
//   maps     those holding a map, wherever the engine finds them under its content folders
//            ("base", "maps", "games", "packages"; see ContentScanner)
// An entry is the name the engine knows the content by, read from the archive's own modinfo.lua
// or mapinfo.lua (see ContentScanner and ContentNaming), never its file name. A map's information
// text is the description its mapinfo.lua gives, else its name; it is plain text, so rich-text
// labels escape it. No engine at all is a warning in the log.
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
    // Map name -> information text, for every available map.
    QMap<QString, QString> GetMapInfoList();
    // The map's information text, or the name itself when the map is unknown.
    QString GetMapInfoText(const QString& mapName);

    // The sides of the selected game: how many, the name of one ("NONE" outside them), and the icon
    // of a side (or AI) by name, any letter case; a null image, logged, when there is none.
    static int GetSideCount();
    static QString GetSideName(int sideIndex);
    static QImage GetAiSideIcon(const QString& name);

    // The engine installed system-wide (Linux); an empty path leaves it out. Tests point it elsewhere.
    static void SetSystemEnginePath(const QString& path);
    static QString SystemEnginePath();

    // Engine versions already read, one "<version>|<size>|<modified, ms since epoch>|<path>" per
    // executable: an engine is asked again only when its file changed. Start-up hands in the stored
    // list before the first scan; shut-down stores what the program knows then.
    static void SetKnownEngineVersions(const QStringList& entries);
    static QStringList KnownEngineVersions();
    // What to store at shut-down in place of `stored`, the list handed in at start-up: the known
    // versions, unless a check was stopped; what a stopped check didn't learn is no answer, so
    // `stored` stays as it is and the next start asks again.
    static QStringList EngineVersionsToStore(const QStringList& stored);
    // Shut-down: kills a running version check at once and starts no other.
    static void StopEngineChecks();

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
        QMap<QString, QString> mapInfo; // entry -> information text
        int archivesRead = 0;
    };
    Index Scan(const QString& springDataDir);
    static QString ReadEngineVersion(const QString& executable);
    void WaitForFirstScan(std::unique_lock<std::mutex>& lock);

    std::mutex m_mutex;
    std::condition_variable m_scanned;
    bool m_hasScanned = false;
    Index m_index;
    // Used on the worker's thread only.
    std::unique_ptr<ContentScanner> m_scanner;
    QString m_scannerCacheFile;
};
