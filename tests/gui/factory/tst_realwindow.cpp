// The program itself on a real X server (Xvfb): the first start covers the screen with the
// background and the main menu, the update news from a local web service, the page and quit log,
// the window geometry kept from one start to the next (and fitted to the screen, whatever the file
// says, frame and title bar included under a window manager, and shown again after a close while
// minimized), and the intro movie drawn without any GL driver. Then real key presses and mouse
// clicks (xdotool): main-menu buttons lead to their pages and Back or Escape lead home, Alt+Return
// in the quit dialog switches full screen without answering it, and Escape then Return quit
// through the dialog.

#include "AboutPage.h"
#include "AppDefines.h"
#include "GuiFonts.h"
#include "MainMenuPage.h"
#include "NPageID.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "TestHttpServer.h"
#include "XSession.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

namespace
{
struct Session
{
    QString screen = QStringLiteral("1280x1024");
    int quitMs = 5000;
    // The shot is taken this long after the first log line starting with `shotAfter` (a slow
    // start-up, under a sanitizer say, would otherwise show the splash screen).
    QString shotAfter = QStringLiteral("MainWindow :: PAINTED");
    int shotAtMs = 500;
    bool shot = false;
    // Under a window manager: the whole window, its frame included, must come to lie on the
    // screen; with `minimize` it is then minimized, and closes so.
    bool framed = false;
    bool minimize = false;
    // Under a window manager: the window is then maximized or made normal again by a double click on
    // its title bar, and must come to `toggledTo` (any other size when that is empty).
    bool toggleMaximized = false;
    QSize toggledTo;
};

QString Program()
{
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../../../quillmere");
}

// How many colours a picture shows, sampled every 16 pixels: a real page shows hundreds.
int Colours(const QImage& picture)
{
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 16)
        for (int x = 0; x < picture.width(); x += 16)
            colours << picture.pixel(x, y);
    return colours.size();
}

// Share of the sampled points of `area` that are not black.
double Lit(const QImage& picture, const QRect& area)
{
    int lit = 0, all = 0;
    for (int y = area.top(); y <= area.bottom(); y += 8)
        for (int x = area.left(); x <= area.right(); x += 8, ++all)
            lit += QColor(picture.pixel(x, y)) != QColor(Qt::black);
    return all ? double(lit) / all : 0;
}

// Where a widget's centre lies in its page, the page laid out at the window's size with the
// program's own fonts: the pages fill the window from its top left corner.
QPoint CentreInPage(QWidget* page, QWidget* widget, const QSize& size)
{
    page->setFixedSize(size);
    page->show();
    QCoreApplication::processEvents();
    return widget->mapTo(page, widget->rect().center());
}

// The program's window, once it is on the screen. The search fails when a window (the splash
// screen) goes while it looks: it is tried again.
QString FindWindow(XSession& x)
{
    QString window;
    for (int attempt = 0; attempt < 3 && window.isEmpty(); ++attempt)
        x.Xdo({"search", "--sync", "--onlyvisible", "--name", "^" + AppDefines::GetProductName() + ' '},
              &window);
    return window.section('\n', 0, 0);
}

// The window's inside on the screen, as the X server tells it.
QRect Inside(XSession& x, const QString& window)
{
    QString inside;
    if (!x.Tool("xwininfo", {"-id", window}, &inside))
        return QRect();
    x.Note("inside of " + window + ": " + inside.simplified());
    const QRegularExpressionMatch at =
        QRegularExpression("X: *(-?\\d+).*?Y: *(-?\\d+).*?Width: *(\\d+).*?Height: *(\\d+)",
                           QRegularExpression::DotMatchesEverythingOption)
            .match(inside);
    return at.hasMatch() ? QRect(at.captured(1).toInt(), at.captured(2).toInt(), at.captured(3).toInt(),
                                 at.captured(4).toInt())
                         : QRect();
}

