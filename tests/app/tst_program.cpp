// The built program: start-up, log header, settings files and the whole shut-down (offscreen; the
// real-window tests run it on an X server).
#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QDirIterator>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
struct Run
{
    int exitCode = -1;
    bool finished = false;
    QString output; // standard output and error
    QString log;    // the log file, when there is exactly one
    QStringList logFiles;
};

// Index of the first line at or after `from` that starts with `text`; -1 when none.
int FindLine(const QStringList& lines, const QString& text, int from = 0)
{
    for (int i = qMax(0, from); i < lines.size(); ++i)
    {
        if (lines[i].startsWith(text))
            return i;
    }
    return -1;
}

const QStringList LobbyGroups{"AppSettings.Main", "AppSettings.Sound", "AppSettings.Spring.Connection",
                              "AppSettings.Spring.MyPersonal"};
} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;

    QProcessEnvironment Environment(const QString& springDir) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("SPRING_WRITEDIR", springDir);
        env.insert("HOME", m_root.filePath("home"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QUILLMERE_AUTOQUIT_MS", "400");
        return env;
    }

    // Runs the program offscreen and gathers its logs.
    Run StartOffscreen(const QString& springDir, const QStringList& arguments = {})
    {
        Run run;
        QProcess process;
        process.setProcessEnvironment(Environment(springDir));
        process.setWorkingDirectory(m_root.path());
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStringLiteral(QM_QUILLMERE_EXE), arguments);
        run.finished = process.waitForFinished(60000);
        if (!run.finished)
        {
            process.kill();
            process.waitForFinished(5000);
        }
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.output = QString::fromUtf8(process.readAll());
        const QDir logs(springDir + "/gamelobby/_logs");
        for (const QString& name : logs.entryList({"*_gamelobby.log"}, QDir::Files))
            run.logFiles << logs.filePath(name);
        if (run.logFiles.size() == 1)
            run.log = QString::fromUtf8(TestFiles::Read(run.logFiles.first()));
        return run;
    }

    QString FreshDir(const QString& name) const
    {
        const QString dir = m_root.filePath(name);
        QDir(dir).removeRecursively();
        QDir().mkpath(dir);
        return dir;
    }

    // The header, the game line, the start groups and the whole shut-down, in order.
    static void CheckOrder(const QString& text, const QString& gameName)
    {
        const QStringList lines = text.split('\n');
        int at = FindLine(lines, "Start logging!");
        QVERIFY2(at >= 0, qPrintable(text));
        QVERIFY(QDateTime::fromString(lines.value(at + 1), "yyyy.MM.dd hh:mm:ss").isValid());
        // The Qt library in use, which the test shares with the program.
        QCOMPARE(lines.value(at + 2), QStringLiteral("Qt version: ") + qVersion());
        QCOMPARE(lines.value(at + 3), QStringLiteral("Lobby version: 0.1.0"));
        QVERIFY(lines.value(at + 4).startsWith("Current path: "));
        QVERIFY(!lines.value(at + 4).mid(14).isEmpty());
        QVERIFY(lines.value(at + 5).startsWith("Locale: "));
        QCOMPARE(lines.value(at + 6), "Game: " + gameName);
        const QStringList order{
            "Initialize :: PathManager", "Initialize :: AppSettings", "AppSettings :: LOADED",
            "CORE --------------- START", "Initialize :: SoundManager", "Initialize :: WebUpdates",
            "Initialize :: SpringLaunchManager", "Initialize :: ReplaysManager",
            "Initialize :: MinimapManager", "Initialize :: TranslatorManager", "Initialize :: SevenZManager",
            "Initialize :: SyncManager", "Initialize :: TauntsManager", "Initialize :: SteamManager",
            "CORE --------------- STOP", "Initialize :: CORE UI --------------- START",
            "Initialize :: PageStorageManager", "Initialize :: PageManager",
            "Initialize :: BackgroundManager", "Initialize :: GUI", "Initialize :: MainWindow",
            "Initialize :: CORE UI --------------- STOP", "START --------------- START",
            "INFO :: START --- CurrentPath",
            // The housekeeping runs once the event loop turns.
            "StartActionsHandler --------------- STOP", "Destroy :: StartActionsHandler",
            "Destroy :: CORE UI --------------- START", "Destroy :: GUI", "Destroy :: BackgroundManager",
            "Destroy :: PageManager", "Destroy :: PageStorageManager", "Destroy :: MainWindow",
            "Destroy :: CORE UI --------------- STOP", "CORE DESTROY --------------- START",
            "Destroy :: SteamManager", "Destroy :: TauntsManager", "Destroy :: SyncManager",
            "Destroy :: SevenZManager", "Destroy :: TranslatorManager", "Destroy :: MinimapManager",
            "Destroy :: ReplaysManager", "Destroy :: SpringLaunchManager", "Destroy :: WebUpdates",
            "Destroy :: SoundManager", "CORE DESTROY --------------- STOP", "Destroy :: AppSettings",
            "Destroy :: PathManager", "Destroy :: AppDefines", "Stop logging!"};
        for (const QString& step : order)
        {
            const int next = FindLine(lines, step, at + 1);
            QVERIFY2(next > at, qPrintable("out of order or missing: " + step + "\n" + text));
            at = next;
        }
        const int start = FindLine(lines, "START --------------- START");
        QVERIFY2(FindLine(lines, "START --------------- STOP", start + 1) > start, qPrintable(text));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        QVERIFY(QFileInfo(QStringLiteral(QM_QUILLMERE_EXE)).isExecutable());
    }

    void StartsAndStopsCleanly()
    {
        // The data folder does not exist yet: it is created.
        const QString dir = m_root.filePath("plain/not/yet");
        const Run run = StartOffscreen(dir);
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.logFiles.size(), 1);
        CheckOrder(run.log, "Morvantis");
        QVERIFY(run.log.contains("Current path: " + QDir(m_root.path()).canonicalPath()) ||
                run.log.contains("Current path: " + m_root.path()));
        QVERIFY(run.log.contains("AppDefines :: GAME --- zorn --- default"));
        // The log goes to standard output too.
        QVERIFY(run.output.contains("Start logging!") && run.output.contains("Stop logging!"));
        QVERIFY(!run.output.contains("--- CRITICAL ---"));

        const QSettings lobby(dir + "/gamelobby/lobby.settings.txt", QSettings::IniFormat);
        QCOMPARE(lobby.childGroups(), LobbyGroups);
        QCOMPARE(lobby.value("AppSettings.Sound/MusicVolume").toInt(), 50);
        const QSettings game(dir + "/gamelobby/zorn/lobby.settings.game.txt", QSettings::IniFormat);
        QCOMPARE(game.childGroups(), (QStringList{"AppSettings.Skirmish.Custom", "AppSettings.Skirmish.Quick",
                                                  "AppSettings.SpringTests"}));
        QVERIFY(QFileInfo(dir + "/gamelobby/zorn/temp").isDir());

        // A second start keeps what the first one saved and gets its own log file.
        {
            QSettings edit(dir + "/gamelobby/lobby.settings.txt", QSettings::IniFormat);
            edit.setValue("AppSettings.Sound/MusicVolume", 7);
        }
        const Run again = StartOffscreen(dir);
        QCOMPARE(again.exitCode, 0);
        QCOMPARE(again.logFiles.size(), 2);
        const QSettings after(dir + "/gamelobby/lobby.settings.txt", QSettings::IniFormat);
        QCOMPARE(after.value("AppSettings.Sound/MusicVolume").toInt(), 7);
        // Every file was written whole: no lock or scratch file is left beside them.
        QDirIterator files(dir + "/gamelobby", QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext())
        {
            const QString file = files.next();
            QVERIFY2(file.endsWith(".txt") || file.endsWith(".log") || file.endsWith(".cfg"),
                     qPrintable(file));
        }
    }

    // Two copies started together each write a log of their own.
    void TwoCopiesAtOnce()
    {
        const QString dir = FreshDir("two");
        QProcess first, second;
        for (QProcess* process : {&first, &second})
        {
            process->setProcessEnvironment(Environment(dir));
            process->setProcessChannelMode(QProcess::MergedChannels);
            process->start(QStringLiteral(QM_QUILLMERE_EXE), QStringList());
        }
        for (QProcess* process : {&first, &second})
        {
            QVERIFY(process->waitForFinished(60000));
            QCOMPARE(process->exitCode(), 0);
        }
        const QDir logs(dir + "/gamelobby/_logs");
        const QStringList names = logs.entryList({"*_gamelobby.log"}, QDir::Files);
        QCOMPARE(names.size(), 2);
        for (const QString& name : names)
        {
            const QString log = QString::fromUtf8(TestFiles::Read(logs.filePath(name)));
            QCOMPARE(log.count("Start logging!"), 1);
            QCOMPARE(log.count("Stop logging!"), 1);
        }
    }

    // The option beats "run.game.txt", which beats row 0; anything unknown or malformed still starts.
    void GameChoiceAndBadCommandLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("runGame");
        QTest::addColumn<QString>("gameName");
        QTest::addColumn<QString>("shortCode");
        QTest::addColumn<QString>("logLine"); // %1: the run-game file
        QTest::addColumn<QString>("place");   // how TestFiles::Place fills the run-game file's place
        const QString unknown = "--- WARNING --- AppDefines :: UNKNOWN GAME --- %1 --- first game used: zorn";
        const QString badLine = "--- WARNING --- main :: BAD COMMAND LINE --- ";
        const QString notRead = "--- WARNING --- AppDefines :: CAN NOT READ --- %1 --- ";
        QTest::newRow("-g") << QStringList{"-g", "gvm"} << QByteArray("vq") << "Galvanic Marches"
                            << "gvm"
                            << "AppDefines :: GAME --- gvm --- command line" << QString();
        QTest::newRow("--game") << QStringList{"--game", "GVM"} << QByteArray("vq") << "Galvanic Marches"
                                << "gvm"
                                << "AppDefines :: GAME --- gvm --- command line" << QString();
        QTest::newRow("file") << QStringList{} << QByteArray("vq\n") << "Vesquard"
                              << "vq"
                              << "AppDefines :: GAME --- vq --- run.game.txt" << QString();
        QTest::newRow("unknown option")
            << QStringList{"-g", "nosuchgame"} << QByteArray() << "Morvantis"
            << "zorn" << unknown.arg("\"nosuchgame\" (command line)") << QString();
        QTest::newRow("unknown file") << QStringList{} << QByteArray("Not A Game") << "Morvantis"
                                      << "zorn" << unknown.arg("\"Not A Game\" (run.game.txt)") << QString();
        QTest::newRow("unknown flag") << QStringList{"--nonsense"} << QByteArray() << "Morvantis"
                                      << "zorn" << badLine << QString();
        QTest::newRow("game without a name") << QStringList{"-g"} << QByteArray() << "Morvantis"
                                             << "zorn" << badLine << QString();
        QTest::newRow("stray argument") << QStringList{"--game=", "extra"} << QByteArray() << "Morvantis"
                                        << "zorn" << QString() << QString();
        // A file that can't be used says why; what garbage it holds is cut for the log.
        QTest::newRow("file is a folder") << QStringList{} << QByteArray() << "Morvantis"
                                          << "zorn" << notRead + "a folder"
                                          << "folder";
        QTest::newRow("file is a FIFO") << QStringList{} << QByteArray() << "Morvantis"
                                        << "zorn" << notRead + "a FIFO"
                                        << "FIFO";
        QTest::newRow("file too large") << QStringList{} << QByteArray(5000, 'v') << "Morvantis"
                                        << "zorn" << notRead + "larger than 4096 bytes" << QString();
        QTest::newRow("garbage in the file")
            << QStringList{} << QByteArray(872, '#') << "Morvantis"
            << "zorn" << unknown.arg("\"" + QString(40, '#') + "... (872 characters)\" (run.game.txt)")
            << QString();
        // The command line chose: the file is not read for the game, so nothing is said of it.
        QTest::newRow("option beats a folder") << QStringList{"-g", "vq"} << QByteArray() << "Vesquard"
                                               << "vq"
                                               << "AppDefines :: GAME --- vq --- command line"
                                               << "folder";
    }

    void GameChoiceAndBadCommandLines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, runGame);
        QFETCH(QString, gameName);
        QFETCH(QString, shortCode);
        QFETCH(QString, logLine);
        QFETCH(QString, place);
        const QString dir = FreshDir("choice");
        const QString runGameFile = dir + "/gamelobby/run.game.txt";
        if (!runGame.isEmpty() || !place.isEmpty())
            QVERIFY(TestFiles::Place(runGameFile, place, runGame));
        const Run run = StartOffscreen(dir, arguments);
        QCOMPARE(run.exitCode, 0);
        CheckOrder(run.log, gameName);
        if (logLine.contains("%1"))
            logLine = logLine.arg(runGameFile);
        QVERIFY2(run.log.contains(logLine), qPrintable(run.log));
        QCOMPARE(run.log.contains("AppDefines :: CAN NOT READ"), logLine.contains("CAN NOT READ"));
        for (const QString& line : run.log.split('\n'))
            QVERIFY2(line.size() < 300, qPrintable(line));
        // Only the chosen game's folder was made.
        QStringList folders{"_logs", shortCode};
        if (place == "folder")
            folders << "run.game.txt";
        folders.sort();
        QCOMPARE(QDir(dir + "/gamelobby").entryList(QDir::Dirs | QDir::NoDotAndDotDot), folders);
        QVERIFY(QFile::exists(dir + "/gamelobby/" + shortCode + "/lobby.settings.game.txt"));
    }

    void HelpAndVersion()
    {
        const QString dir = FreshDir("help");
        Run run = StartOffscreen(dir, {"--version"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.output.contains("0.1.0"));
        run = StartOffscreen(dir, {"--help"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.output.contains("--game <Game Name>"));
        // Nothing was started, so nothing was written.
        QVERIFY(!QFileInfo::exists(dir + "/gamelobby"));
    }

    void CorruptSettingsFile_data()
    {
        QTest::addColumn<QByteArray>("corrupt");
        QTest::newRow("broken group") << QByteArray("[AppSettings.Sound\nMusicVolume=3\n\x01\x02\n");
        QTest::newRow("NUL bytes") << QByteArray(4096, '\0');
    }

    void CorruptSettingsFile()
    {
        QFETCH(QByteArray, corrupt);
        const QString dir = FreshDir("corrupt");
        const QString file = dir + "/gamelobby/lobby.settings.txt";
        QVERIFY(TestFiles::Write(file, corrupt));
        const Run run = StartOffscreen(dir);
        QCOMPARE(run.exitCode, 0);
        CheckOrder(run.log, "Morvantis");
        QVERIFY(run.log.contains("--- WARNING --- AppSettings :: CORRUPT FILE --- " + file));
        QCOMPARE(TestFiles::Read(file + ".corrupt"), corrupt);
        // Written anew at the exit, and said so only when that failed.
        QVERIFY2(!run.log.contains("CAN NOT SAVE"), qPrintable(run.log));
        QSettings saved(file, QSettings::IniFormat);
        QCOMPARE(saved.status(), QSettings::NoError);
        QCOMPARE(saved.childGroups(), LobbyGroups);
        QVERIFY(!TestFiles::Read(file).contains('\0'));
    }

    void UnwritableLogFolder()
    {
        const QString dir = FreshDir("nolog");
        // A file where the log folder should be.
        QVERIFY(TestFiles::Write(dir + "/gamelobby/_logs", "not a folder"));
        const Run run = StartOffscreen(dir);
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.logFiles.isEmpty());
        QVERIFY(run.output.contains("--- WARNING --- DebugStream :: CAN NOT OPEN LOG FILE --- " + dir +
                                    "/gamelobby/_logs/"));
        CheckOrder(run.output, "Morvantis");
        QCOMPARE(TestFiles::Read(dir + "/gamelobby/_logs"), QByteArray("not a folder"));
        QVERIFY(QFile::exists(dir + "/gamelobby/lobby.settings.txt"));
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
