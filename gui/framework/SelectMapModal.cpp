#include "SelectMapModal.h"

#include "Common.h"
#include "CommonWidgets.h"
#include "DialogKit.h"
#include "FrameKit.h"
#include "GuiMetrics.h"
#include "MapsTreeView.h"
#include "MinimapManager.h"
#include "NButtonBase.h"
#include "NSearchWidget.h"
#include "SyncManager.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

SelectMapModal::SelectMapModal(const QString& mapName)
    : NModalWidget(tr("Select Map").toUpper(), MODAL_NO_BUTTONS)
{
    m_list = new MapsTreeView();
    m_search = new NSearchWidget();
    m_select = DialogKit::ModalButton(tr("Select"));
    m_cancel = DialogKit::ModalButton(tr("Cancel"));
    connect(m_select, &QPushButton::clicked, this, &SelectMapModal::DoButtonOKClick);
    connect(m_cancel, &QPushButton::clicked, this, &SelectMapModal::DoButtonCancelClick);

    auto* frame = new QFrame();
    frame->setFixedWidth(Common::Scale(660));
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(0, 2 * GuiUnit, 0, 2 * GuiUnit);
    column->setSpacing(GuiUnit);
    column->addWidget(m_list, 1);
    column->addWidget(m_search);
    column->addSpacing(GuiUnit);
    auto* buttons = new QFrame();
    buttons->setFrameShape(QFrame::NoFrame);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addStretch();
    row->addWidget(m_select);
    row->addWidget(m_cancel);
    row->addStretch();
    column->addWidget(buttons);
    auto* centred = new QHBoxLayout();
    centred->addWidget(frame);
    setLayout(Common::CreateMainFrame(centred));

    SyncManager* content = SyncManager::Instance();
    const QSet<QString> maps = content->GetAvailableMaps();
    m_list->Clear();
    for (const QString& name : maps)
    {
        m_list->AppendMap(name);
        m_pending << name;
    }
    m_list->sortByColumn(1, Qt::AscendingOrder);

    connect(m_list, &MapsTreeView::OnDoubleClicked, this, &SelectMapModal::DoButtonOKClick,
            Qt::QueuedConnection);
    connect(MinimapManager::Instance(), &MinimapManager::OnMapLoad, this, &SelectMapModal::DoMapReady);
    connect(m_search, &NSearchWidget::OnFilterChanged, m_list, &MapsTreeView::DoFilter);
    connect(m_search, &NSearchWidget::OnKeyEsc, this, &SelectMapModal::DoButtonCancelClick);
    connect(m_search, &NSearchWidget::OnKeyEnter, this, &SelectMapModal::DoButtonOKClick);
    RequestNext();
    m_list->SelectMap(mapName);
    m_search->setFocus();
}

void SelectMapModal::RequestNext()
{
    // One request at a time, so the list fills in step with the answers.
    if (!m_pending.isEmpty())
        MinimapManager::Load(m_pending.takeFirst(), RequestKind);
}

void SelectMapModal::DoMapReady(DataMinimap minimap)
{
    if (minimap.requestKind != RequestKind)
        return;
    m_list->ChangeMap(minimap);
    RequestNext();
}

void SelectMapModal::DoMapFail(QString) {}

void SelectMapModal::DoButtonOKClick()
{
    // Enter, a double click and Select may all arrive for one choice: it is returned once.
    if (m_closed)
        return;
    m_closed = true;
    FrameKit::PlayButtonOn();
    emit OnMapClick(m_list->GetSelectedMap());
    emit OnModalExit();
}

void SelectMapModal::DoButtonCancelClick()
{
    // The dialog has no other way out: Cancel and Escape must close it.
    if (m_closed)
        return;
    m_closed = true;
    NModalWidget::DoButtonCancelClick();
    ExitWithSound();
}
