#pragma once

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>

// Where the main window goes. The stored position and size come from a file the user (or a
// crash) may have left with any values, so nothing here may overflow or trust them.
namespace WindowGeometry
{
// The stored values never set: the first start, which opens full screen.
bool IsFirstStart(const QPoint& storedPos, const QSize& storedSize);

// The window's normal (not full screen) outer rectangle, its frame included: the stored size of
// its inside, or `preferred` when none is stored, placed at the stored position of its frame and
// fitted into the available area of the screen it overlaps most (the first area, the primary
// screen's, when it overlaps none or no position is stored). A window without a stored position,
// or one on no screen, is centred.
// With a known `frame` the whole window lies in the area: the inside gives up what the frame
// needs, below `minimum` if it must, so a window too large is shrunk, never pushed off the
// screen. Without one (no window manager, or not yet known) the inside keeps at least `minimum`
// and its top left corner on the screen; one as wide (or high) as the area or more keeps its
// stored place along that side as long as at least half of it is on the screen.
QRect Fit(const QPoint& storedPos, const QSize& storedSize, const QSize& preferred, const QSize& minimum,
          const QList<QRect>& areas, const QMargins& frame = QMargins());

// The area of the screen the outer rectangle overlaps most (the first when none).
QRect AreaOf(const QRect& outer, const QList<QRect>& areas);

// The available areas of all screens, the primary screen's first.
QList<QRect> ScreenAreas();

// The state to start in from the stored one: normal, maximized or full screen, never minimized
// (a window that comes back minimized shows the player an empty screen).
Qt::WindowStates StartState(int stored);
} // namespace WindowGeometry
