// The not-in-sync dialog fed by the real sync checker over the content index of a test folder,
// and by the download manager's progress signal.

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

    // The states' colours are the gallery's.
    static void Expect(NotInSyncModal* dialog, int type, const QString& text)
    {
        QCOMPARE(dialog->StatusLabel(type)->text(), text);
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
        Expect(dialog, DataDownload::Map, "SYNCED");
        Expect(dialog, DataDownload::MapCache, "SYNCED");
        Expect(dialog, DataDownload::Game, "NOT SYNCED");
        Expect(dialog, DataDownload::Engine, "SYNCED");
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
        QVERIFY(dialog->RetryButton()->isEnabled());
        QTest::qWait(NotInSyncModal::RetryDelayMs + 50);
        QCOMPARE(retries.count(), 1);

        m_host->Key(Qt::Key_Escape);
        QVERIFY(!m_host->IsOpen());
        QCOMPARE(m_host->Sounds(), QStringList{"button.off"});
    }

    void DownloadStates_data()
    {
        QTest::addColumn<DataDownload>("download");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("bar");
        const auto row = [](const char* name, void (DataDownload::*set)(), const char* text, bool bar)
        { QTest::newRow(name) << Download(DataDownload::Game, set) << QString(text) << bar; };
        row("error", &DataDownload::SetError, "HAS ERRORS", false);
        row("searching", &DataDownload::SetSearching, "SEARCHING", false);
        row("downloading", &DataDownload::SetDownloading, "DOWNLOADING", true);
        row("completed", &DataDownload::SetCompleted, "COMPLETED", false);
    }

    void DownloadStates()
    {
        QFETCH(DataDownload, download);
        QFETCH(QString, text);
        QFETCH(bool, bar);
        DataSyncState state;
        state.gameName = "Late Game 3";
        state.hasGame = false;
        state.downloads.insert(download.itemType, download);
        state.isChecked = true;
        state.downloadsIdle = state.NoDownloadRunning();
        auto* dialog = new NotInSyncModal(state);
        m_host->Open(dialog);
        Expect(dialog, DataDownload::Game, text);
        Expect(dialog, DataDownload::Engine, "SYNCED");
        QCOMPARE(dialog->ProgressBar(DataDownload::Game)->isVisible(), bar);
        QCOMPARE(dialog->RetryButton()->isEnabled(), !bar && text != "SEARCHING");

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
            Expect(dialog, type, "SYNCED");
        }
        m_host->Click(dialog->CloseButton());
        QVERIFY(!m_host->IsOpen());
    }
};

QTEST_MAIN(TestSyncDialog)
#include "tst_syncdialog.moc"