// The window's outer rectangle on the screen, its frame (title bar) included, as the X server and
// the window manager tell it.
QRect Frame(XSession& x, const QString& window)
{
    QString extents;
    const QRect inside = Inside(x, window);
    if (!inside.isValid() || !x.Tool("xprop", {"-id", window, "_NET_FRAME_EXTENTS"}, &extents))
        return QRect();
    x.Note("frame extents of " + window + ": " + extents);
    const QStringList frame = extents.section('=', 1).split(','); // left, right, top, bottom
    return frame.size() != 4
               ? QRect()
               : inside.adjusted(-frame[0].toInt(), -frame[2].toInt(), frame[1].toInt(), frame[3].toInt());
}

// A double click on the title bar, which maximizes a window or makes a maximized one normal again,
// then the wait until its inside has that size (or, without one, another size than before).
bool ToggleMaximized(XSession& x, const QString& window, const QSize& size)
{
    const QRect outer = Frame(x, window);
    const QRect inside = Inside(x, window);
    if (!outer.isValid() || inside.top() - outer.top() < 4)
        return false;
    const QPoint title(outer.center().x(), (outer.top() + inside.top()) / 2);
    if (!x.Xdo({"mousemove", "--sync", QString::number(title.x()), QString::number(title.y()), "click",
                "--repeat", "2", "--delay", "80", "1"}))
        return false;
    for (int attempt = 0; attempt < 50; ++attempt, x.Wait(100))
    {
        const QSize now = Inside(x, window).size();
        if (size.isEmpty() ? now.isValid() && now != inside.size() : now == size)
            return true;
    }
    return false;
}

// Whether the whole window comes to lie on the screen; the window manager carries out the
// program's moves in its own time.
bool FrameOnScreen(XSession& x, const QString& window, const QRect& screen)
{
    for (int attempt = 0; attempt < 50; ++attempt, x.Wait(100))
    {
        if (screen.contains(Frame(x, window)))
            return true;
    }
    return false;
}
} // namespace

class TestRealWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void StartShowStopAndStartAgain();
    void IntroMovieWithoutGl();
    void KeysAndClicks();

private:
    QProcessEnvironment Environment(const QString& dataDir, int quitMs) const;
    // Runs the program; with `shot`, takes a screen shot (shot.png) and the program's memory map
    // (maps.txt) while it runs.
    bool Run(const QString& dataDir, const Session& session, QStringList* log);

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<TestHttpServer> m_server;
};

void TestRealWindow::initTestCase()
{
    GuiFonts::LoadFonts();
    m_env = std::make_unique<TestEnvironment>();
    m_server = std::make_unique<TestHttpServer>();
    m_server->SetAnswer("/updates/lobby.txt", 200, "9.0\n9.0\n- a newer lobby\n");
}

QProcessEnvironment TestRealWindow::Environment(const QString& dataDir, int quitMs) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.insert("SPRING_WRITEDIR", dataDir);
    env.insert("QUILLMERE_AUTOQUIT_MS", QString::number(quitMs));
    env.insert("QUILLMERE_WEB_BASE", m_server->BaseAddress());
    env.insert("QT_GSTREAMER_PLAYBIN_AUDIOSINK", "fakesink");
    return env;
}

bool TestRealWindow::Run(const QString& dataDir, const Session& session, QStringList* log)
{
    XSession x;
    bool ok = x.Start(Program(), Environment(dataDir, session.quitMs), session.screen, session.framed);
    if (ok && session.framed)
    {
        const QString window =
            x.WaitForLine("MainWindow :: PAINTED", 60000).isEmpty() ? QString() : FindWindow(x);
        const QStringList size = session.screen.split('x');
        ok = !window.isEmpty() && FrameOnScreen(x, window, QRect(0, 0, size[0].toInt(), size[1].toInt())) &&
             (!session.minimize || x.Xdo({"windowminimize", "--sync", window})) &&
             (!session.toggleMaximized || ToggleMaximized(x, window, session.toggledTo));
        if (!ok)
            x.Note("the window was not wholly on the screen, or not as it was asked to be");
    }
    if (ok && session.shot)
    {
        ok = !x.WaitForLine(session.shotAfter, 60000).isEmpty();
        x.Wait(session.shotAtMs);
        ok =
            ok && x.Tool("import", {"-window", "root", m_env->Path("shot.png")}) &&
            TestFiles::Write(m_env->Path("maps.txt"), TestFiles::Read(QString("/proc/%1/maps").arg(x.Pid())));
    }
    // The local web service answers from this event loop while the program runs.
    ok = x.WaitForExit(60000) && ok;
    *log = x.Lines();
    return ok;
}

