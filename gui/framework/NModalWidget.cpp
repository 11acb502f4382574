#include "NModalWidget.h"

#include "FrameKit.h"

NModalWidget::NModalWidget(const QString& title, ModalType type)
    : QWidget(nullptr), m_title(title), m_type(type)
{
}

NModalWidget::~NModalWidget() = default;

void NModalWidget::ExitWithSound()
{
    FrameKit::PlayButtonOff();
    emit OnModalExit();
}

void NModalWidget::DoButtonOKClick()
{
    emit OnClick_OK();
}

void NModalWidget::DoButtonCancelClick()
{
    emit OnClick_Cancel();
}
