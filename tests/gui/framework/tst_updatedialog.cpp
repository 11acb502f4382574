// The update-check dialog against a web service of our own on 127.0.0.1.

#include "AppDefines.h"
#include "CheckForUpdatesModal.h"
#include "GIFWidget.h"
#include "NButtonBase.h"
#include "NImageLabel.h"
#include "TestEnvironment.h"
#include "TestHttpServer.h"
#include "WebUpdates.h"
#include "helper_dialogs.h"

#include <QFrame>
#include <QSignalSpy>
#include <QtTest>

namespace
{
const char* const Path = "/updates/lobby.txt";
const QString Checking = "CHECKING FOR UPDATES...";
} // namespace

class TestUpdateDialog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_server = std::make_unique<TestHttpServer>();
        QM_REQUIRE(m_server->isListening(), "a local TCP port");
        // The start-up check of the interface asks this server too.
        m_server->SetAnswer(Path, 200, "0.0.1\n");
        AppDefines::Instance()->SetWebBaseAddress(m_server->BaseAddress());
        WebUpdates::SetTimeoutMs(400);
        m_host = std::make_unique<DialogHost>();
        QTRY_COMPARE(m_server->Requests(), 1);
    }

    void cleanup()
    {
        m_host.reset();
        WebUpdates::SetTimeoutMs(0);
        m_server.reset();
        m_env.reset();
    }

    void Outcomes_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("headline");
        QTest::addColumn<bool>("download");
        QTest::newRow("newer") << 200 << QByteArray("9.0.0\n- more\n")
                               << "THERE'S A NEW VERSION OF LOBBY AVAILABLE" << true;
        const QString latest = "YOU ARE USING THE LATEST VERSION OF LOBBY.";
        QTest::newRow("same") << 200 << QByteArray(qPrintable(AppDefines::GetLobbyVersion())) << latest
                              << false;
        const QString error = "AN ERROR OCCURRED WHILE CHECKING FOR A SOFTWARE UPDATE.";
        QTest::newRow("not found") << 404 << QByteArray("gone") << error << false;
        // A bad body and a timeout are errors of the update check like this one: tst_webupdates. The
        // headlines' colours are the gallery's.
    }

    void Outcomes()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, headline);
        QFETCH(bool, download);
        m_server->SetAnswer(Path, status, body);
        auto* dialog = new CheckForUpdatesModal();
        QSignalSpy downloads(dialog, &CheckForUpdatesModal::OnDownloadUpdatesClick);
        m_host->Open(dialog);
        QVERIFY(dialog->Busy()->IsRunning());
        QCOMPARE(dialog->Headline()->text(), Checking);
        // The request leaves after a pause, not as the dialog opens.
        QCoreApplication::processEvents();
        QCOMPARE(m_server->Requests(), 1);
        QTRY_COMPARE(m_server->Requests(), 2);
        QTRY_COMPARE(dialog->Headline()->text(), headline);
        QVERIFY(!dialog->Busy()->IsRunning() && !dialog->Busy()->isVisible());
        QCOMPARE(dialog->Detail()->isVisible(), download);
        QCOMPARE(dialog->DownloadButton()->isVisible(), download);
        if (download)
        {
            // However often it is pressed, one download starts; the dialog stays.
            m_host->Click(dialog->DownloadButton());
            m_host->Click(dialog->DownloadButton());
            QCOMPARE(downloads.count(), 1);
            QVERIFY(!dialog->DownloadButton()->isEnabled());
        }
        QVERIFY(m_host->IsOpen());
        m_host->Key(Qt::Key_Escape);
        QVERIFY(!m_host->IsOpen());
        QCOMPARE(downloads.count(), download ? 1 : 0);
    }

    void OnlyItsOwnAnswer()
    {
        auto* dialog = new CheckForUpdatesModal();
        m_host->Open(dialog);
        // Someone else's check answers before the dialog asked: the dialog keeps waiting.
        m_server->SetAnswer(Path, 200, "9.9.9\n");
        WebUpdates::CheckUpdates();
        QTRY_COMPARE(m_server->Requests(), 2);
        QTest::qWait(100);
        QCOMPARE(dialog->Headline()->text(), Checking);
        QVERIFY(dialog->Busy()->IsRunning());
        // Its own answer counts, and only once: a later check by others changes nothing.
        m_server->SetAnswer(Path, 404, "gone");
        QTRY_COMPARE(m_server->Requests(), 3);
        QTRY_VERIFY(dialog->Headline()->text().startsWith("AN ERROR"));
        m_server->SetAnswer(Path, 200, "9.9.9\n");
        WebUpdates::CheckUpdates();
        QTRY_COMPARE(m_server->Requests(), 4);
        QTest::qWait(100);
        QVERIFY(dialog->Headline()->text().startsWith("AN ERROR"));
        QVERIFY(!dialog->DownloadFrame()->isVisible());
    }

private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<TestHttpServer> m_server;
    std::unique_ptr<DialogHost> m_host;
};

QTEST_MAIN(TestUpdateDialog)
#include "tst_updatedialog.moc"
