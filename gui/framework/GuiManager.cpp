#include "GuiManager.h"

#include "AppSettings.h"
#include "BackgroundManager.h"
#include "FrameKit.h"
#include "MainWindow.h"
#include "NPageID.h"
#include "PageManager.h"
#include "ReplaysManager.h"
#include "StartActionsHandler.h"
#include "WebUpdates.h"

#include <QDebug>
#include <QKeyEvent>
#include <QMetaObject>

#include "SpringLaunchManager.h"

namespace
{
bool g_mainWindowActive = false;
}

GuiManager::GuiManager()
{
    qDebug() << "Initialize :: GUI";
    if (PageManager::Exists())
        PageManager::Instance()->ConnectInput(this);
    QMetaObject::invokeMethod(this, "DoConnectManagers", Qt::QueuedConnection);
}

GuiManager::~GuiManager()
{
    qDebug() << "Destroy :: GUI";
    // A quit before the housekeeping reported back must not leave its thread running.
    StartActionsHandler::Destroy();
}

bool GuiManager::IsMainWindowActive()
{
    return g_mainWindowActive;
}

void GuiManager::DoConnectManagers()
{
    if (m_connected)
        return;
    m_connected = true;

    StartActionsHandler* actions = StartActionsHandler::Instance();
    connect(actions, SIGNAL(OnStartActionsStop()), this, SLOT(DoStartActionsStop()));
    StartActionsHandler::Start();

    WebUpdates* updates = WebUpdates::Instance();
    connect(updates, SIGNAL(OnHasUpdates(DataUpdates)), this, SLOT(DoHasUpdates(DataUpdates)));
    // A check that answered before this wiring existed is not lost.
    DataUpdates known;
    if (updates->GetKnownUpdate(&known))
        DoHasUpdates(known);

    MainWindow* window = MainWindow::Instance();
    connect(window, SIGNAL(OnKeyPressEvent(QKeyEvent*)), this, SLOT(DoKeyPressEvent(QKeyEvent*)));
    connect(window, SIGNAL(OnMousePressEvent(QMouseEvent*)), this, SLOT(DoMousePressEvent(QMouseEvent*)));
    connect(window, SIGNAL(OnMousePressEvent(QMouseEvent*)), this, SIGNAL(OnMousePressEvent(QMouseEvent*)));
    connect(window, SIGNAL(OnKeyPressEvent(QKeyEvent*)), this, SIGNAL(OnKeyPressEvent(QKeyEvent*)));
    connect(window, SIGNAL(OnResizing(QSize)), this, SLOT(DoResizing(QSize)));
    connect(window, SIGNAL(OnActivated()), this, SLOT(DoMainWindowActivated()));
    connect(window, SIGNAL(OnDeactivated()), this, SLOT(DoMainWindowDeactivated()));
    connect(window, SIGNAL(OnWindowMaximize()), this, SIGNAL(OnWindowMaximize()));

    PageManager* pages = PageManager::Instance();
    connect(pages, SIGNAL(OnVisiblePageChange(int, int)), this, SLOT(DoVisiblePageChange(int, int)));
    connect(pages, SIGNAL(OnEnterCurrentPage(int)), this, SLOT(DoEnterCurrentPage(int)));
    connect(pages, SIGNAL(OnExitCurrentPage(int)), this, SLOT(DoExitCurrentPage(int)));

    QObject* launcher = SpringLaunchManager::Instance();
    connect(launcher, SIGNAL(OnSpringStarted()), this, SLOT(DoSpringStarted()));
    connect(launcher, SIGNAL(OnSpringStopped()), this, SLOT(DoSpringStopped()));

    // The replays worker follows the admin flag when it is toggled.
    if (ReplaysManager::Exists())
        connect(this, SIGNAL(OnLobbyAdmin(bool)), ReplaysManager::Instance(), SLOT(DoLobbyAdmin(bool)),
                Qt::QueuedConnection);
}

void GuiManager::Start()
{
    int first = ID_INTRO_MOVIE;
    if (!AppSettingsMain::Instance()->ShowIntroMovie)
    {
        DoPageIntroMovieExit();
        first = ID_MAIN_MENU;
    }
    PageManager::SetNextPageStatic(first);
    emit OnPageChange();
    MainWindow::Instance()->show();
}

