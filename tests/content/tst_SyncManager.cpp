#include "AppDefines.h"
#include "DownloadHandler.h"
#include "EngineHarness.h"
#include "PathManager.h"
#include "SyncHandler.h"
#include "SyncManager.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>
#include <thread>

namespace
{
void WriteFile(const QString& path, const QByteArray& content, bool executable = false)
{
    QVERIFY(TestFiles::Write(path, content, executable));
}
} // namespace

class TestSyncManager : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        if (SyncManager::Exists())
        {
            SyncManager::Instance()->InvokeBlocking("DoDestroy");
            SyncManager::Destroy();
        }
        SyncManager::SetSystemEnginePath(QString());
    }

    void ScansEnginesGamesAndMaps()
    {
        TestEnvironment env;
        const QString data = env.SpringDataDir();
        SyncManager::SetSystemEnginePath(QString());
        WriteFile(data + "/engines/105.0/spring", "#!/bin/sh\n", true);
        WriteFile(data + "/engines/104.0 with blank/spring", "#!/bin/sh\n", true);
        WriteFile(data + "/engines/103.0/spring.exe", "not for this platform");
        QDir().mkpath(data + "/engines/empty");
        WriteFile(data + "/games/zorn-1.0.sdz", "zip");
        WriteFile(data + "/games/Other Game 2.SD7", "7z");
        WriteFile(data + "/games/readme.txt", "not a game");
        WriteFile(data + "/games/Dev.sdd/modinfo.lua",
                  "return {\n\tshortname = \"DG\",\n\tname = \"Dev Game\",\n\tversion = 'test-7',\n"
                  "\tdepend = {\"Spring content v1\"},\n}\n");
        WriteFile(data + "/games/Versioned.sdd/modinfo.lua",
                  "return { name = \"Kept 1.5\", version = \"1.5\" }");
        WriteFile(data + "/games/NoInfo.sdd/LuaRules/main.lua", "");
        WriteFile(data + "/games/Nameless.sdd/modinfo.lua", "return { version = \"2\" }");
        WriteFile(data + "/maps/Comet Catcher 1.8.sd7", "7z");
        WriteFile(data + "/maps/Flat.sdd/mapinfo.lua",
                  "local mapinfo = { name = \"Flat Land\", version = \"\" }\nreturn mapinfo\n");

        SyncManager* sync = SyncManager::Instance();
        const QMap<QString, QString> engines = sync->GetEngineVersions(); // waits for the first scan
        QCOMPARE(engines.keys(), QStringList({"104.0 with blank", "105.0"}));
        QCOMPARE(sync->GetEngineExePath("105.0"), data + "/engines/105.0/spring");
        QCOMPARE(sync->GetEngineExePath("103.0"), QStringLiteral("ENGINE NOT FOUND"));
        QCOMPARE(sync->GetEngineExePath("empty"), QStringLiteral("ENGINE NOT FOUND"));
        QVERIFY(sync->ContainsEngine("105.0"));
        QVERIFY(!sync->ContainsEngine("106.0"));

        QCOMPARE(sync->GetGameVersions().keys(), QStringList({"Dev Game test-7", "Kept 1.5", "Nameless",
                                                              "NoInfo", "Other Game 2", "zorn-1.0"}));
        QVERIFY(sync->ContainsGame("Dev Game test-7"));
        QVERIFY(!sync->ContainsGame("readme"));
        QCOMPARE(sync->GetGameVersions().value("Dev Game test-7"), data + "/games/Dev.sdd");
        QCOMPARE(sync->GetGameFilePath("Dev Game test-7"), QStringLiteral("Dev Game test-7"));
        QCOMPARE(sync->GetGameFilePath("zorn-1.0.sdz"), QStringLiteral("zorn-1.0"));
        QCOMPARE(sync->GetGameFilePath("Dev.sdd"), QStringLiteral("Dev Game test-7"));
        QCOMPARE(sync->GetGameFilePath("unknown"), QString());

        QCOMPARE(sync->GetAvailableMaps(), QSet<QString>({"Comet Catcher 1.8", "Flat Land"}));
        QVERIFY(sync->ContainsMap("Flat Land"));
        QVERIFY(!sync->ContainsMap("Flat"));
        // Without a description a map's information text is its name.
        const QMap<QString, QString> info{{"Comet Catcher 1.8", "Comet Catcher 1.8"},
                                          {"Flat Land", "Flat Land"}};
        QCOMPARE(sync->GetMapInfoList(), info);
    }

    void ReloadSeesNewContentAndSignals()
    {
        TestEnvironment env;
        SyncManager::SetSystemEnginePath(QString());
        SyncManager* sync = SyncManager::Instance();
        QVERIFY(!sync->ContainsMap("New Map"));
        WriteFile(env.SpringDataDir() + "/maps/New Map.sdz", "zip");
        // Received on this thread: a spy's wait() can miss an emit from the worker.
        int reloads = 0;
        QObject receiver;
        connect(sync, &SyncManager::OnReloaded, &receiver, [&reloads] { ++reloads; });
        SyncManager::Reload();
        QTRY_VERIFY_WITH_TIMEOUT(reloads > 0, 5000);
        QVERIFY(sync->ContainsMap("New Map"));
    }

    // The system-wide engine is asked for its version; an engine of the data folder comes first.
    void SystemEngine_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QStringList>("versions");
        QTest::addColumn<bool>("systemUsed");
        QTest::addColumn<QString>("logLine");
        QTest::newRow("its own version") << QByteArray("echo \"spring version 999.5\"")
                                         << QStringList{"998.0", "999.5"} << true << QString();
        QTest::newRow("same as the data folder's")
            << QByteArray("echo \"spring version 998.0\"") << QStringList{"998.0"} << false << QString();
        QTest::newRow("says nothing") << QByteArray("exit 3") << QStringList{"998.0"} << false
                                      << "SyncManager :: no version from engine";
    }

    void SystemEngine()
    {
        QFETCH(QByteArray, script);
        QFETCH(QStringList, versions);
        QFETCH(bool, systemUsed);
        QFETCH(QString, logLine);
        TestEnvironment env;
        const QString fake = env.Path("system/spring");
        const QString own = env.SpringDataDir() + "/engines/998.0/spring";
        WriteFile(fake, "#!/bin/sh\n" + script + "\n", true);
        WriteFile(own, "#!/bin/sh\n", true);
        SyncManager::SetSystemEnginePath(fake);
        SyncManager* sync = SyncManager::Instance();
        QCOMPARE(sync->GetEngineVersions().keys(), versions);
        QCOMPARE(sync->GetEngineExePath(versions.last()), systemUsed ? fake : own);
        QVERIFY(env.LogContains(logLine));
    }

    // An engine is asked once per file: the answer is kept, handed to the next start, and asked
    // again only when the file changed.
    void EngineAskedOncePerFile()
    {
        TestEnvironment env;
        const QString fake = env.Path("system/spring");
        const QString asked = env.Path("asked.txt");
        const auto writeEngine = [&](const QByteArray& version)
        {
            WriteFile(fake,
                      "#!/bin/sh\necho x >> '" + asked.toUtf8() + "'\necho \"spring version " + version +
                          "\"\n",
                      true);
        };
        const auto timesAsked = [&] { return TestFiles::Read(asked).count('\n'); };
        const auto start = []
        {
            const QStringList versions = SyncManager::Instance()->GetEngineVersions().keys();
            SyncManager::Instance()->InvokeBlocking("DoDestroy");
            SyncManager::Destroy();
            return versions;
        };
        writeEngine("999.5");
        SyncManager::SetSystemEnginePath(fake);
        SyncManager::SetKnownEngineVersions({});
        QCOMPARE(start(), QStringList{"999.5"});
        QCOMPARE(timesAsked(), 1);
        const QStringList known = SyncManager::KnownEngineVersions();
        QCOMPARE(known.size(), 1);
        QVERIFY(known.first().startsWith("999.5|") && known.first().endsWith("|" + fake));

        // The next start: nothing is run.
        SyncManager::SetKnownEngineVersions(known);
        QCOMPARE(start(), QStringList{"999.5"});
        QCOMPARE(timesAsked(), 1);

        // A new engine in the same place is asked again; a damaged entry only costs a question.
        writeEngine("1000.25");
        SyncManager::SetKnownEngineVersions(known + QStringList{"bad entry", "1|x|2|/p"});
        QCOMPARE(start(), QStringList{"1000.25"});
        QCOMPARE(timesAsked(), 2);
        QCOMPARE(SyncManager::KnownEngineVersions().size(), 1);
    }

    // Shut-down kills a running check at once instead of waiting for the engine.
    void StopKillsARunningCheck()
    {
        TestEnvironment env;
        const QString fake = env.Path("system/spring");
        const QString started = env.Path("started");
        WriteFile(fake, "#!/bin/sh\ntouch '" + started.toUtf8() + "'\nexec sleep 30\n", true);
        SyncManager::SetSystemEnginePath(fake);
        SyncManager::SetKnownEngineVersions({});
        SyncManager::Instance();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started), 10000);
        QElapsedTimer timer;
        timer.start();
        SyncManager::StopEngineChecks();
        SyncManager::Instance()->InvokeBlocking("DoDestroy");
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(env.LogContains("SyncManager :: ENGINE VERSION --- check stopped --- " + fake));
        QVERIFY(SyncManager::KnownEngineVersions().isEmpty());
    }

    // The map the engine tests build, a second folder of it (same name inside) and a copy renamed in its
    // mapinfo.lua, its description carrying markup characters.
    void MapLookUpsOnRealTestMaps()
    {
        QM_REQUIRE(EngineHarness::HasTestContent(), "the test map built by mapcompile");
        TestEnvironment env;
        SyncManager::SetSystemEnginePath(QString());
        const QString maps = env.SpringDataDir() + "/maps/";
        EngineHarness harness;
        QVERIFY(harness.InstallTestContent(env.SpringDataDir()));
        const QString copies[] = {"QuillTwin.sdd", "Renamed.sdd"};
        for (const QString& copy : copies)
        {
            const QString staging = env.Path("staging-" + copy);
            QVERIFY(harness.InstallTestContent(staging));
            QVERIFY(QDir().rename(staging + "/maps/" + EngineHarness::TestMapFolder(), maps + copy));
        }
        QByteArray info = TestFiles::Read(maps + "Renamed.sdd/mapinfo.lua");
        QVERIFY(info.contains("name = \"Quill Test Map\""));
        info.replace("name = \"Quill Test Map\"", "name = \"Quill <Copy> Map\"");
        info.replace("Flat map for the lobby's engine tests", "Dunes & <b>rocks</b>");
        WriteFile(maps + "Renamed.sdd/mapinfo.lua", info);

        SyncManager* sync = SyncManager::Instance();
        const QString test = EngineHarness::TestMapName();
        QCOMPARE(sync->GetAvailableMaps(), QSet<QString>({test, "Quill <Copy> Map"}));
        const QMap<QString, QString> expected{{test, "Flat map for the lobby's engine tests"},
                                              {"Quill <Copy> Map", "Dunes & <b>rocks</b>"}};
        QCOMPARE(sync->GetMapInfoList(), expected);
        QCOMPARE(sync->GetMapInfoText(test), expected.value(test));
        QCOMPARE(sync->GetMapInfoText("Not Installed"), QStringLiteral("Not Installed"));

        // Read from another thread while a rescan replaces the index.
        QStringList seen;
        std::thread reader(
            [&]
            {
                for (int i = 0; i < 200; ++i)
                    seen << sync->GetMapInfoText(test);
            });
        SyncManager::Reload();
        reader.join();
        QCOMPARE(seen.count(expected.value(test)), 200);
        // The rescan reads the folders of the environment: done before the environment goes.
        QVERIFY(sync->InvokeBlocking("DoDestroy"));
        SyncManager::Destroy();
    }

    // Every side of every game has an icon, found in any letter case; other sides have none.
    void SidesOfEveryGame()
    {
        for (const GameDefinition& game : AppDefines::GameTable())
        {
            TestEnvironment env(game.shortCode);
            const int count = SyncManager::GetSideCount();
            QVERIFY(count >= 2);
            for (int side = 0; side < count; ++side)
            {
                const QString name = SyncManager::GetSideName(side);
                QVERIFY2(!SyncManager::GetAiSideIcon(name).isNull(), qPrintable(name));
                QCOMPARE(SyncManager::GetAiSideIcon(name.toUpper()), SyncManager::GetAiSideIcon(name));
            }
            QCOMPARE(SyncManager::GetSideName(count), QStringLiteral("NONE"));
            QCOMPARE(SyncManager::GetSideName(-1), QStringLiteral("NONE"));
            QVERIFY(SyncManager::GetAiSideIcon("no such side").isNull());
            QVERIFY(env.LogContains("SyncManager :: no side icon :/GamesData/" + game.shortCode +
                                    "/no such side.png"));
        }
    }

    void RealSystemEngineIsFound()
    {
        TestEnvironment env;
        QM_REQUIRE(QFileInfo("/usr/games/spring").isExecutable(), "Debian's spring package");
        SyncManager::SetSystemEnginePath("/usr/games/spring");
        QCOMPARE(SyncManager::Instance()->GetEngineExePath("106.0"), QStringLiteral("/usr/games/spring"));
    }
    // The sync checker over the index: a retry before any question answers nothing; a retry after
    // the missing game arrived sees it (its dialog: the sync dialog's test).
    void SyncCheckerChecksAndRechecks()
    {
        TestEnvironment env;
        WriteFile(env.Path("maps/Ford.sd7"), "x");
        WriteFile(env.Path("engines/105.0/spring"), "x");
        SyncManager::SetSystemEnginePath(QString());
        SyncManager::Instance();
        SyncHandler::Initialize();
        // Taken on this thread (a spy would record on the checker's thread while the test reads).
        QList<DataSyncState> states;
        QObject receiver;
        connect(SyncHandler::Instance(), &SyncHandler::OnSyncState, &receiver,
                [&states](const DataSyncState& state) { states << state; });
        SyncHandler::Instance()->InvokeBlocking("DoRetrySync");
        QCoreApplication::processEvents();
        QCOMPARE(states.count(), 0);

        SyncHandler::CheckSyncState(DataSync{"Ford", "Late Game 3", "105.0"});
        QTRY_COMPARE(states.count(), 1);
        const DataSyncState s = states.first();
        QVERIFY(s.isChecked && s.hasMap && s.hasEngine && !s.hasGame && !s.isSynced);
        // No download runs, so none is listed and a retry makes sense.
        QVERIFY(s.downloads.isEmpty() && s.downloadsIdle);
        QCOMPARE(SyncHandler::Instance()->GetSyncState().gameName, "Late Game 3");

        WriteFile(env.Path("games/Late Game 3.sdz"), "x");
        SyncManager::Instance()->InvokeBlocking("DoReload");
        SyncHandler::Instance()->Queue("DoRetrySync");
        QTRY_COMPARE(states.count(), 2);
        QVERIFY(states.last().isSynced);

        // Empty names are never "installed".
        const DataSyncState empty = SyncHandler::ComputeState(DataSync{QString(), QString(), QString()});
        QVERIFY(!empty.hasMap && !empty.hasGame && !empty.hasEngine);
        SyncHandler::Destroy();
        QVERIFY(!SyncHandler::Exists());
        SyncHandler::Destroy(); // twice is harmless
        DownloadHandler::Destroy();
    }
};

QTEST_GUILESS_MAIN(TestSyncManager)
#include "tst_SyncManager.moc"
