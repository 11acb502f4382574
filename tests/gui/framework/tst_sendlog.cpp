// The send-log dialog against a web service of our own on 127.0.0.1.
#include "AppDefines.h"
#include "AppSettings.h"
#include "FrameKit.h"
#include "GIFWidget.h"
#include "LogFilesWorker.h"
#include "ModalPage.h"
#include "NButtonBase.h"
#include "NImageLabel.h"
#include "NLineEdit.h"
#include "PathManager.h"
#include "SendLogModal.h"
#include "SoundManager.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "TestHttpServer.h"
#include "WebLog.h"

#include <QBuffer>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTextBrowser>
#include <QtTest>

namespace
{
// The decoded fields of the last upload, by name.
QMap<QString, QByteArray> Form(const QByteArray& body)
{
    QMap<QString, QByteArray> fields;
    for (const QByteArray& pair : body.split('&'))
    {
        const QByteArray value = QByteArray::fromPercentEncoding(pair.mid(pair.indexOf('=') + 1));
        const QString name = QString::fromLatin1(pair.left(pair.indexOf('=')));
        fields[name] =
            name.contains("log") || name.contains("screenshot") ? QByteArray::fromBase64(value) : value;
    }
    return fields;
}

QImage Picture(const QColor& color)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

void Key(int key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    ModalPage::Instance()->keyPress(&event);
}
} // namespace

