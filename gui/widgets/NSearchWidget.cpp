#include "NSearchWidget.h"

#include "GuiMetrics.h"
#include "NLineEdit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>

NSearchWidget::NSearchWidget(QWidget* parent) : QWidget(parent), m_edit(new NLineEdit())
{
    m_timer.setInterval(300);
    setFixedHeight(GuiSearchHeight);

    auto* icon = new QLabel();
    icon->setFixedSize(28, 28);
    icon->setFocusPolicy(Qt::NoFocus);
    icon->setPixmap(QPixmap(QStringLiteral(":/Common/search.png")));
    m_edit->setAttribute(Qt::WA_MacShowFocusRect, false);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(GuiUnit);
    layout->addWidget(icon, 0);
    layout->addWidget(m_edit, 1);

    connect(m_edit, &QLineEdit::textChanged, this, &NSearchWidget::DoTextChanged);
    connect(&m_timer, &QTimer::timeout, this, &NSearchWidget::DoTimerFilterChanged);
}

QString NSearchWidget::GetText() const
{
    return m_edit->text();
}

void NSearchWidget::setFocus()
{
    QTimer::singleShot(50, m_edit, [this] { m_edit->setFocus(); });
}

void NSearchWidget::DoTextChanged(QString)
{
    m_timer.stop();
    m_timer.start();
}

void NSearchWidget::DoTimerFilterChanged()
{
    m_timer.stop();
    emit OnFilterChanged(m_edit->text());
}

void NSearchWidget::keyPressEvent(QKeyEvent* event)
{
    switch (event->key())
    {
    case Qt::Key_Escape:
        if (!m_edit->text().isEmpty())
        {
            m_edit->clear();
            m_timer.stop();
            emit OnFilterChanged(QString());
        }
        else
        {
            m_timer.stop();
            emit OnKeyEsc();
        }
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit OnKeyEnter();
        // Handled here: passed on, the key would reach a dialog underneath and confirm it a second time.
        event->accept();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
        emit OnFocusNextWidget();
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
