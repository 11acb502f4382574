#pragma once

#include "DataMisc.h"
#include "UnitSync.h"
#include "WorkerThread.h"

#include <QString>
#include <QStringList>

#include <memory>

// Makes minimap cache files from map archives through the engine's unitsync library, on a thread
// of its own: the library is not thread-safe, so this thread makes every call into it.
class MinimapCacheBuilder final : public WorkerThread
{
    Q_OBJECT

public:
    // The pictures it stores are this long on their longer side.
    static constexpr int PictureSide = 512;

    // `dataDirs`: the content folders to search, the engine data folder first.
    MinimapCacheBuilder(const QString& libraryPath, const QStringList& dataDirs);
    ~MinimapCacheBuilder() override;

    // Queues a build; OnBuilt follows.
    void Build(const QString& mapName, const QString& cachePath);

    // The cache record of a map: the square minimap the library gives, turned into the map's shape.
    static DataMinimap Record(const QString& mapName, const UnitSync::MapInfo& info, const QImage& minimap);

signals:
    // Always carries the requested map name; the loaded flag is false when nothing could be built.
    void OnBuilt(DataMinimap minimap);

public slots:
    void DoBuild(QString mapName, QString cachePath);
    void DoDestroy();

private:
    bool Start(QString* error);
    DataMinimap Make(const QString& mapName, QString* error);

    QString m_libraryPath;
    QStringList m_dataDirs;
    std::unique_ptr<UnitSync> m_unitSync;
};
