// The program itself on a real X server (Xvfb): one window with the background and the main
// menu, the update news from a local web service, the start and stop log, and the window
// geometry kept from one start to the next.

#include "TestEnvironment.h"
#include "TestHttpServer.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

class TestRealWindow : public QObject
{
    Q_OBJECT

private slots:
    void StartShowStopAndStartAgain();

private:
    bool Run(const QString& dataDir, const QString& web, const QString& shot, QStringList* log);
};

bool TestRealWindow::Run(const QString& dataDir, const QString& web, const QString& shot, QStringList* log)
{
    const QString program =
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../../../quillmere");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.insert("SPRING_WRITEDIR", dataDir);
    env.insert("QUILLMERE_AUTOQUIT_MS", "5000");
    env.insert("QUILLMERE_WEB_BASE", web);
    env.insert("QT_GSTREAMER_PLAYBIN_AUDIOSINK", "fakesink");
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    const QString script = shot.isEmpty()
                               ? QStringLiteral("\"$0\"")
                               : QStringLiteral("\"$0\" & sleep 3; import -window root \"$1\"; wait");
    process.start("xvfb-run", {"-a", "-s", "-screen 0 1280x1024x24", "sh", "-c", script, program, shot});
    if (!process.waitForStarted(10000))
        return false;
    // The local web service answers from this event loop while the program runs.
    QElapsedTimer timer;
    timer.start();
    while (process.state() != QProcess::NotRunning && timer.elapsed() < 60000)
    {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        process.waitForFinished(50);
    }
    const QString output = QString::fromUtf8(process.readAll());
    *log = output.split('\n');
    if (process.state() != QProcess::NotRunning)
    {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void TestRealWindow::StartShowStopAndStartAgain()
{
    TestEnvironment env;
    QM_REQUIRE(!QStandardPaths::findExecutable("xvfb-run").isEmpty(), "xvfb-run (xvfb)");
    QM_REQUIRE(!QStandardPaths::findExecutable("import").isEmpty(), "import (imagemagick)");
    TestHttpServer server;
    QM_REQUIRE(server.isListening(), "a local TCP port");
    server.SetAnswer("/updates/lobby.txt", 200, "9.0\n9.0\n- a newer lobby\n");

    const QString data = env.Path("run");
    const QString shot = env.Path("shot.png");
    QStringList log;
    QVERIFY2(Run(data, server.BaseAddress(), shot, &log), qPrintable(log.join('\n')));

    // One window on the screen: the game's background picture and the main menu over it.
    const QImage picture(shot);
    QCOMPARE(picture.size(), QSize(1280, 1024));
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 16)
        for (int x = 0; x < picture.width(); x += 16)
            colours << picture.pixel(x, y);
    QVERIFY2(colours.size() > 200, qPrintable(QString::number(colours.size())));
    // Outside the window the root stays black; the window itself is centred.
    QCOMPARE(QColor(picture.pixel(5, 5)), QColor(Qt::black));
    QVERIFY(QColor(picture.pixel(640, 200)) != QColor(Qt::black));

    // The start and stop lines in their order.
    const QStringList order = {"Initialize :: CORE UI --------------- START",
                               "Initialize :: PageStorageManager",
                               "Initialize :: PageManager",
                               "Initialize :: BackgroundManager",
                               "Initialize :: GUI",
                               "Initialize :: MainWindow",
                               "Initialize :: CORE UI --------------- STOP",
                               "INFO :: START --- CurrentPath",
                               "PageManager :: PAGE --- EXIT       EMPTY --> Intro Movie",
                               "PageManager :: PAGE --- EXIT       Intro Movie --> Main Menu",
                               "GUI :: NEW UPDATE --- Lobby 9.0",
                               "Destroy :: CORE UI --------------- START",
                               "Destroy :: GUI",
                               "Destroy :: BackgroundManager",
                               "Destroy :: PageManager",
                               "Destroy :: PageStorageManager",
                               "Destroy :: MainWindow",
                               "Destroy :: CORE UI --------------- STOP",
                               "Stop logging!"};
    int at = 0;
    for (const QString& line : log)
    {
        if (at < order.size() && line.startsWith(order.at(at)))
            ++at;
    }
    QVERIFY2(at == order.size(), qPrintable("missing: " + order.value(at) + "\n" + log.join('\n')));
    QVERIFY(!log.join('\n').contains("NO background pictures"));
    QCOMPARE(server.Paths(), QStringList{"/updates/lobby.txt"});

    // Closing stored the geometry; the next start uses it.
    const QString settingsFile = data + "/gamelobby/lobby.settings.txt";
    {
        QSettings settings(settingsFile, QSettings::IniFormat);
        settings.beginGroup("AppSettings.Main");
        QVERIFY(settings.contains("WindowPos"));
        QVERIFY(settings.contains("WindowSize"));
        QVERIFY(settings.contains("WindowState"));
        QCOMPARE(settings.value("WindowSize").toSize(), QSize(1152, 960));
        settings.setValue("WindowPos", QPoint(40, 50));
        settings.setValue("WindowSize", QSize(1100, 900));
        settings.setValue("ShowIntroMovie", false);
    }
    QVERIFY2(Run(data, server.BaseAddress(), QString(), &log), qPrintable(log.join('\n')));
    QVERIFY2(log.contains("MainWindow :: GEOMETRY --- 40 50 1100 900"), qPrintable(log.join('\n')));
    QVERIFY(!log.join('\n').contains("Intro Movie"));
    QSettings settings(settingsFile, QSettings::IniFormat);
    QCOMPARE(settings.value("AppSettings.Main/WindowPos").toPoint(), QPoint(40, 50));
    QCOMPARE(settings.value("AppSettings.Main/WindowSize").toSize(), QSize(1100, 900));
}

QTEST_MAIN(TestRealWindow)
#include "tst_realwindow.moc"
