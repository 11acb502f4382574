#include "MinimapDataWidget.h"

#include "Common.h"
#include "GuiMetrics.h"
#include "MinimapManager.h"
#include "MinimapSkirmishWidget.h"
#include "NButton.h"
#include "NImageButtonAux.h"
#include "NImageLabel.h"
#include "NSlider.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QVBoxLayout>

MinimapDataWidget::MinimapDataWidget(bool editable) : m_editable(editable)
{
    const int w = GuiMinimapWidth;
    const int h = GuiMinimapHeight;
    const int barHeight = NImageButtonAux::GetDefaultHeight();

    m_controls = new QFrame();
    auto* controlsLayout = new QVBoxLayout(m_controls);
    controlsLayout->setContentsMargins(0, 0, 0, GuiUnit);
    controlsLayout->setSpacing(2 * GuiUnit);
    controlsLayout->addWidget(CreateSplitControls());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(GuiUnit);
    layout->addWidget(CreateMinimapArea(w, h), 1);
    // Room for the name bar, which overlaps the lower edge of the minimap's frame.
    layout->addSpacing(Common::Scale(GuiUnit / 2) + barHeight - Common::Scale(8));
    layout->addWidget(m_controls);
    layout->addStretch();
    m_controls->setVisible(editable);

    // Not in the layout: a child placed over the frame's lower edge.
    QFrame* bar = CreateNameBar(w, barHeight);
    bar->setParent(this);
    bar->move(0, h - Common::Scale(8));

    m_panel = std::make_unique<MinimapPanel>(m_minimap, m_nameLabel, m_nameWidth, false);
    connect(m_splitGroup, &QButtonGroup::idClicked, this, &MinimapDataWidget::DoMapRectSelectionChanged);
    connect(m_sizeSlider, &QSlider::sliderMoved, this, qOverload<int>(&MinimapDataWidget::DoRectSizeChanged));
    connect(m_sizeSlider, &QSlider::valueChanged, this, &MinimapDataWidget::DoRectSize2Changed);
    connect(m_sizeSlider, &QSlider::sliderReleased, this, qOverload<>(&MinimapDataWidget::DoRectSizeChanged));
    connect(MinimapManager::Instance(), &MinimapManager::OnMapLoad, this, &MinimapDataWidget::DoMapLoad);
    if (editable)
    {
        connect(m_minimap, &MinimapSkirmishWidget::OnTeamRectClicked, this,
                &MinimapDataWidget::OnTeamRectClicked);
        connect(m_minimap, &MinimapSkirmishWidget::OnTeamRectRemove, this,
                &MinimapDataWidget::OnTeamRectRemove);
        connect(m_minimap, &MinimapSkirmishWidget::OnTeamRectAppend, this,
                &MinimapDataWidget::OnTeamRectAppend);
    }
    m_minimap->MapStateChanged(MapState::None);
    m_minimap->DoClearRectangles();
}

QFrame* MinimapDataWidget::CreateMinimapArea(int width, int height)
{
    auto* area = new QFrame();
    area->setObjectName(QStringLiteral("MinimapData"));
    area->setStyleSheet(Common::FrameImageStyle(QStringLiteral("MinimapData"), false));
    area->setFixedSize(width, height);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_minimap = new MinimapSkirmishWidget(Common::Scale(20));
    layout->addWidget(m_minimap);
    return area;
}

QFrame* MinimapDataWidget::CreateNameBar(int width, int height)
{
    auto* bar = new QFrame();
    bar->setFixedSize(width, height);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(GuiUnit);
    m_nameLabel = new NImageLabel(9, QStringLiteral("Map Name").toUpper(), Common::ColorMain());
    m_nameLabel->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_nameLabel, 1);
    m_mapButton = new NImageButtonAux(0, false);
    m_mapButton->SetText(tr("Map").toUpper());
    m_mapButton->setFixedWidth(100);
    connect(m_mapButton, &QPushButton::clicked, this, &MinimapDataWidget::DoButtonSelectMap);
    layout->addWidget(m_mapButton);
    layout->addSpacing(Common::Scale(22));
    // What the label gets of the bar, less a little for its shadow.
    m_nameWidth = width - 100 - Common::Scale(22) - 2 * GuiUnit - Common::Scale(8);
    return bar;
}