void TestRealWindow::StartShowStopAndStartAgain()
{
    QM_REQUIRE(!QStandardPaths::findExecutable("xvfb-run").isEmpty(), "xvfb-run (xvfb)");
    QM_REQUIRE(!QStandardPaths::findExecutable("import").isEmpty(), "import (imagemagick)");
    QM_REQUIRE(m_server->isListening(), "a local TCP port");

    const QString data = m_env->Path("run");
    Session first;
    first.shot = true;
    QStringList log;
    QVERIFY2(Run(data, first, &log), qPrintable(log.join('\n')));

    // The first start covers the whole screen: the game's background picture and the main menu.
    const QImage picture(m_env->Path("shot.png"));
    QCOMPARE(picture.size(), QSize(1280, 1024));
    QVERIFY2(Colours(picture) > 200, qPrintable(QString::number(Colours(picture))));
    // Where a centred window would leave the root black, the picture goes on.
    QVERIFY(Lit(picture, QRect(0, 0, 60, 1024)) > 0.9);
    QVERIFY(Lit(picture, QRect(0, 0, 1280, 30)) > 0.9);
    QVERIFY2(log.contains("MainWindow :: GEOMETRY --- 0 0 1280 1024 --- FULL SCREEN"),
             qPrintable(log.join('\n')));

    // The pages, the first paint, the update news and the quit in their order (the program test
    // checks the whole start-up and shut-down).
    const QStringList order = {"PageManager :: PAGE --- EXIT       EMPTY --> Intro Movie",
                               "PageManager :: PAGE --- EXIT       Intro Movie --> Main Menu",
                               "MainWindow :: PAINTED",
                               "GUI :: NEW UPDATE --- Lobby 9.0",
                               "GUI :: QUIT",
                               "Destroy :: CORE UI --------------- START",
                               "Stop logging!"};
    int at = 0;
    for (const QString& line : log)
    {
        if (at < order.size() && line.startsWith(order.at(at)))
            ++at;
    }
    QVERIFY2(at == order.size(), qPrintable("missing: " + order.value(at) + "\n" + log.join('\n')));
    QVERIFY(!log.join('\n').contains("NO background pictures"));
    QCOMPARE(m_server->Paths(), QStringList{"/updates/lobby.txt"});

    // Closing in full screen kept the state and, for leaving full screen, a window made for it.
    const QString settingsFile = data + "/gamelobby/lobby.settings.txt";
    {
        QSettings settings(settingsFile, QSettings::IniFormat);
        settings.beginGroup("AppSettings.Main");
        QCOMPARE(settings.value("WindowState").toInt(), int(Qt::WindowFullScreen));
        QCOMPARE(settings.value("WindowSize").toSize(), QSize(1152, 960));
        QCOMPARE(settings.value("WindowPos").toPoint(), QPoint(64, 32));
    }

    // Values that once crashed every start, on a small laptop screen with a window manager: the
    // whole window, title bar included, fits the screen, shrunk below its smallest size for that.
    // It is closed while minimized.
    QVERIFY(TestFiles::Write(settingsFile, "[AppSettings.Main]\nShowIntroMovie=false\nWindowState=0\n"
                                           "WindowSize=@Size(100000 100000)\n"
                                           "WindowPos=@Point(-2147483648 2147483647)\n"));
    QM_REQUIRE(!QStandardPaths::findExecutable("openbox").isEmpty(), "openbox, a window manager");
    QM_REQUIRE(!QStandardPaths::findExecutable("xwininfo").isEmpty(), "xwininfo (x11-utils)");
    const int slow = TestEnvironment::SlowdownFactor();
    Session laptop;
    laptop.screen = "1366x768";
    laptop.quitMs = 4000 * slow;
    laptop.framed = laptop.minimize = true;
    QVERIFY2(Run(data, laptop, &log), qPrintable(log.join('\n')));
    QVERIFY2(log.contains("MainWindow :: GEOMETRY --- 0 0 1366 768"), qPrintable(log.join('\n')));
    {
        QSettings settings(settingsFile, QSettings::IniFormat);
        QCOMPARE(settings.value("AppSettings.Main/WindowState").toInt(), 0);
        QCOMPARE(settings.value("AppSettings.Main/WindowPos").toPoint(), QPoint(0, 0));
        QVERIFY(settings.value("AppSettings.Main/WindowSize").toSize().height() < 768);
        settings.setValue("AppSettings.Main/WindowPos", QPoint(40, 50));
        settings.setValue("AppSettings.Main/WindowSize", QSize(1100, 900));
    }

    // A stored window that fits is used as it is, shown (not minimized).
    Session again;
    again.quitMs = 4000 * slow;
    again.framed = true;
    QVERIFY2(Run(data, again, &log), qPrintable(log.join('\n')));
    QVERIFY2(log.contains("MainWindow :: GEOMETRY --- 40 50 1100 900"), qPrintable(log.join('\n')));
    QVERIFY(!log.join('\n').contains("Intro Movie"));
    {
        QSettings settings(settingsFile, QSettings::IniFormat);
        QCOMPARE(settings.value("AppSettings.Main/WindowPos").toPoint(), QPoint(40, 50));
        QCOMPARE(settings.value("AppSettings.Main/WindowSize").toSize(), QSize(1100, 900));
    }

    // Maximized by hand and closed so: the normal window is what is kept, not the maximized one.
    Session maximized = again;
    maximized.quitMs = 6000 * slow;
    maximized.toggleMaximized = true;
    QVERIFY2(Run(data, maximized, &log), qPrintable(log.join('\n')));
    {
        QSettings settings(settingsFile, QSettings::IniFormat);
        QCOMPARE(settings.value("AppSettings.Main/WindowState").toInt(), int(Qt::WindowMaximized));
        QCOMPARE(settings.value("AppSettings.Main/WindowPos").toPoint(), QPoint(40, 50));
        QCOMPARE(settings.value("AppSettings.Main/WindowSize").toSize(), QSize(1100, 900));
    }
    // Started maximized, closed so, started again and made normal: the window it had comes back.
    QVERIFY2(Run(data, again, &log), qPrintable(log.join('\n')));
    Session unmaximized = maximized;
    unmaximized.toggledTo = QSize(1100, 900);
    QVERIFY2(Run(data, unmaximized, &log), qPrintable(log.join('\n')));
    QSettings settings(settingsFile, QSettings::IniFormat);
    QCOMPARE(settings.value("AppSettings.Main/WindowState").toInt(), 0);
    QCOMPARE(settings.value("AppSettings.Main/WindowSize").toSize(), QSize(1100, 900));
}

