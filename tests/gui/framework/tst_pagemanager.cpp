// Navigation rules of the page manager, driven through the pages' own signals; page ids, the page
// store and the modal page (which buttons each dialog kind shows: the gallery).

#include "FrameKit.h"
#include "ModalPage.h"
#include "PageManager.h"
#include "PageStorageManager.h"
#include "TestEnvironment.h"
#include "helper_pages.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <algorithm>

namespace
{
using I = QList<int>;
QStringList L(const QString& words)
{
    return words.split(' ');
}

// The navigation's warnings, without their prefix.
QStringList Warnings(const QStringList& lines)
{
    QStringList result;
    for (const QString& line : lines)
    {
        if (line.startsWith(QLatin1String("--- WARNING --- Page")))
            result << line.mid(16);
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

    std::unique_ptr<TestEnvironment> m_env;
    QStringList m_sounds;

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        TestPageFactory::Install();
        m_sounds.clear();
        FrameKit::SetSoundRecorder([this](const QString& sound) { m_sounds << sound; });
    }

    void cleanup()
    {
        FrameKit::SetSoundRecorder(nullptr);
        PageManager::Destroy();
        PageStorageManager::Destroy();
        ModalPage::Destroy();
        FlushDeletes();
        PageStorageManager::SetPageFactory(nullptr);
        m_env.reset();
    }

    void Navigation_data()
    {
        // actions; the pages passed through (each step signals exit, enter and the visible change);
        // current page; entered pages; pages built and deleted; dialogs alive; the warnings logged.
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QList<int>>("path");
        QTest::addColumn<QList<int>>("entered");
        QTest::addColumn<QList<int>>("built");
        QTest::addColumn<QList<int>>("deleted");
        QTest::addColumn<int>("dialogsAlive");
        QTest::addColumn<QStringList>("warnings");
        const QStringList none;

        // Plain forward and back, two kept pages, the intro movie and a dialog closed are driven
        // through the real pages by the pages test.
        QTest::newRow("list, kept list under its data page, back twice")
            << L("static:3 click:9 click:10 back back") << I{1, 3, 9, 10, 9, 3} << I{3} << I{3, 9, 10, 3}
            << I{3, 9, 10} << 0 << none;
        QTest::newRow("untitled dialog closed by its Close button")
            << L("static:3 dialog: closeButton") << I{1, 3, 24, 3} << I{3} << I{3} << I{} << 0 << none;
        QTest::newRow("next page while a dialog is shown")
            << L("static:3 dialog:Hello click:13") << I{1, 3, 24, 13} << I{13} << I{3, 13} << I{3} << 0
            << none;
        QTest::newRow("keeping page asked for while a dialog is shown, then back")
            << L("static:3 dialog:Hello click:5 back dialog:Again close") << I{1, 3, 24, 5, 3, 24, 3} << I{3}
            << I{3, 5} << I{5} << 0 << none;
        QTest::newRow("page under a dialog exits")
            << L("static:3 click:13 dialog:Hello backUnder") << I{1, 3, 13, 24, 3} << I{3} << I{3, 13, 3}
            << I{3, 13} << 0 << none;
        const QString inUse = "PageManager :: SetNextPage --- NPageID::ID_MODAL is in use";
        QTest::newRow("second dialog while one is shown")
            << L("static:3 dialog:First dialog:Second") << I{1, 3, 24} << I{3, 24} << I{3} << I{} << 1
            << QStringList{inUse};
        QTest::newRow("second dialog, then closed")
            << L("static:3 dialog:First dialog:Second close") << I{1, 3, 24, 3} << I{3} << I{3} << I{} << 0
            << QStringList{inUse};
        QTest::newRow("unknown ids before the main menu exists")
            << L("static:0 static:30 static:-1") << I{1} << I{1} << I{} << I{} << 0
            << QStringList{"PageManager :: PAGES --- CHANGE 0 >> 1 EMPTY",
                           "PageManager :: SetNextPage --- SELECTED ALREADY 1 EMPTY",
                           "PageStorageManager :: PAGE 30 NOT EXIST. USE \"MainMenu\"",
                           "PageManager :: SetNextPage --- NO PAGE 30",
                           "PageStorageManager :: PAGE -1 NOT EXIST. USE \"MainMenu\"",
                           "PageManager :: SetNextPage --- NO PAGE -1"};
        const QString again = "PageManager :: SetNextPage --- SELECTED ALREADY 3 Main Menu";
        // The store keeps no entry for 30: the second request warns again.
        const QStringList thirty = {"PageStorageManager :: PAGE 30 NOT EXIST. USE \"MainMenu\"",
                                    "PageManager :: PAGES --- CHANGE 30 >> 3 Main Menu", again};
        QTest::newRow("unknown id with the main menu shown")
            << L("static:3 static:30 static:30") << I{1, 3} << I{3} << I{3} << I{} << 0 << thirty + thirty;
        QTest::newRow("the same page again") << L("static:3 static:3 click:3") << I{1, 3} << I{3} << I{3}
                                             << I{} << 0 << QStringList{again, again};
        QTest::newRow("the AI editor, which has no text of its own")
            << L("static:23 static:23") << I{1, 23} << I{23} << I{23} << I{} << 0
            << QStringList{"PageManager :: SetNextPage --- SELECTED ALREADY 23 NO_SUCH_PAGE"};
    }

    void Navigation()
    {
        QFETCH(QStringList, actions);
        QFETCH(QList<int>, path);
        QFETCH(QList<int>, entered);
        QFETCH(QList<int>, built);
        QFETCH(QList<int>, deleted);
        QFETCH(int, dialogsAlive);
        QFETCH(QStringList, warnings);
        QStringList signalOrder;
        for (int i = 1; i < path.size(); ++i)
            signalOrder << QString("exit:%1").arg(path[i - 1]) << QString("enter:%1").arg(path[i])
                        << QString("visible:%1<%2").arg(path[i]).arg(path[i - 1]);
        const int current = path.last();

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
        QCOMPARE(Warnings(m_env->LogLines()), warnings);

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

    // The texts the log gives page ids; the AI editor has none of its own.
    void PageIdTexts_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        const QStringList texts = {"UNKNOWN",
                                   "EMPTY",
                                   "Intro Movie",
                                   "Main Menu",
                                   "PlayerGuide",
                                   "Game Settings",
                                   "Extras",
                                   "About",
                                   "Updates",
                                   "Campaign Mission List",
                                   "Campaign Mission Data",
                                   "Tutorial Mission List",
                                   "Tutorial Mission Data",
                                   "Skirmish SIMPLE",
                                   "Skirmish CUSTOM",
                                   "M_SPRING Login",
                                   "M_SPRING Login Custom",
                                   "M_SPRING Main",
                                   "M_STEAM Login",
                                   "Replays",
                                   "AI Projects",
                                   "Mission Editor",
                                   "Game Tests",
                                   "NO_SUCH_PAGE",
                                   "MODAL"};
        for (int id = 0; id < texts.size(); ++id)
            QTest::addRow("%d", id) << id << texts.at(id);
        for (int id : {25, -1, 1000})
            QTest::addRow("%d", id) << id << "NO_SUCH_PAGE";
    }

    void PageIdTexts()
    {
        QFETCH(int, id);
        QFETCH(QString, text);
        QCOMPARE(NPage::PageIdToString(id), text);
    }

    void PageIsNotDeletedWhileItsCodeRuns()
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

    void DialogIsNotDeletedWhileItsCodeRuns()
    {
        PageManager::SetNextPageStatic(ID_MAIN_MENU);
        auto* dialog = new TestDialog("Closing", MODAL_CLOSE);
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
        QCOMPARE(m_sounds, QStringList{"button.off"});

        // The next dialog gets a fresh modal page.
        TestPageFactory::Latest(ID_MAIN_MENU)->EmitModal(new TestDialog("Next"));
        QVERIFY(ModalPage::Exists());
        QCOMPARE(ModalPage::Instance()->GetModalWidget()->GetTitle(), "Next");
    }

    void ExitIdZeroTakesTheLastMainPage()
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

    void DestroyingTheManagerDestroysEnteredPages()
    {
        PageManager::SetNextPageStatic(ID_MAIN_MENU);
        TestPageFactory::Latest(ID_MAIN_MENU)->EmitModal(new TestDialog("Open"));
        QPointer<NPage> menu = PageStorageManager::GetPage(ID_MAIN_MENU);
        QPointer<ModalPage> modal = ModalPage::Instance();
        QPointer<NModalWidget> dialog = modal->GetModalWidget();
        QVERIFY(dialog);
        // In ascending id order: the dialog's page is still there when the menu goes.
        bool modalAliveAtMenu = false;
        connect(menu, &QObject::destroyed, this, [&] { modalAliveAtMenu = !modal.isNull(); });
        PageManager::Destroy();
        QVERIFY(m_env->LogContains("Destroy :: PageManager"));
        // Gone at once, not left to an event loop that has already ended.
        QVERIFY(menu.isNull());
        QVERIFY(modal.isNull());
        QVERIFY(dialog.isNull());
        QVERIFY(modalAliveAtMenu);
        QVERIFY(!ModalPage::Exists());
        QVERIFY(PageStorageManager::Instance()->IsNotCreated(ID_MAIN_MENU));
        QVERIFY(PageStorageManager::Instance()->IsNotCreated(ID_MODAL));
        QCOMPARE(PageStorageManager::GetPage(ID_EMPTY), PageStorageManager::Instance()->GetEmptyPage());
    }

    // The page store and the modal page on their own.
    void EmptyPageServesZeroAndOne()
    {
        NPage* zero = PageStorageManager::GetPage(0);
        QCOMPARE(zero, PageStorageManager::GetPage(1));
        QCOMPARE(zero->GetPageId(), int(ID_EMPTY));
        PageStorageManager::DestroyPage(0);
        PageStorageManager::DestroyPage(1);
        QCOMPARE(PageStorageManager::GetPage(1), zero);
    }

    void DestroyIsDeferredAndForgetsAtOnce()
    {
        PageStorageManager::DestroyPage(ID_REPLAYS); // never built: nothing to do
        QPointer<NPage> page = PageStorageManager::GetPage(ID_REPLAYS);
        PageStorageManager::DestroyPage(ID_REPLAYS);
        QVERIFY(page);
        QVERIFY(PageStorageManager::Instance()->IsNotCreated(ID_REPLAYS));
        NPage* fresh = PageStorageManager::GetPage(ID_REPLAYS);
        QVERIFY(fresh != page.data());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(page.isNull());
        QCOMPARE(TestPageFactory::BuiltCount(ID_REPLAYS), 2);
    }

    void ModalKeys_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("okCalls");
        QTest::addColumn<int>("cancelCalls");
        QTest::addColumn<int>("exits");
        QTest::addColumn<QStringList>("sounds");
        const auto row =
            [](const char* name, int type, int key, int ok, int cancel, int exits, const QStringList& sounds)
        { QTest::newRow(name) << type << key << ok << cancel << exits << sounds; };
        // Return and Escape on an OK/Cancel dialog are pressed on a real window by the notice dialogs' test.
        row("type 0 Enter", 0, Qt::Key_Enter, 1, 0, 0, {"button.on"});
        row("type 0 Backspace", 0, Qt::Key_Backspace, 0, 1, 0, {"button.off"});
        row("type 1 Return is ignored", 1, Qt::Key_Return, 0, 0, 0, {});
        row("type 1 Escape closes", 1, Qt::Key_Escape, 0, 0, 1, {"button.off"});
        row("type 2 Return, no sound", 2, Qt::Key_Return, 1, 0, 0, {});
        row("type 2 Escape, no sound", 2, Qt::Key_Escape, 0, 1, 0, {});
        row("other keys", 0, Qt::Key_A, 0, 0, 0, {});
        // The full-screen chord answers no dialog.
        row("type 0 Alt+Return", 0, Qt::AltModifier | Qt::Key_Return, 0, 0, 0, {});
        row("type 2 Alt+Enter", 2, Qt::AltModifier | Qt::KeypadModifier | Qt::Key_Enter, 0, 0, 0, {});
        row("type 0 Shift+Return", 0, Qt::ShiftModifier | Qt::Key_Return, 1, 0, 0, {"button.on"});
    }

