// Navigation rules of the page manager, driven through the pages' own signals.

#include "FrameKit.h"
#include "ModalPage.h"
#include "PageManager.h"
#include "PageStorageManager.h"
#include "TestEnvironment.h"
#include "helper_pages.h"

#include <QPushButton>
#include <QtTest>
#include <algorithm>

namespace
{
const QString Exit = QStringLiteral("PageManager :: PAGE --- EXIT       ");
const QString Warn = QStringLiteral("--- WARNING --- ");

QStringList NavigationLog(const QStringList& lines)
{
    QStringList result;
    for (const QString& line : lines)
    {
        if ((line.contains(QLatin1String("PageManager ::")) ||
             line.contains(QLatin1String("PageStorageManager ::"))) &&
            !line.contains(QLatin1String("Initialize ::")) && !line.contains(QLatin1String("Destroy ::")))
            result << line;
    }
    return result;
}

void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}
} // namespace

class TestPageManager : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void Navigation_data();
    void Navigation();

    void PageIsNotDeletedWhileItsCodeRuns();
    void DialogIsNotDeletedWhileItsCodeRuns();
    void ExitIdZeroTakesTheLastMainPage();
    void InputGoesToTheVisiblePage();
    void DestroyingTheManagerDestroysEnteredPages();

private:
    std::unique_ptr<TestEnvironment> m_env;
};

void TestPageManager::init()
{
    m_env = std::make_unique<TestEnvironment>();
    TestPageFactory::Install();
}

void TestPageManager::cleanup()
{
    PageManager::Destroy();
    PageStorageManager::Destroy();
    ModalPage::Destroy();
    FlushDeletes();
    PageStorageManager::SetPageFactory(nullptr);
    m_env.reset();
}