// The widgets paint without GL, and the intro movie still shows its pictures.
void TestRealWindow::IntroMovieWithoutGl()
{
    QM_REQUIRE(!QStandardPaths::findExecutable("xvfb-run").isEmpty(), "xvfb-run (xvfb)");
    QM_REQUIRE(!QStandardPaths::findExecutable("import").isEmpty(), "import (imagemagick)");
    const QString gst = QStandardPaths::findExecutable("gst-launch-1.0");
    QM_REQUIRE(!gst.isEmpty(), "gst-launch-1.0 (gstreamer1.0-tools) to make a test video");
    const QString data = m_env->Path("movie");
    const QString movie = data + "/gamelobby/zorn/media/introduction.ogv";
    QVERIFY(QDir().mkpath(QFileInfo(movie).path()));
    // Colour bars for six seconds.
    QProcess make;
    make.start(gst, {"-q", "videotestsrc", "num-buffers=180", "!", "video/x-raw,width=320,height=240", "!",
                     "theoraenc", "!", "oggmux", "!", "filesink", "location=" + movie});
    QVERIFY(make.waitForFinished(60000));
    QM_REQUIRE(QFileInfo(movie).size() > 0, "a Theora encoder");

    Session session;
    session.shot = true;
    session.quitMs = 9000;
    session.shotAfter = QStringLiteral("IntroMoviePage :: PLAY");
    session.shotAtMs = 1500;
    QStringList log;
    QVERIFY2(Run(data, session, &log), qPrintable(log.join('\n')));
    QVERIFY2(log.contains("IntroMoviePage :: PLAY --- " + movie), qPrintable(log.join('\n')));
    // It played to its end, and the menu followed.
    QVERIFY2(log.contains("PageManager :: PAGE --- EXIT       Intro Movie --> Main Menu"),
             qPrintable(log.join('\n')));

    // The bars on the screen: yellow, cyan and magenta.
    const QImage picture(m_env->Path("shot.png"));
    int yellow = 0, cyan = 0, magenta = 0;
    for (int y = 0; y < picture.height(); y += 4)
        for (int x = 0; x < picture.width(); x += 4)
        {
            const QColor c(picture.pixel(x, y));
            yellow += c.red() > 150 && c.green() > 150 && c.blue() < 80;
            cyan += c.red() < 80 && c.green() > 150 && c.blue() > 150;
            magenta += c.red() > 150 && c.green() < 80 && c.blue() > 150;
        }
    QVERIFY2(yellow > 1000 && cyan > 1000 && magenta > 1000,
             qPrintable(QStringLiteral("%1 %2 %3").arg(yellow).arg(cyan).arg(magenta)));
    // The video is playing, yet no GL driver was loaded for it.
    const QString maps = QString::fromUtf8(TestFiles::Read(m_env->Path("maps.txt")));
    QVERIFY2(maps.contains("gstreamer"), "the movie did not load GStreamer");
    QVERIFY2(!maps.contains("_dri.so") && !maps.contains("libGLX_"), qPrintable(maps));
}

