// The program's pages: the factory table, and every main-menu button leading to its page and
// back, driven by clicks and keys on the real main window.

#include "AppSettings.h"
#include "BackgroundManager.h"
#include "CoreUI.h"
#include "GuiFonts.h"
#include "GuiManager.h"
#include "IntroMoviePage.h"
#include "MainMenuPage.h"
#include "MainWindow.h"
#include "ModalPage.h"
#include "PageFactory.h"
#include "PageManager.h"
#include "PageStorageManager.h"
#include "PathManager.h"
#include "SoundManager.h"
#include "SteamManager.h"
#include "TestEnvironment.h"
#include "WebUpdates.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

class TestPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiFonts::LoadFonts(); }
    void init();
    void cleanup();

    void Table_data();
    void Table();
    void MainMenuButtons();
    void AboutLeadsToTheGuideAndBack();
    void LoginLeadsToTheLobbyAndBack();
    void EscapeGoesBack();
    void QuitDialog();
    void IntroMovieWithoutFileGoesOnAtOnce();
    void IntroMoviePlaysTheFile();

private:
    void StartUi(bool intro = false);
    void Click(QPushButton* button);
    int Current() const { return PageManager::Instance()->GetCurrentPageId(); }
    void SaveShot(const QString& name);
    static QPushButton* ButtonTo(NPage* page, int id);

    std::unique_ptr<TestEnvironment> m_env;
};

void TestPages::init()
{
    m_env = std::make_unique<TestEnvironment>();
    PageFactory::Install();
}

void TestPages::cleanup()
{
    CoreUI::Destroy();
    ModalPage::Destroy();
    WebUpdates::Destroy();
    SteamManager::Destroy();
    SoundManager::DestroyInstance();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_env.reset();
}

void TestPages::StartUi(bool intro)
{
    AppSettingsMain::Instance()->ShowIntroMovie = intro;
    // The smallest window, as an earlier start left it (a first start covers the small test screen).
    AppSettingsMain::Instance()->WindowPos = QPoint(0, 0);
    CoreUI::Initialize();
    QCoreApplication::processEvents();
    GuiManager::Instance()->Start();
    QVERIFY(QTest::qWaitForWindowExposed(MainWindow::Instance()));
}