QFrame* MinimapDataWidget::CreateSplitControls()
{
    auto* frame = new QFrame();
    auto* layout = new QHBoxLayout(frame);
    layout->setContentsMargins(GuiUnit, 0, 0, 0);
    layout->setSpacing(0);

    auto* sliderLayout = new QHBoxLayout();
    sliderLayout->setSpacing(GuiUnit / 2);
    m_sizeSlider = new NSlider(Qt::Horizontal, false);
    {
        const QSignalBlocker blocker(m_sizeSlider);
        m_sizeSlider->setRange(10, 40);
        m_sizeSlider->setValue(m_boxSize);
    }
    sliderLayout->addWidget(m_sizeSlider, 1);

    struct Split
    {
        const char* tooltip;
        const char* icon;
    };
    const Split splits[] = {
        {QT_TR_NOOP("Split Map Horizontally"), ":/MapData/split_h.png"},
        {QT_TR_NOOP("Split Map Vertically"), ":/MapData/split_v.png"},
        {QT_TR_NOOP("Split Map Diagonally"), ":/MapData/split_c.png"},
        {QT_TR_NOOP("Split Map Center"), ":/MapData/split_s.png"},
    };
    m_splitGroup = new QButtonGroup(this);
    m_splitGroup->setExclusive(true);
    auto* buttonsLayout = new QHBoxLayout();
    buttonsLayout->setSpacing(0);
    for (int id = 0; id < 4; ++id)
    {
        auto* button = new NButton(ButtonBlue, true);
        button->SetCheckable(true);
        button->SetFixedWidth(38);
        button->setToolTip(tr(splits[id].tooltip));
        const int icon = Common::Scale(24);
        button->SetIcon(QPixmap(QString::fromLatin1(splits[id].icon))
                            .scaled(icon, icon, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        m_splitGroup->addButton(button, id);
        buttonsLayout->addWidget(button);
    }
    m_splitGroup->button(0)->setChecked(true);

    layout->addStretch(2);
    layout->addLayout(sliderLayout, 3);
    layout->addLayout(buttonsLayout);
    layout->addStretch(2);
    return frame;
}

NButton* MinimapDataWidget::GetSplitButton(int id) const
{
    return qobject_cast<NButton*>(m_splitGroup->button(id));
}

void MinimapDataWidget::DoMapChanged(QString mapName)
{
    m_panel->Change(mapName);
}

void MinimapDataWidget::DoMapCacheDownload(QString mapName)
{
    m_panel->Reload(mapName);
}

void MinimapDataWidget::DoMapLoad(DataMinimap minimap)
{
    m_panel->Take(minimap);
}

void MinimapDataWidget::DoMapFailed(QString mapName)
{
    m_panel->Fail(mapName);
}

void MinimapDataWidget::DoClear()
{
    m_minimap->MapStateChanged(MapState::None);
    m_minimap->DoClearRectangles();
}

void MinimapDataWidget::DoAppendStartRect(int teamID, QRect rect)
{
    m_minimap->DoAddRect(teamID, rect);
}

void MinimapDataWidget::DoRemoveStartRect(int teamID)
{
    m_minimap->DoRemoveRect(teamID);
}

void MinimapDataWidget::SetStartRects(const QMap<int, QRect>& rects)
{
    for (auto it = rects.cbegin(); it != rects.cend(); ++it)
        m_minimap->DoAddRect(it.key(), it.value());
}

QMap<int, QRect> MinimapDataWidget::GetStartRects() const
{
    return m_minimap->GetRects();
}

void MinimapDataWidget::SetReadOnly(bool readOnly)
{
    m_sizeSlider->setEnabled(!readOnly);
    m_mapButton->setEnabled(!readOnly);
    for (QAbstractButton* button : m_splitGroup->buttons())
        button->setEnabled(!readOnly);
}

void MinimapDataWidget::DoButtonSelectMap()
{
    emit OnSelectMapClick(m_panel->GetMapName());
}

void MinimapDataWidget::DoMapRectSelectionChanged(int id)
{
    emit OnSelectMapRects(id, m_boxSize);
}

void MinimapDataWidget::DoRectSizeChanged(int pos)
{
    m_boxSize = pos;
}

void MinimapDataWidget::DoRectSize2Changed(int pos)
{
    m_boxSize = pos;
    emit OnSelectMapRects(m_splitGroup->checkedId(), m_boxSize);
}

void MinimapDataWidget::DoRectSizeChanged()
{
    emit OnSelectMapRects(m_splitGroup->checkedId(), m_boxSize);
}