void TestPageManager::Navigation_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<int>("current");
    QTest::addColumn<QList<int>>("entered");
    QTest::addColumn<QList<int>>("built");
    QTest::addColumn<QList<int>>("deleted");
    QTest::addColumn<int>("dialogsAlive");
    QTest::addColumn<QStringList>("signalOrder");
    QTest::addColumn<QStringList>("log");

    const QStringList menu = {"exit:1", "enter:3", "visible:3<1"};
    const QString toMenu = Exit + "EMPTY --> Main Menu";

    QTest::newRow("forward") << QStringList{"static:3", "click:13"} << 13 << QList<int>{13}
                             << QList<int>{3, 13} << QList<int>{3} << 0
                             << menu + QStringList{"exit:3", "enter:13", "visible:13<3"}
                             << QStringList{toMenu, Exit + "Main Menu --> Skirmish SIMPLE"};

    QTest::newRow("keep previous and back")
        << QStringList{"static:3", "click:5", "back"} << 3 << QList<int>{3} << QList<int>{3, 5}
        << QList<int>{5} << 0
        << menu + QStringList{"exit:3", "enter:5", "visible:5<3", "exit:5", "enter:3", "visible:3<5"}
        << QStringList{toMenu, Exit + "Main Menu --> Game Settings", Exit + "Game Settings --> Main Menu"};

    QTest::newRow("two keeping pages and back twice")
        << QStringList{"static:3", "click:7", "click:4", "back", "back"} << 3 << QList<int>{3}
        << QList<int>{3, 7, 4} << QList<int>{4, 7} << 0
        << menu + QStringList{"exit:3", "enter:7", "visible:7<3", "exit:7", "enter:4", "visible:4<7",
                              "exit:4", "enter:7", "visible:7<4", "exit:7", "enter:3", "visible:3<7"}
        << QStringList{toMenu, Exit + "Main Menu --> About", Exit + "About --> PlayerGuide",
                       Exit + "PlayerGuide --> About", Exit + "About --> Main Menu"};

    QTest::newRow("list, kept list under its data page, back twice")
        << QStringList{"static:3", "click:9", "click:10", "back", "back"} << 3 << QList<int>{3}
        << QList<int>{3, 9, 10, 3} << QList<int>{3, 9, 10} << 0
        << menu + QStringList{"exit:3",  "enter:9", "visible:9<3",  "exit:9", "enter:10", "visible:10<9",
                              "exit:10", "enter:9", "visible:9<10", "exit:9", "enter:3",  "visible:3<9"}
        << QStringList{toMenu, Exit + "Main Menu --> Campaign Mission List",
                       Exit + "Campaign Mission List --> Campaign Mission Data",
                       Exit + "Campaign Mission Data --> Campaign Mission List",
                       Exit + "Campaign Mission List --> Main Menu"};

    QTest::newRow("intro movie goes on to the menu")
        << QStringList{"static:2", "back"} << 3 << QList<int>{3} << QList<int>{2, 3} << QList<int>{2} << 0
        << QStringList{"exit:1", "enter:2", "visible:2<1", "exit:2", "enter:3", "visible:3<2"}
        << QStringList{Exit + "EMPTY --> Intro Movie", Exit + "Intro Movie --> Main Menu"};

    QTest::newRow("open and close a dialog")
        << QStringList{"static:3", "dialog:Hello", "close"} << 3 << QList<int>{3} << QList<int>{3}
        << QList<int>{} << 0
        << menu + QStringList{"exit:3", "enter:24", "visible:24<3", "exit:24", "enter:3", "visible:3<24"}
        << QStringList{toMenu, Exit + "Main Menu --> MODAL --- Hello", Exit + "MODAL --> Main Menu"};

    QTest::newRow("untitled dialog closed by its Close button")
        << QStringList{"static:3", "dialog:", "closeButton"} << 3 << QList<int>{3} << QList<int>{3}
        << QList<int>{} << 0
        << menu + QStringList{"exit:3", "enter:24", "visible:24<3", "exit:24", "enter:3", "visible:3<24"}
        << QStringList{toMenu, Exit + "Main Menu --> MODAL --- MESSAGE BOX", Exit + "MODAL --> Main Menu"};

    QTest::newRow("next page while a dialog is shown")
        << QStringList{"static:3", "dialog:Hello", "click:13"} << 13 << QList<int>{13} << QList<int>{3, 13}
        << QList<int>{3} << 0
        << menu + QStringList{"exit:3", "enter:24", "visible:24<3", "exit:24", "enter:13", "visible:13<24"}
        << QStringList{toMenu, Exit + "Main Menu --> MODAL --- Hello", Exit + "MODAL --> Skirmish SIMPLE"};

    QTest::newRow("keeping page asked for while a dialog is shown, then back")
        << QStringList{"static:3", "dialog:Hello", "click:5", "back", "dialog:Again", "close"} << 3
        << QList<int>{3} << QList<int>{3, 5} << QList<int>{5} << 0
        << menu + QStringList{"exit:3",       "enter:24",     "visible:24<3", "exit:24",     "enter:5",
                              "visible:5<24", "exit:5",       "enter:3",      "visible:3<5", "exit:3",
                              "enter:24",     "visible:24<3", "exit:24",      "enter:3",     "visible:3<24"}
        << QStringList{toMenu,
                       Exit + "Main Menu --> MODAL --- Hello",
                       Exit + "MODAL --> Game Settings",
                       Exit + "Game Settings --> Main Menu",
                       Exit + "Main Menu --> MODAL --- Again",
                       Exit + "MODAL --> Main Menu"};

    QTest::newRow("page under a dialog exits")
        << QStringList{"static:3", "click:13", "dialog:Hello", "backUnder"} << 3 << QList<int>{3}
        << QList<int>{3, 13, 3} << QList<int>{3, 13} << 0
        << menu + QStringList{"exit:3",        "enter:13", "visible:13<3", "exit:13",     "enter:24",
                              "visible:24<13", "exit:24",  "enter:3",      "visible:3<24"}
        << QStringList{toMenu, Exit + "Main Menu --> Skirmish SIMPLE",
                       Exit + "Skirmish SIMPLE --> MODAL --- Hello", Exit + "Skirmish SIMPLE --> Main Menu"};

    QTest::newRow("second dialog while one is shown")
        << QStringList{"static:3", "dialog:First", "dialog:Second"} << 24 << QList<int>{3, 24}
        << QList<int>{3} << QList<int>{} << 1 << menu + QStringList{"exit:3", "enter:24", "visible:24<3"}
        << QStringList{toMenu, Exit + "Main Menu --> MODAL --- First", Exit + "MODAL --> MODAL --- Second",
                       Warn + "PageManager :: SetNextPage --- NPageID::ID_MODAL is in use"};

    QTest::newRow("second dialog, then closed")
        << QStringList{"static:3", "dialog:First", "dialog:Second", "close"} << 3 << QList<int>{3}
        << QList<int>{3} << QList<int>{} << 0
        << menu + QStringList{"exit:3", "enter:24", "visible:24<3", "exit:24", "enter:3", "visible:3<24"}
        << QStringList{toMenu, Exit + "Main Menu --> MODAL --- First", Exit + "MODAL --> MODAL --- Second",
                       Warn + "PageManager :: SetNextPage --- NPageID::ID_MODAL is in use",
                       Exit + "MODAL --> Main Menu"};

    QTest::newRow("unknown ids before the main menu exists")
        << QStringList{"static:0", "static:30", "static:-1"} << 1 << QList<int>{1} << QList<int>{}
        << QList<int>{} << 0 << QStringList{}
        << QStringList{Exit + "EMPTY --> UNKNOWN",
                       Warn + "PageManager :: PAGES --- CHANGE 0 >> 1 EMPTY",
                       Warn + "PageManager :: SetNextPage --- SELECTED ALREADY 1 EMPTY",
                       Exit + "EMPTY --> NO_SUCH_PAGE",
                       Warn + "PageStorageManager :: PAGE 30 NOT EXIST. USE \"MainMenu\"",
                       Warn + "PageManager :: SetNextPage --- NO PAGE 30",
                       Exit + "EMPTY --> NO_SUCH_PAGE",
                       Warn + "PageStorageManager :: PAGE -1 NOT EXIST. USE \"MainMenu\"",
                       Warn + "PageManager :: SetNextPage --- NO PAGE -1"};

    QTest::newRow("unknown id with the main menu shown")
        << QStringList{"static:3", "static:30"} << 3 << QList<int>{3} << QList<int>{3} << QList<int>{} << 0
        << menu
        << QStringList{toMenu, Exit + "Main Menu --> NO_SUCH_PAGE",
                       Warn + "PageStorageManager :: PAGE 30 NOT EXIST. USE \"MainMenu\"",
                       Warn + "PageManager :: PAGES --- CHANGE 30 >> 3 Main Menu",
                       Warn + "PageManager :: SetNextPage --- SELECTED ALREADY 3 Main Menu"};

    QTest::newRow("the same page again")
        << QStringList{"static:3", "static:3", "click:3"} << 3 << QList<int>{3} << QList<int>{3}
        << QList<int>{} << 0 << menu
        << QStringList{toMenu, Exit + "Main Menu --> Main Menu",
                       Warn + "PageManager :: SetNextPage --- SELECTED ALREADY 3 Main Menu",
                       Exit + "Main Menu --> Main Menu",
                       Warn + "PageManager :: SetNextPage --- SELECTED ALREADY 3 Main Menu"};
}

