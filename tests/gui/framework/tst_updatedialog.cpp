// The update-check dialog against a web service of our own on 127.0.0.1.

#include "AppDefines.h"
#include "CheckForUpdatesModal.h"
#include "Common.h"
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
        // Its answer comes before any dialog opens: a dialog shows every answer of the service.
        QSignalSpy startUp(WebUpdates::Instance(), &WebUpdates::OnNoUpdates);
        m_host = std::make_unique<DialogHost>();
        QTRY_COMPARE(m_server->Requests(), 1);
        QTRY_COMPARE(startUp.count(), 1);
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
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("download");
        QTest::newRow("newer") << 200 << QByteArray("9.0.0\n- more\n")
                               << "THERE'S A NEW VERSION OF LOBBY AVAILABLE" << Common::ColorGreen() << true;
        const QString latest = "YOU ARE USING THE LATEST VERSION OF LOBBY.";
        QTest::newRow("same") << 200 << QByteArray(qPrintable(AppDefines::GetLobbyVersion())) << latest
                              << Common::ColorMain() << false;
        const QString error = "AN ERROR OCCURRED WHILE CHECKING FOR A SOFTWARE UPDATE.";
        QTest::newRow("not found") << 404 << QByteArray("gone") << error << Common::ColorRed() << false;
        // A bad body and a timeout are errors of the update check like this one: tst_webupdates.
    }

    void Outcomes()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, headline);
        QFETCH(QColor, colour);
        QFETCH(bool, download);
        m_server->SetAnswer(Path, status, body);
        auto* dialog = new CheckForUpdatesModal();
        QSignalSpy downloads(dialog, &CheckForUpdatesModal::OnDownloadUpdatesClick);
        m_host->Open(dialog);
        QVERIFY(dialog->Busy()->IsRunning());
        QCOMPARE(dialog->Headline()->text(), Checking);
        QCOMPARE(dialog->Headline()->GetColor(), Common::ColorMain());
        QTRY_COMPARE(dialog->Headline()->palette().color(QPalette::WindowText), Common::ColorMain());
        // The request leaves after a pause, not as the dialog opens.
        QCoreApplication::processEvents();
        QCOMPARE(m_server->Requests(), 1);
        QTRY_COMPARE(m_server->Requests(), 2);
        QTRY_COMPARE(dialog->Headline()->text(), headline);
        // Its colour is set a moment after the text.
        QCOMPARE(dialog->Headline()->GetColor(), colour);
        QTRY_COMPARE(dialog->Headline()->palette().color(QPalette::WindowText), colour);
        QVERIFY(!dialog->Busy()->IsRunning() && !dialog->Busy()->isVisible());
        QCOMPARE(dialog->Detail()->isVisible(), download);
        if (download)
        {
            QCOMPARE(dialog->Detail()->text(), "UPDATE NOW TO GET THE LATEST FEATURES AND IMPROVEMENTS");
            QTRY_COMPARE(dialog->Detail()->palette().color(QPalette::WindowText), Common::ColorWhite());
        }
        QCOMPARE(dialog->DownloadButton()->isVisible(), download);
        if (download)
        {
            // Every press tells the host (which may try a failed download again); the dialog stays.
            for (int press = 1; press <= 3; ++press)
            {
                m_host->Click(dialog->DownloadButton());
                QCOMPARE(downloads.count(), press);
                QVERIFY(dialog->DownloadButton()->isEnabled() && m_host->IsOpen());
            }
        }
        QVERIFY(m_host->IsOpen());
        m_host->Key(Qt::Key_Escape);
        QVERIFY(!m_host->IsOpen());
        QCOMPARE(downloads.count(), download ? 3 : 0);
    }

    // Each answer of the service, whoever asked, shows over the one before; the offer of a new
    // version goes with a later answer and comes back with the next new version.
    void LaterAnswersOverwrite()
    {
        m_server->SetAnswer(Path, 404, "gone");
        auto* dialog = new CheckForUpdatesModal();
        QSignalSpy downloads(dialog, &CheckForUpdatesModal::OnDownloadUpdatesClick);
        m_host->Open(dialog);
        QTRY_COMPARE(m_server->Requests(), 2); // its own check
        QTRY_VERIFY(dialog->Headline()->text().startsWith("AN ERROR"));
        // Others check again.
        const auto answer = [this](int status, const QByteArray& body, int requests)
        {
            m_server->SetAnswer(Path, status, body);
            WebUpdates::CheckUpdates();
            QTRY_COMPARE(m_server->Requests(), requests);
        };
        answer(200, "9.9.9\n", 3);
        QTRY_COMPARE(dialog->Headline()->text(), "THERE'S A NEW VERSION OF LOBBY AVAILABLE");
        QTRY_COMPARE(dialog->Headline()->palette().color(QPalette::WindowText), Common::ColorGreen());
        QVERIFY(dialog->DownloadFrame()->isVisible() && dialog->Detail()->isVisible());
        answer(200, qPrintable(AppDefines::GetLobbyVersion()), 4);
        QTRY_COMPARE(dialog->Headline()->text(), "YOU ARE USING THE LATEST VERSION OF LOBBY.");
        QTRY_COMPARE(dialog->Headline()->palette().color(QPalette::WindowText), Common::ColorMain());
        QVERIFY(!dialog->DownloadFrame()->isVisible() && !dialog->Detail()->isVisible());
        answer(200, "9.9.9\n", 5);
        QTRY_VERIFY(dialog->DownloadFrame()->isVisible());
        answer(404, "gone", 6);
        QTRY_VERIFY(dialog->Headline()->text().startsWith("AN ERROR"));
        QTRY_COMPARE(dialog->Headline()->palette().color(QPalette::WindowText), Common::ColorRed());
        QVERIFY(!dialog->DownloadFrame()->isVisible() && !dialog->Detail()->isVisible());
        answer(200, "9.9.9\n", 7);
        QTRY_VERIFY(dialog->DownloadFrame()->isVisible());
        m_host->Click(dialog->DownloadButton());
        QCOMPARE(downloads.count(), 1);
        QVERIFY(m_host->IsOpen());
    }

private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<TestHttpServer> m_server;
    std::unique_ptr<DialogHost> m_host;
};

QTEST_MAIN(TestUpdateDialog)
#include "tst_updatedialog.moc"
