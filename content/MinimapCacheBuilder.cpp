#include "MinimapCacheBuilder.h"

#include "MinimapCache.h"

#include <QDebug>

MinimapCacheBuilder::MinimapCacheBuilder(const QString& libraryPath, const QStringList& dataDirs)
    : m_libraryPath(libraryPath), m_dataDirs(dataDirs)
{
    qDebug().noquote() << "Initialize :: MinimapCacheBuilder";
    StartWorker();
}

MinimapCacheBuilder::~MinimapCacheBuilder()
{
    StopWorker();
}

void MinimapCacheBuilder::Build(const QString& mapName, const QString& cachePath)
{
    Queue("DoBuild", Q_ARG(QString, mapName), Q_ARG(QString, cachePath));
}

void MinimapCacheBuilder::DoDestroy()
{
    m_unitSync.reset();
    qDebug().noquote() << "Destroy :: MinimapCacheBuilder";
}

bool MinimapCacheBuilder::Start(QString* error)
{
    if (m_unitSync && m_unitSync->IsInitialized())
        return true;
    if (!m_unitSync)
    {
        auto unitSync = std::make_unique<UnitSync>(m_libraryPath);
        if (!unitSync->Load(error))
            return false;
        m_unitSync = std::move(unitSync);
    }
    return m_unitSync->Init(m_dataDirs, error);
}

DataMinimap MinimapCacheBuilder::Make(const QString& mapName, QString* error)
{
    DataMinimap minimap;
    minimap.mapName = mapName;
    if (!Start(error))
        return minimap;
    // The library finds the map's archive by the map's name, whatever the file is called. It knows
    // the maps of the moment it was started: look again for one installed since.
    bool known = m_unitSync->HasMap(mapName);
    if (!known && m_unitSync->Init(m_dataDirs, error))
        known = m_unitSync->HasMap(mapName);
    if (!known)
    {
        if (error && error->isEmpty())
            *error = QStringLiteral("the unitsync library doesn't know the map");
        return minimap;
    }
    UnitSync::MapInfo info;
    if (!m_unitSync->ReadMapInfo(mapName, info, error))
        return minimap;
    const QImage picture = m_unitSync->ReadMinimap(mapName, 1, error);
    if (picture.isNull())
        return minimap;
    return Record(mapName, info, picture);
}

void MinimapCacheBuilder::DoBuild(QString mapName, QString cachePath)
{
    QString error;
    const DataMinimap minimap = Make(mapName, &error);
    if (!minimap.loaded)
    {
        qWarning().noquote() << "MinimapCacheBuilder :: ERROR --- no minimap for" << mapName << "---"
                             << error;
    }
    else if (!MinimapCache::Write(cachePath, minimap, &error))
    {
        // The answer still carries the picture; the next request builds again.
        qWarning().noquote() << "MinimapCacheBuilder :: ERROR --- can't write" << cachePath << "---" << error;
    }
    else
    {
        qDebug().noquote() << "MinimapCacheBuilder :: BUILT ---" << mapName << "->" << cachePath;
    }
    emit OnBuilt(minimap);
}

DataMinimap MinimapCacheBuilder::Record(const QString& mapName, const UnitSync::MapInfo& info,
                                        const QImage& minimap)
{
    DataMinimap record;
    record.mapName = mapName;
    // As the content index has it: the map's description, else its name.
    record.infoText = info.description.trimmed().isEmpty() ? info.name : info.description.trimmed();
    record.width = info.width;
    record.height = info.height;
    record.minWind = info.minWind;
    record.maxWind = info.maxWind;
    record.tidalStrength = info.tidalStrength;
    record.maxMetal = info.maxMetal;
    if (minimap.isNull())
        return record;
    // The library stretches every map onto a square; a 16 x 8 map is shown twice as wide as high.
    QSize size(PictureSide, PictureSide);
    if (info.width > 0 && info.height > 0)
        size = QSize(info.width, info.height).scaled(size, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    record.minimap = minimap.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    record.loaded = true;
    return record;
}