void TestPageManager::Navigation()
{
    QFETCH(QStringList, actions);
    QFETCH(int, current);
    QFETCH(QList<int>, entered);
    QFETCH(QList<int>, built);
    QFETCH(QList<int>, deleted);
    QFETCH(int, dialogsAlive);
    QFETCH(QStringList, signalOrder);
    QFETCH(QStringList, log);

    PageManager* manager = PageManager::Instance();
    QStringList signalsSeen;
    connect(manager, &PageManager::OnExitCurrentPage, this,
            [&](int id) { signalsSeen << QString("exit:%1").arg(id); });
    connect(manager, &PageManager::OnEnterCurrentPage, this,
            [&](int id) { signalsSeen << QString("enter:%1").arg(id); });
    connect(manager, &PageManager::OnVisiblePageChange, this,
            [&](int now, int before) { signalsSeen << QString("visible:%1<%2").arg(now).arg(before); });
    m_env->ClearLog();

    QList<QPointer<TestDialog>> dialogs;
    for (const QString& action : actions)
    {
        const QString verb = action.section(':', 0, 0);
        const QString arg = action.section(':', 1);
        auto* lastMain =
            qobject_cast<CountingPage*>(PageStorageManager::GetPage(manager->GetLastMainPageId()));
        if (verb == "static")
        {
            PageManager::SetNextPageStatic(arg.toInt());
        }
        else if (verb == "click")
        {
            QVERIFY(lastMain);
            lastMain->EmitNext(arg.toInt());
        }
        else if (verb == "back")
        {
            auto* page =
                qobject_cast<CountingPage*>(PageStorageManager::GetPage(manager->GetCurrentPageId()));
            QVERIFY(page);
            page->EmitExit();
        }
        else if (verb == "backUnder")
        {
            QVERIFY(lastMain && lastMain->IsUnderModal());
            lastMain->EmitExit();
        }
        else if (verb == "dialog")
        {
            QVERIFY(lastMain);
            auto* dialog = new TestDialog(arg);
            dialogs << dialog;
            lastMain->EmitModal(dialog);
        }
        else if (verb == "close")
        {
            QVERIFY(!dialogs.isEmpty() && dialogs.last());
            dialogs.last()->Close();
        }
        else if (verb == "closeButton")
        {
            ModalPage::Instance()->GetButtonClose()->click();
        }
        else
        {
            QFAIL(qPrintable("unknown action " + action));
        }
    }
    FlushDeletes();

    QCOMPARE(manager->GetCurrentPageId(), current);
    QCOMPARE(manager->GetVisiblePageId(), current);
    QCOMPARE(manager->GetEnteredPageIds(), entered);
    QList<int> builtIds;
    for (const auto& entry : TestPageFactory::Built())
        builtIds << entry.first;
    QCOMPARE(builtIds, built);
    QList<int> deletedIds = TestPageFactory::Deleted();
    std::sort(deletedIds.begin(), deletedIds.end());
    QCOMPARE(deletedIds, deleted);
    int alive = 0;
    for (const auto& dialog : dialogs)
        alive += dialog ? 1 : 0;
    QCOMPARE(alive, dialogsAlive);
    QCOMPARE(ModalPage::Exists(), entered.contains(ID_MODAL));
    QCOMPARE(signalsSeen, signalOrder);
    QCOMPARE(NavigationLog(m_env->LogLines()), log);

    // No page is entered twice or left twice; only a page under a dialog stays marked so.
    for (const auto& entry : TestPageFactory::Built())
    {
        auto* page = qobject_cast<CountingPage*>(entry.second.data());
        if (!page)
            continue;
        QCOMPARE(page->entered - page->exited, entered.contains(entry.first) ? 1 : 0);
        QCOMPARE(page->IsUnderModal(),
                 entered.contains(ID_MODAL) && manager->GetLastMainPageId() == entry.first);
    }
    for (const QString& line : m_env->LogLines())
        QVERIFY2(!line.contains("TWICE"), qPrintable(line));
}

