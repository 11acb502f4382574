// The game table, the start-up choice of the game, where the program's folders and files are, and
// the start-up housekeeping on its own thread.
#include "AppDefines.h"
#include "AppSettings.h"
#include "Common.h"
#include "PathManager.h"
#include "StartActionsHandler.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

class TestAppDefines : public QObject
{
    Q_OBJECT

    QByteArray m_home;
    QByteArray m_writeDir;
    bool m_hadWriteDir = false;

private slots:
    void Table()
    {
        for (const GameDefinition& game : AppDefines::GameTable())
            QVERIFY(!game.shortCode.isEmpty() && !game.namePattern.isEmpty() && !game.defaultMap.isEmpty() &&
                    !game.gameVersion.isEmpty() && !game.engineVersion.isEmpty() &&
                    !game.sideNames.isEmpty());
    }

    void SelectedRow()
    {
        TestEnvironment env("gvm");
        auto* d = AppDefines::Instance();
        QCOMPARE(d->GetGameIndex(), 1);
        QCOMPARE(d->GetShortCode(), "gvm");
        QVERIFY(!d->SelectGame("nothing"));
        QCOMPARE(d->GetGameIndex(), 1);
        d->SelectGameIndex(7);
        QCOMPARE(d->GetGameIndex(), 1);
        d->SelectGameIndex(-1);
        QCOMPARE(d->GetGameIndex(), 1);
        QVERIFY(d->SelectGame(" YX "));
        QCOMPARE(d->GetGameIndex(), 3);
    }

