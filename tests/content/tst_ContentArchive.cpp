#include "ContentArchiveFormats.h"
#include "EngineHarness.h"
#include "TestEnvironment.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

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
};

QTEST_GUILESS_MAIN(TestContentArchive)
#include "tst_ContentArchive.moc"