// Real keys and clicks on the program's window, no window manager.
void TestRealWindow::KeysAndClicks()
{
    QM_REQUIRE(!QStandardPaths::findExecutable("xvfb-run").isEmpty(), "xvfb-run (xvfb)");
    QM_REQUIRE(!QStandardPaths::findExecutable("xdotool").isEmpty(), "xdotool");
    QM_REQUIRE(m_server->isListening(), "a local TCP port");
    // No update news on the menu: the buttons stand where a fresh menu has them.
    m_server->SetAnswer("/updates/lobby.txt", 404, "");

    const QString data = m_env->Path("input");
    const QString settingsFile = data + "/gamelobby/lobby.settings.txt";
    QVERIFY(QDir().mkpath(data + "/gamelobby"));
    {
        QSettings settings(settingsFile, QSettings::IniFormat);
        settings.setValue("AppSettings.Main/ShowIntroMovie", false);
        // A window, not the full screen of a first start: the full-screen chord switches it below.
        settings.setValue("AppSettings.Main/WindowPos", QPoint(10, 20));
        settings.setValue("AppSettings.Main/WindowSize", QSize(1152, 960));
        settings.setValue("AppSettings.Main/WindowState", 0);
    }

    XSession x;
    // Only a safety net should this test itself die: it quits through the dialog long before.
    QVERIFY2(x.Start(Program(), Environment(data, 120000)), "see the program log");
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

    // The window must hold the keyboard focus; no window manager gives it. The clicks below land
    // only where the log says the window is.
    const QString window = FindWindow(x);
    QVERIFY2(!window.isEmpty(), "see the program log");
    QVERIFY2(x.Xdo({"windowfocus", "--sync", window}), "see the program log");

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
    QCOMPARE(settings.value("AppSettings.Main/WindowPos").toPoint(), origin);
    QCOMPARE(settings.value("AppSettings.Main/WindowSize").toSize(), size);
    QCOMPARE(settings.value("AppSettings.Main/WindowState").toInt(), int(Qt::WindowFullScreen));
}

QTEST_MAIN(TestRealWindow)
#include "tst_realwindow.moc"
