#include "MinimapSkirmishWidget.h"

#include "Common.h"
#include "CommonIcon.h"

#include <QMouseEvent>
#include <QPainter>

namespace
{
int ToHundredths(int pixel, int size, int below, int beyond)
{
    if (pixel < 0)
        return below;
    if (pixel >= size)
        return beyond;
    // One hundredth more, as the boxes have always been made: a drag from pixel 0 starts at 1.
    return qBound(0, int(pixel / (size / 100.0) + Common::Scale(1)), 100);
}
} // namespace

MinimapSkirmishWidget::MinimapSkirmishWidget(int margin) : MinimapWidget(margin)
{
    setMouseTracking(true);
}

void MinimapSkirmishWidget::DoAddRect(int allyNo, QRect rect)
{
    m_rects.insert(allyNo, rect);
    update();
}

void MinimapSkirmishWidget::DoRemoveRect(int allyNo)
{
    m_rects.remove(allyNo);
    update();
}

void MinimapSkirmishWidget::DoClearRectangles()
{
    m_rects.clear();
    update();
}

QRectF MinimapSkirmishWidget::PixelRect(const QRect& box) const
{
    const double w = m_scaled.width();
    const double h = m_scaled.height();
    return QRectF(QPointF(box.left() * w / 100, box.top() * h / 100),
                  QPointF(box.right() * w / 100, box.bottom() * h / 100));
}

QRect MinimapSkirmishWidget::BandToBox(const QRect& band, const QSize& picture)
{
    const int w = picture.width();
    const int h = picture.height();
    if (w <= 0 || h <= 0 || band.right() < 0 || band.bottom() < 0 || band.left() >= w || band.top() >= h)
        return QRect();
    QRect box;
    box.setLeft(ToHundredths(band.left(), w, 0, 100));
    box.setTop(ToHundredths(band.top(), h, 0, 100));
    box.setRight(ToHundredths(band.right(), w, 0, 100));
    box.setBottom(ToHundredths(band.bottom(), h, 0, 100));
    return box;
}

bool MinimapSkirmishWidget::AcceptsMouse() const
{
    return m_state == MapState::Ready && m_scaled.width() > 0 && m_scaled.height() > 0;
}

void MinimapSkirmishWidget::mousePressEvent(QMouseEvent* event)
{
    if (!AcceptsMouse())
        return;
    const QPoint q = event->pos() - GetPictureOffset();
    if (event->button() == Qt::LeftButton)
    {
        m_band = QRect(q, q);
        m_banding = true;
    }
    // A copy: receivers may change the boxes from their slots.
    const QMap<int, QRect> rects = m_rects;
    for (auto it = rects.cbegin(); it != rects.cend(); ++it)
    {
        if (!PixelRect(it.value()).contains(q))
            continue;
        m_hovered = -1;
        update();
        if (event->button() == Qt::RightButton)
            emit OnTeamRectRemove(it.key());
        else
            emit OnTeamRectClicked(it.key());
    }
}

void MinimapSkirmishWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!AcceptsMouse())
    {
        m_hovered = -1;
        return;
    }
    const QPoint q = event->pos() - GetPictureOffset();
    if (m_banding && (event->buttons() & Qt::LeftButton))
    {
        m_band.setRight(q.x());
        m_band.setBottom(q.y());
        update();
        return;
    }
    int found = -1;
    for (auto it = m_rects.cbegin(); it != m_rects.cend(); ++it)
    {
        if (PixelRect(it.value()).contains(q))
        {
            found = it.key();
            break;
        }
    }
    if (found != m_hovered)
    {
        m_hovered = found;
        update();
    }
}

void MinimapSkirmishWidget::mouseReleaseEvent(QMouseEvent* event)
{
    // Only the release of a drag begun on this minimap can make a box.
    if (event->button() != Qt::LeftButton || !m_banding)
        return;
    m_banding = false;
    const QRect band = m_band;
    m_band = QRect();
    update();
    if (!AcceptsMouse())
        return;
    const QPoint q = event->pos() - GetPictureOffset();
    const QRect normal = QRect(QPoint(qMin(band.left(), q.x()), qMin(band.top(), q.y())),
                               QPoint(qMax(band.left(), q.x()), qMax(band.top(), q.y())));
    if (normal.width() < MinimumDragPixels || normal.height() < MinimumDragPixels)
        return;
    const QRect box = BandToBox(normal, m_scaled.size());
    if (box.isValid())
        emit OnTeamRectAppend(box);
}

void MinimapSkirmishWidget::paintEvent(QPaintEvent* event)
{
    MinimapWidget::paintEvent(event);
    if (m_state != MapState::Ready)
        return;
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    const QPointF offset = GetPictureOffset();
    const double w = m_scaled.width();
    const double h = m_scaled.height();
    // Boxes are drawn as they come, also where they reach past the map: the widget never clamps them.
    const QPen pen(Common::ColorDarkGray(), 1);
    for (auto it = m_rects.cbegin(); it != m_rects.cend(); ++it)
    {
        QColor color = Common::GetPlayerColor(it.key());
        color.setAlpha(it.key() == m_hovered ? 200 : 120);
        const QBrush brush(color, Qt::Dense4Pattern);
        QRectF rect = PixelRect(it.value());
        if (rect.right() < w && w - rect.right() < 1.0)
            rect.setRight(w);
        if (rect.bottom() < h && h - rect.bottom() < 1.0)
            rect.setBottom(h);
        rect.translate(offset);
        painter.setBrush(brush);
        if (rect.width() > 24.0 && rect.height() > 24.0)
        {
            painter.setPen(pen);
            painter.drawRect(rect);
            CommonIcon::GetTeamFlagIcon(it.key()).paint(&painter, rect.toRect(), Qt::AlignCenter,
                                                        QIcon::Normal, QIcon::Off);
        }
        else
        {
            painter.setPen(QPen(Common::ColorDarkGray(), 2));
            painter.drawRect(rect);
        }
    }
    if (m_banding)
    {
        painter.setPen(QPen(Common::ColorDarkGray(), 2.0));
        painter.setBrush(QBrush(QColor(255, 255, 255, 120), Qt::Dense4Pattern));
        painter.drawRect(QRectF(m_band).normalized().translated(offset));
    }
}
