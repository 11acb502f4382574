// The program's pages: the factory table, every main-menu button leading to its page and back,
// driven by clicks and keys on the real main window, and every dialog fitting the smallest window
// in every language.

#include "AppSettings.h"
#include "BackgroundManager.h"
#include "CoreUI.h"
#include "DialogFit.h"
#include "DialogStates.h"
#include "FrameKit.h"
#include "GuiFonts.h"
#include "GuiManager.h"
#include "GuiMetrics.h"
#include "IntroMoviePage.h"
#include "MainMenuPage.h"
#include "MainWindow.h"
#include "MinimapManager.h"
#include "ModalPage.h"
#include "PageFactory.h"
#include "PageManager.h"
#include "PageStorageManager.h"
#include "PathManager.h"
#include "SoundManager.h"
#include "SpringConnectionManager.h"
#include "SpringPlayersManager.h"
#include "SteamManager.h"
#include "SyncManager.h"
#include "TauntsManager.h"
#include "TestEnvironment.h"
#include "TranslatorManager.h"
#include "WebUpdates.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

namespace
{
// The AI buttons of one family in one row (the R.A.V. sides, the Skitterhive levels) are alike:
// one width, whatever their captions' lengths.
QStringList UnequalAiButtons(QWidget* page)
{
    QMap<QPair<QString, int>, QSet<int>> widths;
    for (const QPushButton* button : page->findChildren<QPushButton*>())
    {
        if (button->isVisible() && button->property("NAME_SHORT").isValid())
            widths[qMakePair(button->property("NAME_SHORT").toString(), button->mapTo(page, QPoint()).y())]
                .insert(button->width());
    }
    QStringList faults;
    for (auto it = widths.cbegin(); it != widths.cend(); ++it)
    {
        if (it.value().size() > 1)
            faults << QStringLiteral("%1 buttons of unequal widths").arg(it.key().first);
    }
    return faults;
}

QString Caption(const QWidget* widget)
{
    if (const auto* button = qobject_cast<const QPushButton*>(widget))
        return FrameKit::GetButtonText(button);
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    return widget->objectName();
}
} // namespace

class TestPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiFonts::LoadFonts(); }
    void init();
    void cleanup();

    void NothingOutsideTheTable();
    void Table_data();
    void Table();
    void MainMenuButtons();
    void AboutLeadsToTheGuideAndBack();
    void LoginLeadsToTheLobbyAndBack();
    void QuitDialog();
    void IntroMovieWithoutFileGoesOnAtOnce();
    void IntroMoviePlaysTheFile();
    void DialogsFitTheSmallestWindow_data();
    void DialogsFitTheSmallestWindow();
    void MainMenuFitsTheSmallestWindow_data();
    void MainMenuFitsTheSmallestWindow();
    void MainMenuRowsLineUp_data();
    void MainMenuRowsLineUp();

private:
    void StartUi(bool intro = false);
    void Click(QPushButton* button);
    int Current() const { return PageManager::Instance()->GetCurrentPageId(); }
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
    // What the dialogs started.
    if (SyncManager::Exists())
        SyncManager::Instance()->InvokeBlocking("DoDestroy");
    if (MinimapManager::Exists())
        MinimapManager::Instance()->InvokeBlocking("DoDestroy");
    MinimapManager::Destroy();
    SyncManager::Destroy();
    TauntsManager::DestroyInstance();
    SpringPlayersManager::Destroy();
    SpringConnectionManager::Destroy();
    TranslatorManager::Destroy();
    SetGuiLanguage(QString());
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

// Ids outside the factory's table build nothing: the empty page and the modal page are the store's.
void TestPages::NothingOutsideTheTable()
{
    QCOMPARE(PageFactory::Create(0), nullptr);
    QCOMPARE(PageFactory::Create(1), nullptr);
    QCOMPARE(PageFactory::Create(24), nullptr);
    QCOMPARE(PageFactory::Create(25), nullptr);
}

