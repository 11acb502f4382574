#include "WindowGeometry.h"

#include <QGuiApplication>
#include <QPair>
#include <QScreen>
#include <QWidget>
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

// Keeps [start, start + length) inside [low, low + room); a longer range starts at low. With
// `overhang`, a range at least as long as the room may also reach past its far end, by as much as
// keeps at least half of it inside.
int Clamp(qint64 start, int length, int low, int room, bool overhang)
{
    qint64 high = qint64(low) + room - length;
    if (overhang && length >= room)
        high = qint64(low) + room - length / 2;
    return int(qMax<qint64>(low, qMin<qint64>(start, high)));
}

// Frames are a few pixels wide; a window manager that claims more is not believed.
QMargins Believed(const QMargins& frame)
{
    return QMargins(qBound(0, frame.left(), 200), qBound(0, frame.top(), 200), qBound(0, frame.right(), 200),
                    qBound(0, frame.bottom(), 200));
}

QSize Borders(const QMargins& frame)
{
    return QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
}

// The index of the area the rectangle overlaps most (0 when none), and that overlap.
QPair<int, qint64> BestArea(const QPoint& pos, const QSize& outer, const QList<QRect>& areas)
{
    QPair<int, qint64> best(0, 0);
    for (int i = 0; pos != QPoint(-1, -1) && i < areas.size(); ++i)
    {
        const qint64 overlap = Overlap(pos.x(), pos.y(), outer.width(), outer.height(), areas[i]);
        if (overlap > best.second)
            best = qMakePair(i, overlap);
    }
    return best;
}
} // namespace

bool IsFirstStart(const QPoint& storedPos, const QSize& storedSize)
{
    return storedPos == QPoint(-1, -1) && (storedSize.width() <= 0 || storedSize.height() <= 0);
}

QRect AreaOf(const QRect& outer, const QList<QRect>& areas)
{
    return areas.isEmpty() ? QRect() : areas.at(BestArea(outer.topLeft(), outer.size(), areas).first);
}

QRect Fit(const QPoint& storedPos, const QSize& storedSize, const QSize& preferred, const QSize& minimum,
          const QList<QRect>& areas, const QMargins& frame)
{
    QSize size = storedSize;
    if (size.width() <= 0 || size.height() <= 0)
        size = preferred.isValid() && !preferred.isEmpty() ? preferred : minimum;
    const QMargins border = Believed(frame);
    const QSize borders = Borders(border);
    if (areas.isEmpty())
        return QRect(QPoint(0, 0), size.expandedTo(minimum) + borders);

    const QPair<int, qint64> best = BestArea(storedPos, size + borders, areas);
    const QRect area = areas[best.first];
    const QSize room = (area.size() - borders).expandedTo(QSize(1, 1));
    size = size.boundedTo(room).expandedTo(border.isNull() ? minimum : minimum.boundedTo(room));
    const QSize outer = size + borders;
    QPoint pos = storedPos;
    if (storedPos == QPoint(-1, -1) || best.second == 0)
        pos = QPoint(area.x() + (area.width() - outer.width()) / 2,
                     area.y() + (area.height() - outer.height()) / 2);
    // A window larger than the area keeps its top left corner, and so its title bar, on the screen.
    // Without a frame, one that can't lie wholly in the area anyway (a frame not yet known would
    // add to it) stays where it was put, as long as at least half of it is on the screen.
    const bool overhang = border.isNull() && best.second > 0;
    return QRect(Clamp(pos.x(), outer.width(), area.x(), area.width(), overhang),
                 Clamp(pos.y(), outer.height(), area.y(), area.height(), overhang), outer.width(),
                 outer.height());
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

Qt::WindowStates StartState(int stored)
{
    const Qt::WindowStates state(stored);
    if (state & Qt::WindowFullScreen)
        return Qt::WindowFullScreen;
    return state & Qt::WindowMaximized;
}
} // namespace WindowGeometry
