#pragma once

#include "DataMisc.h"
#include "Singleton.h"
#include "WorkerThread.h"

#include <QImage>
#include <QList>
#include <QMap>
#include <QString>
#include <mutex>

class MinimapCacheBuilder;

// The minimap service. Every Load is answered with exactly one OnMapLoad carrying the requested
// map name and request kind, heard by every listener. The answer comes from the map's cache file;
// when there is none (or it is damaged) and the content index knows the map, the cache builder
// makes one from the map archive first. Without a minimap the answer's loaded flag is false.
// Runs on its own thread, so reading and building never hold up the interface.
class MinimapManager final : public WorkerThread, public Singleton<MinimapManager>
{
    Q_OBJECT
    friend class Singleton<MinimapManager>;

public:
    static void Load(const QString& mapName, int requestKind);

    // The unitsync library the cache builder loads; tests point it elsewhere. Empty restores the default.
    static void SetLibraryPath(const QString& path);
    static QString LibraryPath();

    // The small picture of the map lists: the minimap fitted into GuiMinimapRow x GuiMinimapSmall,
    // centred on a transparent ground.
    static QImage RowPicture(const QImage& minimap);

signals:
    void OnMapLoad(DataMinimap minimap);

public slots:
    void DoLoad(QString mapName, int requestKind);
    void DoDestroy();

private slots:
    void DoBuilt(DataMinimap minimap);

private:
    MinimapManager();
    ~MinimapManager() override;

    void Answer(DataMinimap minimap, int requestKind);
    void StartBuild(const QString& mapName, const QString& cachePath);
    static bool IsKnownMap(const QString& mapName);

    MinimapCacheBuilder* m_builder = nullptr;
    // Requests waiting for a build, by map name: their request kinds in order of arrival.
    QMap<QString, QList<int>> m_waiting;
};