void TestPages::Table_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("exitId"); // 0: back to the last main page, known once the page is entered
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("keepsPrevious");
    const auto row = [](int id, int exitId, const char* name, bool keeps)
    { QTest::addRow("%d %s", id, name) << id << exitId << QString(name) << keeps; };
    row(ID_INTRO_MOVIE, ID_MAIN_MENU, "Intro Movie", false);
    row(ID_MAIN_MENU, ID_EMPTY, "Main Menu", false);
    row(ID_PLAYER_GUIDE, ID_ABOUT, "Player Guide", true);
    row(ID_GAME_SETTINGS, ID_UNKNOWN, "GameSettings", true);
    row(ID_EXTRAS, ID_UNKNOWN, "Extras", true);
    row(ID_ABOUT, ID_UNKNOWN, "About", true);
    row(ID_UPDATES, ID_MAIN_MENU, "Updates", false);
    row(ID_CAMPAIGN_MISSION_LIST, ID_MAIN_MENU, "Campaign Mission List", false);
    row(ID_CAMPAIGN_MISSION_DATA, ID_CAMPAIGN_MISSION_LIST, "Campaign Mission Data", true);
    row(ID_TUTORIAL_MISSION_LIST, ID_MAIN_MENU, "Tutorial Mission List", false);
    row(ID_TUTORIAL_MISSION_DATA, ID_TUTORIAL_MISSION_LIST, "Tutorial Mission Data", true);
    row(ID_SKIRMISH_SIMPLE, ID_MAIN_MENU, "Skirmish_QUICK", false);
    row(ID_SKIRMISH_CUSTOM, ID_MAIN_MENU, "Skirmish_CUSTOM", false);
    row(ID_SPRING_LOGIN, ID_MAIN_MENU, "M_SPRING_LOGIN", false);
    row(ID_SPRING_LOGIN_CUSTOM, ID_MAIN_MENU, "M_SPRING_LOGIN_CUSTOM", false);
    row(ID_SPRING_MAIN, ID_MAIN_MENU, "M_SPRING_MAIN", false);
    row(ID_STEAM_LOGIN, ID_MAIN_MENU, "M_STEAM_LOGIN", false);
    row(ID_REPLAYS, ID_UNKNOWN, "Replays", true);
    row(ID_AI_PROJECTS, ID_MAIN_MENU, "AI Projects", false);
    row(ID_MISSION_EDITOR, ID_MAIN_MENU, "MissionEditor", false);
    row(ID_GAME_TESTS, ID_MAIN_MENU, "GameTests", false);
    row(ID_AI_EDITOR, ID_MAIN_MENU, "AIEditor", false);
}

// Every page id of the table builds its page, with its own id, the page it goes back to, its name,
// whether it keeps the page it replaces, and its title bar.
void TestPages::Table()
{
    QFETCH(int, id);
    QFETCH(int, exitId);
    QFETCH(QString, name);
    QFETCH(bool, keepsPrevious);
    NPage* page = PageStorageManager::GetPage(id);
    QVERIFY(page);
    QCOMPARE(page->GetPageId(), id);
    QCOMPARE(page->GetExitPageId(), exitId);
    QCOMPARE(page->GetPageName(), name);
    QCOMPARE(page->IsKeepPreviousPage(), keepsPrevious);
    QVERIFY(!page->IsUnderModal());
    QVERIFY(id == ID_INTRO_MOVIE || page->findChild<QWidget*>("PageTitle"));
    PageStorageManager::DestroyPage(id);
}

