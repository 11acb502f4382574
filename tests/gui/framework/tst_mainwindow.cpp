// The main window and the GUI manager: geometry fitted and saved, full screen, screenshots, the
// first page, key chords, page reactions, update news and the quit. The real-window test covers
// the first start's full screen, a stored giant geometry, a window manager's frame on a small
// screen and the start after a close while minimized.

#include "AppDefines.h"
#include "AppSettings.h"
#include "BackgroundManager.h"
#include "FrameKit.h"
#include "GuiManager.h"
#include "GuiMetrics.h"
#include "MainWindow.h"
#include "PageManager.h"
#include "PageStorageManager.h"
#include "PathManager.h"
#include "SpringLaunchManager.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "TestHttpServer.h"
#include "WebUpdates.h"
#include "WindowGeometry.h"
#include "helper_pages.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(QMargins)

namespace
{
// Calls back when its object gets a close event.
class CloseWatch : public QObject
{
public:
    explicit CloseWatch(std::function<void()> onClose) : m_onClose(std::move(onClose)) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            m_onClose();
        return QObject::eventFilter(object, event);
    }

private:
    std::function<void()> m_onClose;
};
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void FitStoredGeometry_data();
    void FitStoredGeometry();
    void StoredState_data();
    void StoredState();
    void CloseSavesOnce();
    void ClosedMaximizedKeepsTheNormalGeometry();
    void LeavingFullscreenRestoresGeometry();
    void ScreenshotFlashAfterTwoQuickPictures();
    void FailedScreenshotIsNotReported();

    void StartsWithTheMainMenuAndItsBackground();
    void FullscreenChord();
    void AdminChord_data();
    void AdminChord();
    void ScreenshotKeys();
    void UpdateFoundBeforeTheWiringIsKept();
    void EngineStartStopsTheMusic();

private:
    void Key(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat = false);
    std::unique_ptr<TestEnvironment> m_env;
    QStringList m_sounds;
};

void TestMainWindow::init()
{
    m_env = std::make_unique<TestEnvironment>();
    // A window placed by an earlier start; the first start has its own test.
    AppSettingsMain::Instance()->WindowPos = QPoint(0, 0);
    m_sounds.clear();
    FrameKit::SetSoundRecorder([this](const QString& sound) { m_sounds << sound; });
}

void TestMainWindow::cleanup()
{
    TestUi::Stop();
    m_env.reset();
}

// Where the window goes for what the settings file holds; areas are screens without task bars.
void TestMainWindow::FitStoredGeometry_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QList<QRect>>("areas");
    QTest::addColumn<QRect>("expected");
    QTest::addColumn<QMargins>("frame");
    const QList<QRect> hd{{0, 0, 1920, 1040}};
    const QList<QRect> laptop{{0, 0, 1366, 728}};
    const QList<QRect> two{{0, 0, 1920, 1040}, {1920, 0, 1280, 984}};
    const QPoint none(-1, -1);
    const QSize unset(-1, -1);
    QTest::newRow("nothing stored, full hd")
        << none << unset << hd << QRect(384, 40, 1152, 960) << QMargins();
    // Never taller than the screen allows, nor smaller than the minimum: the top stays visible.
    QTest::newRow("nothing stored, laptop")
        << none << unset << laptop << QRect(107, 0, 1152, 768) << QMargins();
    QTest::newRow("stored, fits") << QPoint(12, 34) << QSize(1200, 900) << hd << QRect(12, 34, 1200, 900)
                                  << QMargins();
    QTest::newRow("huge size, extreme position")
        << QPoint(-2147483647 - 1, 2147483647) << QSize(100000, 100000) << hd << QRect(0, 0, 1920, 1040)
        << QMargins();
    QTest::newRow("extreme position") << QPoint(2147483647, -2147483647 - 1) << QSize(1100, 800) << hd
                                      << QRect(410, 120, 1100, 800) << QMargins();
    QTest::newRow("on no screen") << QPoint(-20000, 15000) << QSize(1024, 768) << hd
                                  << QRect(448, 136, 1024, 768) << QMargins();
    QTest::newRow("over the right edge")
        << QPoint(1500, 300) << QSize(1100, 800) << hd << QRect(820, 240, 1100, 800) << QMargins();
    QTest::newRow("second screen") << QPoint(2000, 50) << QSize(1100, 800) << two
                                   << QRect(2000, 50, 1100, 800) << QMargins();
    QTest::newRow("mostly on the second")
        << QPoint(1500, 100) << QSize(1100, 800) << two << QRect(1920, 100, 1100, 800) << QMargins();
    QTest::newRow("empty size") << QPoint(10, 10) << QSize(0, 500) << hd << QRect(10, 10, 1152, 960)
                                << QMargins();
    QTest::newRow("no screen at all")
        << none << unset << QList<QRect>() << QRect(0, 0, 1152, 960) << QMargins();
    // As high as the screen, where no frame is known: where it was put, if most of it is on the screen.
    const QList<QRect> small{{0, 0, 1024, 768}};
    QTest::newRow("a screen 768 high, stored at y=10")
        << QPoint(0, 10) << QSize(1024, 768) << small << QRect(0, 10, 1024, 768) << QMargins();
    QTest::newRow("a screen 768 high, stored mostly below it")
        << QPoint(0, 600) << QSize(1024, 768) << small << QRect(0, 384, 1024, 768) << QMargins();
    QTest::newRow("a screen 768 high, stored above it")
        << QPoint(0, -10) << QSize(1024, 768) << small << QRect(0, 0, 1024, 768) << QMargins();
    // With its frame the whole window lies on the screen, shrunk for it.
    QTest::newRow("a screen 768 high, framed, stored at y=10")
        << QPoint(0, 10) << QSize(1024, 768) << small << QRect(0, 0, 1024, 768) << QMargins(1, 22, 1, 4);
}

