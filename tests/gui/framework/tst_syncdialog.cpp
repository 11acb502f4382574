// The not-in-sync dialog fed by the real sync checker over the content index of a test folder,
// and by the download manager's progress signal.

#include "Common.h"
#include "DownloadHandler.h"
#include "NButtonBase.h"
#include "NImageLabel.h"
#include "NProgressBar.h"
#include "NotInSyncModal.h"
#include "SyncHandler.h"
#include "SyncManager.h"
#include "TestArchive.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "helper_dialogs.h"

#include <QSignalSpy>
#include <QtTest>

// A failed check in Expect ends the test function too.
#define EXPECT(...)                                                                                          \
    do                                                                                                       \
    {                                                                                                        \
        Expect(__VA_ARGS__);                                                                                 \
        if (QTest::currentTestFailed())                                                                      \
            return;                                                                                          \
    } while (false)

namespace
{
DataDownload Download(int type, void (DataDownload::*set)())
{
    DataDownload download;
    download.itemType = type;
    (download.*set)();
    return download;
}
} // namespace

class TestSyncDialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<DialogHost> m_host;

    // The status word of an item and the colour it is drawn in (set a moment after the text).
    static void Expect(NotInSyncModal* dialog, int type, const QString& text, const QColor& colour)
    {
        NImageLabel* label = dialog->StatusLabel(type);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->GetColor(), colour);
        QTRY_COMPARE(label->palette().color(QPalette::WindowText), colour);
    }

    static NImageLabel* LabelWith(QWidget* dialog, const QString& text)
    {
        for (NImageLabel* label : dialog->findChildren<NImageLabel*>())
        {
            if (label->text() == text)
                return label;
        }
        return nullptr;
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        QVERIFY(
            TestFiles::Write(m_env->Path("maps/Ford.sdd/mapinfo.lua"),
                             "return { name = \"Ford\", description = \"<i>Two</i> rivers & a ford\", }"));
        QVERIFY(TestFiles::Write(m_env->Path("engines/105.0/spring"), "#!/bin/sh\n", true));
        SyncManager::SetSystemEnginePath(QString());
        m_host = std::make_unique<DialogHost>();
    }

    void cleanup()
    {
        m_host.reset();
        SyncHandler::Destroy();
        DownloadHandler::Destroy();
        if (SyncManager::Exists())
            SyncManager::Instance()->InvokeBlocking("DoDestroy");
        SyncManager::Destroy();
        m_env.reset();
    }

    void RealStatesAndRetry()
    {
        SyncHandler::Initialize();
        // Received on this thread: a QSignalSpy would record on the handler's thread.
        QList<DataSyncState> states;
        QObject receiver;
        connect(SyncHandler::Instance(), &SyncHandler::OnSyncState, &receiver,
                [&states](DataSyncState state) { states << state; });
        DataSync sync;
        sync.mapName = "Ford";
        sync.game = "Late Game 3";
        sync.engine = "105.0";
        SyncHandler::CheckSyncState(sync);
        QTRY_COMPARE(states.count(), 1);

        auto* dialog = new NotInSyncModal(states.takeFirst());
        connect(SyncHandler::Instance(), &SyncHandler::OnSyncState, dialog, &NotInSyncModal::DoSyncState);
        connect(dialog, &NotInSyncModal::OnRetry, SyncHandler::Instance(), &SyncHandler::DoRetrySync);
        QSignalSpy retries(dialog, &NotInSyncModal::OnRetry);
        m_host->Open(dialog);
        EXPECT(dialog, DataDownload::Map, "SYNCED", Common::ColorGreen());
        EXPECT(dialog, DataDownload::MapCache, "SYNCED", Common::ColorGreen());
        EXPECT(dialog, DataDownload::Game, "NOT SYNCED", Common::ColorRed());
        EXPECT(dialog, DataDownload::Engine, "SYNCED", Common::ColorGreen());
        // The map's information from its archive, shown as plain text.
        QCOMPARE(dialog->CaptionLabel(DataDownload::Map)->text(),
                 QStringLiteral("<I>TWO</I> RIVERS & A FORD"));
        QCOMPARE(dialog->CaptionLabel(DataDownload::Map)->textFormat(), Qt::PlainText);
        QCOMPARE(dialog->CaptionLabel(DataDownload::Game)->text(), QStringLiteral("GAME LATE GAME 3"));
        for (int type = 0; type < 4; ++type)
            QVERIFY(!dialog->ProgressBar(type)->isVisible());
        QVERIFY(dialog->RetryButton()->isEnabled());

        // The game arrives; Enter presses Retry, which waits until the answer.
        QVERIFY(TestArchive::WriteNamedContent(m_env->Path("games/Late Game 3.sdz")));
        SyncManager::Instance()->InvokeBlocking("DoReload");
        m_host->Key(Qt::Key_Return);
        QVERIFY(!dialog->RetryButton()->isEnabled());
        m_host->Key(Qt::Key_Enter); // disabled: no second retry
        QCOMPARE(retries.count(), 0);
        QTRY_COMPARE(retries.count(), 1);
        QTRY_COMPARE(dialog->StatusLabel(DataDownload::Game)->text(), QStringLiteral("SYNCED"));
        EXPECT(dialog, DataDownload::Game, "SYNCED", Common::ColorGreen());
        QVERIFY(dialog->RetryButton()->isEnabled());
        QTest::qWait(NotInSyncModal::RetryDelayMs + 50);
        QCOMPARE(retries.count(), 1);

        m_host->Key(Qt::Key_Escape);
        QVERIFY(!m_host->IsOpen());
        QCOMPARE(m_host->Sounds(), QStringList{"button.off"});
    }

    // Every state the game column can show, in its colour; the headline and the message keep theirs.
    void DownloadStates_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<DataDownload>("download"); // item type -1: no download
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("bar");
        QTest::addColumn<bool>("retry");
        const auto row = [](const char* name, void (DataDownload::*set)(), const char* text,
                            const QColor& colour, bool bar, bool retry)
        {
            QTest::newRow(name) << false << Download(DataDownload::Game, set) << QString(text) << colour
                                << bar << retry;
        };
        DataDownload none;
        none.itemType = -1;
        QTest::newRow("present") << true << none << "SYNCED" << Common::ColorGreen() << false << true;
        QTest::newRow("present, its download failed before")
            << true << Download(DataDownload::Game, &DataDownload::SetError) << "SYNCED"
            << Common::ColorGreen() << false << true;
        QTest::newRow("missing, no download")
            << false << none << "NOT SYNCED" << Common::ColorRed() << false << true;
        row("error", &DataDownload::SetError, "HAS ERRORS", Common::ColorRed(), false, true);
        row("searching", &DataDownload::SetSearching, "SEARCHING", Common::ColorLight(), false, false);
        row("downloading", &DataDownload::SetDownloading, "DOWNLOADING", Common::ColorLight(), true, false);
        row("installing", &DataDownload::SetInstalling, "INSTALLING", Common::ColorLight(), false, false);
        row("completed", &DataDownload::SetCompleted, "COMPLETED", Common::ColorGreen(), false, true);
    }

    void DownloadStates()
    {
        QFETCH(bool, present);
        QFETCH(DataDownload, download);
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        QFETCH(bool, bar);
        QFETCH(bool, retry);
        DataSyncState state;
        state.gameName = "Late Game 3";
        state.hasGame = present;
        if (download.itemType >= 0)
            state.downloads.insert(download.itemType, download);
        state.isChecked = true;
        state.downloadsIdle = state.NoDownloadRunning();
        auto* dialog = new NotInSyncModal(state);
        m_host->Open(dialog);
        EXPECT(dialog, DataDownload::Game, text, colour);
        EXPECT(dialog, DataDownload::Engine, "SYNCED", Common::ColorGreen());
        QCOMPARE(dialog->ProgressBar(DataDownload::Game)->isVisible(), bar);
        QCOMPARE(dialog->RetryButton()->isEnabled(), retry);
        NImageLabel* headline = LabelWith(dialog, "BATTLE IN SYNC VALIDATION");
        QVERIFY(headline);
        QTRY_COMPARE(headline->palette().color(QPalette::WindowText), Common::ColorMain());
        NImageLabel* message = LabelWith(dialog, "TO START THE BATTLE YOU SHOULD DOWNLOAD ALL OF THE "
                                                 "ABOVE\nYOUR DOWNLOAD WILL START AUTOMATICALLY");
        QVERIFY(message);
        QTRY_COMPARE(message->palette().color(QPalette::WindowText), Common::ColorLight());

        // Progress from the download manager: the map information has no bar to move.
        connect(DownloadHandler::Instance(), &DownloadHandler::OnProgress, dialog,
                &NotInSyncModal::DoProgress);
        for (int type : {0, 1, 2, 3, 7})
        {
            DataDownloadProgress progress;
            progress.itemType = type;
            progress.progress = 10 + type;
            emit DownloadHandler::Instance()->OnProgress(progress);
        }
        QCOMPARE(dialog->ProgressBar(DataDownload::Map)->value(), 10);
        QCOMPARE(dialog->ProgressBar(DataDownload::MapCache)->value(), 0);
        QCOMPARE(dialog->ProgressBar(DataDownload::Game)->value(), 12);
        QCOMPARE(dialog->ProgressBar(DataDownload::Engine)->value(), 13);

        // A state without downloads hides every bar; all present reads synced four times.
        dialog->DoSyncState(DataSyncState());
        for (int type = 0; type < 4; ++type)
        {
            QVERIFY(!dialog->ProgressBar(type)->isVisible());
            EXPECT(dialog, type, "SYNCED", Common::ColorGreen());
        }
        m_host->Click(dialog->CloseButton());
        QVERIFY(!m_host->IsOpen());
    }
};

QTEST_MAIN(TestSyncDialog)
#include "tst_syncdialog.moc"
