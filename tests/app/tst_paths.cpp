// Where the program's folders and files are.
#include "AppDefines.h"
#include "AppSettings.h"
#include "PathManager.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestPaths : public QObject
{
    Q_OBJECT

    QByteArray m_home;
    QByteArray m_writeDir;
    bool m_hadWriteDir = false;

private slots:
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
};

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
