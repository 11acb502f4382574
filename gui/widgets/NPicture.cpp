#include "NPicture.h"

#include "GuiMetrics.h"
#include "SoundManager.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

NPicture::NPicture(QWidget* parent) : QFrame(parent)
{
    installEventFilter(this);
}

QPixmap NPicture::Render(const QPixmap& source, const QSize& size, bool checked)
{
    const int w = qMax(1, size.width());
    const int h = qMax(1, size.height());
    QPixmap result(w, h);
    result.fill(QColor(0, 0, 0, 150));
    QPainter painter(&result);

    if (!source.isNull())
    {
        const double factor = qMax(double(w) / source.width(), double(h) / source.height());
        const double dw = source.width() * factor;
        const double dh = source.height() * factor;
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(QRectF((w - dw) / 2, (h - dh) / 2, dw, dh), source, QRectF(source.rect()));
    }
    if (checked)
    {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QBrush(Qt::black, Qt::Dense4Pattern));
        painter.drawRect(0, 0, w, h);
    }

    static const QPixmap frame(QStringLiteral(":/Frames/picture_border_thin.png"));
    if (!frame.isNull())
    {
        const int s = 16;
        const int c = int(16 * GuiMetrics::UiScale);
        const int fw = frame.width();
        const int fh = frame.height();
        const int mx = (fw - s) / 2;
        const int my = (fh - s) / 2;
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawPixmap(QRect(0, 0, c, c), frame, QRect(0, 0, s, s));
        painter.drawPixmap(QRect(w - c, 0, c, c), frame, QRect(fw - s, 0, s, s));
        painter.drawPixmap(QRect(0, h - c, c, c), frame, QRect(0, fh - s, s, s));
        painter.drawPixmap(QRect(w - c, h - c, c, c), frame, QRect(fw - s, fh - s, s, s));
        painter.drawPixmap(QRect(c, 0, w - 2 * c, c), frame, QRect(mx, 0, s, s));
        painter.drawPixmap(QRect(c, h - c, w - 2 * c, c), frame, QRect(mx, fh - s, s, s));
        painter.drawPixmap(QRect(0, c, c, h - 2 * c), frame, QRect(0, my, s, s));
        painter.drawPixmap(QRect(w - c, c, c, h - 2 * c), frame, QRect(fw - s, my, s, s));
    }
    return result;
}

void NPicture::Rerender()
{
    m_rendered = Render(m_source, size(), m_checkable && m_checked);
}

void NPicture::SetPixmap(const QPixmap& pixmap)
{
    m_source = pixmap;
    Rerender();
    repaint();
}

void NPicture::SetImage(const QImage& image)
{
    SetPixmap(QPixmap::fromImage(image));
}

void NPicture::SetCheckable(bool checkable)
{
    m_checkable = checkable;
    if (checkable)
    {
        Rerender();
        repaint();
    }
}

void NPicture::SetChecked(bool checked)
{
    if (!m_checkable)
        return;
    m_checked = checked;
    Rerender();
    repaint();
}

void NPicture::Click()
{
    if (m_checkable)
    {
        m_checked = !m_checked;
        Rerender();
        repaint();
    }
    emit OnClicked();
}

bool NPicture::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != this)
        return QFrame::eventFilter(watched, event);
    switch (event->type())
    {
    case QEvent::Enter:
        m_hovered = true;
        repaint();
        if (m_checkable && !m_checked)
            SoundManager::PlayButtonHover();
        break;
    case QEvent::Leave:
        m_hovered = false;
        repaint();
        break;
    case QEvent::MouseButtonPress:
    {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && m_checkable && !m_checked)
        {
            SoundManager::PlayButtonClick();
            emit OnClicked();
        }
        break;
    }
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

void NPicture::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_rendered);
    if (m_checkable && m_hovered && !m_checked)
    {
        QPen pen(Qt::white);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(1, 1, width() - 3, height() - 3);
    }
}

void NPicture::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    Rerender();
}
