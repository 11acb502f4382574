#include "AppDefines.h"
#include "ContentScanCache.h"
#include "DownloadHandler.h"
#include "EngineHarness.h"
#include "PathManager.h"
#include "SyncHandler.h"
#include "SyncManager.h"
#include "TestArchive.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "UnitSync.h"

#include <QElapsedTimer>
#include <QLibrary>
#include <QSignalSpy>
#include <QtTest>
#include <sys/stat.h>
#include <thread>

namespace
{
void WriteFile(const QString& path, const QByteArray& content, bool executable = false)
{
    QVERIFY(TestFiles::Write(path, content, executable));
}

// How many archives the content index's last scan opened.
int ArchivesRead(const TestEnvironment& env)
{
    const QStringList lines = env.LogLines().filter("SyncManager :: RELOADED");
    return lines.isEmpty() ? -1 : lines.last().section("archives read ", 1).trimmed().toInt();
}

// The games the engine's unitsync library lists, by the name their modinfo.lua gives (with version).
QStringList EngineGames()
{
    QLibrary library(UnitSync::DefaultLibraryPath());
    const auto count = reinterpret_cast<int (*)()>(library.resolve("GetPrimaryModCount"));
    const auto infoCount = reinterpret_cast<int (*)(int)>(library.resolve("GetPrimaryModInfoCount"));
    const auto key = reinterpret_cast<const char* (*)(int)>(library.resolve("GetInfoKey"));
    const auto value = reinterpret_cast<const char* (*)(int)>(library.resolve("GetInfoValueString"));
    QStringList games;
    for (int game = 0; count && infoCount && key && value && game < count(); ++game)
    {
        for (int i = 0; i < infoCount(game); ++i)
            if (QByteArray(key(i)) == "name")
                games << QString::fromUtf8(value(i));
    }
    return games;
}
QStringList Sorted(QStringList names)
{
    names.removeDuplicates();
    names.sort();
    return names;
}

QStringList Sorted(const QSet<QString>& names)
{
    return Sorted(QStringList(names.cbegin(), names.cend()));
}

// Writes one shape of map or game archive, built from the test content, at `path`:
//   "map.sdz", "map.sd7", "game.sdz", "game.sd7"  the packed test content
//   "shapes/<file>"                               one the test content builder packed another way
//   "<percent>%:<shape>", "-<bytes>:<shape>"      a shape cut short there, as a download stops
//   anything else                                 written here, by libarchive (see below)
bool WriteShape(const QString& shape, const QString& path)
{
    const QString content = EngineHarness::TestContentDir();
    const QString map = content + "/maps/" + EngineHarness::TestMapFolder() + '/';
    const QString game = content + "/games/" + EngineHarness::TestGameFolder() + '/';
    const QByteArray mapInfo = TestFiles::Read(map + "mapinfo.lua");
    const QByteArray smf = TestFiles::Read(map + "maps/testmap.smf");
    const TestArchive::Entries mapFiles{{"maps/testmap.smf", smf},
                                        {"maps/testmap.smt", TestFiles::Read(map + "maps/testmap.smt")}};
    const TestArchive::Entries gameFiles{{"LuaRules/main.lua", TestFiles::Read(game + "LuaRules/main.lua")},
                                         {"LuaRules/draw.lua", TestFiles::Read(game + "LuaRules/draw.lua")}};
    const TestArchive::Entries info{{"mapinfo.lua", mapInfo}};
    const TestArchive::Entries modInfo{{"modinfo.lua", TestFiles::Read(game + "modinfo.lua")}};
    if (shape.contains(':'))
    {
        const QString cut = shape.section(':', 0, 0);
        if (!WriteShape(shape.section(':', 1), path))
            return false;
        const QByteArray whole = TestFiles::Read(path);
        const int keep = cut.endsWith('%') ? int(qint64(whole.size()) * cut.chopped(1).toInt() / 100)
                                           : whole.size() + cut.toInt();
        return TestFiles::Write(path, whole.left(keep));
    }
    QString copy;
    if (shape == "map.sdz" || shape == "map.sd7")
        copy = "/packed/maps/" + EngineHarness::PackedTestMapFile(shape.right(3));
    else if (shape == "game.sdz" || shape == "game.sd7")
        copy = "/packed/games/" + EngineHarness::PackedTestGameFile(shape.right(3));
    else if (shape.startsWith("shapes/"))
        copy = "/packed/" + shape;
    if (!copy.isEmpty())
        return TestFiles::Write(path, TestFiles::Read(content + copy)) && QFileInfo(content + copy).isFile();
    // A map holding the test game's files and modinfo.lua too.
    if (shape == "map and game.sdz")
        return TestArchive::Write(path, mapFiles + gameFiles + modInfo + info);
    // The test map under another name.
    if (shape == "other map.sdz")
        return TestArchive::Write(
            path, mapFiles + TestArchive::Entries{{"mapinfo.lua", QByteArray(mapInfo).replace(
                                                                      "Quill Test Map", "Quill Other Map")}});
    // libarchive packs one solid block in the given order: the map file first, the info file last.
    if (shape == "map by libarchive.sd7")
        return TestArchive::Write(path, mapFiles + info);
    if (shape == "noise first.sd7")
        return TestArchive::Write(
            path, TestArchive::Entries{{"maps/noise.smt", TestArchive::Noise(3 << 20, 7)}} + mapFiles + info);
    if (shape == "two map files.sdz")
        return TestArchive::Write(path, {{"maps/zeta.smf", smf},
                                         {"maps/alpha.smf", smf},
                                         {"mapinfo.lua", "return {description = 'No name'}"}});
    // 65535 files in all: the end of its central directory says 0xFFFF, with no zip64 record, as
    // Python's zipfile and libarchive write it.
    if (shape == "65535 files.sdz")
    {
        TestArchive::Entries files = mapFiles + info;
        while (files.size() < 0xFFFF)
            files << qMakePair(QStringLiteral("maps/extra/%1.txt").arg(files.size()), QByteArray("x"));
        return TestArchive::Write(path, files);
    }
    // A map of old: no mapinfo.lua, its name in modinfo.lua.
    if (shape == "old map.sdz")
        return TestArchive::Write(
            path,
            mapFiles + TestArchive::Entries{
                           {"modinfo.lua", "return {name = 'Quill Old Map', version = '2', modtype = 3}"}});
    return false;
}
} // namespace

