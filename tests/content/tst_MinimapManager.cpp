#include "ContentScanCache.h"
#include "EngineHarness.h"
#include "MinimapCache.h"
#include "MinimapCacheBuilder.h"
#include "MinimapManager.h"
#include "PathManager.h"
#include "SyncManager.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "UnitSync.h"

#include <QBuffer>
#include <QtTest>

namespace
{
const QString TestMap = EngineHarness::TestMapName();

// The test map's minimap quarters (tools/testcontent), as the engine shows them.
const QList<QColor> Quarters{QColor(200, 64, 32), QColor(64, 160, 64), QColor(32, 96, 200),
                             QColor(232, 200, 80)};

bool Near(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) <= 10 && qAbs(a.green() - b.green()) <= 10 &&
           qAbs(a.blue() - b.blue()) <= 10;
}

DataMinimap SampleRecord(const QString& name)
{
    DataMinimap record;
    record.mapName = name;
    record.infoText = "Sample <b>& text";
    record.width = 8192;
    record.height = 4096;
    record.minWind = 3;
    record.maxWind = 17;
    record.tidalStrength = 12;
    record.maxMetal = 2.5f;
    record.minimap = QImage(64, 32, QImage::Format_RGB32);
    record.minimap.fill(QColor(10, 20, 30));
    return record;
}

bool HaveUnitSync()
{
    return QFileInfo::exists(UnitSync::DefaultLibraryPath()) && EngineHarness::HasTestContent();
}
} // namespace

class TestMinimapManager : public QObject
{
    Q_OBJECT

    // unitsync also reads the user's engine settings under HOME: keep them out.
    EngineHarness m_harness;
    QList<DataMinimap> m_answers;
    // Set once the service left a request unanswered: later waits are short, so that a silent
    // service fails the test in seconds, not in minutes.
    bool m_silent = false;

    void Request(const QString& mapName, int kind) { MinimapManager::Load(mapName, kind); }

    // A build takes a fraction of a second; ten are plenty on a loaded machine.
    bool AwaitAnswers(int count)
    {
        const int timeout = m_silent ? 300 : 10000 * TestEnvironment::SlowdownFactor();
        m_silent = !QTest::qWaitFor([&] { return m_answers.size() >= count; }, timeout);
        return !m_silent;
    }

private slots:
    void initTestCase() { qputenv("HOME", m_harness.HomeDir().toUtf8()); }

    void init()
    {
        m_answers.clear();
        MinimapManager::SetLibraryPath(QString());
    }

    void cleanup()
    {
        if (MinimapManager::Exists())
            MinimapManager::Instance()->InvokeBlocking("DoDestroy");
        MinimapManager::Destroy();
        if (SyncManager::Exists())
            SyncManager::Instance()->InvokeBlocking("DoDestroy");
        SyncManager::Destroy();
        MinimapManager::SetLibraryPath(QString());
    }

