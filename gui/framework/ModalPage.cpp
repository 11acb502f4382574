#include "ModalPage.h"

#include "Common.h"
#include "FrameKit.h"
#include "GuiMetrics.h"
#include "NModalWidget.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ModalPage::ModalPage() : NPage(ID_MODAL, ID_UNKNOWN, QStringLiteral("MODAL"))
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto* band = new QFrame();
    band->setObjectName(QStringLiteral("ModalPageFrame"));
    band->setStyleSheet(QStringLiteral(
        "QFrame#ModalPageFrame{background-image:\t\turl(:/Back/back_dark.png);background-origin:\t\t"
        "content;background-position:\tright;background-attachment:\tfixed;background-clip:\t\t"
        "border;}"));
    auto* bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(4 * GuiUnit, 0, 4 * GuiUnit, 0);
    bandLayout->setSpacing(0);
    auto* inner = new QFrame();
    bandLayout->addWidget(inner);

    outer->addStretch(1);
    outer->addWidget(FrameKit::CreateHLine(4));
    outer->addWidget(band);
    outer->addWidget(FrameKit::CreateHLine(4));
    outer->addStretch(1);

    auto* innerLayout = new QVBoxLayout(inner);
    innerLayout->setContentsMargins(0, 2 * GuiUnit, 0, GuiUnit);
    innerLayout->setSpacing(0);
    m_title = FrameKit::CreateLabel(0, QString(), Common::ColorWhite());
    m_title->setAlignment(Qt::AlignCenter);
    innerLayout->addWidget(m_title);
    m_content = new QVBoxLayout();
    innerLayout->addLayout(m_content, 1);

    auto* buttons = new QHBoxLayout();
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(0);
    m_ok = FrameKit::CreateModalButton(2, tr("OK"));
    m_cancel = FrameKit::CreateModalButton(2, tr("Cancel"));
    m_close = FrameKit::CreateModalButton(2, tr("Close"));
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_close);
    buttons->addStretch();
    innerLayout->addLayout(buttons, 0);
    FrameKit::SetLabelText(m_title, QStringLiteral("NO TEXT"));

    connect(m_ok, &QPushButton::clicked, this, &ModalPage::DoOK);
    connect(m_cancel, &QPushButton::clicked, this, &ModalPage::DoCancel);
    connect(m_close, &QPushButton::clicked, this, &ModalPage::DoClose);
}

ModalPage::~ModalPage()
{
    if (s_instance == this)
        s_instance = nullptr;
}

ModalPage* ModalPage::Instance()
{
    if (!s_instance)
        s_instance = new ModalPage();
    return s_instance;
}

void ModalPage::Destroy()
{
    ModalPage* page = s_instance;
    s_instance = nullptr;
    delete page;
}

void ModalPage::DestroyLater()
{
    ModalPage* page = s_instance;
    s_instance = nullptr;
    if (page)
    {
        page->hide();
        page->deleteLater();
    }
}

void ModalPage::setModalWidget(NModalWidget* widget)
{
    if (!widget)
        return;
    if (m_widget == widget)
        return;
    if (m_widget)
    {
        disconnect(m_widget, nullptr, this, nullptr);
        m_content->removeWidget(m_widget);
        m_widget->hide();
        m_widget->deleteLater();
    }
    m_widget = widget;
    connect(widget, &NModalWidget::OnModalExit, this, &ModalPage::DoModalExit);

    m_content->setContentsMargins(0, 4 * GuiUnit, 0, 4 * GuiUnit);
    switch (widget->GetModalType())
    {
    case MODAL_CLOSE:
        m_ok->hide();
        m_cancel->hide();
        m_close->show();
        break;
    case MODAL_OK_CANCEL:
        m_ok->show();
        m_cancel->show();
        m_close->hide();
        break;
    default:
        m_ok->hide();
        m_cancel->hide();
        m_close->hide();
        m_content->setContentsMargins(0, 0, 0, 0);
        break;
    }
    FrameKit::SetLabelText(m_title, widget->GetTitle());
    m_title->setVisible(!m_title->text().isEmpty());
    m_content->addWidget(widget);
    widget->show();
}

void ModalPage::DoOK()
{
    if (!m_widget)
        return;
    const ModalType type = m_widget->GetModalType();
    if (type == MODAL_CLOSE)
        return;
    if (type != MODAL_NO_BUTTONS)
        FrameKit::PlayButtonOn();
    m_widget->DoButtonOKClick();
}

void ModalPage::DoCancel()
{
    if (!m_widget)
        return;
    if (m_widget->GetModalType() != MODAL_NO_BUTTONS)
        FrameKit::PlayButtonOff();
    m_widget->DoButtonCancelClick();
}

void ModalPage::DoClose()
{
    FrameKit::PlayButtonOff();
    emit OnExitPageClick();
}

void ModalPage::DoModalExit()
{
    emit OnExitPageClick();
}

void ModalPage::keyPress(QKeyEvent* event)
{
    if (!event)
        return;
    switch (event->key())
    {
    case Qt::Key_Escape:
    case Qt::Key_Backspace:
        if (!m_widget)
            return;
        if (m_widget->GetModalType() == MODAL_CLOSE)
            DoClose();
        else
            DoCancel();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Alt+Return switches full screen; it answers no dialog.
        if (!(event->modifiers() & Qt::AltModifier))
            DoOK();
        break;
    default:
        break;
    }
}