class TestSyncManager : public QObject
{
    Q_OBJECT

    // unitsync reads the user's engine settings under HOME: keep them out.
    QTemporaryDir m_home;

private slots:
    void initTestCase() { qputenv("HOME", m_home.path().toUtf8()); }

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
        QVERIFY(TestArchive::WriteNamedContent(data + "/games/zorn-1.0.sdz"));
        QVERIFY(TestArchive::WriteNamedContent(data + "/games/Other Game 2.SD7"));
        WriteFile(data + "/games/readme.txt", "not a game");
        WriteFile(data + "/games/Dev.sdd/modinfo.lua",
                  "return {\n\tshortname = \"DG\",\n\tname = \"Dev Game\",\n\tversion = 'test-7',\n"
                  "\tdepend = {\"Spring content v1\"},\n}\n");
        WriteFile(data + "/games/Versioned.sdd/modinfo.lua",
                  "return { name = \"Kept 1.5\", version = \"1.5\" }");
        WriteFile(data + "/games/NoInfo.sdd/LuaRules/main.lua", "");
        WriteFile(data + "/games/Nameless.sdd/modinfo.lua", "return { version = \"2\" }");
        QVERIFY(TestArchive::WriteNamedContent(data + "/maps/Comet Catcher 1.8.sd7"));
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

