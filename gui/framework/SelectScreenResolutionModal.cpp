#include "SelectScreenResolutionModal.h"

#include "Common.h"
#include "DialogKit.h"
#include "FrameKit.h"
#include "GuiMetrics.h"
#include "NButtonBase.h"
#include "ScreenResolutionTreeView.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

SelectScreenResolutionModal::SelectScreenResolutionModal()
    : NModalWidget(tr("Select Screen Resolution").toUpper(), MODAL_NO_BUTTONS),
      m_view(new ScreenResolutionTreeView())
{
    NButtonModal* select = DialogKit::ModalButton(tr("Select"));
    NButtonModal* cancel = DialogKit::ModalButton(tr("Cancel"));
    auto* buttons = new QFrame();
    buttons->setFrameShape(QFrame::NoFrame);
    auto* buttonRow = new QHBoxLayout(buttons);
    buttonRow->setContentsMargins(0, 0, 0, 0);
    buttonRow->setSpacing(0);
    buttonRow->addWidget(select, 6);
    buttonRow->addWidget(cancel, 4);

    auto* frame = new QFrame();
    frame->setFixedSize(Common::Scale(400), Common::Scale(400));
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addSpacing(GuiUnit);
    column->addWidget(m_view, 1);
    column->addSpacing(2 * GuiUnit);
    column->addWidget(buttons);

    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, GuiUnit, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(frame);

    connect(select, SIGNAL(clicked()), this, SLOT(DoButtonOKClick()));
    connect(cancel, SIGNAL(clicked()), this, SLOT(DoButtonCancelClick()));
    // After the double click is handled: the current row is read again then.
    connect(m_view, SIGNAL(OnDoubleClick(QSize)), this, SLOT(DoButtonOKClick()), Qt::QueuedConnection);
}

void SelectScreenResolutionModal::DoButtonOKClick()
{
    FrameKit::PlayButtonOn();
    emit OnResolutionClick(m_view->GetSelectedResolution());
    emit OnModalExit();
}

void SelectScreenResolutionModal::DoButtonCancelClick()
{
    ExitWithSound();
}
