// The program on a real X server (Xvfb) driven by real key presses and mouse clicks (xdotool):
// F12 saves the lobby screenshot, Ctrl+Shift+Z flips the admin flag, main-menu buttons lead to
// their pages and Back or Escape lead home, Alt+Return in the quit dialog switches full screen
// without answering it, and Escape then Return quit through the dialog.

#include "AboutPage.h"
#include "AppDefines.h"
#include "GuiFonts.h"
#include "MainMenuPage.h"
#include "NPageID.h"
#include "TestEnvironment.h"
#include "TestHttpServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

#include <cstdio>
#include <signal.h>

#include <sys/types.h>

namespace
{
// The program under xvfb-run, its log read line by line while it runs, and xdotool talking to
// the same X server.
class XSession
{
public:
    ~XSession()
    {
        // A failure message is cut short; the whole program log tells what happened. The test's
        // own log is captured, so it goes straight to the error output.
        if (QTest::currentTestFailed())
        {
            for (const QString& line : m_lines)
                std::fprintf(stderr, "program: %s\n", line.toLocal8Bit().constData());
        }
        if (m_process.state() == QProcess::NotRunning)
            return;
        // The program first: xvfb-run then takes its X server down by itself.
        if (m_pid > 0)
        {
            ::kill(pid_t(m_pid), SIGTERM);
            if (!m_process.waitForFinished(5000))
                ::kill(pid_t(m_pid), SIGKILL);
        }
        if (!m_process.waitForFinished(5000))
        {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    bool Start(const QString& program, const QProcessEnvironment& env)
    {
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        // The first line tells the program's process id (the shell becomes the program) and which
        // display (and its key) it got.
        const QString script = QStringLiteral("echo \"XSESSION $$ $DISPLAY $XAUTHORITY\"; exec \"$0\"");
        m_process.start("xvfb-run", {"-a", "-s", "-screen 0 1280x1024x24", "sh", "-c", script, program});
        if (!m_process.waitForStarted(10000))
            return false;
        const QString first = WaitForLine("XSESSION ", 15000);
        const QStringList parts = first.split(' ', Qt::SkipEmptyParts);
        if (parts.size() < 3)
            return false;
        m_pid = parts.at(1).toLongLong();
        m_display = parts.at(2);
        m_xauthority = parts.value(3);
        return true;
    }

    // The first log line starting with `prefix` after those already matched, or empty on timeout.
    QString WaitForLine(const QString& prefix, int timeoutMs)
    {
        QElapsedTimer timer;
        timer.start();
        for (;;)
        {
            for (; m_next < m_lines.size(); ++m_next)
            {
                if (m_lines.at(m_next).startsWith(prefix))
                    return m_lines.at(m_next++);
            }
            if (timer.elapsed() > timeoutMs || (m_process.state() == QProcess::NotRunning && !ReadLines()))
                return QString();
            // The local web service answers from this event loop as well.
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            m_process.waitForReadyRead(20);
            ReadLines();
        }
    }

    bool WaitForExit(int timeoutMs)
    {
        QElapsedTimer timer;
        timer.start();
        while (m_process.state() != QProcess::NotRunning && timer.elapsed() < timeoutMs)
        {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            m_process.waitForFinished(20);
        }
        ReadLines();
        if (!m_partial.isEmpty())
            m_lines << QString::fromUtf8(m_partial);
        m_partial.clear();
        return m_process.state() == QProcess::NotRunning && m_process.exitStatus() == QProcess::NormalExit &&
               m_process.exitCode() == 0;
    }

    // Runs xdotool on the program's display; false (and a log line) when it failed.
    bool Xdo(const QStringList& args, QString* output = nullptr)
    {
        QProcess xdo;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", m_display);
        if (!m_xauthority.isEmpty())
            env.insert("XAUTHORITY", m_xauthority);
        xdo.setProcessEnvironment(env);
        xdo.start("xdotool", args);
        const bool finished = xdo.waitForFinished(10000);
        if (!finished)
        {
            xdo.kill();
            xdo.waitForFinished();
        }
        if (!finished || xdo.exitStatus() != QProcess::NormalExit || xdo.exitCode() != 0)
        {
            m_lines << "xdotool " + args.join(' ') +
                           " FAILED: " + QString::fromUtf8(xdo.readAllStandardError());
            return false;
        }
        if (output)
            *output = QString::fromUtf8(xdo.readAllStandardOutput()).trimmed();
        return true;
    }

    // A line of the test's own among the program's, for the log shown on failure.
    void Note(const QString& line) { m_lines << "TEST: " + line; }
    QStringList Lines() const { return m_lines; }

private:
    bool ReadLines()
    {
        const QByteArray bytes = m_process.readAll();
        if (bytes.isEmpty())
            return false;
        m_partial += bytes;
        int end;
        while ((end = m_partial.indexOf('\n')) >= 0)
        {
            m_lines << QString::fromUtf8(m_partial.left(end));
            m_partial.remove(0, end + 1);
        }
        return true;
    }

    QProcess m_process;
    QByteArray m_partial;
    QStringList m_lines;
    int m_next = 0;
    qint64 m_pid = 0;
    QString m_display;
    QString m_xauthority;
};

// Where a widget's centre lies in its page, the page laid out at the window's size with the
// program's own fonts: the pages fill the window from its top left corner.
QPoint CentreInPage(QWidget* page, QWidget* widget, const QSize& size)
{
    page->setFixedSize(size);
    page->show();
    QCoreApplication::processEvents();
    return widget->mapTo(page, widget->rect().center());
}
} // namespace

class TestRealInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiFonts::LoadFonts(); }
    void KeysAndClicks();
};

