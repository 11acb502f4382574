#pragma once

#include "Singleton.h"

#include <QByteArray>
#include <QFrame>
#include <QMainWindow>
#include <QMediaPlayer>
#include <QPointer>

class QTimer;
class QVideoWidget;

// The one top-level window: paints the background, shows one page at a time at full size,
// remembers its geometry, switches full screen and takes screenshots. It is also the
// application's event filter.
class MainWindow : public QMainWindow, public Singleton<MainWindow>
{
    Q_OBJECT
    friend class Singleton<MainWindow>;

public:
    static constexpr int ScreenshotFlashMs = 100;

    bool IsFullscreen() const { return windowState() & Qt::WindowFullScreen; }
    // Saves the lobby screenshot; false (and no sound or flash) when it could not be written.
    bool TakeScreenshot();
    void SaveGeometryAndClose();

    QWidget* GetShownPage() const { return m_page; }
    QFrame* GetScreenshotFlash() const { return m_flash; }
    bool IsOverlayShown() const { return m_overlay; }

signals:
    void OnActivated();
    void OnDeactivated();
    void OnKeyPressEvent(QKeyEvent* event);
    void OnMousePressEvent(QMouseEvent* event);
    void OnResizing(QSize resolution);
    void OnWindowMaximize();

public slots:
    void DoSetFullscreen();
    void DoToggleFullscreen();
    void DoPageChange();
    void DoAppendScreenshot();
    void DoRemoveScreenshot();
    void DoPlayerStateChanged(QMediaPlayer::State state);
    void DoSteamOverlayDeactivated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    MainWindow();
    ~MainWindow() override;

    void StoreGeometry();
    void CreateOverlayPlayer();
    // Places the window's frame (title bar included) with its top left corner there.
    void MoveFrame(const QPoint& topLeft);
    // Neither minimized, maximized nor full screen.
    bool IsNormal() const;
    // Windowed, the whole window, title bar included, lies in the screen's available area. Its
    // frame is known only once the window manager has framed it, so KeepFrameOnScreen waits for
    // that, then fits the window meant (frame position, inside size) to the screen.
    void WantNormalGeometry(const QPoint& framePos, const QSize& size);
    void KeepFrameOnScreen();

    QPointer<QWidget> m_page;
    QPointer<QFrame> m_flash;
    QTimer* m_flashTimer = nullptr;
    QByteArray m_savedState;
    QVideoWidget* m_video = nullptr;
    QMediaPlayer* m_player = nullptr;
    bool m_overlay = false;
    bool m_painted = false;
    QPoint m_wantedPos;
    QSize m_wantedSize;
    int m_fitAttempts = 0;
    // The last state shown, for a close while minimized, and the last normal geometry, for a close
    // while maximized or minimized.
    Qt::WindowStates m_shownState;
    QPoint m_normalPos;
    QSize m_normalSize;
};