void TestMainWindow::FitStoredGeometry()
{
    QFETCH(QPoint, pos);
    QFETCH(QSize, size);
    QFETCH(QList<QRect>, areas);
    QFETCH(QRect, expected);
    QFETCH(QMargins, frame);
    QCOMPARE(WindowGeometry::Fit(pos, size, QSize(1152, 960), QSize(1024, 768), areas, frame), expected);
}

void TestMainWindow::StoredState_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("fullscreen");
    QTest::addColumn<bool>("maximized");
    QTest::newRow("normal") << 0 << false << false;
    QTest::newRow("maximized") << 2 << false << true;
    QTest::newRow("full screen") << 4 << true << false;
    // A window that came back minimized would leave an empty screen.
    QTest::newRow("minimized") << 1 << false << false;
    QTest::newRow("minimized from maximized") << 3 << false << true;
    QTest::newRow("minimized from full screen") << 5 << true << false;
}

void TestMainWindow::StoredState()
{
    QFETCH(int, state);
    QFETCH(bool, fullscreen);
    QFETCH(bool, maximized);
    AppSettingsMain::Instance()->WindowState = state;
    TestUi::Start();
    QCOMPARE(MainWindow::Instance()->IsFullscreen(), fullscreen);
    QCOMPARE(bool(MainWindow::Instance()->windowState() & Qt::WindowMaximized), maximized);
    QVERIFY(!(MainWindow::Instance()->windowState() & Qt::WindowMinimized));
}

void TestMainWindow::CloseSavesOnce()
{
    AppSettingsMain::Instance()->ShowIntroMovie = false;
    TestUi::Start();
    GuiManager::Instance()->Start();
    MainWindow* window = MainWindow::Instance();
    window->resize(1111, 822);
    window->move(21, 43);
    // The geometry is on disk by the time the window closes.
    QSize storedAtClose;
    CloseWatch watch([&] { storedAtClose = TestUi::StoredValue("AppSettings.Main", "WindowSize").toSize(); });
    window->installEventFilter(&watch);
    // Quit asked for twice and the window closed: one quit.
    QSignalSpy quit(GuiManager::Instance(), &GuiManager::OnAppQuit);
    QVERIFY(GuiManager::Instance()->RequestQuit());
    QCOMPARE(storedAtClose, QSize(1111, 822));
    window->removeEventFilter(&watch);
    QVERIFY(GuiManager::Instance()->RequestQuit());
    window->close();
    QCOMPARE(quit.count(), 1);
    QVERIFY(!window->isVisible());
    QCOMPARE(TestUi::StoredValue("AppSettings.Main", "WindowPos").toPoint(), QPoint(21, 43));
    QCOMPARE(TestUi::StoredValue("AppSettings.Main", "WindowSize").toSize(), QSize(1111, 822));
    QCOMPARE(TestUi::StoredValue("AppSettings.Main", "WindowState").toInt(), 0);
    // The next start using it is the real-window test's.
}

