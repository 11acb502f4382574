// Page ids, the page store and the modal page.

#include "FrameKit.h"
#include "ModalPage.h"
#include "PageStorageManager.h"
#include "TestEnvironment.h"
#include "helper_pages.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestPageStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void PageIdTexts_data();
    void PageIdTexts();
    void BasePageDoesNothing();
    void TitleBar();

    void EmptyPageServesZeroAndOne();
    void CreateTwiceReturnsTheCachedPage();
    void UnknownIds();
    void DestroyIsDeferredAndForgetsAtOnce();

    void ModalButtonsByType_data();
    void ModalButtonsByType();
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

void TestPageStore::PageIdTexts_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "UNKNOWN";
    QTest::newRow("1") << 1 << "EMPTY";
    QTest::newRow("16") << 16 << "M_SPRING Login Custom";
    QTest::newRow("23 has no text of its own") << 23 << "NO_SUCH_PAGE";
    QTest::newRow("24") << 24 << "MODAL";
    QTest::newRow("25") << 25 << "NO_SUCH_PAGE";
    QTest::newRow("-1") << -1 << "NO_SUCH_PAGE";
}

void TestPageStore::PageIdTexts()
{
    QFETCH(int, id);
    QFETCH(QString, text);
    QCOMPARE(NPage::PageIdToString(id), text);
}

void TestPageStore::BasePageDoesNothing()
{
    NPage page(ID_ABOUT, 0, QStringLiteral("About"));
    QSignalSpy next(&page, &NPage::OnNextPageClick);
    QSignalSpy exit(&page, &NPage::OnExitPageClick);
    QSignalSpy modal(&page, &NPage::OnModalPageClick);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QMouseEvent mouse(QEvent::MouseButtonPress, QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    page.keyPress(&key);
    page.mousePress(&mouse);
    page.setModalWidget(nullptr);
    page.EnterPage();
    page.ExitPage();
    page.DoCancel();
    QCOMPARE(next.count() + exit.count() + modal.count(), 0);
    QVERIFY(!page.IsKeepPreviousPage() && !page.IsUnderModal());
}

void TestPageStore::TitleBar()
{
    std::unique_ptr<QFrame> title(NPage::CreateTitle(8, QStringLiteral("Replays")));
    const QMargins margins = title->layout()->contentsMargins();
    QCOMPARE(margins, QMargins(16, 0, 16, 8));
    auto* label = title->findChild<QLabel*>();
    QVERIFY(label);
    QVERIFY(label->text().compare(QLatin1String("Replays"), Qt::CaseInsensitive) == 0);
}

void TestPageStore::EmptyPageServesZeroAndOne()
{
    NPage* zero = PageStorageManager::GetPage(0);
    QCOMPARE(zero, PageStorageManager::GetPage(1));
    QCOMPARE(zero->GetPageId(), int(ID_EMPTY));
    QCOMPARE(zero->GetExitPageId(), int(ID_EMPTY));
    QCOMPARE(zero->GetPageName(), QStringLiteral("Empty"));
    PageStorageManager::DestroyPage(0);
    PageStorageManager::DestroyPage(1);
    QCOMPARE(PageStorageManager::GetPage(1), zero);
    for (int id = -1; id <= 25; ++id)
        QCOMPARE(PageStorageManager::IsDestroyable(id), id >= 2 && id <= 23);
}

void TestPageStore::CreateTwiceReturnsTheCachedPage()
{
    NPage* menu = PageStorageManager::GetPage(ID_MAIN_MENU);
    QCOMPARE(PageStorageManager::Instance()->CreatePage(ID_MAIN_MENU), menu);
    QCOMPARE(TestPageFactory::BuiltCount(ID_MAIN_MENU), 1);
    QVERIFY(m_env->LogContains("--- WARNING --- PageStorageManager :: CreatePage ( 3 ) ALREADY EXIST."));
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

void TestPageStore::ModalButtonsByType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<bool>("close");
    QTest::addColumn<int>("margin");
    QTest::addColumn<bool>("titleShown");
    QTest::newRow("ok and cancel") << 0 << "Question" << true << true << false << 32 << true;
    QTest::newRow("close only") << 1 << "Notice" << false << false << true << 32 << true;
    QTest::newRow("no buttons") << 2 << "Own" << false << false << false << 0 << true;
    QTest::newRow("empty title") << 0 << "" << true << true << false << 32 << false;
}

void TestPageStore::ModalButtonsByType()
{
    QFETCH(int, type);
    QFETCH(QString, title);
    QFETCH(bool, ok);
    QFETCH(bool, cancel);
    QFETCH(bool, close);
    QFETCH(int, margin);
    QFETCH(bool, titleShown);
    ModalPage* modal = ModalPage::Instance();
    modal->resize(1024, 768);
    modal->show();
    auto* dialog = new TestDialog(title, ModalType(type));
    modal->setModalWidget(dialog);
    QCOMPARE(modal->GetButtonOK()->isVisible(), ok);
    QCOMPARE(modal->GetButtonCancel()->isVisible(), cancel);
    QCOMPARE(modal->GetButtonClose()->isVisible(), close);
    QCOMPARE(modal->GetTitleLabel()->isVisible(), titleShown);
    QCOMPARE(modal->GetTitleLabel()->text().compare(title, Qt::CaseInsensitive), 0);
    QVERIFY(dialog->isVisible());
    QCOMPARE(FrameKit::GetButtonText(modal->GetButtonOK()).compare(QLatin1String("OK"), Qt::CaseInsensitive),
             0);
    QVERIFY(modal->isAncestorOf(dialog));
    // The dialog's distance to the buttons below it is the content margin.
    QPushButton* button = ok ? modal->GetButtonOK() : modal->GetButtonClose();
    if (ok || close)
    {
        const int gap = button->mapTo(modal, QPoint(0, 0)).y() - dialog->mapTo(modal, QPoint(0, 0)).y() -
                        dialog->height();
        QCOMPARE(gap, margin);
    }
    QCOMPARE(modal->GetPageId(), int(ID_MODAL));
}

void TestPageStore::ModalKeys_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("okCalls");
    QTest::addColumn<int>("cancelCalls");
    QTest::addColumn<int>("exits");
    QTest::addColumn<QStringList>("sounds");
    QTest::newRow("type 0 Return") << 0 << int(Qt::Key_Return) << 1 << 0 << 0 << QStringList{"button.on"};
    QTest::newRow("type 0 Enter") << 0 << int(Qt::Key_Enter) << 1 << 0 << 0 << QStringList{"button.on"};
    QTest::newRow("type 0 Escape") << 0 << int(Qt::Key_Escape) << 0 << 1 << 0 << QStringList{"button.off"};
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
    auto* dialog = new TestDialog(QStringLiteral("Keys"), ModalType(type));
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
    auto* first = new TestDialog(QStringLiteral("First"));
    QPointer<TestDialog> watch = first;
    modal->setModalWidget(first);
    auto* second = new TestDialog(QStringLiteral("Second"), MODAL_CLOSE);
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
    TestDialog dialog(QStringLiteral("Leaving"));
    QStringList order;
    connect(&dialog, &NModalWidget::OnModalExit, this, [&] { order = m_sounds; });
    dialog.ExitWithSound();
    QCOMPARE(order, QStringList{"button.off"});
}

QTEST_MAIN(TestPageStore)
#include "tst_pagestore.moc"
