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
    if (files.hasMapInfo || (!files.mapFile.isEmpty() && !files.hasModInfo))
    {
        const QMap<QString, QString> fields = LuaInfo::ReadFields(files.mapInfo);
        QString name = fields.value(QStringLiteral("name"));
        // Without a name the map file's base name stands in, unless mapinfo.lua names the map file
        // itself: the engine then lists nothing.
        if (name.isEmpty() && fields.value(QStringLiteral("mapfile")).isEmpty())
            name = QFileInfo(files.mapFile).completeBaseName();
        if (name.isEmpty())
            return content;
        content.kind = Kind::Map;
        content.name = VersionedName(name, fields.value(QStringLiteral("version")));
        content.description = fields.value(QStringLiteral("description")).simplified();
        return content;
    }
    if (!files.hasModInfo)
        return content;
    const QMap<QString, QString> fields = LuaInfo::ReadFields(files.modInfo);
    const QString name = fields.value(QStringLiteral("name"));
    const QString modType = fields.value(QStringLiteral("modtype")).trimmed();
    if (name.isEmpty() || (!modType.isEmpty() && modType.toDouble() != 1.0))
        return content;
    content.kind = Kind::Game;
    content.name = VersionedName(name, fields.value(QStringLiteral("version")));
    content.description = fields.value(QStringLiteral("description")).simplified();
    return content;
}
} // namespace ContentNaming
