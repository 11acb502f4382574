#include "WindowGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtGlobal>

namespace WindowGeometry
{
namespace
{
// Overlap of two rectangles given as 64-bit edges: stored values near the int limits must not wrap.
qint64 Overlap(qint64 x, qint64 y, qint64 w, qint64 h, const QRect& area)
{
    const qint64 left = qMax<qint64>(x, area.x());
    const qint64 top = qMax<qint64>(y, area.y());
    const qint64 right = qMin<qint64>(x + w, qint64(area.x()) + area.width());
    const qint64 bottom = qMin<qint64>(y + h, qint64(area.y()) + area.height());
    if (right <= left || bottom <= top)
        return 0;
    return (right - left) * (bottom - top);
}

// Keeps [start, start + length) inside [low, low + room); a longer range starts at low.
int Clamp(qint64 start, int length, int low, int room)
{
    const qint64 high = qint64(low) + room - length;
    return int(qMax<qint64>(low, qMin<qint64>(start, high)));
}
} // namespace

bool IsFirstStart(const QPoint& storedPos, const QSize& storedSize)
{
    return storedPos == QPoint(-1, -1) && (storedSize.width() <= 0 || storedSize.height() <= 0);
}

QRect Fit(const QPoint& storedPos, const QSize& storedSize, const QSize& preferred, const QSize& minimum,
          const QList<QRect>& areas)
{
    QSize size = storedSize;
    if (size.width() <= 0 || size.height() <= 0)
        size = preferred.isValid() && !preferred.isEmpty() ? preferred : minimum;
    if (areas.isEmpty())
        return QRect(QPoint(0, 0), size.expandedTo(minimum));

    const bool positioned = storedPos != QPoint(-1, -1);
    int best = 0;
    qint64 bestOverlap = 0;
    for (int i = 0; positioned && i < areas.size(); ++i)
    {
        const qint64 overlap = Overlap(storedPos.x(), storedPos.y(), size.width(), size.height(), areas[i]);
        if (overlap > bestOverlap)
        {
            best = i;
            bestOverlap = overlap;
        }
    }
    const QRect area = areas[best];
    size = size.boundedTo(area.size()).expandedTo(minimum);
    QPoint pos = storedPos;
    if (!positioned || bestOverlap == 0)
        pos = QPoint(area.x() + (area.width() - size.width()) / 2,
                     area.y() + (area.height() - size.height()) / 2);
    // A window larger than the area keeps its top left corner, and so its title bar, on the screen.
    return QRect(Clamp(pos.x(), size.width(), area.x(), area.width()),
                 Clamp(pos.y(), size.height(), area.y(), area.height()), size.width(), size.height());
}

QList<QRect> ScreenAreas()
{
    QList<QRect> areas;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        areas << primary->availableGeometry();
    const auto screens = QGuiApplication::screens();
    for (const QScreen* screen : screens)
    {
        if (screen != QGuiApplication::primaryScreen())
            areas << screen->availableGeometry();
    }
    return areas;
}
} // namespace WindowGeometry
