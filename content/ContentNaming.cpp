#include "ContentNaming.h"

#include "LuaInfo.h"

#include <QFileInfo>

namespace ContentNaming
{
QString VersionedName(const QString& name, const QString& version)
{
    if (version.isEmpty() || name.contains(version))
        return name;
    return name + QLatin1Char(' ') + version;
}

Content Describe(const ContentFiles& files)
{
    Content content;
    const QMap<QString, QString> modInfo =
        files.hasMapInfo || !files.hasModInfo ? QMap<QString, QString>() : LuaInfo::ReadFields(files.modInfo);
    const QString modType = modInfo.value(QStringLiteral("modtype")).trimmed();
    // A map of old, named by its modinfo.lua.
    const bool oldMap = !modType.isEmpty() && modType.toDouble() == 3.0;
    if (files.hasMapInfo || oldMap || (!files.mapFile.isEmpty() && !files.hasModInfo))
    {
        const QMap<QString, QString> fields = oldMap ? modInfo : LuaInfo::ReadFields(files.mapInfo);
        QString name = fields.value(QStringLiteral("name"));
        // Without a name the map file's base name stands in, unless mapinfo.lua names the map file
        // itself: the engine then lists nothing.
        if (name.isEmpty() && !oldMap && fields.value(QStringLiteral("mapfile")).isEmpty())
            name = QFileInfo(files.mapFile).completeBaseName();
        if (name.isEmpty())
            return content;
        content.kind = Kind::Map;
        content.name = VersionedName(name, fields.value(QStringLiteral("version")));
        content.description = fields.value(QStringLiteral("description")).simplified();
        return content;
    }
    const QString name = modInfo.value(QStringLiteral("name"));
    if (!files.hasModInfo || name.isEmpty() || (!modType.isEmpty() && modType.toDouble() != 1.0))
        return content;
    content.kind = Kind::Game;
    content.name = VersionedName(name, modInfo.value(QStringLiteral("version")));
    content.description = modInfo.value(QStringLiteral("description")).simplified();
    return content;
}
} // namespace ContentNaming
