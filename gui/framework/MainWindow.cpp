#include "MainWindow.h"

#include "AppDefines.h"
#include "AppSettings.h"
#include "BackgroundManager.h"
#include "FrameKit.h"
#include "GuiManager.h"
#include "GuiMetrics.h"
#include "PageManager.h"
#include "PageStorageManager.h"
#include "PathManager.h"
#include "SteamManager.h"
#include "WindowGeometry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QVideoWidget>
#include <QWindow>

namespace
{
constexpr QPainter::RenderHints AllHints =
    QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform;
}

MainWindow::MainWindow()
{
    qDebug() << "Initialize :: MainWindow";
    setWindowTitle(AppDefines::GetProductName() + QLatin1Char(' ') + AppDefines::GetLobbyVersion());
    setWindowIcon(QIcon(QStringLiteral(":/Main/Main.ico")));
    setMinimumSize(GuiBaseSize + QSize(2 * GuiMargin, 2 * GuiMargin));

    m_page = PageStorageManager::GetPage(1);
    m_page->setParent(this);
    m_page->hide();

    AppSettingsMain* settings = AppSettingsMain::Instance();
    const bool firstStart = WindowGeometry::IsFirstStart(settings->WindowPos, settings->WindowSize);
    // The frame is not known before the window is shown: KeepFrameOnScreen fits it then.
    const QRect normal = WindowGeometry::Fit(settings->WindowPos, settings->WindowSize, GuiWindowSize,
                                             minimumSize(), WindowGeometry::ScreenAreas());
    resize(normal.size());
    // The position is the frame's, as pos() gives it back: the title bar goes there, not above it.
    move(normal.topLeft());
    // Kept for leaving full screen later.
    settings->WindowPos = normal.topLeft();
    settings->WindowSize = normal.size();
    WantNormalGeometry(normal.topLeft(), normal.size());
    // Shown maximized or full screen, the window has this normal geometry all the same.
    m_normalPos = normal.topLeft();
    m_normalSize = normal.size();

    const Qt::WindowStates state = WindowGeometry::StartState(settings->WindowState);
    if (firstStart || (state & Qt::WindowFullScreen))
    {
        // Covering the screen first makes it full screen also where no window manager does it.
        if (const QScreen* screen = QGuiApplication::primaryScreen(); screen && firstStart)
            setGeometry(screen->geometry());
        setWindowState(windowState() | Qt::WindowFullScreen);
    }
    else
    {
        setWindowState(state);
    }
    m_shownState = windowState();
    qDebug().noquote() << QStringLiteral("MainWindow :: GEOMETRY --- %1 %2 %3 %4%5")
                              .arg(x())
                              .arg(y())
                              .arg(width())
                              .arg(height())
                              .arg(IsFullscreen() ? QStringLiteral(" --- FULL SCREEN") : QString());

    connect(SteamManager::Instance(), SIGNAL(OnOverlayDeactivated()), this,
            SLOT(DoSteamOverlayDeactivated()));
    connect(BackgroundManager::Instance(), SIGNAL(OnUpdateBackground()), this, SLOT(update()));
    connect(GuiManager::Instance(), SIGNAL(OnPageChange()), this, SLOT(DoPageChange()));
    connect(GuiManager::Instance(), SIGNAL(OnFullscreenClick()), this, SLOT(DoToggleFullscreen()));

    m_flashTimer = new QTimer(this);
    m_flashTimer->setSingleShot(true);
    m_flashTimer->setInterval(ScreenshotFlashMs);
    connect(m_flashTimer, &QTimer::timeout, this, &MainWindow::DoRemoveScreenshot);

    // The overlay's video widget and player are made when the overlay first shows: a media player
    // starts the whole sound and video machinery, which a start without Steam never needs.
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    if (m_player)
        m_player->stop();
    qDebug() << "Destroy :: MainWindow";
}

void MainWindow::CreateOverlayPlayer()
{
    if (m_player)
        return;
    m_video = new QVideoWidget(this);
    m_video->move(0, 0);
    m_video->hide();
    m_player = new QMediaPlayer(this, QMediaPlayer::VideoSurface);
    m_player->setVideoOutput(m_video);
    m_player->setMuted(true);
    connect(m_player, SIGNAL(stateChanged(QMediaPlayer::State)), this,
            SLOT(DoPlayerStateChanged(QMediaPlayer::State)));
}

void MainWindow::StoreGeometry()
{
    AppSettingsMain* settings = AppSettingsMain::Instance();
    // What is kept is the normal window: a maximized one covers the screen, and a minimized one
    // may stand anywhere (far off screen on some systems). Un-maximized at the next start, the
    // window takes the geometry it had when it was last shown normally.
    const bool elsewhere =
        (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) && m_normalSize.isValid();
    settings->WindowPos = elsewhere ? m_normalPos : pos();
    settings->WindowSize = elsewhere ? m_normalSize : size();
}