void TestRealInput::KeysAndClicks()
{
    TestEnvironment env;
    QM_REQUIRE(!QStandardPaths::findExecutable("xvfb-run").isEmpty(), "xvfb-run (xvfb)");
    QM_REQUIRE(!QStandardPaths::findExecutable("xdotool").isEmpty(), "xdotool");
    TestHttpServer server;
    QM_REQUIRE(server.isListening(), "a local TCP port");
    server.SetAnswer("/updates/lobby.txt", 404, "");

    const QString data = env.Path("run");
    const QString settingsFile = data + "/gamelobby/lobby.settings.txt";
    QVERIFY(QDir().mkpath(data + "/gamelobby"));
    {
        QSettings settings(settingsFile, QSettings::IniFormat);
        settings.setValue("AppSettings.Main/ShowIntroMovie", false);
        // A window, not the full screen of a first start: the full-screen chord switches it below.
        settings.setValue("AppSettings.Main/WindowPos", QPoint(10, 20));
        settings.setValue("AppSettings.Main/WindowSize", QSize(1152, 960));
        settings.setValue("AppSettings.Main/WindowState", 0);
        settings.setValue("AppSettings.Spring.MyPersonal/IsAdmin", false);
    }

    const QString program =
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../../../quillmere");
    QProcessEnvironment penv = QProcessEnvironment::systemEnvironment();
    penv.remove("QT_QPA_PLATFORM");
    penv.insert("SPRING_WRITEDIR", data);
    penv.insert("QUILLMERE_WEB_BASE", server.BaseAddress());
    penv.insert("QT_GSTREAMER_PLAYBIN_AUDIOSINK", "fakesink");
    // Only a safety net should this test itself die: it quits through the dialog long before.
    penv.insert("QUILLMERE_AUTOQUIT_MS", "120000");

    XSession x;
    QVERIFY2(x.Start(program, penv), "see the program log");
    const auto Seen = [&](const QString& line) { return !x.WaitForLine(line, 10000).isEmpty(); };

    const QString geometry = x.WaitForLine("MainWindow :: GEOMETRY --- ", 10000);
    QVERIFY2(!geometry.isEmpty(), "see the program log");
    const QStringList g = geometry.section("--- ", 1).split(' ');
    QCOMPARE(g.size(), 4);
    const QPoint origin(g.at(0).toInt(), g.at(1).toInt());
    const QSize size(g.at(2).toInt(), g.at(3).toInt());
    QVERIFY2(Seen("PageManager :: PAGE --- EXIT       EMPTY --> Main Menu"), "see the program log");
    // The splash screen is gone after this.
    QVERIFY2(Seen("START --------------- STOP"), "see the program log");

    // The window must be on the screen and hold the keyboard focus; no window manager gives it.
    QString window;
    QVERIFY2(x.Xdo({"search", "--sync", "--onlyvisible", "--name", "^" + AppDefines::GetProductName() + ' '},
                   &window),
             "see the program log");
    window = window.section('\n', 0, 0);
    QVERIFY2(x.Xdo({"windowfocus", "--sync", window}), "see the program log");
    QString where;
    QVERIFY2(x.Xdo({"getwindowgeometry", "--shell", window}, &where), "see the program log");
    QVERIFY2(where.contains(QStringLiteral("X=%1\n").arg(origin.x())) &&
                 where.contains(QStringLiteral("Y=%1\n").arg(origin.y())),
             qPrintable(where));

    // F12: the lobby screenshot, a JPEG of the whole window.
    QVERIFY(x.Xdo({"key", "F12"}));
    const QString shotLine = x.WaitForLine("MainWindow :: SCREENSHOT --- ", 10000);
    const QString shotFile = QDir(data).filePath("gamelobby/screenshot.lobby.jpeg");
    QCOMPARE(shotLine, "MainWindow :: SCREENSHOT --- " + shotFile);
    QImageReader reader(shotFile);
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage shot = reader.read();
    QVERIFY2(!shot.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(shot.size(), size);
    // The background and the menu, not an empty grab.
    QSet<QRgb> colours;
    for (int py = 0; py < shot.height(); py += 16)
        for (int px = 0; px < shot.width(); px += 16)
            colours << shot.pixel(px, py);
    QVERIFY2(colours.size() > 200, qPrintable(QString::number(colours.size())));

    // Ctrl+Shift+Z: the admin flag flips (the file is checked after the program has closed).
    QVERIFY(x.Xdo({"key", "ctrl+shift+z"}));

    // The menu buttons where the program lays them out at this window size.
    MainMenuPage menu;
    QPoint about, replays;
    for (QPushButton* button : menu.GetPageButtons())
    {
        if (button->property("PAGE_ID").toInt() == ID_ABOUT)
            about = CentreInPage(&menu, button, size);
        else if (button->property("PAGE_ID").toInt() == ID_REPLAYS)
            replays = CentreInPage(&menu, button, size);
    }
    AboutPage aboutPage;
    const QPoint back = CentreInPage(&aboutPage, aboutPage.GetBackButton(), size);
    QVERIFY(!about.isNull() && !replays.isNull() && !back.isNull());
    const auto click = [&](const QPoint& at)
    {
        const QPoint screen = origin + at;
        x.Note(QStringLiteral("click at %1 %2").arg(screen.x()).arg(screen.y()));
        return x.Xdo(
            {"mousemove", "--sync", QString::number(screen.x()), QString::number(screen.y()), "click", "1"});
    };

    // About, and home with its Back button.
    QVERIFY(click(about));
    QVERIFY2(Seen("PageManager :: PAGE --- EXIT       Main Menu --> About"), "see the program log");
    QVERIFY(click(back));
    QVERIFY2(Seen("PageManager :: PAGE --- EXIT       About --> Main Menu"), "see the program log");

    // Replays, and home with Escape.
    QVERIFY(click(replays));
    QVERIFY2(Seen("PageManager :: PAGE --- EXIT       Main Menu --> Replays"), "see the program log");
    QVERIFY(x.Xdo({"key", "Escape"}));
    QVERIFY2(Seen("PageManager :: PAGE --- EXIT       Replays --> Main Menu"), "see the program log");

    // Escape on the main menu asks before quitting. Alt+Return there switches full screen and
    // answers nothing: the question is still open for Escape.
    QVERIFY(x.Xdo({"key", "Escape"}));
    QVERIFY2(Seen("PageManager :: PAGE --- EXIT       Main Menu --> MODAL --- MESSAGE BOX"),
             "see the program log");
    QVERIFY(x.Xdo({"key", "alt+Return"}));
    QVERIFY(x.Xdo({"key", "Escape"}));
    QVERIFY2(Seen("PageManager :: PAGE --- EXIT       MODAL --> Main Menu"), "see the program log");
    // Asked again, Return answers yes and the program closes.
    QVERIFY(x.Xdo({"key", "Escape"}));
    QVERIFY2(Seen("PageManager :: PAGE --- EXIT       Main Menu --> MODAL --- MESSAGE BOX"),
             "see the program log");
    QVERIFY(x.Xdo({"key", "Return"}));
    QVERIFY2(x.WaitForExit(15000), "see the program log");
    QVERIFY2(x.Lines().contains("Stop logging!"), "see the program log");
    QCOMPARE(x.Lines().filter("GUI :: QUIT").size(), 1);
    for (const QString& line : x.Lines())
        QVERIFY2(!line.contains("TWICE") && !line.contains("CAN NOT SAVE"), qPrintable(line));

    QSettings settings(settingsFile, QSettings::IniFormat);
    QCOMPARE(settings.value("AppSettings.Spring.MyPersonal/IsAdmin").toBool(), true);
    QCOMPARE(settings.value("AppSettings.Main/WindowPos").toPoint(), origin);
    QCOMPARE(settings.value("AppSettings.Main/WindowSize").toSize(), size);
    QCOMPARE(settings.value("AppSettings.Main/WindowState").toInt(), int(Qt::WindowFullScreen));
}

QTEST_MAIN(TestRealInput)
#include "tst_realinput.moc"
