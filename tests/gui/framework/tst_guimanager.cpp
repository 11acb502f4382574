// The GUI manager: first page, key chords, page reactions, update news and the quit.

#include "AppDefines.h"
#include "AppSettings.h"
#include "BackgroundManager.h"
#include "FrameKit.h"
#include "GuiManager.h"
#include "MainWindow.h"
#include "PageManager.h"
#include "PageStorageManager.h"
#include "PathManager.h"
#include "TestEnvironment.h"
#include "TestHttpServer.h"
#include "WebUpdates.h"
#include "helper_pages.h"

#include "SpringLaunchManager.h"

#include <QSignalSpy>
#include <QtTest>

class TestGuiManager : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void StartsWithTheMainMenuAndItsBackground();
    void StartsWithTheIntroMovie();
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

void TestGuiManager::init()
{
    m_env = std::make_unique<TestEnvironment>();
    m_sounds.clear();
}

void TestGuiManager::cleanup()
{
    TestUi::Stop();
    m_env.reset();
}

void TestGuiManager::Key(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, QString(), autoRepeat);
    GuiManager::Instance()->DoKeyPressEvent(&event);
}

void TestGuiManager::StartsWithTheMainMenuAndItsBackground()
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

void TestGuiManager::StartsWithTheIntroMovie()
{
    AppSettingsMain::Instance()->ShowIntroMovie = true;
    TestUi::Start();
    GuiManager::Instance()->Start();
    QCOMPARE(PageManager::Instance()->GetCurrentPageId(), int(ID_INTRO_MOVIE));
    QVERIFY(!BackgroundManager::Instance()->IsTimerActive());
    // The movie ends: the background starts as it would without the movie.
    TestPageFactory::Latest(ID_INTRO_MOVIE)->EmitExit();
    QCOMPARE(PageManager::Instance()->GetCurrentPageId(), int(ID_MAIN_MENU));
    QVERIFY(BackgroundManager::Instance()->IsTimerActive());
    QCOMPARE(BackgroundManager::Instance()->GetVeilAlpha(), 0);
}

void TestGuiManager::FullscreenChord()
{
    TestUi::Start();
    QSignalSpy fullscreen(GuiManager::Instance(), &GuiManager::OnFullscreenClick);
    Key(Qt::Key_Return, Qt::NoModifier);
    Key(Qt::Key_Enter, Qt::ShiftModifier);
    QCOMPARE(fullscreen.count(), 0);
    Key(Qt::Key_Return, Qt::AltModifier);
    Key(Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier);
    // That the window switches is the real-input test's.
    QCOMPARE(fullscreen.count(), 2);
}

void TestGuiManager::AdminChord_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Ctrl+Shift+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier | Qt::ShiftModifier);
    QTest::newRow("Ctrl+Shift+Alt+Z")
        << int(Qt::Key_Z) << int(Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    QTest::newRow("Ctrl+Shift+Alt+CapsLock")
        << int(Qt::Key_CapsLock) << int(Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
}

void TestGuiManager::AdminChord()
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

void TestGuiManager::ScreenshotKeys()
{
    FrameKit::SetSoundRecorder([this](const QString& sound) { m_sounds << sound; });
    TestUi::Start();
    GuiManager::Instance()->Start();
    QVERIFY(QTest::qWaitForWindowExposed(MainWindow::Instance()));
    // F12 on a real window is the real-input test's; Ctrl+F8 takes one too.
    const QString file = PathManager::Instance()->GetLobbyScreenshotFile();
    Key(Qt::Key_F8, Qt::ControlModifier);
    QCOMPARE(QImage(file).size(), MainWindow::Instance()->size());
    QFile::remove(file);
    // Holding the key down makes no further pictures.
    Key(Qt::Key_F12, Qt::NoModifier, true);
    QVERIFY(!QFile::exists(file));
    QCOMPARE(m_sounds, QStringList{"take.picture"});
}

void TestGuiManager::UpdateFoundBeforeTheWiringIsKept()
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
void TestGuiManager::EngineStartStopsTheMusic()
{
    FrameKit::SetSoundRecorder([this](const QString& sound) { m_sounds << sound; });
    TestUi::Start();
    emit SpringLaunchManager::Instance()->OnSpringStarted();
    QCOMPARE(m_sounds, QStringList{"menu.stop"});
    SpringLaunchManager::Destroy();
}

QTEST_MAIN(TestGuiManager)
#include "tst_guimanager.moc"
