#pragma once

#include "ContentNaming.h"
#include "ContentScanCache.h"

#include <QMap>
#include <QString>

// Finds the maps (in "maps") and games (in "games") of an engine data folder: ".sdz" and ".sd7"
// archives and ".sdd" folders, each listed under the name the engine knows it by (ContentNaming).
// What an archive holds is remembered in the scan cache file by its path, size and modification
// time, so an unchanged archive is opened once; ".sdd" folders are read at every scan.
// Archives that can't be read, that hold no content of their folder's kind, or whose content
// another archive already holds (the first in file name order is listed) are logged and left out;
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

    // Without a cache file, only this scanner remembers what it read.
    explicit ContentScanner(const QString& cacheFile = QString());

    Result Scan(const QString& springDataDir);

private:
    QMap<QString, QString> ScanFolder(const QString& folder, ContentNaming::Kind kind,
                                      QMap<QString, QString>* descriptions, ContentScanCache::Records& seen,
                                      int* archivesRead);
    ContentScanCache::Record Look(const QString& path, bool isArchive, int* archivesRead);
    void LoadCache();

    QString m_cacheFile;
    bool m_cacheLoaded = false;
    ContentScanCache::Records m_records;
};