    // Every request is answered once, with its name and kind; the loaded flag says whether a minimap came.
    void Answers_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("mapName");
        QTest::addColumn<bool>("needsUnitSync");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QStringList>("logLines");
        QTest::newRow("real map, no cache yet")
            << "install" << TestMap << true << true << QStringList{"MinimapCacheBuilder :: BUILT"};
        QTest::newRow("packed map, its file named otherwise")
            << "packed" << TestMap << true << true << QStringList{"MinimapCacheBuilder :: BUILT"};
        QTest::newRow("damaged cache of a real map is rebuilt")
            << "install,damage" << TestMap << true << true
            << QStringList{"MinimapManager :: DAMAGED CACHE", "MinimapCacheBuilder :: BUILT"};
        QTest::newRow("cache of another map under its name is rebuilt")
            << "install,foreign" << TestMap << true << true
            << QStringList{"holds the map \"Someone Else\"", "MinimapCacheBuilder :: BUILT"};
        QTest::newRow("cached map, nothing installed, no library")
            << "cache,nolibrary"
            << "Cached Only" << false << true << QStringList();
        QTest::newRow("unknown map") << ""
                                     << "No Such Map" << false << false
                                     << QStringList{
                                            "MinimapManager :: NO MINIMAP --- unknown map No Such Map"};
        QTest::newRow("empty name") << ""
                                    << "" << false << false
                                    << QStringList{"MinimapManager :: NO MINIMAP --- unknown map"};
        QTest::newRow("damaged cache of an unknown map")
            << "damage"
            << "No Such Map" << false << false
            << QStringList{"MinimapManager :: DAMAGED CACHE", "MinimapManager :: NO MINIMAP"};
        // What can take a cache file's place: %1 the file; one moved aside is kept as "%1.corrupt".
        const QString damaged = "MinimapManager :: DAMAGED CACHE --- %1 --- ";
        for (const auto& place : QList<QPair<QString, QString>>{
                 {"folder", "can't open: a folder"},
                 {"unreadable", "can't open: Permission denied"},
                 {"link loop", "a link loop --- kept as %1.corrupt"},
                 {"FIFO", "a FIFO --- kept as %1.corrupt"},
                 {"large:33554433", "larger than 33554432 bytes --- kept as %1.corrupt"}})
            QTest::newRow(qPrintable("cache file: " + place.first))
                << "place=" + place.first << "No Such Map" << false << false
                << QStringList{damaged + place.second};
        QTest::newRow("cache folder can't be made: answered all the same")
            << "install,blockcache" << TestMap << true << true
            << QStringList{"MinimapCacheBuilder :: ERROR --- can't write"};
        QTest::newRow("no unitsync library")
            << "install,nolibrary" << TestMap << false << false
            << QStringList{"MinimapCacheBuilder :: ERROR --- no minimap for"};
        QTest::newRow("map the library can't read")
            << "install,broken"
            << "Broken Map" << true << false
            << QStringList{"MinimapCacheBuilder :: ERROR --- no minimap for Broken Map"};
    }

    void Answers()
    {
        QFETCH(QString, setup);
        QFETCH(QString, mapName);
        QFETCH(bool, needsUnitSync);
        QFETCH(bool, loaded);
        QFETCH(QStringList, logLines);
        if (needsUnitSync)
            QM_REQUIRE(HaveUnitSync(), "the unitsync library and the test map (spring, mapcompile)");
        TestEnvironment env;
        const QStringList steps = setup.split(',', Qt::SkipEmptyParts);
        const QString cacheDir = PathManager::Instance()->GetMinimapCacheDir();
        const QString cachePath = MinimapCache::FilePath(cacheDir, mapName);
        if (steps.contains("install"))
            QVERIFY(m_harness.InstallTestContent(env.SpringDataDir()) || !needsUnitSync);
        if (steps.contains("packed"))
        {
            QM_REQUIRE(EngineHarness::HasPackedTestContent(), "the packed test content (mapcompile, 7z)");
            QVERIFY(m_harness.InstallTestContent(env.SpringDataDir(), "sd7", "sdz"));
        }
        if (steps.contains("damage"))
            QVERIFY(TestFiles::Write(cachePath, MinimapCache::ToBytes(SampleRecord(mapName)).left(40)));
        const QString place = steps.filter("place=").value(0).mid(6);
        if (!place.isEmpty())
            QVERIFY(TestFiles::Place(cachePath, place));
        const TestFiles::AsPlainUser user;
        if (steps.contains("foreign"))
            QVERIFY(MinimapCache::Write(cachePath, SampleRecord("Someone Else"), nullptr));
        if (steps.contains("cache"))
            QVERIFY(MinimapCache::Write(cachePath, SampleRecord(mapName), nullptr));
        if (steps.contains("blockcache"))
            QVERIFY(TestFiles::Write(cacheDir, "a file where the folder belongs"));
        if (steps.contains("nolibrary"))
            MinimapManager::SetLibraryPath(env.Path("missing/libunitsync.so"));
        if (steps.contains("broken"))
            QVERIFY(TestFiles::Write(env.SpringDataDir() + "/maps/Broken.sdd/mapinfo.lua",
                                     "return { name = \"Broken Map\", mapfile = \"maps/gone.smf\" }"));
        const QString workingDir = QDir::currentPath();

        SyncManager::Instance();
        QObject receiver;
        connect(MinimapManager::Instance(), &MinimapManager::OnMapLoad, &receiver,
                [this](DataMinimap minimap) { m_answers << minimap; });
        Request(mapName, 1);
        QVERIFY2(AwaitAnswers(1), "no answer from the minimap service");
        QTest::qWait(50);
        QCOMPARE(m_answers.size(), 1);

        const DataMinimap answer = m_answers.first();
        QCOMPARE(answer.mapName, mapName);
        QCOMPARE(answer.requestKind, 1);
        QCOMPARE(answer.loaded, loaded);
        QCOMPARE(answer.minimap.isNull(), !loaded);
        QCOMPARE(answer.rowPicture.size(), loaded ? QSize(54, 40) : QSize(0, 0));
        // Not arg(): on a line without "%1" it warns with the line itself, which the log then holds.
        for (const QString& line : logLines)
            QVERIFY2(env.LogContains(QString(line).replace("%1", cachePath)),
                     qPrintable(line + "\n" + env.LogLines().join('\n')));
        const QFileInfo aside(cachePath + ".corrupt");
        QCOMPARE(aside.exists() || aside.isSymLink(), logLines.join(' ').contains(".corrupt"));
        // The library moves the process into its write folder; the program must not notice.
        QCOMPARE(QDir::currentPath(), workingDir);

        if (loaded && mapName == TestMap)
        {
            // What the map says of itself, and the picture the engine shows for it.
            QCOMPARE(answer.infoText, SyncManager::Instance()->GetMapInfoText(TestMap));
            QCOMPARE(answer.infoText, "Flat map for the lobby's engine tests");
            QCOMPARE(answer.width, 1024);
            QCOMPARE(answer.height, 1024);
            QCOMPARE(answer.tidalStrength, 0);
            QCOMPARE(answer.maxMetal, 0.02f);
            QCOMPARE(answer.minimap.size(), QSize(512, 512));
            for (int q = 0; q < 4; ++q)
            {
                const QColor pixel = answer.minimap.pixelColor(128 + (q % 2) * 256, 128 + (q / 2) * 256);
                QVERIFY2(Near(pixel, Quarters[q]),
                         qPrintable(QString("quarter %1: %2").arg(q).arg(pixel.name())));
            }
            // The cache now answers by itself.
            if (steps.contains("blockcache"))
                return;
            DataMinimap cached;
            QCOMPARE(MinimapCache::Read(cachePath, TestMap, cached, nullptr), MinimapCache::ReadResult::Ok);
            QCOMPARE(cached.minimap, answer.minimap);
        }
        // A cached record comes back whole: the cache file's own test.
    }

    // Requests for a map that is being built wait for that one build and are each answered.
    void RequestsDuringABuildShareIt()
    {
        QM_REQUIRE(HaveUnitSync(), "the unitsync library and the test map (spring, mapcompile)");
        TestEnvironment env;
        QVERIFY(m_harness.InstallTestContent(env.SpringDataDir()));
        SyncManager::Instance();
        QObject receiver;
        connect(MinimapManager::Instance(), &MinimapManager::OnMapLoad, &receiver,
                [this](DataMinimap minimap) { m_answers << minimap; });
        for (const int kind : {0, 1, 0})
            Request(TestMap, kind);
        QVERIFY2(AwaitAnswers(3), "no answer from the minimap service");
        QList<int> kinds;
        for (const DataMinimap& answer : m_answers)
        {
            QVERIFY(answer.loaded);
            kinds << answer.requestKind;
            QCOMPARE(answer.rowPicture.isNull(), answer.requestKind == 0);
        }
        QCOMPARE(kinds, QList<int>({0, 1, 0}));
        QCOMPARE(env.LogLines().filter("MinimapCacheBuilder :: BUILT").size(), 1);

        // A map installed after the library started is found on a second look.
        QVERIFY(TestFiles::Write(env.SpringDataDir() + "/maps/Later.sdd/mapinfo.lua",
                                 TestFiles::Read(env.SpringDataDir() + "/maps/QuillTestMap.sdd/mapinfo.lua")
                                     .replace("Quill Test Map", "Later Map")));
        QDir().mkpath(env.SpringDataDir() + "/maps/Later.sdd/maps");
        for (const char* file : {"testmap.smf", "testmap.smt"})
            QVERIFY(QFile::copy(env.SpringDataDir() + "/maps/QuillTestMap.sdd/maps/" + QString(file),
                                env.SpringDataDir() + "/maps/Later.sdd/maps/" + QString(file)));
        SyncManager::Reload();
        QTRY_VERIFY(SyncManager::Instance()->ContainsMap("Later Map"));
        Request("Later Map", 0);
        QVERIFY2(AwaitAnswers(4), "no answer from the minimap service");
        QVERIFY(m_answers.last().loaded);
    }

    // The library gives square minimaps; the record takes the map's shape.
    void RecordTakesTheMapsShape_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QSize>("picture");
        QTest::newRow("square") << 1024 << 1024 << QSize(512, 512);
        QTest::newRow("wide") << 8192 << 4096 << QSize(512, 256);
        QTest::newRow("tall") << 2048 << 6144 << QSize(170, 512);
        QTest::newRow("sliver") << 40960 << 8 << QSize(512, 1);
        QTest::newRow("no size") << 0 << 512 << QSize(512, 512);
    }

    void RecordTakesTheMapsShape()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QSize, picture);
        UnitSync::MapInfo info;
        info.name = "Shape";
        info.width = width;
        info.height = height;
        QImage square(512, 512, QImage::Format_RGB32);
        square.fill(Qt::red);
        const DataMinimap record = MinimapCacheBuilder::Record("Requested", info, square);
        QCOMPARE(record.minimap.size(), picture);
        QCOMPARE(record.mapName, "Requested");
        QCOMPARE(record.infoText, "Shape");
        info.description = "  A map of a shape  ";
        QCOMPARE(MinimapCacheBuilder::Record("Requested", info, square).infoText, "A map of a shape");
        QVERIFY(record.loaded);
        QVERIFY(!MinimapCacheBuilder::Record("Requested", info, QImage()).loaded);
    }

    // A cache file reads back as written; any damage is reported, never half-read.
    void CacheFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("ok");
        const QByteArray good = MinimapCache::ToBytes(SampleRecord("Map"));
        QByteArray badMagic = good;
        badMagic[0] = char(0x12);
        QByteArray badVersion = good;
        badVersion[7] = 2;
        DataMinimap noPicture = SampleRecord("Map");
        noPicture.minimap = QImage();
        DataMinimap huge = SampleRecord("Map");
        huge.minimap = QImage(MinimapCache::MaxPictureSide + 1, 1, QImage::Format_RGB32);
        huge.minimap.fill(Qt::black);
        QTest::newRow("as written") << good << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("wrong magic") << badMagic << false;
        QTest::newRow("other version") << badVersion << false;
        QTest::newRow("cut in the texts") << good.left(20) << false;
        QTest::newRow("cut in the picture") << good.left(good.size() - 20) << false;
        QTest::newRow("no picture") << MinimapCache::ToBytes(noPicture) << false;
        QTest::newRow("picture too large") << MinimapCache::ToBytes(huge) << false;
        DataMinimap vast = SampleRecord("Map");
        vast.width = vast.height = 100000;
        QTest::newRow("map too large") << MinimapCache::ToBytes(vast) << false;
        vast.width = -512;
        vast.height = 512;
        QTest::newRow("map of a negative size") << MinimapCache::ToBytes(vast) << false;
    }

    void CacheFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, ok);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        DataMinimap read;
        read.mapName = "untouched";
        QString reason;
        const MinimapCache::ReadResult result = MinimapCache::FromDevice(&buffer, read, &reason);
        QCOMPARE(result == MinimapCache::ReadResult::Ok, ok);
        QCOMPARE(reason.isEmpty(), ok);
        if (!ok)
        {
            QCOMPARE(read.mapName, "untouched");
            return;
        }
        const DataMinimap expected = SampleRecord("Map");
        QCOMPARE(read.mapName, expected.mapName);
        QCOMPARE(read.infoText, expected.infoText);
        QCOMPARE(QList<int>({read.width, read.height, read.minWind, read.maxWind, read.tidalStrength}),
                 QList<int>({8192, 4096, 3, 17, 12}));
        QCOMPARE(read.maxMetal, 2.5f);
        QCOMPARE(read.minimap, expected.minimap);
        QVERIFY(read.loaded);
    }

    // A save cut short (a full disk) keeps the last good file of either cache: the minimap's and
    // the content index's scan cache.
    void CacheSavesCutShortKeepTheOldFile_data()
    {
        QTest::addColumn<bool>("scanCache");
        QTest::newRow("minimap") << false;
        QTest::newRow("scan cache") << true;
    }

    void CacheSavesCutShortKeepTheOldFile()
    {
        QFETCH(bool, scanCache);
        QTemporaryDir dir;
        const QString path = dir.filePath("cache");
        ContentScanCache::Records records;
        const auto save = [&](int count)
        {
            if (!scanCache)
                return MinimapCache::Write(path, SampleRecord(QString(count * 40, 'm')), nullptr);
            for (int i = records.size(); i < count; ++i)
                records.insert(QString("/maps/%1.sd7").arg(i), ContentScanCache::Record{});
            return ContentScanCache::Write(path, records, nullptr);
        };
        QVERIFY(save(1));
        const QByteArray good = TestFiles::Read(path);
        // Far below Qt's write buffer, so that only the last flush meets the limit.
        bool saved = true;
        TestFiles::WithFileSizeLimit(good.size() + 100, [&] { saved = save(100); });
        QVERIFY(!saved);
        QCOMPARE(TestFiles::Read(path), good);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"cache"});
    }

    // Any map name becomes one file inside the cache folder, and different names different files.
    void CacheFileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "Quill Test Map";
        QTest::newRow("path-like") << "../../etc/passwd";
        QTest::newRow("windows") << "C:\\maps\\a*b?.sd7";
        QTest::newRow("percent") << "100% Metal";
        QTest::newRow("unicode") << QString::fromUtf8("Карта <1>|\"x\"");
        QTest::newRow("control") << QString("Tab\tNew\nLine");
    }

    void CacheFileNames()
    {
        QFETCH(QString, name);
        const QString file = MinimapCache::FileName(name);
        QVERIFY(file.endsWith(".minimap"));
        for (const QChar c : QString("/\\:*?\"<>|\t\n"))
            QVERIFY2(!file.contains(c), qPrintable(file));
        QCOMPARE(QUrl::fromPercentEncoding(file.chopped(8).toLatin1()), name);
        QVERIFY(MinimapCache::FileName(name + "x") != file);
    }
};

QTEST_GUILESS_MAIN(TestMinimapManager)
#include "tst_MinimapManager.moc"
