#include "MinimapPanel.h"

#include "Common.h"
#include "MinimapManager.h"
#include "MinimapWidget.h"
#include "NImageLabel.h"
#include "SyncManager.h"

#include <QFontMetrics>
#include <QPixmap>

MinimapPanel::MinimapPanel(MinimapWidget* minimap, NImageLabel* nameLabel, int nameWidth, bool upperCaseSize)
    : m_minimap(minimap), m_nameLabel(nameLabel), m_nameWidth(nameWidth), m_upperCaseSize(upperCaseSize)
{
}

void MinimapPanel::Change(const QString& mapName)
{
    m_mapName = mapName;
    // A panel never starts the content index itself.
    const QString info = SyncManager::Exists() ? SyncManager::Instance()->GetMapInfoText(mapName) : mapName;
    m_nameLabel->SetText(BarText(info, QString(), m_nameLabel->font(), m_nameWidth));
    m_minimap->MapStateChanged(MapState::Loading);
    MinimapManager::Load(mapName, RequestKind);
}

void MinimapPanel::Reload(const QString& mapName)
{
    if (mapName == m_mapName)
        MinimapManager::Load(mapName, RequestKind);
}

bool MinimapPanel::Take(const DataMinimap& minimap)
{
    if (minimap.requestKind != RequestKind || minimap.mapName != m_mapName || !minimap.loaded)
        return false;
    const QString size = SizeText(minimap.width, minimap.height);
    m_nameLabel->SetText(
        BarText(minimap.infoText, m_upperCaseSize ? size.toUpper() : size, m_nameLabel->font(), m_nameWidth));
    m_minimap->SetPixmap(QPixmap::fromImage(minimap.minimap));
    return true;
}

void MinimapPanel::Fail(const QString& mapName)
{
    if (mapName == m_mapName)
        m_minimap->MapStateChanged(MapState::NotFound);
}

QString MinimapPanel::BarText(const QString& infoText, const QString& sizePart, const QFont& font, int width)
{
    const QString tail = sizePart.isEmpty() ? QString() : QStringLiteral(" - ") + sizePart;
    const QFontMetrics metrics(font);
    const QString info = metrics.elidedText(infoText.toUpper(), Qt::ElideRight,
                                            qMax(0, width - metrics.horizontalAdvance(tail)));
    return Common::ColoredHtml(Common::ColorMain(), info) +
           (tail.isEmpty() ? QString() : Common::ColoredHtml(Common::ColorWhite(), tail));
}

QString MinimapPanel::SizeText(int width, int height)
{
    return QStringLiteral("( %1 x %2 )").arg(width / 512).arg(height / 512);
}
