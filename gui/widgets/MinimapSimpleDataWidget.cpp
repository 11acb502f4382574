#include "MinimapSimpleDataWidget.h"

#include "Common.h"
#include "GuiMetrics.h"
#include "MinimapManager.h"
#include "MinimapWidget.h"
#include "NImageLabel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

MinimapSimpleDataWidget::MinimapSimpleDataWidget(int width, int height)
{
    const int scaled20 = Common::Scale(20);

    auto* area = new QFrame();
    area->setObjectName(QStringLiteral("MinimapSimple"));
    area->setStyleSheet(Common::FrameImageStyle(QStringLiteral("MinimapSimple"), false));
    area->setMinimumSize(width, height);
    auto* areaLayout = new QHBoxLayout(area);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    areaLayout->setSpacing(0);
    m_minimap = new MinimapWidget(scaled20);
    areaLayout->addWidget(m_minimap);

    auto* bar = new QFrame();
    bar->setFixedHeight(scaled20);
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(0, 0, 0, 0);
    barLayout->setSpacing(GuiUnit);
    m_nameLabel = new NImageLabel(9, QStringLiteral("Map Name").toUpper(), Common::ColorMain());
    m_nameLabel->setAlignment(Qt::AlignCenter);
    barLayout->addWidget(m_nameLabel, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(area, 1);
    layout->addWidget(bar);

    // Upper case throughout here, the "X" of the size too.
    m_panel = std::make_unique<MinimapPanel>(m_minimap, m_nameLabel, width - Common::Scale(16), true);
    connect(MinimapManager::Instance(), &MinimapManager::OnMapLoad, this,
            &MinimapSimpleDataWidget::DoMapLoad);
    m_minimap->MapStateChanged(MapState::None);
}

void MinimapSimpleDataWidget::DoMapChanged(QString mapName)
{
    m_panel->Change(mapName);
}

void MinimapSimpleDataWidget::DoMapLoad(DataMinimap minimap)
{
    m_panel->Take(minimap);
}

void MinimapSimpleDataWidget::DoMapFailed(QString mapName)
{
    m_panel->Fail(mapName);
}

void MinimapSimpleDataWidget::DoClear()
{
    m_minimap->MapStateChanged(MapState::None);
}
