#include "ContentArchiveFormats.h"
#include "ContentScanner.h"
#include "EngineHarness.h"
#include "TestArchive.h"
#include "TestEnvironment.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <thread>

namespace
{
constexpr qint64 MB = 1 << 20;

QByteArray MapInfo(const QString& name)
{
    return "return { name = [[" + name.toUtf8() + "]] }\n";
}

// A map whose info file lies behind `before` bytes that don't pack: reaching it takes a decoder
// window of that size in a 7z, whatever dictionary the archive claims.
bool WriteMapBehind(const QString& path, const QString& name, int before)
{
    TestArchive::Entries files;
    if (before > 0)
        files << qMakePair(QStringLiteral("maps/noise.smt"), TestArchive::Noise(before, 5));
    files << qMakePair(QStringLiteral("mapinfo.lua"), MapInfo(name));
    return TestArchive::Write(path, files);
}
} // namespace

// The index's own zip and 7z readers unpack every file of every way of packing the engine takes
// to the very bytes 7-Zip unpacks: the info file's checksum only proves what comes before it has
// the right length, not that a filter (BCJ2 above all) turned it back right.
class TestContentArchive : public QObject
{
    Q_OBJECT

private slots:
    void UnpacksAs7ZipDoes_data()
    {
        QTest::addColumn<QString>("archive"); // in the test content's "packed" folder
        for (const char* shape : {"shapes/map-lzma2.sd7", "shapes/map-copy.sd7", "shapes/map-nonsolid.sd7",
                                  "shapes/map-plain-header.sd7", "shapes/map-bcj.sd7", "shapes/map-arm.sd7",
                                  "shapes/map-copy-bcj.sd7", "shapes/map-bcj2.sd7", "shapes/map-stored.sdz"})
            QTest::newRow(shape) << QString(shape);
        for (const QString& suffix : {QStringLiteral("sdz"), QStringLiteral("sd7")})
        {
            QTest::addRow("game.%s", qPrintable(suffix))
                << "games/" + EngineHarness::PackedTestGameFile(suffix);
            QTest::addRow("map.%s", qPrintable(suffix)) << "maps/" + EngineHarness::PackedTestMapFile(suffix);
        }
    }

    void UnpacksAs7ZipDoes()
    {
        QFETCH(QString, archive);
        QM_REQUIRE(EngineHarness::HasPackedTestContent(), "the packed test content (mapcompile, 7z, zip)");
        QM_REQUIRE(!QStandardPaths::findExecutable("7z").isEmpty(), "7-Zip (p7zip-full)");
        const QString path = EngineHarness::TestContentDir() + "/packed/" + archive;
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        ContentArchiveFormats::Source source(&file);
        const std::unique_ptr<ContentArchiveFormats::Reader> reader =
            archive.endsWith(".sd7") ? ContentArchiveFormats::NewSevenZipReader(source)
                                     : ContentArchiveFormats::NewZipReader(source);
        QString error;
        QCOMPARE(int(reader->Open(&error)), int(ContentArchive::Outcome::Read));
        QVERIFY(reader->Files().contains("mapinfo.lua") || reader->Files().contains("modinfo.lua"));
        for (int i = 0; i < reader->Files().size(); ++i)
        {
            const QString name = reader->Files().at(i);
            QByteArray ours;
            QCOMPARE(int(reader->ReadFile(i, 16 << 20, &ours, &error)), int(ContentArchive::Outcome::Read));
            QProcess sevenZip;
            sevenZip.start("7z", {"e", "-so", path, name});
            QVERIFY(sevenZip.waitForFinished(30000) && sevenZip.exitCode() == 0);
            const QByteArray theirs = sevenZip.readAllStandardOutput();
            QVERIFY2(
                ours == theirs,
                qPrintable(
                    QStringLiteral("%1: %2 bytes, 7-Zip %3").arg(name).arg(ours.size()).arg(theirs.size())));
        }
        // A file refused as too large is refused before it is unpacked.
        const int smf = reader->Files().indexOf(QRegularExpression("\\.smf$"));
        if (smf >= 0)
        {
            QByteArray out("untouched");
            QCOMPARE(int(reader->ReadFile(smf, 1000, &out, &error)), int(ContentArchive::Outcome::Damaged));
            QCOMPARE(error, reader->Files().at(smf) + " is larger than 1000 bytes");
            QCOMPARE(out, QByteArray("untouched"));
        }
    }

