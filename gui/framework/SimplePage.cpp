#include "SimplePage.h"

#include "FrameKit.h"
#include "GuiMetrics.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

SimplePage::SimplePage(int ownId, int exitId, const QString& name, const QString& title)
    : NPage(ownId, exitId, name)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(GuiMargin + GuiUnit, GuiMargin + GuiUnit, GuiMargin + GuiUnit,
                               GuiMargin + GuiUnit);
    layout->setSpacing(GuiUnit);
    layout->addWidget(CreateTitle(GuiUnit, title));
    m_body = new QVBoxLayout();
    m_body->setSpacing(GuiUnit);
    layout->addLayout(m_body);
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout();
    m_back = FrameKit::CreateModalButton(2, tr("Back"));
    m_back->setObjectName(QStringLiteral("BackButton"));
    buttons->addWidget(m_back);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(m_back, &QPushButton::clicked, this, &NPage::OnExitPageClick);
}

QPushButton* SimplePage::AddPageButton(const QString& caption, int pageId)
{
    QPushButton* button = FrameKit::CreateMenuButton(2, caption);
    button->setProperty("PAGE_ID", pageId);
    connect(button, &QPushButton::clicked, this, [this, pageId] { emit OnNextPageClick(pageId); });
    m_body->addWidget(button, 0, Qt::AlignLeft);
    return button;
}

void SimplePage::keyPress(QKeyEvent* event)
{
    if (event && (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Backspace))
        emit OnExitPageClick();
}