void TestPageManager::PageIsNotDeletedWhileItsCodeRuns()
{
    PageManager::SetNextPageStatic(ID_MAIN_MENU);
    PageManager::SetNextPageStatic(ID_SKIRMISH_SIMPLE);
    QPointer<CountingPage> page = TestPageFactory::Latest(ID_SKIRMISH_SIMPLE);
    QVERIFY(page);
    // The Back button's own click handler is still on the stack when the switch ends.
    bool aliveAfterEmit = false;
    QTimer::singleShot(0, page,
                       [&]
                       {
                           page->EmitExit();
                           aliveAfterEmit = !page.isNull();
                       });
    QTRY_COMPARE(PageManager::Instance()->GetCurrentPageId(), int(ID_MAIN_MENU));
    QVERIFY(aliveAfterEmit);
    QVERIFY(PageStorageManager::Instance()->IsNotCreated(ID_SKIRMISH_SIMPLE));
    FlushDeletes();
    QVERIFY(page.isNull());
}

void TestPageManager::DialogIsNotDeletedWhileItsCodeRuns()
{
    QStringList sounds;
    FrameKit::SetSoundRecorder([&](const QString& sound) { sounds << sound; });
    PageManager::SetNextPageStatic(ID_MAIN_MENU);
    auto* dialog = new TestDialog(QStringLiteral("Closing"), MODAL_CLOSE);
    QPointer<TestDialog> watch = dialog;
    TestPageFactory::Latest(ID_MAIN_MENU)->EmitModal(dialog);
    QPointer<ModalPage> modal = ModalPage::Instance();
    QCOMPARE(modal->GetModalWidget(), dialog);

    modal->GetButtonClose()->click();
    QCOMPARE(PageManager::Instance()->GetCurrentPageId(), int(ID_MAIN_MENU));
    QVERIFY(watch);
    QVERIFY(modal);
    QVERIFY(!ModalPage::Exists());
    QVERIFY(PageStorageManager::Instance()->IsNotCreated(ID_MODAL));
    FlushDeletes();
    QVERIFY(watch.isNull());
    QVERIFY(modal.isNull());
    QCOMPARE(sounds, QStringList{"button.off"});
    FrameKit::SetSoundRecorder(nullptr);

    // The next dialog gets a fresh modal page.
    TestPageFactory::Latest(ID_MAIN_MENU)->EmitModal(new TestDialog(QStringLiteral("Next")));
    QVERIFY(ModalPage::Exists());
    QCOMPARE(ModalPage::Instance()->GetModalWidget()->GetTitle(), QStringLiteral("Next"));
}