void TestPages::MainMenuButtons()
{
    StartUi();
    QCOMPARE(Current(), int(ID_MAIN_MENU));
    auto* menu = qobject_cast<MainMenuPage*>(PageStorageManager::GetPage(ID_MAIN_MENU));
    QVERIFY(menu);
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
    // Skirmishes and replays, the three logins, settings, extras, about, updates, AI projects and game
    // tests; the campaign, the tutorials and both editors have no entry (the table above builds them).
    const QList<int> expected = {13, 14, 19, 15, 16, 18, 5, 6, 7, 8, 20, 22};
    QList<int> ids;
    for (QPushButton* button : menu->GetPageButtons())
        ids << button->property("PAGE_ID").toInt();
    QCOMPARE(ids, expected);
    QCOMPARE(menu->findChildren<QPushButton*>().size(), expected.size() + 1); // and Quit

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

void TestPages::QuitDialog()
{
    StartUi();
    auto* menu = qobject_cast<MainMenuPage*>(PageStorageManager::GetPage(ID_MAIN_MENU));
    QSignalSpy quit(GuiManager::Instance(), &GuiManager::OnAppQuit);
    Click(menu->GetQuitButton());
    QCOMPARE(Current(), int(ID_MODAL));
    QVERIFY(menu->IsUnderModal());
    ModalPage* modal = ModalPage::Instance();
    QVERIFY(modal->GetButtonOK()->isVisible());
    QVERIFY(!modal->GetTitleLabel()->isVisible());
    Click(modal->GetButtonCancel());
    QCOMPARE(Current(), int(ID_MAIN_MENU));
    QVERIFY(!menu->IsUnderModal());
    // The keys that open, close and answer it are pressed on a real window by the real-window test.
    QCOMPARE(quit.count(), 0);
    QCOMPARE(PageStorageManager::GetPage(ID_MAIN_MENU), static_cast<NPage*>(menu));
}

void TestPages::IntroMovieWithoutFileGoesOnAtOnce()
{
    StartUi(true);
    QVERIFY(m_env->LogContains("IntroMoviePage :: NO MOVIE"));
    QTRY_COMPARE(Current(), int(ID_MAIN_MENU));
    QVERIFY(BackgroundManager::Instance()->IsTimerActive());
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
    // The background pictures wait for the menu; played to its end: the real-window test.
    QVERIFY(!BackgroundManager::Instance()->IsTimerActive());
    // A key skips it.
    QTest::keyClick(MainWindow::Instance(), Qt::Key_Space);
    QCOMPARE(Current(), int(ID_MAIN_MENU));
    QVERIFY(BackgroundManager::Instance()->IsTimerActive());
    QCOMPARE(BackgroundManager::Instance()->GetVeilAlpha(), 0);
}

void TestPages::DialogsFitTheSmallestWindow_data()
{
    QTest::addColumn<int>("dialog");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("language");
    const QList<Gallery::DialogStates> dialogs = Gallery::AllDialogStates();
    for (const char* language : {"EN", "CZ", "DE", "FR", "RU", "ZH"})
    {
        for (int d = 0; d < dialogs.size(); ++d)
            for (int s = 0; s < dialogs[d].states.size(); ++s)
                QTest::addRow("%s: %s %s", qPrintable(dialogs[d].name),
                              qPrintable(dialogs[d].states[s].caption), language)
                    << d << s << QString(language);
    }
}

// On the smallest window (so on a full 1024 x 768 screen) every dialog, in each of the gallery's
// states, shows all its buttons and texts, whole, in every language; the AI buttons of a row are
// alike.
void TestPages::DialogsFitTheSmallestWindow()
{
    QFETCH(int, dialog);
    QFETCH(int, state);
    QFETCH(QString, language);
    // As the program starts in a language: the texts, then the fonts for them.
    QVERIFY(TranslatorManager::Instance()->Load(language));
    SetGuiLanguage(language);
    GuiFonts::UseLanguage(language);
    // No content from outside this test: what a dialog shows is its own.
    SyncManager::SetSystemEnginePath(QString());

    const Gallery::DialogState shown = Gallery::AllDialogStates().at(dialog).states.at(state);
    ModalPage* page = ModalPage::Instance();
    page->setFixedSize(GuiBaseSize + QSize(2 * GuiMargin, 2 * GuiMargin));
    page->setModalWidget(shown.make());
    page->show();
    QCoreApplication::processEvents();
    if (shown.after)
        shown.after(page->GetModalWidget());
    QCoreApplication::processEvents();
    const QStringList faults = Gallery::Misfits(page) + UnequalAiButtons(page);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

void TestPages::MainMenuFitsTheSmallestWindow_data()
{
    QTest::addColumn<QString>("language");
    for (const char* language : {"EN", "CZ", "DE", "FR", "RU", "ZH"})
        QTest::newRow(language) << QString(language);
}

// The main menu, on the smallest window, shows every caption whole and no button over another, in
// every language.
void TestPages::MainMenuFitsTheSmallestWindow()
{
    QFETCH(QString, language);
    QVERIFY(TranslatorManager::Instance()->Load(language));
    SetGuiLanguage(language);
    GuiFonts::UseLanguage(language);
    MainMenuPage menu;
    menu.setFixedSize(GuiBaseSize + QSize(2 * GuiMargin, 2 * GuiMargin));
    menu.show();
    QCoreApplication::processEvents();
    QCOMPARE(menu.GetPageButtons().size(), 12);
    const QStringList faults = Gallery::Misfits(&menu);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

void TestPages::MainMenuRowsLineUp_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("language");
    // A window on a screen 768 px high, framed and beside a panel (from the smallest the window may
    // be made there to a wider one); the smallest window; full screens.
    const QList<QSize> sizes = {{1016, 712}, {1024, 712}, {1088, 712}, {1152, 712},  {1024, 740},
                                {1024, 768}, {1280, 720}, {1366, 768}, {1280, 1024}, {1920, 1080}};
    for (const char* language : {"EN", "CZ", "DE", "FR", "RU", "ZH"})
    {
        for (const QSize& size : sizes)
            QTest::addRow("%dx%d %s", size.width(), size.height(), language) << size << QString(language);
    }
}

// The main menu's two columns (headings and page buttons) share their rows at every window size:
// the n-th row of one column stands at the height of the n-th row of the other, and the menu stays
// whole inside the window.
void TestPages::MainMenuRowsLineUp()
{
    QFETCH(QSize, size);
    QFETCH(QString, language);
    QVERIFY(TranslatorManager::Instance()->Load(language));
    SetGuiLanguage(language);
    GuiFonts::UseLanguage(language);
    MainMenuPage menu;
    menu.setFixedSize(size);
    menu.show();
    QCoreApplication::processEvents();

    QList<QWidget*> rows;
    for (QLabel* heading : menu.GetHeadings())
        rows << heading;
    for (QPushButton* button : menu.GetPageButtons())
        rows << button;
    const auto area = [&menu](const QWidget* widget)
    { return QRect(widget->mapTo(&menu, QPoint()), widget->size()); };
    for (const QWidget* widget : rows + QList<QWidget*>{menu.GetQuitButton()})
    {
        QVERIFY2(widget->isVisible(), qPrintable(Caption(widget)));
        QVERIFY2(menu.rect().contains(area(widget)), qPrintable(Caption(widget)));
    }
    // The columns, told apart by where they stand; each top to bottom.
    std::sort(rows.begin(), rows.end(),
              [&area](const QWidget* a, const QWidget* b)
              { return area(a).center().x() < area(b).center().x(); });
    int split = 1;
    for (int i = 1; i < rows.size(); ++i)
    {
        if (area(rows[i]).center().x() - area(rows[i - 1]).center().x() >
            area(rows[split]).center().x() - area(rows[split - 1]).center().x())
            split = i;
    }
    QList<QWidget*> left = rows.mid(0, split), right = rows.mid(split);
    const auto byTop = [&area](const QWidget* a, const QWidget* b) { return area(a).top() < area(b).top(); };
    std::sort(left.begin(), left.end(), byTop);
    std::sort(right.begin(), right.end(), byTop);
    // Single player over the developers' tools, multiplayer over the program's pages.
    QCOMPARE(left.size(), 7);
    QCOMPARE(right.size(), 9);
    for (int row = 0; row < left.size(); ++row)
    {
        const QRect a = area(left[row]), b = area(right[row]);
        QVERIFY2(a.top() == b.top() && a.height() == b.height(),
                 qPrintable(QStringLiteral("row %1: \"%2\" at y %3 (%4 high), \"%5\" at y %6 (%7 high)")
                                .arg(row)
                                .arg(Caption(left[row]))
                                .arg(a.top())
                                .arg(a.height())
                                .arg(Caption(right[row]))
                                .arg(b.top())
                                .arg(b.height())));
    }
    // Every heading and caption shown whole, no button over another.
    const QStringList faults = Gallery::Misfits(&menu);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

QTEST_MAIN(TestPages)
#include "tst_pages.moc"
