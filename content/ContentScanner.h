#pragma once

#include "ContentNaming.h"
#include "ContentScanCache.h"
#include "MemoryBudget.h"

#include <QMap>
#include <QString>
#include <QVector>

// Finds the maps and games of an engine data folder where the engine finds them: ".sdz" and ".sd7"
// archives and ".sdd" folders anywhere under its content folders "base", "maps", "games" and
// "packages" (not in hidden folders, nor inside an ".sdd"), each taken for what it holds, whatever
// folder it lies in, and listed under the name the engine knows it by (ContentNaming).
// The engine knows an archive by its file name: of several with one file name (any letter case) it
// reads the one in the last content folder, then the deepest; the others are logged and left out.
// Archives are read on every core, their decoders sharing one memory budget; one that needs more
// than the whole budget is read after the others, alone. What an archive holds is remembered in the scan
// cache file by its path, size and modification time, so an unchanged archive is opened once; ".sdd" folders
// are read at every scan. Archives that can't be read, that the engine couldn't unpack, that hold no map or
// game, or whose content another archive already holds (the first found is listed) are logged and left out;
// nothing is ever changed on disk but the cache file. One thread uses a scanner at a time.
class ContentScanner final
{
public:
    struct Result
    {
        QMap<QString, QString> games;   // name -> archive or folder path
        QMap<QString, QString> maps;    // name -> archive or folder path
        QMap<QString, QString> mapInfo; // name -> description, else the name
        int archivesRead = 0;           // archives opened (not taken from the cache)
    };

    // Without a cache file, only this scanner remembers what it read. Its archive readers take
    // their memory from `budget`.
    explicit ContentScanner(const QString& cacheFile = QString(),
                            MemoryBudget& budget = MemoryBudget::Content());

    Result Scan(const QString& springDataDir);

    // The content folders, in the order the engine searches them.
    static QStringList ContentFolders();

private:
    struct Found
    {
        QString path;
        bool archive = true; // else an ".sdd" folder
        int folder = 0;      // index in ContentFolders()
        int depth = 0;       // 0 directly in the content folder
    };

    static QVector<Found> FindContent(const QString& springDataDir);
    // Leaves out what the engine doesn't read of several archives with one file name.
    static QVector<Found> OnePerFileName(const QVector<Found>& found);
    // With `setAside`, an archive too large to read beside others comes back SetAside.
    ContentScanCache::Record Read(const Found& found, bool setAside) const;
    void LoadCache();

    QString m_cacheFile;
    MemoryBudget& m_budget;
    bool m_cacheLoaded = false;
    ContentScanCache::Records m_records;
};