void TestPageManager::ExitIdZeroTakesTheLastMainPage()
{
    NPage* settings = PageStorageManager::GetPage(ID_GAME_SETTINGS);
    QCOMPARE(settings->GetExitPageId(), 0);
    PageManager::SetNextPageStatic(ID_REPLAYS);
    PageManager::SetNextPageStatic(ID_GAME_SETTINGS);
    QCOMPARE(settings->GetExitPageId(), int(ID_REPLAYS));
    // Once set it stays, also when the page is asked for again from elsewhere.
    PageManager::SetNextPageStatic(ID_MAIN_MENU);
    QCOMPARE(PageStorageManager::GetPage(ID_REPLAYS)->GetExitPageId(), int(ID_EMPTY));
}

void TestPageManager::InputGoesToTheVisiblePage()
{
    class KeyPage : public CountingPage
    {
    public:
        KeyPage() : CountingPage(ID_ABOUT, 0, false) {}
        void keyPress(QKeyEvent*) override { ++keys; }
        void mousePress(QMouseEvent*) override { ++clicks; }
        int keys = 0;
        int clicks = 0;
    };
    auto* page = new KeyPage();
    PageStorageManager::SetPageFactory([page](int id) -> NPage* { return id == ID_ABOUT ? page : nullptr; });
    PageManager::SetNextPageStatic(ID_ABOUT);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QMouseEvent mouse(QEvent::MouseButtonPress, QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    PageManager::Instance()->DoKeyPressEvent(&key);
    PageManager::Instance()->DoMousePressEvent(&mouse);
    QCOMPARE(page->keys, 1);
    QCOMPARE(page->clicks, 1);
    // Under a dialog the dialog page gets them, not the page.
    page->EmitModal(new TestDialog(QStringLiteral("Keys")));
    PageManager::Instance()->DoKeyPressEvent(&key);
    QCOMPARE(page->keys, 1);
}

void TestPageManager::DestroyingTheManagerDestroysEnteredPages()
{
    PageManager::SetNextPageStatic(ID_MAIN_MENU);
    TestPageFactory::Latest(ID_MAIN_MENU)->EmitModal(new TestDialog(QStringLiteral("Open")));
    QPointer<NPage> menu = PageStorageManager::GetPage(ID_MAIN_MENU);
    PageManager::Destroy();
    QVERIFY(m_env->LogContains("Destroy :: PageManager"));
    QVERIFY(!ModalPage::Exists());
    QVERIFY(PageStorageManager::Instance()->IsNotCreated(ID_MAIN_MENU));
    FlushDeletes();
    QVERIFY(menu.isNull());
}

QTEST_MAIN(TestPageManager)
#include "tst_pagemanager.moc"