// A window closed maximized keeps its normal geometry for the next start, not the maximized one
// (the real-window test starts it again under a window manager and un-maximizes it).
void TestMainWindow::ClosedMaximizedKeepsTheNormalGeometry()
{
    TestUi::Start();
    MainWindow* window = MainWindow::Instance();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->resize(1050, 790);
    window->move(30, 40);
    window->setWindowState(Qt::WindowMaximized);
    QTRY_VERIFY(window->size() != QSize(1050, 790));
    GuiManager::Instance()->RequestQuit();
    QCOMPARE(TestUi::StoredValue("AppSettings.Main", "WindowState").toInt(), int(Qt::WindowMaximized));
    QCOMPARE(TestUi::StoredValue("AppSettings.Main", "WindowPos").toPoint(), QPoint(30, 40));
    QCOMPARE(TestUi::StoredValue("AppSettings.Main", "WindowSize").toSize(), QSize(1050, 790));
}

void TestMainWindow::LeavingFullscreenRestoresGeometry()
{
    TestUi::Start();
    MainWindow* window = MainWindow::Instance();
    window->show();
    window->resize(1050, 790);
    window->move(30, 40);
    window->DoToggleFullscreen();
    QVERIFY(window->IsFullscreen());
    QCOMPARE(AppSettingsMain::Instance()->WindowPos, QPoint(30, 40));
    // Closing in full screen keeps the windowed geometry for the next start.
    GuiManager::Instance()->RequestQuit();
    QCOMPARE(TestUi::StoredValue("AppSettings.Main", "WindowState").toInt(), int(Qt::WindowFullScreen));
    QCOMPARE(TestUi::StoredValue("AppSettings.Main", "WindowSize").toSize(), QSize(1050, 790));
    window->show();
    window->DoToggleFullscreen();
    QVERIFY(!window->IsFullscreen());
    QCOMPARE(window->size(), QSize(1050, 790));
    QCOMPARE(window->pos(), QPoint(30, 40));
}

void TestMainWindow::ScreenshotFlashAfterTwoQuickPictures()
{
    TestUi::Start();
    MainWindow* window = MainWindow::Instance();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(window->TakeScreenshot());
    QVERIFY(window->TakeScreenshot());
    QTRY_VERIFY(window->GetScreenshotFlash() != nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(window->findChildren<QFrame*>("Screenshot").size(), 1);
    QCOMPARE(window->GetScreenshotFlash()->size(), window->size());
    // The flash covers the page but takes no clicks from it.
    QVERIFY(window->GetScreenshotFlash()->isVisible());
    QVERIFY(window->GetScreenshotFlash()->geometry().contains(QPoint(60, 60)));
    QVERIFY(window->childAt(QPoint(60, 60)) != window->GetScreenshotFlash());
    QTRY_VERIFY_WITH_TIMEOUT(window->GetScreenshotFlash() == nullptr, 1000);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(window->findChildren<QFrame*>("Screenshot").size(), 0);
    QCOMPARE(m_sounds, (QStringList{"take.picture", "take.picture"}));
    QVERIFY(QImageReader(PathManager::Instance()->GetLobbyScreenshotFile()).format() == "jpeg");
}

void TestMainWindow::FailedScreenshotIsNotReported()
{
    TestUi::Start();
    MainWindow* window = MainWindow::Instance();
    window->show();
    // A folder where the picture should go: it cannot be written.
    QVERIFY(QDir().mkpath(PathManager::Instance()->GetLobbyScreenshotFile()));
    QVERIFY(!window->TakeScreenshot());
    QVERIFY(!GuiManager::Instance()->TakeScreenshot());
    QTest::qWait(20);
    QCOMPARE(window->GetScreenshotFlash(), nullptr);
    QCOMPARE(m_sounds, QStringList{});
    QVERIFY(m_env->LogContains("--- WARNING --- MainWindow :: SCREENSHOT --- CAN NOT SAVE"));
}

void TestMainWindow::Key(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, QString(), autoRepeat);
    GuiManager::Instance()->DoKeyPressEvent(&event);
}

void TestMainWindow::StartsWithTheMainMenuAndItsBackground()
{
    AppSettingsMain::Instance()->ShowIntroMovie = false;
    TestUi::Start();
    BackgroundManager* background = BackgroundManager::Instance();
    bool timerBeforeMenu = false;
    connect(PageManager::Instance(), &PageManager::OnEnterCurrentPage, this,
            [&](int id) { timerBeforeMenu = id == ID_MAIN_MENU && background->IsTimerActive(); });
    GuiManager::Instance()->Start();
    QCOMPARE(PageManager::Instance()->GetCurrentPageId(), int(ID_MAIN_MENU));
    QVERIFY(timerBeforeMenu);
    // Other pages stop the pictures (their veil: the pages test); back on the menu they go on.
    PageManager::SetNextPageStatic(ID_REPLAYS);
    QVERIFY(!background->IsTimerActive());
    TestPageFactory::Latest(ID_REPLAYS)->EmitExit();
    QVERIFY(background->IsTimerActive());
    // A dialog over the menu dims it too.
    TestPageFactory::Latest(ID_MAIN_MENU)->EmitModal(new TestDialog("Dim"));
    QCOMPARE(background->GetVeilAlpha(), 200);
}

