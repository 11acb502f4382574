#pragma once

#include "Common.h"

#include <QColor>
#include <QPixmap>
#include <QSize>
#include <QString>

class QFrame;
class QHBoxLayout;
class QLayout;
class QTextBrowser;
class QWidget;

// Widget helpers of the Common namespace (the non-widget ones are in app/Common.h).
namespace Common
{
// The main window whose sizes CreateMainFrame follows; null until the window exists.
void SetMainWindow(QWidget* window);
QWidget* GetMainWindow();

// Moves the widget to the centre of the screen area (GetScreenSize).
void CenterOnScreen(QWidget* widget);

// A pixmap of `size` filled with `color`, with a one-pixel rgb(30, 30, 30) border.
QPixmap ColorSwatchPixmap(const QColor& color, const QSize& size);

// A frame named "FrameBlackBox" with a dark picture background holding `widget`.
QFrame* CreateBlackBoxFrame(QWidget* widget);

// A horizontal line of `thickness` pixels in `color`; the caller owns it.
QFrame* CreateHLine(int thickness, const QColor& color);

// A horizontal layout (margins GuiMargin, spacing 0) holding one frame that carries `layout`.
// The frame asks for the main window's size, yet shrinks to what its content needs: a dialog on
// the modal page fills the room the page has left, however small the window.
QHBoxLayout* CreateMainFrame(QLayout* layout);

// A frame with that object name and its StyleSheetById style holding `widget`.
QFrame* CreateNamedFrame(const QString& objectName, QWidget* widget);

// A frame that centres the layout between black lines of width 4 (scaled) on all four sides.
QFrame* CreateBorderFrame(QLayout* layout);

// A new read-only text browser carrying the program's log/text style; the caller owns it.
QTextBrowser* TextBrowserStyle();
} // namespace Common