class TestSendLog : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<TestHttpServer> m_server;
    QStringList m_sounds;

    PathManager* Paths() { return PathManager::Instance(); }

    // The dialog on the modal page, shown, once its logs and screenshots are in.
    SendLogModal* Open()
    {
        auto* dialog = new SendLogModal();
        ModalPage::Instance()->setModalWidget(dialog);
        ModalPage::Instance()->resize(1152, 960);
        ModalPage::Instance()->show();
        QTest::qWait(400);
        return dialog;
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_server = std::make_unique<TestHttpServer>();
        QM_REQUIRE(m_server->isListening(), "a local TCP port");
        m_server->SetAnswer("/api/upload_log.php", 200, "OK");
        AppDefines::Instance()->SetWebBaseAddress(m_server->BaseAddress());
        Paths()->SetLobbyLogFile(Paths()->GetLobbyLogsDir() + "/run_gamelobby.log");
        QVERIFY(TestFiles::Write(Paths()->GetLobbyLogFile(), "lobby line\n"));
        QVERIFY(TestFiles::Write(Paths()->GetEngineLogFile(), "engine line\n"));
        m_sounds.clear();
        FrameKit::SetSoundRecorder([this](const QString& sound) { m_sounds << sound; });
    }

    void cleanup()
    {
        ModalPage::Destroy();
        FrameKit::SetSoundRecorder(nullptr);
        SoundManager::DestroyInstance();
        m_server.reset();
        m_env.reset();
    }

    void NoScreenshotToShow_data()
    {
        QTest::addColumn<QStringList>("files"); // in the engine's screenshots folder
        QTest::addColumn<bool>("staleCopy");    // a game screenshot copy left from an earlier run
        QTest::newRow("empty folder") << QStringList() << false;
        QTest::newRow("no picture files") << QStringList{"notes.txt", "broken.png"} << false;
        QTest::newRow("a copy from an earlier run") << QStringList() << true;
    }

    void NoScreenshotToShow()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, staleCopy);
        QDir().mkpath(Paths()->GetEngineScreenshotsDir());
        for (const QString& file : files)
            QVERIFY(TestFiles::Write(Paths()->GetEngineScreenshotsDir() + "/" + file, "not a picture"));
        if (staleCopy)
            QVERIFY(Picture(Qt::red).save(Paths()->GetGameScreenshotFile(), "JPEG"));
        QFile::remove(Paths()->GetEngineLogFile());

        SendLogModal* dialog = Open();
        QVERIFY(!dialog->GetGameScreenshot());
        QVERIFY(!dialog->GetLobbyScreenshot());
        for (const QFrame* frame : dialog->findChildren<QFrame*>())
            QVERIFY(frame->objectName() != "FrameBlackBox");
        QCOMPARE(QFile::exists(Paths()->GetGameScreenshotFile()), staleCopy);
        QTRY_COMPARE(dialog->GetLobbyLogView()->toPlainText(), QString("lobby line\n"));
        QCOMPARE(dialog->GetGameLogView()->toPlainText(), QString());
        QVERIFY(m_env->LogContains("SendLogModal :: Game Log file can NOT be opened " +
                                   Paths()->GetEngineLogFile()));

        // Only what the dialog shows is sent.
        dialog->GetSendButton()->click();
        QTRY_COMPARE(m_server->Requests(), 1);
        const auto form = Form(m_server->LastBody());
        QCOMPARE(form.value("game_screenshot"), QByteArray());
        QCOMPARE(form.value("lobby_screenshot"), QByteArray());
        QCOMPARE(form.value("game_log"), QByteArray("Game Log file can NOT be opened"));
        QCOMPARE(form.value("lobby_log"), QByteArray("lobby line\n"));
    }

    void ThreeScreenshots()
    {
        const QString folder = Paths()->GetEngineScreenshotsDir();
        QDir().mkpath(folder);
        const QDateTime now = QDateTime::currentDateTime();
        // Written in another order than their times; the newest file is no picture.
        const struct
        {
            const char* name;
            QColor color;
            int age;
        } shots[] = {{"b.png", Qt::blue, 20}, {"c.bmp", Qt::green, 5}, {"a.png", Qt::red, 60}};
        for (const auto& shot : shots)
        {
            const QString path = folder + "/" + shot.name;
            QVERIFY(Picture(shot.color).save(path));
            QVERIFY(TestFiles::SetModified(path, now.addSecs(-shot.age)));
        }
        QVERIFY(TestFiles::Write(folder + "/readme.txt", "newest, but not a picture"));
        QVERIFY(Picture(Qt::yellow).save(Paths()->GetLobbyScreenshotFile(), "JPEG", 85));

        SendLogModal* dialog = Open();
        QVERIFY(dialog->GetGameScreenshot() && dialog->GetLobbyScreenshot());
        // The newest picture, copied as JPEG of quality 85.
        QTRY_VERIFY(QFile::exists(Paths()->GetGameScreenshotFile()));
        QCOMPARE(QImageReader(Paths()->GetGameScreenshotFile()).format(), QByteArray("jpeg"));
        QByteArray expected;
        QBuffer buffer(&expected);
        QVERIFY(QImage(folder + "/c.bmp").save(&buffer, "JPEG", 85));
        QCOMPARE(TestFiles::Read(Paths()->GetGameScreenshotFile()), expected);
        const QImage shown = dialog->GetGameScreenshot()->pixmap(Qt::ReturnByValue).toImage();
        QCOMPARE(shown.size(), dialog->GetGameScreenshot()->size());
        QCOMPARE(QColor(shown.pixel(shown.width() / 2, shown.height() / 2)), QColor(Qt::green));

        dialog->GetSendButton()->click();
        QTRY_COMPARE(m_server->Requests(), 1);
        const auto form = Form(m_server->LastBody());
        QCOMPARE(form.value("game_screenshot"), expected);
        QCOMPARE(form.value("lobby_screenshot"), TestFiles::Read(Paths()->GetLobbyScreenshotFile()));
        QCOMPARE(form.value("game_log"), QByteArray("engine line\n"));
    }

    void SendingAndItsOutcome_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("outcome"); // its colour: the gallery's
        QTest::newRow("sent") << 200 << "LOGS SENT";
        QTest::newRow("refused by the service") << 500 << "ERROR, LOGS NOT SENT";
    }

    void SendingAndItsOutcome()
    {
        QFETCH(int, status);
        QFETCH(QString, outcome);
        AppSettingsSpringConnection::Instance()->Login = QString(120, 'n');
        SendLogModal* dialog = Open();
        QCOMPARE(dialog->GetNameField()->text(), QString(100, 'n'));
        // The box keeps the last 200 paragraphs.
        QStringList lines;
        for (int i = 1; i <= 250; ++i)
            lines << QString("line %1").arg(i);
        dialog->GetDescription()->setPlainText(lines.join('\n'));
        QCOMPARE(dialog->GetDescription()->document()->blockCount(), 200);
        QVERIFY(dialog->GetDescription()->toPlainText().startsWith("line 51\n"));

        // Send with every field empty: sent as it is.
        dialog->GetNameField()->clear();
        dialog->GetDescription()->clear();
        m_server->SetAnswer("/api/upload_log.php", 0, QByteArray());
        // Long enough for the whole body to reach the service on a loaded machine.
        dialog->GetUploader()->SetTimeout(1000);
        Key(Qt::Key_Return);
        QVERIFY(!dialog->GetSendButton()->isEnabled());
        QVERIFY(!dialog->GetCloseButton()->isEnabled());
        QVERIFY(dialog->GetBusyAnimation()->IsRunning());
        QVERIFY(dialog->GetStatus()->isVisible());
        QCOMPARE(dialog->GetStatus()->text(), QString("SENDING LOGS"));
        QTRY_COMPARE(m_server->Requests(), 1);
        QCOMPARE(Form(m_server->LastBody()).value("message"), QByteArray("EMPTY"));
        QCOMPARE(m_sounds, QStringList{"button.on"});

        // While it runs, Return and Escape reach disabled buttons only.
        QSignalSpy exit(dialog, SIGNAL(OnModalExit()));
        Key(Qt::Key_Return);
        Key(Qt::Key_Escape);
        QTest::qWait(100);
        QCOMPARE(m_server->Requests(), 1);
        QCOMPARE(exit.count(), 0);

        // The hanging upload is cut short, and the service answers a second one.
        QTRY_COMPARE(dialog->GetStatus()->text(), QString("ERROR, LOGS NOT SENT"));
        QTRY_VERIFY_WITH_TIMEOUT(dialog->GetSendButton()->isEnabled(), 5000);
        m_server->SetAnswer("/api/upload_log.php", status, "answer");
        dialog->GetSendButton()->click();
        QTRY_COMPARE(dialog->GetStatus()->text(), outcome);
        // The outcome stays for a while with the buttons still off, then the dialog is idle again.
        QVERIFY(!dialog->GetSendButton()->isEnabled() && !dialog->GetCloseButton()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(dialog->GetSendButton()->isEnabled(), 5000);
        QVERIFY(dialog->GetCloseButton()->isEnabled());
        QVERIFY(!dialog->GetBusyAnimation()->IsRunning());
        QVERIFY(!dialog->GetStatus()->isVisible());
        QCOMPARE(m_server->Requests(), 2);

        Key(Qt::Key_Escape);
        QCOMPARE(exit.count(), 1);
        QCOMPARE(m_sounds.last(), QString("button.off"));
    }

    void LargeLobbyLogKeepsTheInterfaceResponsive()
    {
        // 50 MB of log; the first and last lines are marked.
        QByteArray lines;
        for (int i = 0; i < 1000; ++i)
            lines += "12:00:00 SyncManager :: SCAN --- /home/player/.spring/maps/some_map_" +
                     QByteArray::number(i) + ".sd7\n";
        QFile file(Paths()->GetLobbyLogFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("FIRST LINE\n");
        while (file.size() < 50 * 1024 * 1024)
            file.write(lines);
        file.write("LAST LINE\n");
        file.close();
        const qint64 size = file.size();

        // A timer of the GUI thread counts the turns of the event loop it gets.
        int ticks = 0;
        QTimer timer;
        timer.setInterval(5);
        connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start();

        auto* dialog = new SendLogModal();
        // The log arrives later, from the worker: building the dialog does not read it.
        QCOMPARE(dialog->GetLobbyLogView()->toPlainText(), QString());
        ModalPage::Instance()->setModalWidget(dialog);
        QTRY_VERIFY(dialog->GetLobbyLogView()->toPlainText().endsWith("LAST LINE\n"));
        const QString shown = dialog->GetLobbyLogView()->toPlainText();
        QVERIFY(!shown.contains("FIRST LINE"));
        QVERIFY(shown.toUtf8().size() <= SendLogModal::MaxLogViewBytes);
        QVERIFY(shown.startsWith("12:00:00 SyncManager"));
        // The view opens at its top.
        ModalPage::Instance()->resize(1152, 960);
        ModalPage::Instance()->show();
        const QScrollBar* bar = dialog->GetLobbyLogView()->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), 0);

        // Sending reads and encodes the log's end while the interface goes on.
        const int before = ticks;
        dialog->GetSendButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(dialog->GetStatus()->text(), QString("LOGS SENT"), 60000);
        const QByteArray sent = Form(m_server->LastBody()).value("lobby_log");
        QVERIFY(size > LogFilesWorker::MaxUploadLogBytes && sent.size() <= LogFilesWorker::MaxUploadLogBytes);
        QVERIFY(sent.startsWith("12:00:00 SyncManager") && sent.endsWith("LAST LINE\n"));
        QVERIFY2(ticks - before >= 10, "the GUI thread stood still while the log was sent");
    }
};

QTEST_MAIN(TestSendLog)
#include "tst_sendlog.moc"