void MainWindow::MoveFrame(const QPoint& topLeft)
{
    // QWidget::move places the inside of a window that exists, by the frame it knows at that
    // moment; the window itself places its frame, whatever it is.
    if (QWindow* window = windowHandle())
        window->setFramePosition(topLeft);
    else
        move(topLeft);
}

bool MainWindow::IsNormal() const
{
    return !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

void MainWindow::WantNormalGeometry(const QPoint& framePos, const QSize& size)
{
    m_wantedPos = framePos;
    m_wantedSize = size;
    m_fitAttempts = 3;
}

void MainWindow::KeepFrameOnScreen()
{
    if (m_fitAttempts <= 0 || !isVisible() || (windowState() & (Qt::WindowMinimized | Qt::WindowFullScreen)))
        return;
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    // No frame yet: the window manager has not framed the window (or there is none).
    if (frame.isNull())
        return;
    const QSize smallest = GuiBaseSize + QSize(2 * GuiMargin, 2 * GuiMargin);
    // A screen smaller than the smallest window can't show the program whole, frame or not.
    const QScreen* screen = windowHandle() ? windowHandle()->screen() : nullptr;
    if (!screen || screen->geometry().width() < smallest.width() ||
        screen->geometry().height() < smallest.height())
    {
        m_fitAttempts = 0;
        return;
    }
    const QList<QRect> areas = WindowGeometry::ScreenAreas();
    // The smallest window, maximized too, gives up what its frame needs on a screen of its size,
    // so that its title bar stays on it.
    setMinimumSize(smallest.boundedTo(WindowGeometry::AreaOf(outer, areas).size().shrunkBy(frame)));
    if (!IsNormal())
        return;
    // Fitted from where the window is meant to be, not from where the window manager has it on
    // its way there.
    const QRect fitted =
        WindowGeometry::Fit(m_wantedPos, m_wantedSize, m_wantedSize, minimumSize(), areas, frame);
    if (fitted == outer)
    {
        m_fitAttempts = 0;
        return;
    }
    // A window manager that will not have it so is not fought for long.
    --m_fitAttempts;
    const QSize inside = fitted.size().shrunkBy(frame);
    resize(inside);
    MoveFrame(fitted.topLeft());
    qDebug().noquote() << QStringLiteral(
                              "MainWindow :: FITTED TO THE SCREEN --- %1 %2 %3 %4 --- FRAME %5 %6 %7 %8")
                              .arg(fitted.x())
                              .arg(fitted.y())
                              .arg(inside.width())
                              .arg(inside.height())
                              .arg(frame.left())
                              .arg(frame.top())
                              .arg(frame.right())
                              .arg(frame.bottom());
}

void MainWindow::DoPageChange()
{
    QPointer<QWidget> next = PageManager::Instance()->GetCurrentPageWidget();
    if (!next)
        return;
    QPointer<QWidget> old = m_page;
    next->setParent(this);
    next->setFixedSize(size());
    next->move(-width(), 0);
    next->show();
    next->repaint();
    // Paint the new page off screen first so the swap shows no half-built frame; no user input
    // may run a second switch in the middle of this one.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!next || PageManager::Instance()->GetCurrentPageWidget() != next)
    {
        // A switch made meanwhile (a page that left at once) has already swapped the pages.
        if (next && next != m_page)
            next->hide();
        return;
    }
    if (old && old != next)
    {
        old->move(-width(), 0);
        old->hide();
    }
    m_page = next;
    m_page->move(0, 0);
    if (m_video && m_overlay)
        m_video->raise();
}

void MainWindow::DoSetFullscreen()
{
    setWindowState(windowState() | Qt::WindowFullScreen);
}

void MainWindow::DoToggleFullscreen()
{
    AppSettingsMain* settings = AppSettingsMain::Instance();
    if (!IsFullscreen())
        StoreGeometry();
    setWindowState(windowState() ^ Qt::WindowFullScreen);
    if (!IsFullscreen())
    {
        setWindowState(Qt::WindowActive);
        resize(settings->WindowSize);
        MoveFrame(settings->WindowPos);
        // The window manager frames the window again: the whole of it must be on the screen.
        WantNormalGeometry(settings->WindowPos, settings->WindowSize);
    }
}

void MainWindow::SaveGeometryAndClose()
{
    AppSettingsMain* settings = AppSettingsMain::Instance();
    // Closed while minimized, it comes back as it was before.
    const Qt::WindowStates state = windowState() & Qt::WindowMinimized ? m_shownState : windowState();
    settings->WindowState = int(state & (Qt::WindowMaximized | Qt::WindowFullScreen));
    if (!IsFullscreen())
        StoreGeometry();
    AppSettings::Save(settings);
    close();
}

bool MainWindow::TakeScreenshot()
{
    const QString file = PathManager::Instance()->GetLobbyScreenshotFile();
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return false;
    QPixmap picture = screen->grabWindow(winId());
    // Some platforms (offscreen, no compositor) cannot grab from the screen.
    if (picture.isNull())
        picture = grab();
    if (picture.isNull() || !picture.save(file, "jpeg", 85))
    {
        qWarning().noquote() << "MainWindow :: SCREENSHOT --- CAN NOT SAVE" << file;
        return false;
    }
    qDebug().noquote() << "MainWindow :: SCREENSHOT ---" << file;
    FrameKit::PlayTakePicture();
    QTimer::singleShot(0, this, &MainWindow::DoAppendScreenshot);
    // One timer, restarted by every picture: the flash ends 100 ms after the last one.
    m_flashTimer->start();
    return true;
}

void MainWindow::DoAppendScreenshot()
{
    if (m_flash)
    {
        m_flash->hide();
        m_flash->deleteLater();
        m_flash = nullptr;
    }
    auto* flash = new QFrame(this);
    flash->setObjectName(QStringLiteral("Screenshot"));
    // Only a picture: a click made while it shows belongs to the page under it.
    flash->setAttribute(Qt::WA_TransparentForMouseEvents);
    flash->setStyleSheet(QStringLiteral(
        "QFrame#Screenshot{background-image:\t\turl(:/Back/back_screenshot.png);background-origin:\t\t"
        "content;background-position:\tright;background-attachment:\tfixed;background-clip:\t\t"
        "border;}"));
    flash->setFixedSize(size());
    flash->move(-width(), 0);
    flash->show();
    flash->repaint();
    m_flash = flash;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (m_flash == flash)
    {
        flash->raise();
        flash->move(0, 0);
    }
    // The removal may have fired while it was being shown.
    if (!m_flashTimer->isActive() && m_flash == flash)
        DoRemoveScreenshot();
}

void MainWindow::DoRemoveScreenshot()
{
    if (!m_flash)
        return;
    m_flash->hide();
    m_flash->deleteLater();
    m_flash = nullptr;
}

void MainWindow::DoPlayerStateChanged(QMediaPlayer::State state)
{
    if (m_overlay && state == QMediaPlayer::StoppedState)
        m_player->play();
}

void MainWindow::DoSteamOverlayDeactivated()
{
    m_overlay = false;
    if (m_player)
    {
        m_video->hide();
        m_player->stop();
        m_player->setMedia(QMediaContent());
    }
    if (m_page)
    {
        m_page->move(0, 0);
        m_page->show();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress)
    {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Backtab || key->key() == 0) && !m_overlay && SteamManager::Exists() &&
            SteamManager::Instance()->IsInitialized())
        {
            m_overlay = true;
            CreateOverlayPlayer();
            m_player->setMedia(QUrl::fromLocalFile(FrameKit::GetTrack(QStringLiteral("introduction"))));
            m_player->play();
            if (m_page)
            {
                m_page->move(-width(), 0);
                m_page->hide();
            }
            m_video->setFixedSize(size());
            m_video->show();
            m_video->raise();
            SteamManager::ActivateOverlay();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        emit OnActivated();
    else if (event->type() == QEvent::WindowDeactivate)
        emit OnDeactivated();
    const bool result = QMainWindow::event(event);
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Show)
    {
        // The window manager's framing comes back as a move.
        KeepFrameOnScreen();
        if (isVisible() && IsNormal())
        {
            m_normalPos = pos();
            m_normalSize = size();
        }
    }
    return result;
}

void MainWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHints(AllHints, false);
    painter.fillRect(rect(), QColor(0, 0, 0, 255));
    if (!m_overlay && BackgroundManager::Exists())
        BackgroundManager::Instance()->Draw(&painter);
    if (!m_painted)
    {
        // The moment start-up is over for the user; the start-up benchmark waits for this line.
        m_painted = true;
        qDebug() << "MainWindow :: PAINTED";
    }
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (BackgroundManager::Exists())
        BackgroundManager::Instance()->Resize(size());
    if (m_page)
        m_page->setFixedSize(size());
    if (m_flash)
        m_flash->setFixedSize(size());
    if (m_overlay)
        m_video->setFixedSize(size());
    update();
    emit OnResizing(size());
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (!m_overlay)
        emit OnKeyPressEvent(event);
}

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    emit OnMousePressEvent(event);
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange)
    {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if (windowState() == Qt::WindowMaximized && change->oldState() != Qt::WindowMaximized)
            emit OnWindowMaximize();
        if (!(windowState() & Qt::WindowMinimized))
            m_shownState = windowState();
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (GuiManager::Exists())
        GuiManager::Instance()->RequestQuit();
    event->accept();
}

void MainWindow::hideEvent(QHideEvent* event)
{
    m_savedState = saveState();
    QMainWindow::hideEvent(event);
}

void MainWindow::showEvent(QShowEvent* event)
{
    restoreState(m_savedState);
    QMainWindow::showEvent(event);
}
