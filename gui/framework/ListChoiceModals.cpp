#include "ListChoiceModals.h"

#include "Common.h"
#include "DialogKit.h"
#include "FrameKit.h"
#include "GuiMetrics.h"
#include "NButtonBase.h"
#include "NLineEdit.h"
#include "NSearchWidget.h"
#include "TauntsTreeView.h"
#include "VersionTreeView.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

ListChoiceModal::ListChoiceModal(const QString& title) : NModalWidget(title.toUpper(), MODAL_NO_BUTTONS) {}

void ListChoiceModal::MakeButtons()
{
    m_select = DialogKit::ModalButton(tr("Select"));
    m_cancel = DialogKit::ModalButton(tr("Cancel"));
    connect(m_select, &QPushButton::clicked, this, &ListChoiceModal::DoButtonOKClick);
    connect(m_cancel, &QPushButton::clicked, this, &ListChoiceModal::DoButtonCancelClick);
}

void ListChoiceModal::DoButtonOKClick()
{
    // Enter, a double click and Select may all arrive for one choice: it is returned once.
    if (m_returned)
        return;
    m_returned = true;
    if (m_playConfirmSound)
        FrameKit::PlayButtonOn();
    Return(Selected());
    emit OnModalExit();
}

void ListChoiceModal::DoButtonCancelClick()
{
    if (m_returned)
        return;
    m_returned = true;
    ExitWithSound();
}

VersionChoiceModal::VersionChoiceModal(const QString& title, VersionTreeView* list)
    : ListChoiceModal(title), m_list(list)
{
    m_playConfirmSound = true;
    MakeButtons();
    auto* frame = new QFrame();
    frame->setFixedSize(Common::Scale(400), Common::Scale(400));
    auto* column = new QVBoxLayout(frame);
    column->addSpacing(GuiUnit);
    column->addWidget(m_list, 1);
    column->addSpacing(2 * GuiUnit);
    auto* buttons = new QFrame();
    buttons->setFrameShape(QFrame::NoFrame);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(SelectButton(), 6);
    row->addWidget(CancelButton(), 4);
    column->addWidget(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, GuiUnit, 0, 0);
    layout->addWidget(frame);
    connect(m_list, &VersionTreeView::OnDoubleClick, this, &ListChoiceModal::DoButtonOKClick,
            Qt::QueuedConnection);
}

QString VersionChoiceModal::Selected() const
{
    return m_list->GetSelectedVersion();
}

SelectAiProjectVersionModal::SelectAiProjectVersionModal(const QStringList& projectVersions)
    : VersionChoiceModal(tr("Select Ai Project Version"), new AiProjectVersionTreeView())
{
    static_cast<AiProjectVersionTreeView*>(List())->SetVersions(projectVersions);
}

SelectEngineVersionModal::SelectEngineVersionModal()
    : VersionChoiceModal(tr("Select Engine Version"), new EngineVersionTreeView())
{
}

SelectGameVersionModal::SelectGameVersionModal()
    : VersionChoiceModal(tr("Select Game Version"), new GameVersionTreeView())
{
}

SelectTauntModal::SelectTauntModal() : ListChoiceModal(tr("Select Taunt"))
{
    MakeButtons();
    SelectButton()->SetMinimumWidth(GuiButtonMinWidth);
    CancelButton()->SetMinimumWidth(GuiButtonMinWidth);
    m_list = new TauntsTreeView();
    m_search = new NSearchWidget();

    auto* frame = new QFrame();
    frame->setFixedSize(Common::Scale(640), Common::Scale(640));
    auto* column = new QVBoxLayout(frame);
    column->setSpacing(GuiUnit);
    column->addWidget(m_list);
    column->addWidget(m_search);
    auto* row = new QHBoxLayout();
    row->addStretch();
    row->addWidget(SelectButton());
    row->addWidget(CancelButton());
    row->addStretch();
    column->addLayout(row);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2 * GuiUnit, 0, 0);
    layout->addWidget(frame);

    connect(m_list, &TauntsTreeView::OnDoubleClick, this, &ListChoiceModal::DoButtonOKClick,
            Qt::QueuedConnection);
    connect(m_search, &NSearchWidget::OnFilterChanged, m_list, &TauntsTreeView::DoFilter);
    connect(m_search, &NSearchWidget::OnKeyEnter, this, &ListChoiceModal::DoButtonOKClick);
    connect(m_search, &NSearchWidget::OnKeyEsc, this, &ListChoiceModal::DoButtonCancelClick);
    connect(m_search, &NSearchWidget::OnFocusNextWidget, m_list, [list = m_list] { list->setFocus(); });
    // Tab also leads from the search field to the list.
    setTabOrder(m_search->LineEdit(), m_list);
    m_search->setFocus();
}

QString SelectTauntModal::Selected() const
{
    return m_list->GetSelectedTaunt();
}