    void ModalKeys()
    {
        QFETCH(int, type);
        QFETCH(int, key);
        QFETCH(int, okCalls);
        QFETCH(int, cancelCalls);
        QFETCH(int, exits);
        QFETCH(QStringList, sounds);
        ModalPage* modal = ModalPage::Instance();
        auto* dialog = new TestDialog("Keys", ModalType(type));
        modal->setModalWidget(dialog);
        QSignalSpy exit(modal, &NPage::OnExitPageClick);
        QKeyEvent event(QEvent::KeyPress, key & ~Qt::KeyboardModifierMask,
                        Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
        modal->keyPress(&event);
        QCOMPARE(dialog->okCalls, okCalls);
        QCOMPARE(dialog->cancelCalls, cancelCalls);
        QCOMPARE(exit.count(), exits);
        QCOMPARE(m_sounds, sounds);
    }

    void ModalWithoutDialogIgnoresEverything()
    {
        ModalPage* modal = ModalPage::Instance();
        QSignalSpy exit(modal, &NPage::OnExitPageClick);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        modal->keyPress(&escape);
        modal->keyPress(&enter);
        modal->DoOK();
        modal->DoCancel();
        modal->setModalWidget(nullptr);
        QCOMPARE(exit.count(), 0);
        QCOMPARE(m_sounds, QStringList{});
        QCOMPARE(modal->GetTitleLabel()->text().compare(QLatin1String("NO TEXT"), Qt::CaseInsensitive), 0);
    }

    void SecondDialogReplacesTheFirst()
    {
        ModalPage* modal = ModalPage::Instance();
        QSignalSpy exit(modal, &NPage::OnExitPageClick);
        auto* first = new TestDialog("First");
        QPointer<TestDialog> watch = first;
        modal->setModalWidget(first);
        auto* second = new TestDialog("Second", MODAL_CLOSE);
        modal->setModalWidget(second);
        QCOMPARE(modal->GetModalWidget(), second);
        QVERIFY(watch);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(watch.isNull());
        // The first one's signals no longer reach the page: only the second closes it.
        second->Close();
        QCOMPARE(exit.count(), 1);
    }

    void ExitWithSoundPlaysFirst()
    {
        TestDialog dialog("Leaving");
        QStringList order;
        connect(&dialog, &NModalWidget::OnModalExit, this, [&] { order = m_sounds; });
        dialog.ExitWithSound();
        QCOMPARE(order, QStringList{"button.off"});
    }
};

QTEST_MAIN(TestPageManager)
#include "tst_pagemanager.moc"