bool GuiManager::RequestQuit()
{
    if (m_quitRequested)
        return true;
    m_quitRequested = true;
    qDebug() << "GUI :: QUIT";
    emit OnAppQuit();
    if (MainWindow::Exists())
        MainWindow::Instance()->SaveGeometryAndClose();
    return true;
}

bool GuiManager::IsMainWindowFullscreen() const
{
    return MainWindow::Exists() && MainWindow::Instance()->IsFullscreen();
}

bool GuiManager::IsMainWindowMaximized() const
{
    return MainWindow::Exists() && MainWindow::Instance()->windowState() == Qt::WindowMaximized;
}

bool GuiManager::TakeScreenshot()
{
    return MainWindow::Exists() && MainWindow::Instance()->TakeScreenshot();
}

void GuiManager::SaveWindowState()
{
    if (MainWindow::Exists())
        m_windowState = int(MainWindow::Instance()->windowState());
}

void GuiManager::RestoreWindowState()
{
    if (MainWindow::Exists())
        MainWindow::Instance()->setWindowState(Qt::WindowStates(m_windowState));
}

void GuiManager::DoButtonFullscreenClick()
{
    emit OnFullscreenClick();
}

void GuiManager::DoPageIntroMovieExit()
{
    BackgroundManager* background = BackgroundManager::Instance();
    background->SelectNextPicture();
    background->StartTimer();
    background->ClearDim();
    background->UpdateBackground(false);
}

void GuiManager::DoStartActionsStop()
{
    StartActionsHandler::Destroy();
}

void GuiManager::DoHasUpdates(DataUpdates data)
{
    m_updateVersion = data.version;
    m_updateChangeLog = data.changeLog;
    qDebug().noquote() << "GUI :: NEW UPDATE --- Lobby" << data.version;
    emit OnHasUpdates();
}

void GuiManager::DoKeyPressEvent(QKeyEvent* event)
{
    if (!event)
        return;
    const Qt::KeyboardModifiers mods = event->modifiers();
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && (mods & Qt::AltModifier))
    {
        emit OnFullscreenClick();
    }
    else if (key == Qt::Key_F8 || key == Qt::Key_F12)
    {
        // A held key repeats; one press is one picture.
        if (!event->isAutoRepeat())
            TakeScreenshot();
    }
    else if ((mods & Qt::ControlModifier) && (mods & Qt::ShiftModifier) &&
             (key == Qt::Key_Z || (key == Qt::Key_CapsLock && (mods & Qt::AltModifier))))
    {
        AppSettingsSpringMyPersonal* personal = AppSettingsSpringMyPersonal::Instance();
        personal->IsAdmin = !personal->IsAdmin;
        AppSettings::Save(personal);
        emit OnLobbyAdmin(personal->IsAdmin);
    }
}

void GuiManager::DoMousePressEvent(QMouseEvent*) {}

void GuiManager::DoResizing(QSize resolution)
{
    emit OnAppResizing(resolution);
}

void GuiManager::DoVisiblePageChange(int idCurr, int idPrev)
{
    BackgroundManager* background = BackgroundManager::Instance();
    if (idCurr == ID_MAIN_MENU)
    {
        background->ClearDim();
        background->UpdateBackground(false);
    }
    else if (idPrev == ID_MAIN_MENU)
    {
        background->SetDimmed();
        background->UpdateBackground(true);
    }
    emit OnPageChange();
}

void GuiManager::DoEnterCurrentPage(int id)
{
    if (id == ID_MAIN_MENU)
        BackgroundManager::Instance()->StartTimer();
    else if (id == ID_SPRING_LOGIN || id == ID_SPRING_LOGIN_CUSTOM || id == ID_STEAM_LOGIN)
        m_lastLoginPageId = id;
}

void GuiManager::DoExitCurrentPage(int id)
{
    if (id == ID_MAIN_MENU)
        BackgroundManager::Instance()->StopTimer();
    else if (id == ID_INTRO_MOVIE)
        DoPageIntroMovieExit();
}

void GuiManager::DoSpringStarted()
{
    FrameKit::StopMenuMusic();
    emit OnSpringStart();
}

void GuiManager::DoSpringStopped()
{
    emit OnSpringStop();
}

void GuiManager::DoMainWindowActivated()
{
    g_mainWindowActive = true;
    emit OnMainWindowActivated();
}

void GuiManager::DoMainWindowDeactivated()
{
    g_mainWindowActive = false;
    emit OnMainWindowDeactivated();
}
