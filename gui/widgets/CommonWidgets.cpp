#include "CommonWidgets.h"

#include "GuiMetrics.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>

namespace
{
QPointer<QWidget> g_mainWindow;

// The main window's size; the program's start-up window size (or, before that is known, the
// smallest window) when there is no window yet.
QSize MainWindowSize()
{
    if (const QWidget* window = g_mainWindow.data(); window && !window->size().isEmpty())
        return window->size();
    if (GuiWindowSize.isValid() && !GuiWindowSize.isEmpty())
        return GuiWindowSize;
    return GuiBaseSize + QSize(2 * GuiMargin, 2 * GuiMargin);
}

// Asks for the whole window, so that its dialog fills the room it is given, but makes do with
// what its content needs: the page around it takes its own share first.
class MainFrame final : public QFrame
{
public:
    QSize sizeHint() const override { return MainWindowSize().expandedTo(minimumSizeHint()); }
};

// Puts `widget` into `frame` edge to edge.
void Hold(QFrame* frame, QWidget* widget)
{
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (widget)
        layout->addWidget(widget);
}
} // namespace

namespace Common
{
void SetMainWindow(QWidget* window)
{
    g_mainWindow = window;
}

QWidget* GetMainWindow()
{
    return g_mainWindow.data();
}

void CenterOnScreen(QWidget* widget)
{
    if (!widget)
        return;
    const QSize screen = GetScreenSize();
    const QSize size = widget->frameGeometry().size();
    widget->move((screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2);
}

QPixmap ColorSwatchPixmap(const QColor& color, const QSize& size)
{
    if (size.isEmpty())
        return QPixmap();
    QPixmap pixmap(size);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(QColor(30, 30, 30));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return pixmap;
}

QFrame* CreateBlackBoxFrame(QWidget* widget)
{
    auto* frame = new QFrame();
    frame->setObjectName(QStringLiteral("FrameBlackBox"));
    frame->setStyleSheet(QStringLiteral("QFrame#FrameBlackBox { border: 1px solid rgb(30, 30, 30); "
                                        "background-image: url(:/Frames/frame_page_back_dark.png); "
                                        "background-color: rgba(0, 0, 0, 200); }"));
    Hold(frame, widget);
    return frame;
}

QFrame* CreateHLine(int thickness, const QColor& color)
{
    auto* line = new QFrame();
    line->setFrameShape(QFrame::NoFrame);
    line->setFixedHeight(qMax(0, thickness));
    line->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    line->setStyleSheet(
        QStringLiteral("background-color: rgb(%1); border: none;").arg(ColorToRgbText(color)));
    return line;
}

QHBoxLayout* CreateMainFrame(QLayout* layout)
{
    auto* frame = new MainFrame();
    frame->setObjectName(QStringLiteral("FrameMain"));
    if (layout)
        frame->setLayout(layout);

    auto* outer = new QHBoxLayout();
    outer->setContentsMargins(GuiMargin, GuiMargin, GuiMargin, GuiMargin);
    outer->setSpacing(0);
    outer->addWidget(frame);
    return outer;
}

QFrame* CreateNamedFrame(const QString& objectName, QWidget* widget)
{
    auto* frame = new QFrame();
    frame->setObjectName(objectName);
    frame->setStyleSheet(StyleSheetById(objectName));
    Hold(frame, widget);
    return frame;
}

QFrame* CreateBorderFrame(QLayout* layout)
{
    const int width = Scale(4);
    auto line = []
    {
        auto* frame = new QFrame();
        frame->setStyleSheet(QStringLiteral("background-color: black; border: none;"));
        return frame;
    };
    auto* frame = new QFrame();
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    QFrame* top = line();
    QFrame* bottom = line();
    QFrame* left = line();
    QFrame* right = line();
    top->setFixedHeight(width);
    bottom->setFixedHeight(width);
    left->setFixedWidth(width);
    right->setFixedWidth(width);
    grid->addWidget(top, 0, 0, 1, 3);
    grid->addWidget(left, 1, 0);
    grid->addLayout(layout, 1, 1, Qt::AlignCenter);
    grid->addWidget(right, 1, 2);
    grid->addWidget(bottom, 2, 0, 1, 3);
    return frame;
}

QTextBrowser* TextBrowserStyle()
{
    auto* browser = new QTextBrowser();
    browser->setReadOnly(true);
    browser->setOpenExternalLinks(false);
    browser->setStyleSheet(QStringLiteral("QTextBrowser { %1 color: rgb(%2); font-family: \"Courier New\"; "
                                          "font-size: %3px; padding: %4px; }")
                               .arg(DarkBackgroundStyle(), ColorToRgbText(ColorWhite()))
                               .arg(Scale(13))
                               .arg(GuiUnitHalf) +
                           ScrollBarStyle());
    // The default dark blue of links is lost on the dark background.
    browser->document()->setDefaultStyleSheet(
        QStringLiteral("a { color: rgb(%1); }").arg(ColorToRgbText(ColorLight())));
    return browser;
}
} // namespace Common
