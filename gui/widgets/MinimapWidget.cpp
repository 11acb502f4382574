#include "MinimapWidget.h"

#include <QPainter>
#include <QResizeEvent>

MinimapWidget::MinimapWidget(int margin) : m_margin(margin)
{
    m_scaleTimer.setInterval(200);
    m_loadingTimer.setInterval(400);
    connect(&m_scaleTimer, &QTimer::timeout, this, &MinimapWidget::TimerScale);
    connect(&m_loadingTimer, &QTimer::timeout, this, &MinimapWidget::TimerLoading);
}

void MinimapWidget::MapStateChanged(MapState state)
{
    m_loadingTimer.stop();
    if (state == MapState::Loading)
    {
        // The loading picture only shows when nothing else arrives within 400 ms.
        m_state = MapState::None;
        m_loadingTimer.start();
    }
    else
    {
        m_state = state;
    }
    update();
}

void MinimapWidget::SetPixmap(const QPixmap& picture)
{
    if (picture.isNull())
        return;
    m_loadingTimer.stop();
    m_source = picture;
    m_state = MapState::None;
    UpdateScaledPixmap();
    update();
}

void MinimapWidget::TimerScale()
{
    m_scaleTimer.stop();
    UpdateScaledPixmap();
    update();
}

void MinimapWidget::TimerLoading()
{
    m_loadingTimer.stop();
    m_state = MapState::Loading;
    update();
}

QPoint MinimapWidget::CentredCorner(const QSize& picture) const
{
    return QPoint((width() - picture.width()) / 2, (height() - picture.height()) / 2);
}

void MinimapWidget::UpdateScaledPixmap()
{
    if (m_state == MapState::NotFound || m_state == MapState::Loading)
        return;
    if (m_source.isNull())
    {
        m_state = MapState::NotFound;
        m_scaled = m_source;
    }
    else
    {
        m_state = MapState::Ready;
        m_scaled = m_source.scaled(width() - 2 * m_margin, height() - 2 * m_margin, Qt::KeepAspectRatio,
                                   Qt::SmoothTransformation);
    }
    emit OnOffset(CentredCorner(m_scaled.size()), m_scaled.size());
}

void MinimapWidget::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    switch (m_state)
    {
    case MapState::None:
        m_source = QPixmap();
        m_scaled = QPixmap();
        return;
    case MapState::NotFound:
    case MapState::Loading:
    {
        QPixmap picture(m_state == MapState::NotFound ? QStringLiteral(":/MapData/not_found.png")
                                                      : QStringLiteral(":/MapData/refresh.png"));
        if (picture.width() > width() - 30 || picture.height() > height() - 30)
            picture =
                picture.scaled(width() - 30, height() - 30, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        painter.drawPixmap(width() / 2 - picture.width() / 2, height() / 2 - picture.height() / 2, picture);
        return;
    }
    case MapState::Ready:
        break;
    }

    const QSize size = m_scaled.size();
    const QPoint offset = GetPictureOffset();
    painter.drawPixmap(QRect(offset, size), m_scaled);

    QPen pen(Qt::black, 3.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(pen);
    painter.drawRect(QRect(-1, -1, size.width() + 2, size.height() + 2).translated(offset));
    painter.setRenderHint(QPainter::Antialiasing, false);
    pen.setColor(QColor(115, 115, 115));
    pen.setWidthF(1.0);
    painter.setPen(pen);
    painter.drawRect(QRect(-2, -2, size.width() + 3, size.height() + 3).translated(offset));
}

void MinimapWidget::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    emit OnResize(event->size());
    if (m_state != MapState::None)
    {
        // Refit 200 ms after the last of a run of resizes.
        m_scaleTimer.stop();
        m_scaleTimer.start();
    }
}