void TestMainWindow::FullscreenChord()
{
    TestUi::Start();
    QSignalSpy fullscreen(GuiManager::Instance(), &GuiManager::OnFullscreenClick);
    Key(Qt::Key_Return, Qt::NoModifier);
    Key(Qt::Key_Enter, Qt::ShiftModifier);
    QCOMPARE(fullscreen.count(), 0);
    Key(Qt::Key_Return, Qt::AltModifier);
    Key(Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier);
    // That the window switches is the real-window test's.
    QCOMPARE(fullscreen.count(), 2);
}

void TestMainWindow::AdminChord_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Ctrl+Shift+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier | Qt::ShiftModifier);
    QTest::newRow("Ctrl+Shift+Alt+Z")
        << int(Qt::Key_Z) << int(Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    QTest::newRow("Ctrl+Shift+Alt+CapsLock")
        << int(Qt::Key_CapsLock) << int(Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
}

void TestMainWindow::AdminChord()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    TestUi::Start();
    const QString group = QStringLiteral("AppSettings.Spring.MyPersonal");
    QSignalSpy admin(GuiManager::Instance(), &GuiManager::OnLobbyAdmin);
    QVERIFY(!AppSettingsSpringMyPersonal::Instance()->IsAdmin);
    Key(key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(TestUi::StoredValue(group, "IsAdmin").toBool(), true);
    Key(key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(TestUi::StoredValue(group, "IsAdmin").toBool(), false);
    QCOMPARE(admin.count(), 2);
    QCOMPARE(admin.at(0).at(0).toBool(), true);
    QCOMPARE(admin.at(1).at(0).toBool(), false);
    // Near misses do nothing.
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ShiftModifier);
    Key(Qt::Key_CapsLock, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(admin.count(), 2);
}

void TestMainWindow::ScreenshotKeys()
{
    TestUi::Start();
    GuiManager::Instance()->Start();
    QVERIFY(QTest::qWaitForWindowExposed(MainWindow::Instance()));
    // F12 and Ctrl+F8 take one each.
    const QString file = PathManager::Instance()->GetLobbyScreenshotFile();
    Key(Qt::Key_F12, Qt::NoModifier);
    QCOMPARE(QImage(file).size(), MainWindow::Instance()->size());
    QVERIFY(QFile::remove(file));
    Key(Qt::Key_F8, Qt::ControlModifier);
    QVERIFY(QFile::remove(file));
    // Holding the key down makes no further pictures.
    Key(Qt::Key_F12, Qt::NoModifier, true);
    QVERIFY(!QFile::exists(file));
    QCOMPARE(m_sounds, (QStringList{"take.picture", "take.picture"}));
}

void TestMainWindow::UpdateFoundBeforeTheWiringIsKept()
{
    TestHttpServer server;
    QM_REQUIRE(server.isListening(), "a local TCP port");
    server.SetAnswer("/updates/lobby.txt", 200, "7.0\nnews");
    AppDefines::Instance()->SetWebBaseAddress(server.BaseAddress());
    // The check answers before the GUI manager exists.
    WebUpdates::CheckUpdates();
    DataUpdates known;
    QTRY_VERIFY(WebUpdates::Instance()->GetKnownUpdate(&known));
    QTest::qWait(20);
    TestUi::Start();
    QTRY_VERIFY(GuiManager::Instance()->HasUpdate());
    QCOMPARE(GuiManager::Instance()->GetUpdateVersions().first(), QStringLiteral("7.0"));
    QVERIFY(m_env->LogContains("GUI :: NEW UPDATE --- Lobby 7.0"));
}

// The menu music stops while the game runs.
void TestMainWindow::EngineStartStopsTheMusic()
{
    TestUi::Start();
    emit SpringLaunchManager::Instance()->OnSpringStarted();
    QCOMPARE(m_sounds, QStringList{"menu.stop"});
    SpringLaunchManager::Destroy();
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
