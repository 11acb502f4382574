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

    void Getters()
    {
        TestEnvironment env(QStringLiteral("gvm"));
        const QString d = env.SpringDataDir();
        auto* p = PathManager::Instance();
        QCOMPARE(p->GetSpringDataDir(), d);
        QCOMPARE(p->GetLobbyDataDir(), d + "/gamelobby");
        QCOMPARE(p->GetLobbyGameDataDir(), d + "/gamelobby/gvm");
        QCOMPARE(p->GetGamesDir(), d + "/games");
        QCOMPARE(p->GetReplaysDir(), d + "/demos");
        QCOMPARE(p->GetEngineScreenshotsDir(), d + "/screenshots");
        QCOMPARE(p->GetTauntsDir(), d + "/LuaUI/Taunts/lobby");
        QCOMPARE(p->GetMediaDir(), d + "/gamelobby/gvm/media");
        QCOMPARE(p->GetTempDir(), d + "/gamelobby/gvm/temp");
        QCOMPARE(p->GetCampaignMissionsDir(), d + "/gamelobby/gvm/missions.campaign");
        QCOMPARE(p->GetTutorialMissionsDir(), d + "/gamelobby/gvm/missions.tutorial");
        QCOMPARE(p->GetLobbyLogsDir(), d + "/gamelobby/_logs");
        QCOMPARE(p->GetGameScreenshotFile(), d + "/gamelobby/screenshot.game.jpeg");
        QCOMPARE(p->GetLobbyScreenshotFile(), d + "/gamelobby/screenshot.lobby.jpeg");
        QCOMPARE(p->GetLobbySettingsFile(), d + "/gamelobby/lobby.settings.txt");
        QCOMPARE(p->GetLobbyGameSettingsFile(), d + "/gamelobby/gvm/lobby.settings.game.txt");
        QCOMPARE(p->GetRunGameFile(), d + "/gamelobby/run.game.txt");
        QCOMPARE(p->GetEngineSettingsFile(false), d + "/gamelobby/spring.settings.play.cfg");
        QCOMPARE(p->GetEngineSettingsFile(true), d + "/gamelobby/spring.settings.replay.cfg");
        QCOMPARE(PathManager::GetEngineSettingsResourceDir(), QStringLiteral(":/EngineSettings"));
        QCOMPARE(p->GetLaunchScriptFile(), d + "/gamelobby/gvm/spring.start.script.txt");
        QCOMPARE(p->GetReplayCacheFile(3), d + "/gamelobby/replays.cache.rc3");
        QVERIFY(p->GetLobbyLogFile().startsWith(d + "/gamelobby/_logs/"));
        QVERIFY(p->GetLobbyLogFile().endsWith("_gamelobby.log"));
        for (const QString& dir :
             {p->GetLobbyDataDir(), p->GetLobbyGameDataDir(), p->GetLobbyLogsDir(), p->GetTempDir()})
            QVERIFY2(QFileInfo(dir).isDir(), qPrintable(dir));
        QVERIFY(!p->GetSpringDataDir().endsWith('/'));
        QVERIFY(!p->GetLobbyGameDataDir().endsWith('/'));
    }

    void EngineLogFollowsCustomSyncFolder()
    {
        TestEnvironment env;
        QCOMPARE(PathManager::Instance()->GetEngineLogFile(), env.SpringDataDir() + "/infolog.txt");
        AppSettingsMain::Instance()->CustomSyncFolder = env.Path("custom/");
        QCOMPARE(PathManager::Instance()->GetEngineLogFile(), env.Path("custom") + "/infolog.txt");
    }

    void LogFileNameAndOverride()
    {
        TestEnvironment env;
        const QDateTime start(QDate(2026, 3, 4), QTime(5, 6, 7));
        QCOMPARE(PathManager::LogFileName(start), QStringLiteral("2026.03.04_05.06.07_gamelobby.log"));
        PathManager::Instance()->SetLobbyLogFile(env.Path("a.log"));
        QCOMPARE(PathManager::Instance()->GetLobbyLogFile(), env.Path("a.log"));
    }
};

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