    // Every decoder reserves what it takes from the budget before it allocates it and waits while
    // the budget is taken; what could only be read alone is set aside when asked, and what never
    // could is refused, each with the reason.
    void ReadsWithinItsBudget_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qint64>("held"); // what others hold of a budget of 16 MB while it reads
        // The header and directory take little; unpacking the info file takes the 2 MB window
        // before it in the 7z, and the output of inflate (twice the 1 MB limit) in the zip.
        QTest::newRow("7z header") << "m.sd7" << 16 * MB;
        QTest::newRow("7z data") << "m.sd7" << 15 * MB;
        QTest::newRow("zip directory") << "m.sdz" << 16 * MB;
        QTest::newRow("zip data") << "m.sdz" << 15 * MB;
    }

    void ReadsWithinItsBudget()
    {
        QFETCH(QString, file);
        QFETCH(qint64, held);
        QTemporaryDir dir;
        const QString path = dir.filePath(file);
        QVERIFY(WriteMapBehind(path, "Behind", file.endsWith(".sd7") ? 2 * MB : 0));

        MemoryBudget budget(16 * MB, 64 * MB);
        MemoryBudget::Reservation others = budget.Reserve(held, false, nullptr);
        ContentFiles files;
        QString error;
        ContentArchive::Outcome outcome = ContentArchive::Outcome::Damaged;
        std::thread reading([&] { outcome = ContentArchive::ReadArchive(path, files, &error, budget); });
        QTRY_COMPARE(budget.Waiting(), 1);
        others.Release();
        reading.join();
        QCOMPARE(int(outcome), int(ContentArchive::Outcome::Read));
        QCOMPARE(files.mapInfo, MapInfo("Behind"));
        QCOMPARE(budget.InUse(), qint64(0));

        // Too large to read beside others, but not alone.
        MemoryBudget small(1 * MB, 64 * MB);
        files = ContentFiles();
        QCOMPARE(int(ContentArchive::ReadArchive(path, files, &error, small, true)),
                 int(ContentArchive::Outcome::SetAside));
        QVERIFY2(error.startsWith("mapinfo.lua: needs "), qPrintable(error));
        QVERIFY(error.endsWith(" bytes of memory, more than the 1048576 all archives read at once may take"));
        QCOMPARE(int(ContentArchive::ReadArchive(path, files, &error, small)),
                 int(ContentArchive::Outcome::Read));
        QCOMPARE(files.mapInfo, MapInfo("Behind"));
        QCOMPARE(small.InUse(), qint64(0));

        // Too large even alone.
        MemoryBudget tiny(1 * MB, 2 * MB);
        QCOMPARE(int(ContentArchive::ReadArchive(path, files, &error, tiny)),
                 int(ContentArchive::Outcome::Damaged));
        QVERIFY2(error.endsWith(" bytes of memory, more than the 2097152 one archive may take"),
                 qPrintable(error));
    }

    // The scan reads what fits on every core, then what needs the whole budget, alone; what would
    // need more than one archive may take is left out as damaged. Nothing is held afterwards.
    void ScanReadsTheLargeAlone()
    {
        TestEnvironment env;
        const QString maps = env.SpringDataDir() + "/maps/";
        QStringList small;
        for (int i = 0; i < 6; ++i)
        {
            small << QStringLiteral("Small %1").arg(i);
            QVERIFY(WriteMapBehind(maps + QStringLiteral("small%1.sd7").arg(i), small.last(), 64 * 1024));
        }
        QVERIFY(WriteMapBehind(maps + "large.sd7", "Large", 2 * MB));
        QVERIFY(WriteMapBehind(maps + "huge.sd7", "Huge", 5 * MB));

        MemoryBudget budget(1 * MB, 4 * MB);
        ContentScanner scanner(QString(), budget);
        const ContentScanner::Result result = scanner.Scan(env.SpringDataDir());
        QCOMPARE(result.maps.keys(), QStringList{"Large"} + small);
        QCOMPARE(result.archivesRead, 8);
        QCOMPARE(budget.InUse(), qint64(0));
        // The huge one is refused at once, never waited for.
        const QStringList alone = env.LogLines().filter("ContentScanner :: READ ALONE ---");
        QCOMPARE(alone.size(), 1);
        QVERIFY2(alone.at(0).contains("ContentScanner :: READ ALONE --- " + maps +
                                      "large.sd7 --- mapinfo.lua: needs "),
                 qPrintable(alone.join('\n')));
        const QStringList damaged = env.LogLines().filter("ContentScanner :: DAMAGED ARCHIVE ---");
        QCOMPARE(damaged.size(), 1);
        QVERIFY2(damaged.at(0).contains("ContentScanner :: DAMAGED ARCHIVE --- " + maps +
                                        "huge.sd7 --- mapinfo.lua: needs "),
                 qPrintable(damaged.join('\n')));
        QVERIFY(damaged.at(0).endsWith(" bytes of memory, more than the 4194304 one archive may take"));
    }
};

QTEST_GUILESS_MAIN(TestContentArchive)
#include "tst_ContentArchive.moc"
