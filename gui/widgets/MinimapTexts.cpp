#include "MinimapTexts.h"

#include "Common.h"

namespace MinimapTexts
{
QString NameText(const QString& text)
{
    return QStringLiteral("<font color=%1>%2</font>")
        .arg(Common::ColorToHex(Common::ColorMain()), text.toUpper().toHtmlEscaped());
}

QString SizeText(int width, int height)
{
    return QStringLiteral("( ") + QStringLiteral("%1 x %2").arg(width / 512).arg(height / 512) +
           QStringLiteral(" )");
}

QString InfoTextOf(const QString& mapName)
{
    return mapName;
}

bool IsPanelAnswer(const DataMinimap& minimap, const QString& mapName)
{
    return minimap.requestKind == PanelRequestKind && minimap.mapName == mapName && minimap.loaded;
}
} // namespace MinimapTexts