void TestPages::Click(QPushButton* button)
{
    QVERIFY(button);
    QVERIFY(button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QPushButton* TestPages::ButtonTo(NPage* page, int id)
{
    for (QPushButton* button : page->findChildren<QPushButton*>())
    {
        if (button->property("PAGE_ID").toInt() == id)
            return button;
    }
    return nullptr;
}

void TestPages::SaveShot(const QString& name)
{
    const QString dir = qEnvironmentVariable("QM_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        MainWindow::Instance()->grab().save(dir + '/' + name);
}

void TestPages::Table_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("className");
    QTest::addColumn<int>("exitId");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("keep");
    QTest::newRow("2") << 2 << "IntroMoviePage" << 3 << "Intro Movie" << false;
    QTest::newRow("3") << 3 << "MainMenuPage" << 1 << "Main Menu" << false;
    QTest::newRow("4") << 4 << "PlayerGuidePage" << 7 << "Player Guide" << true;
    QTest::newRow("5") << 5 << "GameSettingsPage" << 0 << "GameSettings" << true;
    QTest::newRow("6") << 6 << "ExtrasPage" << 0 << "Extras" << true;
    QTest::newRow("7") << 7 << "AboutPage" << 0 << "About" << true;
    QTest::newRow("8") << 8 << "UpdatesPage" << 3 << "Updates" << false;
    QTest::newRow("9") << 9 << "CampaignMissionListPage" << 3 << "Campaign Mission List" << false;
    QTest::newRow("10") << 10 << "CampaignMissionDataPage" << 9 << "Campaign Mission Data" << true;
    QTest::newRow("11") << 11 << "TutorialMissionListPage" << 3 << "Tutorial Mission List" << false;
    QTest::newRow("12") << 12 << "TutorialMissionDataPage" << 11 << "Tutorial Mission Data" << true;
    QTest::newRow("13") << 13 << "SkirmishQuickPage" << 3 << "Skirmish_QUICK" << false;
    QTest::newRow("14") << 14 << "SkirmishCustomPage" << 3 << "Skirmish_CUSTOM" << false;
    QTest::newRow("15") << 15 << "SpringLoginPage" << 3 << "M_SPRING_LOGIN" << false;
    QTest::newRow("16") << 16 << "SpringLoginPageCustom" << 3 << "M_SPRING_LOGIN_CUSTOM" << false;
    QTest::newRow("17") << 17 << "SpringMainPage" << 3 << "M_SPRING_MAIN" << false;
    QTest::newRow("18") << 18 << "SteamLoginPage" << 3 << "M_STEAM_LOGIN" << false;
    QTest::newRow("19") << 19 << "ReplaysPage" << 0 << "Replays" << true;
    QTest::newRow("20") << 20 << "AiProjectsPage" << 3 << "AI Projects" << false;
    QTest::newRow("21") << 21 << "MissionEditorPage" << 3 << "MissionEditor" << false;
    QTest::newRow("22") << 22 << "GameTestsPage" << 3 << "GameTests" << false;
    QTest::newRow("23") << 23 << "AIEditorPage" << 3 << "AIEditor" << false;
}

void TestPages::Table()
{
    QFETCH(int, id);
    QFETCH(QString, className);
    QFETCH(int, exitId);
    QFETCH(QString, name);
    QFETCH(bool, keep);
    NPage* page = PageStorageManager::GetPage(id);
    QVERIFY(page);
    QCOMPARE(QString(page->metaObject()->className()), className);
    QCOMPARE(page->GetPageId(), id);
    QCOMPARE(page->GetExitPageId(), exitId);
    QCOMPARE(page->GetPageName(), name);
    QCOMPARE(page->IsKeepPreviousPage(), keep);
    QVERIFY(!page->IsUnderModal());
    // Every page has a title bar.
    QVERIFY(id == ID_INTRO_MOVIE || page->findChild<QWidget*>("PageTitle"));
    QCOMPARE(PageFactory::Create(id == 23 ? 24 : 1), nullptr);
    PageStorageManager::DestroyPage(id);
}

void TestPages::MainMenuButtons()
{
    StartUi();
    QCOMPARE(Current(), int(ID_MAIN_MENU));
    auto* menu = qobject_cast<MainMenuPage*>(PageStorageManager::GetPage(ID_MAIN_MENU));
    QVERIFY(menu);
    SaveShot("main-menu.png");
    // The menu fits the smallest window: no button overlaps another or leaves the page.
    const QList<QPushButton*> buttons = menu->GetPageButtons();
    for (QPushButton* button : buttons)
    {
        const QRect area = QRect(button->mapTo(menu, QPoint(0, 0)), button->size());
        QVERIFY(menu->rect().contains(area));
        for (QPushButton* other : buttons)
        {
            if (other != button)
                QVERIFY(!area.intersects(QRect(other->mapTo(menu, QPoint(0, 0)), other->size())));
        }
    }
    const QList<int> expected = {13, 14, 9, 11, 19, 15, 16, 18, 5, 6, 7, 8, 20, 23, 21, 22};
    QList<int> ids;
    for (QPushButton* button : menu->GetPageButtons())
        ids << button->property("PAGE_ID").toInt();
    QCOMPARE(ids, expected);

    for (int i = 0; i < expected.size(); ++i)
    {
        menu = qobject_cast<MainMenuPage*>(PageStorageManager::GetPage(ID_MAIN_MENU));
        QVERIFY(menu);
        QPushButton* button = menu->GetPageButtons().at(i);
        Click(button);
        const int id = expected.at(i);
        QCOMPARE(Current(), id);
        NPage* page = PageStorageManager::GetPage(id);
        QCOMPARE(MainWindow::Instance()->GetShownPage(), static_cast<QWidget*>(page));
        QVERIFY(page->isVisible());
        QCOMPARE(page->size(), MainWindow::Instance()->size());
        QCOMPARE(BackgroundManager::Instance()->GetVeilAlpha(), 200);
        if (i == 0)
            SaveShot("page.png");
        // Pages that keep the menu return to the same menu object.
        QCOMPARE(PageStorageManager::Instance()->IsNotCreated(ID_MAIN_MENU), !page->IsKeepPreviousPage());
        Click(page->findChild<QPushButton*>("BackButton"));
        QCOMPARE(Current(), int(ID_MAIN_MENU));
        QVERIFY(PageStorageManager::Instance()->IsNotCreated(id));
        QCOMPARE(BackgroundManager::Instance()->GetVeilAlpha(), 0);
        QCOMPARE(PageManager::Instance()->GetEnteredPageIds(), QList<int>{ID_MAIN_MENU});
    }
    for (const QString& line : m_env->LogLines())
        QVERIFY2(!line.contains("WARNING"), qPrintable(line));
}

void TestPages::AboutLeadsToTheGuideAndBack()
{
    StartUi();
    PageManager::SetNextPageStatic(ID_ABOUT);
    NPage* about = PageStorageManager::GetPage(ID_ABOUT);
    Click(ButtonTo(about, ID_PLAYER_GUIDE));
    QCOMPARE(Current(), int(ID_PLAYER_GUIDE));
    Click(PageStorageManager::GetPage(ID_PLAYER_GUIDE)->findChild<QPushButton*>("BackButton"));
    QCOMPARE(Current(), int(ID_ABOUT));
    QCOMPARE(PageStorageManager::GetPage(ID_ABOUT), about);
    Click(about->findChild<QPushButton*>("BackButton"));
    QCOMPARE(Current(), int(ID_MAIN_MENU));
}

void TestPages::LoginLeadsToTheLobbyAndBack()
{
    StartUi();
    for (int login : {int(ID_SPRING_LOGIN), int(ID_SPRING_LOGIN_CUSTOM), int(ID_STEAM_LOGIN)})
    {
        PageManager::SetNextPageStatic(login);
        Click(ButtonTo(PageStorageManager::GetPage(login), ID_SPRING_MAIN));
        QCOMPARE(Current(), int(ID_SPRING_MAIN));
        QCOMPARE(GuiManager::Instance()->GetLastLoginPageId(), login);
        Click(PageStorageManager::GetPage(ID_SPRING_MAIN)->findChild<QPushButton*>("BackButton"));
        QCOMPARE(Current(), int(ID_MAIN_MENU));
    }
}

void TestPages::EscapeGoesBack()
{
    StartUi();
    PageManager::SetNextPageStatic(ID_REPLAYS);
    QTest::keyClick(MainWindow::Instance(), Qt::Key_Escape);
    QCOMPARE(Current(), int(ID_MAIN_MENU));
    PageManager::SetNextPageStatic(ID_SKIRMISH_CUSTOM);
    QTest::keyClick(MainWindow::Instance(), Qt::Key_Backspace);
    QCOMPARE(Current(), int(ID_MAIN_MENU));
}

void TestPages::QuitDialog()
{
    StartUi();
    auto* menu = qobject_cast<MainMenuPage*>(PageStorageManager::GetPage(ID_MAIN_MENU));
    QSignalSpy quit(GuiManager::Instance(), &GuiManager::OnAppQuit);
    Click(menu->GetQuitButton());
    QCOMPARE(Current(), int(ID_MODAL));
    QVERIFY(menu->IsUnderModal());
    QVERIFY(m_env->LogContains("PageManager :: PAGE --- EXIT       Main Menu --> MODAL --- MESSAGE BOX"));
    ModalPage* modal = ModalPage::Instance();
    QVERIFY(qobject_cast<QuitConfirmModal*>(modal->GetModalWidget()));
    QVERIFY(modal->GetButtonOK()->isVisible());
    QVERIFY(!modal->GetTitleLabel()->isVisible());
    SaveShot("quit-dialog.png");
    Click(modal->GetButtonCancel());
    QCOMPARE(Current(), int(ID_MAIN_MENU));
    QVERIFY(!menu->IsUnderModal());

    // Escape opens it and Escape closes it again.
    QTest::keyClick(MainWindow::Instance(), Qt::Key_Escape);
    QCOMPARE(Current(), int(ID_MODAL));
    QTest::keyClick(MainWindow::Instance(), Qt::Key_Escape);
    QCOMPARE(Current(), int(ID_MAIN_MENU));
    QCOMPARE(quit.count(), 0);
    QCOMPARE(PageStorageManager::GetPage(ID_MAIN_MENU), static_cast<NPage*>(menu));

    // Escape then Return quits.
    QTest::keyClick(MainWindow::Instance(), Qt::Key_Escape);
    QTest::keyClick(MainWindow::Instance(), Qt::Key_Return);
    QCOMPARE(quit.count(), 1);
    QVERIFY(!MainWindow::Instance()->isVisible());
}

void TestPages::IntroMovieWithoutFileGoesOnAtOnce()
{
    StartUi(true);
    QVERIFY(m_env->LogContains("IntroMoviePage :: NO MOVIE"));
    QTRY_COMPARE(Current(), int(ID_MAIN_MENU));
    QVERIFY(BackgroundManager::Instance()->IsTimerActive());
    QVERIFY(m_env->LogContains("PageManager :: PAGE --- EXIT       Intro Movie --> Main Menu"));
}

void TestPages::IntroMoviePlaysTheFile()
{
    const QString gst = QStandardPaths::findExecutable("gst-launch-1.0");
    QM_REQUIRE(!gst.isEmpty(), "gst-launch-1.0 (gstreamer1.0-tools) to make a test video");
    const QString media = PathManager::Instance()->GetMediaDir();
    QDir().mkpath(media);
    const QString movie = media + "/introduction.ogv";
    QProcess make;
    make.start(gst, {"-q", "videotestsrc", "num-buffers=20", "!", "theoraenc", "!", "oggmux", "!", "filesink",
                     "location=" + movie});
    QVERIFY(make.waitForFinished(30000));
    QM_REQUIRE(QFileInfo(movie).size() > 0, "a Theora encoder");

    StartUi(true);
    QCOMPARE(Current(), int(ID_INTRO_MOVIE));
    auto* intro = qobject_cast<IntroMoviePage*>(PageStorageManager::GetPage(ID_INTRO_MOVIE));
    QVERIFY(intro && intro->IsPlaying());
    QVERIFY(m_env->LogContains("IntroMoviePage :: PLAY --- " + movie));
    // Twenty frames at thirty a second: it ends by itself and the menu follows.
    QTRY_COMPARE_WITH_TIMEOUT(Current(), int(ID_MAIN_MENU), 15000);

    // A key skips it.
    PageManager::SetNextPageStatic(ID_INTRO_MOVIE);
    QCOMPARE(Current(), int(ID_INTRO_MOVIE));
    QTest::keyClick(MainWindow::Instance(), Qt::Key_Space);
    QCOMPARE(Current(), int(ID_MAIN_MENU));
}

QTEST_MAIN(TestPages)
#include "tst_pages.moc"
