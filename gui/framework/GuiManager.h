#pragma once

#include "DataMisc.h"
#include "Singleton.h"

#include <QObject>
#include <QSize>

class QKeyEvent;
class QMouseEvent;

// The switchboard of the interface: relays the main window's input and window events to the
// pages, drives the background as the main menu comes and goes, keeps the news of an update,
// handles the global key chords, shows the first page and runs the orderly quit.
class GuiManager : public QObject, public Singleton<GuiManager>
{
    Q_OBJECT
    friend class Singleton<GuiManager>;

public:
    void Start();
    bool RequestQuit();
    bool IsQuitRequested() const { return m_quitRequested; }

    bool HasUpdate() const { return !m_updateVersion.isEmpty(); }
    QStringList GetUpdateVersions() const { return {m_updateVersion, m_updateChangeLog}; }

    int GetLastLoginPageId() const { return m_lastLoginPageId; }

    bool IsMainWindowFullscreen() const;
    bool IsMainWindowMaximized() const;
    bool TakeScreenshot();
    void SaveWindowState();
    void RestoreWindowState();

    // Read by the room chat: whether the main window has the focus.
    static bool IsMainWindowActive();

signals:
    void OnPageChange();
    void OnHasUpdates();
    void OnAppResizing(QSize resolution);
    void OnAppQuit();
    void OnFullscreenClick();
    void OnSpringStart();
    void OnSpringStop();
    void OnMousePressEvent(QMouseEvent* event);
    void OnKeyPressEvent(QKeyEvent* event);
    void OnMainWindowActivated();
    void OnMainWindowDeactivated();
    void OnWindowMaximize();
    void OnLobbyAdmin(bool isAdmin);

public slots:
    void DoButtonFullscreenClick();
    void DoPageIntroMovieExit();
    void DoConnectManagers();
    void DoStartActionsStop();
    void DoHasUpdates(DataUpdates data);
    void DoKeyPressEvent(QKeyEvent* event);
    void DoMousePressEvent(QMouseEvent* event);
    void DoResizing(QSize resolution);
    void DoVisiblePageChange(int idCurr, int idPrev);
    void DoEnterCurrentPage(int id);
    void DoExitCurrentPage(int id);
    void DoSpringStarted();
    void DoSpringStopped();
    void DoMainWindowActivated();
    void DoMainWindowDeactivated();

private:
    GuiManager();
    ~GuiManager() override;

    int m_lastLoginPageId = 0;
    bool m_quitRequested = false;
    bool m_connected = false;
    QString m_updateVersion;
    QString m_updateChangeLog;
    int m_windowState = 0;
};
