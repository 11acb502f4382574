#include "MinimapTexts.h"

#include "Common.h"
#include "SyncManager.h"

#include <QFontMetrics>

namespace MinimapTexts
{
QString BarText(const QString& infoText, const QString& sizePart, const QFont& font, int width)
{
    const QString tail = sizePart.isEmpty() ? QString() : QStringLiteral(" - ") + sizePart;
    const QFontMetrics metrics(font);
    const QString info = metrics.elidedText(infoText.toUpper(), Qt::ElideRight,
                                            qMax(0, width - metrics.horizontalAdvance(tail)));
    return Common::ColoredHtml(Common::ColorMain(), info) +
           (tail.isEmpty() ? QString() : Common::ColoredHtml(Common::ColorWhite(), tail));
}

QString SizeText(int width, int height)
{
    return QStringLiteral("( ") + QStringLiteral("%1 x %2").arg(width / 512).arg(height / 512) +
           QStringLiteral(" )");
}

QString InfoTextOf(const QString& mapName)
{
    // A panel never starts the content index itself.
    return SyncManager::Exists() ? SyncManager::Instance()->GetMapInfoText(mapName) : mapName;
}

bool IsPanelAnswer(const DataMinimap& minimap, const QString& mapName)
{
    return minimap.requestKind == PanelRequestKind && minimap.mapName == mapName && minimap.loaded;
}
} // namespace MinimapTexts
