#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where the main window goes at start. The stored position and size come from a file the user
// (or a crash) may have left with any values, so nothing here may overflow or trust them.
namespace WindowGeometry
{
// The stored values never set: the first start, which opens full screen.
bool IsFirstStart(const QPoint& storedPos, const QSize& storedSize);

// The window's normal (not full screen) geometry: the stored size, or `preferred` when none is
// stored, fitted into the available area of the screen the stored rectangle overlaps most (the
// first area, the primary screen's, when it overlaps none or no position is stored), never
// smaller than `minimum`. A window without a stored position, or one on no screen, is centred.
QRect Fit(const QPoint& storedPos, const QSize& storedSize, const QSize& preferred, const QSize& minimum,
          const QList<QRect>& areas);

// The available areas of all screens, the primary screen's first.
QList<QRect> ScreenAreas();
} // namespace WindowGeometry