        // Folders that name no game are no games, as for the engine.
        QCOMPARE(sync->GetGameVersions().keys(),
                 QStringList({"Dev Game test-7", "Kept 1.5", "Other Game 2", "zorn-1.0"}));
        QVERIFY(env.LogContains("ContentScanner :: NO GAME --- " + data + "/games/NoInfo.sdd"));
        QVERIFY(!env.LogContains("SyncManager :: NO ENGINE"));
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
        QVERIFY(env.LogContains("SyncManager :: NO ENGINE --- none in " + env.SpringDataDir() + "/engines"));
        QVERIFY(TestArchive::WriteNamedContent(env.SpringDataDir() + "/maps/New Map.sdz"));
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
        QCOMPARE(SyncManager::EngineVersionsToStore({""}), known);

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
        WriteFile(fake, "#!/bin/sh\ntouch '" + started.toUtf8() + "'\nexec sleep 90\n", true);
        SyncManager::SetSystemEnginePath(fake);
        SyncManager::SetKnownEngineVersions({});
        SyncManager::Instance();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started), 10000);
        QElapsedTimer timer;
        timer.start();
        SyncManager::StopEngineChecks();
        SyncManager::Instance()->InvokeBlocking("DoDestroy");
        // Waiting for the engine would take its whole minute and a half.
        QVERIFY2(timer.elapsed() < 30000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(env.LogContains("SyncManager :: ENGINE VERSION --- check stopped --- " + fake));
        QVERIFY(SyncManager::KnownEngineVersions().isEmpty());
        // A stopped check is no answer: nothing is said to be missing, and what the last start
        // stored is stored again, unchanged, so that the next start asks.
        QVERIFY2(env.LogContains("SyncManager :: ENGINES UNKNOWN --- the check of " + fake + " was stopped"),
                 qPrintable(env.LogLines().join('\n')));
        QVERIFY(!env.LogContains("SyncManager :: NO ENGINE"));
        QCOMPARE(SyncManager::EngineVersionsToStore({""}), QStringList{""});
        QCOMPARE(SyncManager::EngineVersionsToStore({}), QStringList());
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

    // Each archive is listed under the name the engine gives it, whatever its file is called; the
    // engine's own unitsync library, asked once about them all, is the judge.
    void NamesAsTheEngineDoes()
    {
        QM_REQUIRE(EngineHarness::HasPackedTestContent(), "the packed test content (mapcompile, 7z)");
        struct Case
        {
            QString file;
            TestArchive::Entries entries; // none: the packed test content
            QString name;
        };
        const auto map = [](const QString& lua) {
            return TestArchive::Entries{{"maps/m.smf", "x"}, {"mapinfo.lua", lua.toUtf8()}};
        };
        const QList<Case> cases{
            {"maps/" + EngineHarness::PackedTestMapFile("sdz"), {}, EngineHarness::TestMapName()},
            {"maps/" + EngineHarness::PackedTestMapFile("sd7"), {}, EngineHarness::TestMapName()},
            {"games/" + EngineHarness::PackedTestGameFile("sdz"), {}, EngineHarness::TestGameName()},
            {"games/" + EngineHarness::PackedTestGameFile("sd7"), {}, EngineHarness::TestGameName()},
            // The version is added unless the name holds it anywhere, in the same letter case.
            {"maps/b.sd7", map("return {name = \"Bravo\", version = \"1.0\"}"), "Bravo 1.0"},
            {"maps/d.sdz", map("return {name = \"Delta 3.0 beta\", version = \"3.0\"}"), "Delta 3.0 beta"},
            {"maps/e.sdz", map("return {name = \"Echo V1\", version = \"v1\"}"), "Echo V1 v1"},
            {"maps/s.sdz", map("return {name = 'Sierra', version = 1.5}"), "Sierra 1.500000"},
            {"maps/g.sdz", map("return {name = '  Golf  ', version = ' 5 '}"), "  Golf    5 "},
            {"maps/p.sdz", map("return {name = \"Pa\\\"pa\\t\" .. [==[Q]]]==] .. 5}"), "Pa\"pa\tQ]]5"},
            {"maps/t.sd7",
             map("-- name = \"Commented\"\nlocal v = \"v2\"\nlocal mapinfo = {\n\tname = "
                 "\"Tango\",\n\tversion = v,\n"
                 "\tteams = {[0] = {name = \"Inner\"}},\n}\n--[[ name = \"Long comment\" ]]\n"
                 "local function lowerkeys(t)\n\tlocal fix = {}\n\tfor k, x in pairs(t) do fix[k:lower()] = "
                 "x end\n"
                 "\treturn fix\nend\nmapinfo.description = \"Set later\"\nlowerMapinfo = lowerkeys(mapinfo)\n"
                 "return lowerMapinfo\n"),
             "Tango v2"},
            // Without a name, the map file's; an info file in capitals counts.
            {"maps/h.sdz", {{"maps/Hotel_Map.smf", "x"}}, "Hotel_Map"},
            {"maps/i.sdz", {{"mapinfo.lua", "return {description = 'x'}"}, {"maps/India.smf", "x"}}, "India"},
            {"maps/j.sdz", {{"mapinfo.lua", "error('boom') {"}, {"maps/Juliet.smf", "x"}}, "Juliet"},
            {"maps/l.sdz", {{"MapInfo.lua", "return {name = 'Lima'}"}}, "Lima"},
            {"games/k.sd7",
             {{"modinfo.lua", "return {name = 'Kilo 2 rc', version = '2', modtype = 1}"}},
             "Kilo 2 rc"},
        };
        TestEnvironment env;
        QSet<QString> maps;
        QSet<QString> games;
        for (const Case& c : cases)
        {
            const QString path = env.SpringDataDir() + '/' + c.file;
            QDir().mkpath(QFileInfo(path).absolutePath());
            QVERIFY(c.entries.isEmpty()
                        ? QFile::copy(EngineHarness::TestContentDir() + "/packed/" + c.file, path)
                        : TestArchive::Write(path, c.entries));
            (c.file.startsWith("maps/") ? maps : games) << c.name;
        }
        SyncManager::SetSystemEnginePath(QString());
        SyncManager* sync = SyncManager::Instance();
        QCOMPARE(sync->GetAvailableMaps(), maps);
        const QStringList gameNames = sync->GetGameVersions().keys();
        QCOMPARE(QSet<QString>(gameNames.cbegin(), gameNames.cend()), games);
        QCOMPARE(sync->GetMapInfoText("Tango v2"), "Set later");
        cleanup();

        QM_REQUIRE(QFileInfo::exists(UnitSync::DefaultLibraryPath()),
                   "the engine's unitsync library (spring)");
        UnitSync unitSync(UnitSync::DefaultLibraryPath());
        QString error;
        QVERIFY2(unitSync.Load(&error) && unitSync.Init({env.SpringDataDir()}, &error), qPrintable(error));
        const QStringList engineMaps = unitSync.MapNames();
        const QStringList engineGames = EngineGames();
        QCOMPARE(QSet<QString>(engineMaps.cbegin(), engineMaps.cend()), maps);
        QCOMPARE(QSet<QString>(engineGames.cbegin(), engineGames.cend()), games);
    }

    // Archives as the engine finds them, reads them and names them, whatever folder under its
    // content folders they lie in; the engine's own unitsync library is the judge. What the engine
    // lists but couldn't load (a map whose info file it can't unpack, which it names after the
    // map file) is left out with a log line.
    void ContentAsTheEngineSeesIt_data()
    {
        QTest::addColumn<QStringList>("files"); // "<path in the data folder>=<shape>" (WriteShape)
        QTest::addColumn<QStringList>("maps");
        QTest::addColumn<QStringList>("games");
        QTest::addColumn<QStringList>("engineOnly"); // maps unitsync lists that the engine can't load
        QTest::addColumn<QString>("logLine");        // %1 the data folder
        const QStringList map{EngineHarness::TestMapName()};
        const QStringList game{EngineHarness::TestGameName()};
        const QStringList none;
        const QStringList fileName{"testmap"};
        const QString damaged = "ContentScanner :: DAMAGED ARCHIVE --- %1/";
        const QString cantUnpack = "ContentScanner :: ENGINE CAN NOT UNPACK --- %1/";

        // An interrupted download has no central directory.
        for (const char* cut : {"90%", "99%", "-30"})
            QTest::addRow("sdz cut short: %s", cut)
                << QStringList{"maps/m.sdz=" + QString(cut) + ":map.sdz"} << none << none << none
                << damaged + "maps/m.sdz --- no zip central directory (cut short?)";
        QTest::newRow("game sdz cut short")
            << QStringList{"games/g.sdz=99%:game.sdz"} << none << none << none
            << damaged + "games/g.sdz --- no zip central directory (cut short?)";
        QTest::newRow("sd7 cut short") << QStringList{"maps/m.sd7=99%:map.sd7"} << none << none << none
                                       << damaged + "maps/m.sd7 --- no 7z header (cut short?)";

        // Found by what they hold, wherever they lie.
        QTest::newRow("a map in games")
            << QStringList{"games/m.sdz=map.sdz"} << map << none << none << QString();
        QTest::newRow("a game in maps")
            << QStringList{"maps/g.sd7=game.sd7"} << none << game << none << QString();
        QTest::newRow("a map and a game in one archive")
            << QStringList{"games/both.sdz=map and game.sdz"} << map << none << none << QString();
        QTest::newRow("maps in subfolders")
            << QStringList{"maps/sub/m.sdz=map.sdz", "maps/a/b/c/o.sdz=other map.sdz"}
            << QStringList{"Quill Other Map", "Quill Test Map"} << none << none << QString();
        QTest::newRow("a game in a subfolder of games")
            << QStringList{"games/sub/g.sdz=game.sdz"} << none << game << none << QString();
        QTest::newRow("a map in base")
            << QStringList{"base/m.sd7=map.sd7"} << map << none << none << QString();
        QTest::newRow("a game in packages")
            << QStringList{"packages/g.sdz=game.sdz"} << none << game << none << QString();
        QTest::newRow("a hidden folder") << QStringList{"maps/.hidden/m.sdz=map.sdz", "maps/.h.sdz=map.sdz"}
                                         << none << none << none << QString();
        QTest::newRow("archives inside an sdd folder")
            << QStringList{"maps/x.sdd/m.sdz=map.sdz", "maps/y.sddold/m.sdz=map.sdz"} << none << none << none
            << "ContentScanner :: NO MAP --- %1/maps/x.sdd";
        QTest::newRow("two archives holding one map")
            << QStringList{"maps/a.sdz=map.sdz", "games/b.sd7=map.sd7"} << map << none << none
            << "ContentScanner :: SAME NAME --- Quill Test Map --- listed from %1/maps/a.sdz --- left out "
               "%1/games/b.sd7";
        // The engine reads one archive of a file name: the one in the later content folder, then the deeper.
        QTest::newRow("one file name in maps and games")
            << QStringList{"maps/m.sdz=map.sdz", "games/M.sdz=other map.sdz"}
            << QStringList{"Quill Other Map"} << none << none
            << "ContentScanner :: SAME FILE NAME --- m.sdz --- the engine reads %1/games/M.sdz --- left out "
               "%1/maps/m.sdz";
        QTest::newRow("one file name in maps and below")
            << QStringList{"maps/m.sdz=other map.sdz", "maps/sub/m.sdz=map.sdz"} << map << none << none
            << "ContentScanner :: SAME FILE NAME --- m.sdz --- the engine reads %1/maps/sub/m.sdz --- left "
               "out "
               "%1/maps/m.sdz";

        // Every way of packing the engine unpacks.
        for (const QString shape : {"shapes/map-lzma2.sd7", "shapes/map-copy.sd7", "shapes/map-nonsolid.sd7",
                                    "shapes/map-plain-header.sd7", "shapes/map-bcj.sd7", "shapes/map-arm.sd7",
                                    "shapes/map-copy-bcj.sd7", "shapes/map-bcj2.sd7", "shapes/map-stored.sdz",
                                    "map by libarchive.sd7", "noise first.sd7"})
            QTest::addRow("%s", qPrintable(shape))
                << QStringList{"maps/m." + shape.right(3) + '=' + shape} << map << none << none << QString();
        // And those it doesn't: it names such a map after its map file and can't load it.
        const QList<QPair<QString, QString>> unpackable{
            {"shapes/map-bzip2.sd7", "its files are packed with BZip2"},
            {"shapes/map-ppmd.sd7", "its files are packed with PPMd"},
            {"shapes/map-deflate.sd7", "its files are packed with Deflate"},
            {"shapes/map-delta.sd7", "its files are packed with Delta"},
            {"shapes/map-armt.sd7", "its files are packed with ARMT"},
            {"shapes/map-ppc.sd7", "its files are packed with PPC"},
            {"shapes/map-sparc.sd7", "its files are packed with SPARC"},
            {"shapes/map-ia64.sd7", "its files are packed with IA64"},
            {"shapes/map-arm64.sd7", "its files are packed with ARM64"},
            {"shapes/map-aes.sd7", "its files are packed with AES encryption"},
            {"shapes/map-bzip2.sdz", "mapinfo.lua is packed with bzip2"},
            {"shapes/map-lzma.sdz", "mapinfo.lua is packed with LZMA"},
            {"shapes/map-deflate64.sdz", "mapinfo.lua is packed with Deflate64"},
            {"shapes/map-encrypted.sdz", "mapinfo.lua is encrypted"},
            {"shapes/map-zip64.sdz", "mapinfo.lua is a zip64 entry"},
        };
        for (const auto& shape : unpackable)
        {
            const QString file = "maps/m." + shape.first.right(3);
            QTest::addRow("%s", qPrintable(shape.first))
                << QStringList{file + '=' + shape.first} << none << none << fileName
                << cantUnpack + file + " --- " + shape.second;
        }
        // Nor can it open one whose header is encrypted.
        QTest::newRow("shapes/map-aes-header.sd7")
            << QStringList{"maps/m.sd7=shapes/map-aes-header.sd7"} << none << none << none
            << cantUnpack + "maps/m.sd7 --- its header is packed with AES encryption";
        for (const QString shape : {"shapes/game-bzip2.sdz", "shapes/game-bzip2.sd7", "shapes/game-ppmd.sd7"})
            QTest::addRow("%s", qPrintable(shape))
                << QStringList{"games/g." + shape.right(3) + '=' + shape} << none << none << none
                << cantUnpack + "games/g." + shape.right(3);

        QTest::newRow("a zip of 65535 files")
            << QStringList{"maps/m.sdz=65535 files.sdz"} << map << none << none << QString();

        // Named as the engine names them.
        QTest::newRow("two map files and no name") << QStringList{"maps/m.sdz=two map files.sdz"}
                                                   << QStringList{"zeta"} << none << none << QString();
        QTest::newRow("a map of old") << QStringList{"maps/m.sdz=old map.sdz"}
                                      << QStringList{"Quill Old Map 2"} << none << none << QString();
    }

    void ContentAsTheEngineSeesIt()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, maps);
        QFETCH(QStringList, games);
        QFETCH(QStringList, engineOnly);
        QFETCH(QString, logLine);
        QM_REQUIRE(EngineHarness::HasPackedTestContent(), "the packed test content (mapcompile, 7z, zip)");
        TestEnvironment env;
        const QString data = env.SpringDataDir();
        for (const QString& file : files)
            QVERIFY2(WriteShape(file.section('=', 1), data + '/' + file.section('=', 0, 0)),
                     qPrintable(file));
        SyncManager::SetSystemEnginePath(QString());
        SyncManager* sync = SyncManager::Instance();
        QCOMPARE(Sorted(sync->GetAvailableMaps()), maps);
        QCOMPARE(sync->GetGameVersions().keys(), games);
        QVERIFY2(logLine.isEmpty() || env.LogContains(logLine.arg(data)),
                 qPrintable(env.LogLines().join('\n')));
        cleanup();

        QM_REQUIRE(QFileInfo::exists(UnitSync::DefaultLibraryPath()),
                   "the engine's unitsync library (spring)");
        UnitSync unitSync(UnitSync::DefaultLibraryPath());
        QString error;
        QVERIFY2(unitSync.Load(&error) && unitSync.Init({data}, &error), qPrintable(error));
        QCOMPARE(Sorted(unitSync.MapNames()), Sorted(maps + engineOnly));
        QCOMPARE(Sorted(EngineGames()), games);
    }

    // What can't be listed is logged and left as it is; the rest is listed. A scan from the cache
    // (nothing opened) says the same.
    void BadArchivesLoseNothing_data()
    {
        QTest::addColumn<QString>("bad");
        QTest::addColumn<QString>("logLine");
        QTest::newRow("7z cut short") << "maps/cut.sd7"
                                      << "ContentScanner :: DAMAGED ARCHIVE --- %1 ---";
        QTest::newRow("zip of nothing") << "maps/garbage.sdz"
                                        << "ContentScanner :: DAMAGED ARCHIVE --- %1 ---";
        QTest::newRow("huge mapinfo.lua")
            << "maps/huge.sdz"
            << "ContentScanner :: DAMAGED ARCHIVE --- %1 --- mapinfo.lua is larger than 1048576 bytes";
        QTest::newRow("no map in it") << "maps/readme.sdz"
                                      << "ContentScanner :: NO MAP --- %1";
        QTest::newRow("mapinfo.lua larger than its header says")
            << "maps/claims.sdz"
            << "ContentScanner :: DAMAGED ARCHIVE --- %1 --- mapinfo.lua is larger than 1048576 bytes";
        QTest::newRow("a second archive of the map")
            << "maps/" + EngineHarness::PackedTestMapFile("sd7")
            << "ContentScanner :: SAME NAME --- Quill Test Map --- listed from %2 --- left out %1";
        // No real map's header comes near: unpacking it would cost that much memory for nothing.
        QTest::newRow("a 7z header unpacking to over 16 MB")
            << "maps/names.sd7"
            << "ContentScanner :: DAMAGED ARCHIVE --- %1 --- a header of more than 16777216 bytes";
        QTest::newRow("a FIFO") << "maps/pipe.sdz" << QString();
        QTest::newRow("a FIFO for a folder's mapinfo.lua")
            << "maps/pipe.sdd"
            << "ContentScanner :: DAMAGED ARCHIVE --- %1 --- mapinfo.lua is not a regular file";
    }

    void BadArchivesLoseNothing()
    {
        QFETCH(QString, bad);
        QFETCH(QString, logLine);
        QM_REQUIRE(EngineHarness::HasPackedTestContent(), "the packed test content (mapcompile, 7z)");
        TestEnvironment env;
        const QString data = env.SpringDataDir();
        const QString packed = EngineHarness::TestContentDir() + "/packed/maps/";
        const QString good = data + "/maps/" + EngineHarness::PackedTestMapFile("sdz");
        const QString badPath = data + '/' + bad;
        WriteFile(good, TestFiles::Read(packed + EngineHarness::PackedTestMapFile("sdz")));
        if (bad.endsWith("cut.sd7"))
            WriteFile(badPath, TestFiles::Read(packed + EngineHarness::PackedTestMapFile("sd7")).left(200));
        else if (bad.endsWith("garbage.sdz"))
            WriteFile(badPath, QByteArray("PK\x03\x04 not really", 15).repeated(20));
        else if (bad.endsWith("huge.sdz"))
            QVERIFY(TestArchive::Write(
                badPath, {{"mapinfo.lua", "return {name = 'Huge'}" + QByteArray(2 << 20, ' ')}}));
        else if (bad.endsWith("readme.sdz"))
            QVERIFY(TestArchive::Write(badPath, {{"readme.txt", "nothing"}}));
        else if (bad.endsWith("claims.sdz"))
        {
            // 2 MB, but its headers say 100 bytes. Its packed data ends after 1.5 MB: a reader that
            // unpacks it whole before it looks at the size finds it cut short instead.
            QVERIFY(TestArchive::Write(
                badPath, {{"mapinfo.lua", "return {name = 'Claims'}" + TestArchive::Noise(2 << 20, 3)}}));
            QByteArray bytes = TestFiles::Read(badPath);
            for (const QByteArray& header : {QByteArray("PK\x03\x04", 4), QByteArray("PK\x01\x02", 4)})
            {
                // The local header first, the central one (after the packed data) last; only the
                // central one must give the sizes.
                const bool central = header.endsWith('\x02');
                const int at = central ? bytes.lastIndexOf(header) : bytes.indexOf(header);
                const int packed = at + (central ? 20 : 18);
                QVERIFY(at >= 0);
                QVERIFY(!central || bytes.mid(packed, 8) != QByteArray(8, '\0'));
                if (bytes.mid(packed, 8) != QByteArray(8, '\0'))
                    bytes.replace(packed, 8, QByteArray("\0\0\x18\0\x64\0\0\0", 8));
            }
            WriteFile(badPath, bytes);
        }
        else if (bad.endsWith("names.sd7"))
        {
            // 80000 files of long names: 20 MB of header, packed into a few kilobytes.
            TestArchive::Entries files{{"mapinfo.lua", "return {name = 'Names'}"}};
            for (int i = 0; i < 80000; ++i)
                files << qMakePair(QStringLiteral("maps/%1_").arg(i) + QString(120, 'n'), QByteArray());
            QVERIFY(TestArchive::Write(badPath, files));
        }
        else if (bad.endsWith("pipe.sdz"))
            QCOMPARE(mkfifo(QFile::encodeName(badPath).constData(), 0600), 0);
        else if (bad.endsWith("pipe.sdd"))
            QVERIFY(QDir().mkpath(badPath) &&
                    mkfifo(QFile::encodeName(badPath + "/mapinfo.lua").constData(), 0600) == 0);
        else
            WriteFile(badPath, TestFiles::Read(packed + EngineHarness::PackedTestMapFile("sd7")));
        const QByteArray badBytes = QFileInfo(badPath).isFile() ? TestFiles::Read(badPath) : QByteArray();
        SyncManager::SetSystemEnginePath(QString());

        for (const int archivesRead : {2, 0})
        {
            env.ClearLog();
            SyncManager* sync = SyncManager::Instance();
            QCOMPARE(sync->GetAvailableMaps(), QSet<QString>{EngineHarness::TestMapName()});
            QCOMPARE(sync->GetMapInfoText(EngineHarness::TestMapName()),
                     "Flat map for the lobby's engine tests");
            const QString line = logLine.arg(badPath, good);
            QVERIFY2(line.isEmpty() || env.LogContains(line), qPrintable(env.LogLines().join('\n')));
            QCOMPARE(ArchivesRead(env), bad.contains("pipe.sd") ? archivesRead / 2 : archivesRead);
            cleanup();
        }
        QCOMPARE(TestFiles::Read(good), TestFiles::Read(packed + EngineHarness::PackedTestMapFile("sdz")));
        if (!badBytes.isEmpty())
            QCOMPARE(TestFiles::Read(badPath), badBytes);
    }

    // What the archives hold is remembered by path, size and modification time: a start with
    // nothing changed opens none, a changed one is read again, and a bad cache file only costs a
    // full scan.
    void ScanCache_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("archivesRead");
        QTest::addColumn<QStringList>("maps");
        QTest::addColumn<QString>("logLine");
        const QStringList both{"Alpha", "Bravo"};
        QTest::newRow("nothing changed") << "" << 0 << both << QString();
        QTest::newRow("an archive rewritten")
            << "rewrite" << 1 << QStringList{"Alpha", "Charlie"} << QString();
        QTest::newRow("an archive touched") << "touch" << 1 << both << QString();
        QTest::newRow("an archive removed") << "remove" << 0 << QStringList{"Alpha"} << QString();
        QTest::newRow("a download completed") << "complete" << 1 << both << QString();
        QTest::newRow("cache damaged")
            << "damage" << 3 << both << "ContentScanner :: DAMAGED CACHE --- %1 --- truncated";
        QTest::newRow("cache of another version")
            << "version" << 3 << both
            << "ContentScanner :: OTHER CACHE VERSION --- %1 --- version 1 --- every archive is read again";
        QTest::newRow("cache of another kind")
            << "foreign" << 3 << both << "ContentScanner :: DAMAGED CACHE --- %1 --- not a scan cache";
        QTest::newRow("cache too large")
            << "huge" << 3 << both << "ContentScanner :: DAMAGED CACHE --- %1 --- larger than 33554432 bytes";
        QTest::newRow("cache is a FIFO")
            << "fifo" << 3 << both << "ContentScanner :: DAMAGED CACHE --- %1 --- a FIFO";
        QTest::newRow("cache can't be written")
            << "folder" << 3 << both << "ContentScanner :: CAN NOT SAVE CACHE --- %1";
    }

    void ScanCache()
    {
        QFETCH(QString, change);
        QFETCH(int, archivesRead);
        QFETCH(QStringList, maps);
        QFETCH(QString, logLine);
        TestEnvironment env;
        const QString data = env.SpringDataDir();
        const QString cache = PathManager::Instance()->GetLobbyDataDir() + "/content.cache";
        for (const char* file : {"maps/Alpha.sdz", "maps/Bravo.sd7", "games/Game 1.sdz"})
            QVERIFY(TestArchive::WriteNamedContent(data + '/' + file));
        const QString bravo = data + "/maps/Bravo.sd7";
        const QByteArray bravoBytes = TestFiles::Read(bravo);
        // A download under way.
        if (change == "complete")
            WriteFile(bravo, bravoBytes.left(bravoBytes.size() * 9 / 10));
        SyncManager::SetSystemEnginePath(QString());
        const QSet<QString> before = SyncManager::Instance()->GetAvailableMaps();
        QCOMPARE(ArchivesRead(env), 3);
        QCOMPARE(before.contains("Bravo"), change != "complete");
        cleanup();
        QVERIFY(QFileInfo(cache).isFile());

        if (change == "complete")
            WriteFile(bravo, bravoBytes);
        else if (change == "rewrite")
            QVERIFY(TestArchive::Write(bravo, {{"mapinfo.lua", "return {name = 'Charlie'}"}}));
        else if (change == "touch")
            QVERIFY(TestFiles::SetModified(bravo, QFileInfo(bravo).lastModified().addSecs(-60)));
        else if (change == "remove")
            QVERIFY(QFile::remove(bravo));
        else if (change == "damage")
            WriteFile(cache, TestFiles::Read(cache).chopped(3));
        else if (change == "version")
            WriteFile(cache, TestFiles::Read(cache).replace(4, 4, QByteArray("\0\0\0\x01", 4)));
        else if (change == "foreign")
            WriteFile(cache, "[General]\nkey=value\n");
        else if (change == "huge")
            QVERIFY(QFile(cache).resize(40 << 20));
        else if (change == "fifo")
            QVERIFY(QFile::remove(cache) && mkfifo(QFile::encodeName(cache).constData(), 0600) == 0);
        else if (change == "folder")
            QVERIFY(QFile::remove(cache) && QDir().mkpath(cache + "/in the way"));

        env.ClearLog();
        SyncManager* sync = SyncManager::Instance();
        QCOMPARE(sync->GetMapInfoList().keys(), maps);
        QCOMPARE(sync->GetGameVersions().keys(), QStringList{"Game 1"});
        QCOMPARE(ArchivesRead(env), archivesRead);
        QVERIFY2(logLine.isEmpty() || env.LogContains(logLine.arg(cache)),
                 qPrintable(env.LogLines().join('\n')));
        cleanup();
        // A bad cache is replaced by a good one, which the next start uses.
        if (change == "folder" || change == "fifo")
            return;
        // It holds what is on disk now.
        ContentScanCache::Records records;
        QCOMPARE(int(ContentScanCache::Read(cache, records, nullptr)), int(ContentScanCache::ReadResult::Ok));
        QStringList archives{data + "/games/Game 1.sdz", data + "/maps/Alpha.sdz", bravo};
        if (change == "remove")
            archives.removeLast();
        QCOMPARE(Sorted(records.keys()), archives);
        QCOMPARE(records.value(bravo).content.name,
                 change == "rewrite" ? "Charlie" : (change == "remove" ? "" : "Bravo"));
        env.ClearLog();
        QCOMPARE(SyncManager::Instance()->GetMapInfoList().keys(), maps);
        QCOMPARE(ArchivesRead(env), 0);
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
        QVERIFY(TestArchive::WriteNamedContent(env.Path("maps/Ford.sd7")));
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

        QVERIFY(TestArchive::WriteNamedContent(env.Path("games/Late Game 3.sdz")));
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