    void ChoiceOrder_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("unknown");
        // The option beating the file, the file alone and an unknown name in it: the program test.
        QTest::newRow("nothing: row 0") << QString() << QString() << 0 << false;
        QTest::newRow("unknown option: row 0, file ignored")
            << QStringLiteral("xx") << QStringLiteral("vq") << 0 << true;
        QTest::newRow("blank file") << QString() << QStringLiteral("  \n") << 0 << false;
        QTest::newRow("option by name") << QStringLiteral("MORVANTIS") << QString() << 0 << false;
        QTest::newRow("option by name, row 3")
            << AppDefines::GameTable()[3].namePattern.toLower() << QString() << 3 << false;
        QTest::newRow("prefix only") << QStringLiteral("zor") << QString() << 0 << true;
        QTest::newRow("path") << QString() << QStringLiteral("../zorn") << 0 << true;
    }

    void ChoiceOrder()
    {
        QFETCH(QString, option);
        QFETCH(QString, file);
        QFETCH(int, index);
        QFETCH(bool, unknown);
        QString reason;
        bool isUnknown = !unknown;
        QCOMPARE(AppDefines::ChooseGameIndex(option, file, &reason, &isUnknown), index);
        QCOMPARE(isUnknown, unknown);
        QVERIFY(!reason.isEmpty());
        if (unknown)
            QVERIFY(reason.contains(option.isEmpty() ? file.trimmed() : option));
        QCOMPARE(AppDefines::ChooseGameIndex(option, file), index); // no out-parameters
    }

    // The run-game file as the start-up reads it: its text, or why it can't be used.
    void RunGameFile_data()
    {
        QTest::addColumn<QString>("place"); // how TestFiles::Place fills it; "<missing>": nothing there
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("problem");
        const QString none;
        QTest::newRow("text") << none << QByteArray(" vq \n") << QString("vq") << none;
        QTest::newRow("missing") << QString("<missing>") << QByteArray() << none << none;
        QTest::newRow("folder") << QString("folder") << QByteArray() << none << QString("a folder");
        QTest::newRow("FIFO") << QString("FIFO") << QByteArray() << none << QString("a FIFO");
        QTest::newRow("unreadable") << QString("unreadable") << QByteArray("vq") << none
                                    << QString("Permission denied");
        QTest::newRow("at the limit") << none << QByteArray(4096, 'v') << QString(4096, 'v') << none;
        QTest::newRow("too large") << none << QByteArray(4097, 'v') << none
                                   << QString("larger than 4096 bytes");
    }

    void RunGameFile()
    {
        QFETCH(QString, place);
        QFETCH(QByteArray, content);
        QFETCH(QString, value);
        QFETCH(QString, problem);
        TestEnvironment env;
        const QString path = env.Path("gamelobby/run.game.txt");
        QVERIFY(place == "<missing>" || TestFiles::Place(path, place, content));
        QString read;
        QString said = "stale";
        QVERIFY(TestFiles::ReturnsPromptly(30000 * TestEnvironment::SlowdownFactor(),
                                           [&] { read = Common::ReadValue(path, &said); }));
        QCOMPARE(read, value);
        QCOMPARE(said, problem);
    }

    void init()
    {
        m_home = qgetenv("HOME");
        m_hadWriteDir = qEnvironmentVariableIsSet("SPRING_WRITEDIR");
        m_writeDir = qgetenv("SPRING_WRITEDIR");
    }

    void cleanup()
    {
        qputenv("HOME", m_home);
        if (m_hadWriteDir)
            qputenv("SPRING_WRITEDIR", m_writeDir);
        else
            qunsetenv("SPRING_WRITEDIR");
    }

    void DefaultSpringDataDir()
    {
        QTemporaryDir home;
        qunsetenv("SPRING_WRITEDIR");
        qputenv("HOME", home.path().toUtf8());
        // Neither exists: the engine's own default.
        QCOMPARE(PathManager::DefaultSpringDataDir(), home.path() + "/.config/spring");
        // Only ~/.spring exists: that one.
        QVERIFY(QDir().mkpath(home.path() + "/.spring"));
        QCOMPARE(PathManager::DefaultSpringDataDir(), home.path() + "/.spring");
        // Both exist: ~/.config/spring wins.
        QVERIFY(QDir().mkpath(home.path() + "/.config/spring"));
        QCOMPARE(PathManager::DefaultSpringDataDir(), home.path() + "/.config/spring");
        // An empty SPRING_WRITEDIR counts as not set; a set one wins, cleaned.
        qputenv("SPRING_WRITEDIR", "");
        QCOMPARE(PathManager::DefaultSpringDataDir(), home.path() + "/.config/spring");
        qputenv("SPRING_WRITEDIR", (home.path() + "/engine//data/").toUtf8());
        QCOMPARE(PathManager::DefaultSpringDataDir(), home.path() + "/engine/data");
    }

    // The folders the engine and the player share with the program; the lobby's own ones are made.
    void Getters()
    {
        TestEnvironment env("gvm");
        const QString d = env.SpringDataDir();
        auto* p = PathManager::Instance();
        QCOMPARE(p->GetLobbyGameDataDir(), d + "/gamelobby/gvm");
        QCOMPARE(p->GetEngineScreenshotsDir(), d + "/screenshots");
        QCOMPARE(p->GetTauntsDir(), d + "/LuaUI/Taunts/lobby");
        QCOMPARE(p->GetRunGameFile(), d + "/gamelobby/run.game.txt");
        for (const QString& dir :
             {p->GetLobbyDataDir(), p->GetLobbyGameDataDir(), p->GetLobbyLogsDir(), p->GetTempDir()})
            QVERIFY2(QFileInfo(dir).isDir(), qPrintable(dir));
    }

    void EngineLogFollowsCustomSyncFolder()
    {
        TestEnvironment env;
        QCOMPARE(PathManager::Instance()->GetEngineLogFile(), env.SpringDataDir() + "/infolog.txt");
        AppSettingsMain::Instance()->CustomSyncFolder = env.Path("custom/");
        QCOMPARE(PathManager::Instance()->GetEngineLogFile(), env.Path("custom") + "/infolog.txt");
    }

    void RunsActionsOnItsThreadInOrder()
    {
        TestEnvironment env;
        StartActionsHandler* handler = StartActionsHandler::Instance();
        QVERIFY(handler->isRunning());
        QThread* worker = handler;
        QStringList order;
        QList<QThread*> threads;
        for (const QString& name : {QStringLiteral("first"), QStringLiteral("second")})
            handler->AddAction(name,
                               [&order, &threads, name]
                               {
                                   order << name;
                                   threads << QThread::currentThread();
                               });
        QSignalSpy stopped(handler, &StartActionsHandler::OnStartActionsStop);
        StartActionsHandler::Start(); // blocking
        QCOMPARE(order, (QStringList{"first", "second"}));
        QCOMPARE(threads, (QList<QThread*>{worker, worker}));
        QTRY_COMPARE(stopped.count(), 1);
        QVERIFY(env.LogContains("StartActionsHandler :: ACTION --- first"));
        QVERIFY(env.LogContains("StartActionsHandler --------------- STOP"));

        // A second start has nothing left to do, but still reports its end.
        StartActionsHandler::Start();
        QCOMPARE(order.size(), 2);
        QTRY_COMPARE(stopped.count(), 2);

        StartActionsHandler::Destroy();
        QVERIFY(!StartActionsHandler::Exists());
        QVERIFY(env.LogContains("Destroy :: StartActionsHandler"));
        StartActionsHandler::Destroy(); // nothing left: harmless
    }

    void CleansTheTempFolder()
    {
        TestEnvironment env;
        const QString temp = PathManager::Instance()->GetTempDir();
        QVERIFY(TestFiles::Write(temp + "/replay/old/demo.sdfz", "x"));
        // Something next to the temp folder is left alone.
        QVERIFY(TestFiles::Write(PathManager::Instance()->GetLobbyGameDataDir() + "/keep.txt", "x"));
        StartActionsHandler::Start();
        StartActionsHandler::Destroy();
        QVERIFY(QFileInfo(temp).isDir());
        QVERIFY(QDir(temp).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        QVERIFY(QFile::exists(PathManager::Instance()->GetLobbyGameDataDir() + "/keep.txt"));
    }
};

QTEST_GUILESS_MAIN(TestAppDefines)
#include "tst_appdefines.moc"
