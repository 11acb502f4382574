#include "MinimapManager.h"

#include "AppSettings.h"
#include "GuiMetrics.h"
#include "MinimapCache.h"
#include "MinimapCacheBuilder.h"
#include "PathManager.h"
#include "SyncManager.h"
#include "UnitSync.h"

#include <QDebug>
#include <QPainter>

namespace
{
std::mutex g_libraryMutex;
QString g_libraryPath;
} // namespace

MinimapManager::MinimapManager()
{
    qDebug().noquote() << "Initialize :: MinimapManager";
    StartWorker();
}

MinimapManager::~MinimapManager()
{
    StopWorker();
    delete m_builder;
}

void MinimapManager::Load(const QString& mapName, int requestKind)
{
    Instance()->Queue("DoLoad", Q_ARG(QString, mapName), Q_ARG(int, requestKind));
}

void MinimapManager::SetLibraryPath(const QString& path)
{
    std::lock_guard<std::mutex> locker(g_libraryMutex);
    g_libraryPath = path;
}

QString MinimapManager::LibraryPath()
{
    std::lock_guard<std::mutex> locker(g_libraryMutex);
    return g_libraryPath.isEmpty() ? UnitSync::DefaultLibraryPath() : g_libraryPath;
}

void MinimapManager::DoDestroy()
{
    if (m_builder)
    {
        m_builder->InvokeBlocking("DoDestroy");
        delete m_builder;
        m_builder = nullptr;
    }
    m_waiting.clear();
    qDebug().noquote() << "Destroy :: MinimapManager";
}

void MinimapManager::DoLoad(QString mapName, int requestKind)
{
    const QString folder = PathManager::Exists() ? PathManager::Instance()->GetMinimapCacheDir() : QString();
    const QString cachePath = MinimapCache::FilePath(folder, mapName);
    DataMinimap minimap;
    QString reason;
    const MinimapCache::ReadResult result = folder.isEmpty()
                                                ? MinimapCache::ReadResult::Missing
                                                : MinimapCache::Read(cachePath, mapName, minimap, &reason);
    if (result == MinimapCache::ReadResult::Ok)
    {
        Answer(minimap, requestKind);
        return;
    }
    if (result == MinimapCache::ReadResult::Damaged)
        qWarning().noquote() << "MinimapManager :: DAMAGED CACHE ---" << cachePath << "---" << reason;

    if (folder.isEmpty() || !IsKnownMap(mapName))
    {
        qWarning().noquote() << "MinimapManager :: NO MINIMAP --- unknown map" << mapName;
        minimap = DataMinimap();
        minimap.mapName = mapName;
        Answer(minimap, requestKind);
        return;
    }
    const bool building = m_waiting.contains(mapName);
    m_waiting[mapName] << requestKind;
    if (!building)
        StartBuild(mapName, cachePath);
}

void MinimapManager::StartBuild(const QString& mapName, const QString& cachePath)
{
    if (!m_builder)
    {
        QStringList dataDirs{PathManager::Instance()->GetSpringDataDir()};
        if (AppSettingsMain::Exists() && !AppSettingsMain::Instance()->CustomSyncFolder.isEmpty())
            dataDirs << AppSettingsMain::Instance()->CustomSyncFolder;
        m_builder = new MinimapCacheBuilder(LibraryPath(), dataDirs);
        connect(m_builder, &MinimapCacheBuilder::OnBuilt, this, &MinimapManager::DoBuilt,
                Qt::QueuedConnection);
    }
    m_builder->Build(mapName, cachePath);
}

void MinimapManager::DoBuilt(DataMinimap minimap)
{
    const QList<int> kinds = m_waiting.take(minimap.mapName);
    for (const int kind : kinds)
        Answer(minimap, kind);
}

void MinimapManager::Answer(DataMinimap minimap, int requestKind)
{
    minimap.requestKind = requestKind;
    minimap.loaded = !minimap.minimap.isNull();
    minimap.rowPicture = requestKind != 0 && minimap.loaded ? RowPicture(minimap.minimap) : QImage();
    emit OnMapLoad(minimap);
}

bool MinimapManager::IsKnownMap(const QString& mapName)
{
    // Never creates the content index from this thread: without one no map is known.
    return !mapName.isEmpty() && SyncManager::Exists() && SyncManager::Instance()->ContainsMap(mapName);
}

QImage MinimapManager::RowPicture(const QImage& minimap)
{
    QImage row(GuiMinimapRow, GuiMinimapSmall, QImage::Format_ARGB32_Premultiplied);
    row.fill(Qt::transparent);
    if (minimap.isNull())
        return row;
    const QImage fitted = minimap.scaled(row.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&row);
    painter.drawImage((row.width() - fitted.width()) / 2, (row.height() - fitted.height()) / 2, fitted);
    return row;
}
