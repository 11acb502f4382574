// Page ids, the page store and the modal page (which buttons each dialog kind shows: the gallery).

#include "FrameKit.h"
#include "ModalPage.h"
#include "PageStorageManager.h"
#include "TestEnvironment.h"
#include "helper_pages.h"

#include <QKeyEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

class TestPageStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void EmptyPageServesZeroAndOne();
    void UnknownIds();
    void DestroyIsDeferredAndForgetsAtOnce();

    void ModalKeys_data();
    void ModalKeys();
    void ModalWithoutDialogIgnoresEverything();
    void SecondDialogReplacesTheFirst();
    void ExitWithSoundPlaysFirst();

private:
    std::unique_ptr<TestEnvironment> m_env;
    QStringList m_sounds;
};

void TestPageStore::init()
{
    m_env = std::make_unique<TestEnvironment>();
    TestPageFactory::Install();
    m_sounds.clear();
    FrameKit::SetSoundRecorder([this](const QString& sound) { m_sounds << sound; });
}

void TestPageStore::cleanup()
{
    FrameKit::SetSoundRecorder(nullptr);
    PageStorageManager::Destroy();
    ModalPage::Destroy();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    PageStorageManager::SetPageFactory(nullptr);
    m_env.reset();
}

void TestPageStore::EmptyPageServesZeroAndOne()
{
    NPage* zero = PageStorageManager::GetPage(0);
    QCOMPARE(zero, PageStorageManager::GetPage(1));
    QCOMPARE(zero->GetPageId(), int(ID_EMPTY));
    PageStorageManager::DestroyPage(0);
    PageStorageManager::DestroyPage(1);
    QCOMPARE(PageStorageManager::GetPage(1), zero);
}

void TestPageStore::UnknownIds()
{
    // Without a main menu there is nothing to fall back on.
    QCOMPARE(PageStorageManager::GetPage(30), nullptr);
    QCOMPARE(PageStorageManager::GetPage(-5), nullptr);
    QVERIFY(PageStorageManager::Instance()->IsNotCreated(ID_MAIN_MENU));
    NPage* menu = PageStorageManager::GetPage(ID_MAIN_MENU);
    QCOMPARE(PageStorageManager::GetPage(30), menu);
    QVERIFY(PageStorageManager::Instance()->IsNotCreated(30));
    // Destroying ids never built does nothing.
    PageStorageManager::DestroyPage(ID_REPLAYS);
    PageStorageManager::DestroyPage(99);
    QCOMPARE(TestPageFactory::Built().size(), 1);
}

void TestPageStore::DestroyIsDeferredAndForgetsAtOnce()
{
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

void TestPageStore::ModalKeys_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("okCalls");
    QTest::addColumn<int>("cancelCalls");
    QTest::addColumn<int>("exits");
    QTest::addColumn<QStringList>("sounds");
    // Return and Escape on an OK/Cancel dialog are pressed on a real window by the notice dialogs' test.
    QTest::newRow("type 0 Enter") << 0 << int(Qt::Key_Enter) << 1 << 0 << 0 << QStringList{"button.on"};
    QTest::newRow("type 0 Backspace")
        << 0 << int(Qt::Key_Backspace) << 0 << 1 << 0 << QStringList{"button.off"};
    QTest::newRow("type 1 Return is ignored") << 1 << int(Qt::Key_Return) << 0 << 0 << 0 << QStringList{};
    QTest::newRow("type 1 Escape closes")
        << 1 << int(Qt::Key_Escape) << 0 << 0 << 1 << QStringList{"button.off"};
    QTest::newRow("type 2 Return, no sound") << 2 << int(Qt::Key_Return) << 1 << 0 << 0 << QStringList{};
    QTest::newRow("type 2 Escape, no sound") << 2 << int(Qt::Key_Escape) << 0 << 1 << 0 << QStringList{};
    QTest::newRow("other keys") << 0 << int(Qt::Key_A) << 0 << 0 << 0 << QStringList{};
    // The full-screen chord answers no dialog.
    QTest::newRow("type 0 Alt+Return")
        << 0 << int(Qt::AltModifier | Qt::Key_Return) << 0 << 0 << 0 << QStringList{};
    QTest::newRow("type 2 Alt+Enter")
        << 2 << int(Qt::AltModifier | Qt::KeypadModifier | Qt::Key_Enter) << 0 << 0 << 0 << QStringList{};
    QTest::newRow("type 0 Shift+Return")
        << 0 << int(Qt::ShiftModifier | Qt::Key_Return) << 1 << 0 << 0 << QStringList{"button.on"};
}

void TestPageStore::ModalKeys()
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

void TestPageStore::ModalWithoutDialogIgnoresEverything()
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

void TestPageStore::SecondDialogReplacesTheFirst()
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

void TestPageStore::ExitWithSoundPlaysFirst()
{
    TestDialog dialog("Leaving");
    QStringList order;
    connect(&dialog, &NModalWidget::OnModalExit, this, [&] { order = m_sounds; });
    dialog.ExitWithSound();
    QCOMPARE(order, QStringList{"button.off"});
}

QTEST_MAIN(TestPageStore)
#include "tst_pagestore.moc"
