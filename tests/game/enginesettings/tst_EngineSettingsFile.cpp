// The engine settings file: parsing, conversion and writing, and the real engine reading what we write.
#include "EngineHarness.h"
#include "EngineSettingsFile.h"
#include "EngineSettingsHandler.h"
#include "PathManager.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "helper_EngineSettingsReceiver.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace EngineSettingsFile;

namespace
{
// The "key = value" lines of the engine's "User Config" block: the settings it took from the file
// that differ from its own defaults.
QMap<QString, QString> UserConfig(const QString& output, bool* found)
{
    QMap<QString, QString> config;
    *found = false;
    bool inside = false;
    static const QRegularExpression stamp("^\\[t=[^\\]]*\\](\\[f=[^\\]]*\\])?");
    for (QString line : output.split(QLatin1Char('\n')))
    {
        line.remove(stamp);
        if (line.contains("<User Config>"))
        {
            inside = *found = true;
            continue;
        }
        if (line.contains("</User Config>"))
            break;
        const int eq = line.indexOf(" = ");
        if (inside && eq > 0)
            config.insert(line.left(eq).trimmed(), line.mid(eq + 3).trimmed());
    }
    return config;
}
} // namespace

class TestEngineSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void ParseLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const auto row = [](const char* name, const char* text, const char* key, const char* value)
        { QTest::newRow(name) << QString::fromUtf8(text) << QString(key) << QString::fromUtf8(value); };
        row("plain", "Shadows = 2", "Shadows", "2");
        row("no blanks", "Shadows=2", "Shadows", "2");
        row("padded", "   Shadows \t=   2  ", "Shadows", "2");
        row("second equals kept", "InputTextGeo = a = b", "InputTextGeo", "a = b");
        row("empty value", "AutohostIP =", "AutohostIP", "");
        row("empty key", "= lonely", "", "lonely");
        row("crlf", "Shadows = 1\r\n", "Shadows", "1");
        row("later wins", "Shadows = 1\nShadows = 3", "Shadows", "3");
        row("utf8", "InputTextGeo = Привет", "InputTextGeo", "Привет");
        row("lines without equals skipped", "\n\nnot a setting\n; engine junk\nUseVBO = 1\n\n", "UseVBO",
            "1");
    }

    void ParseLines()
    {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const Values values = ParseText(text);
        QCOMPARE(values.size(), 1);
        QVERIFY(values.contains(key));
        QCOMPARE(values.value(key), value);
    }

    void KeepsComments()
    {
        const Values values = ParseText("# tuned by hand\n  #Shadows = 3\nShadows = 1\n");
        QCOMPARE(values.size(), 3);
        QVERIFY(IsComment("# tuned by hand"));
        QVERIFY(values.contains("#Shadows = 3"));
        QCOMPARE(values.value("Shadows"), "1");
        // Written back as they were, before the settings.
        QCOMPARE(Serialize(values), "# tuned by hand\n#Shadows = 3\nShadows = 1\n");
    }

    void ConvertsValues()
    {
        QCOMPARE(ToInt("-1;"), -1);
        QCOMPARE(ToInt(" 2 ; "), 2);
        QCOMPARE(ToInt("12abc"), 0);
        QCOMPARE(ToInt("0x10"), 0);
        QCOMPARE(ToInt("99999999999"), 0);
        QCOMPARE(ToInt(QString()), 0);
        QCOMPARE(ToBool("true"), true);
        QCOMPARE(ToBool("true;"), true);
        QCOMPARE(ToBool("FALSE;"), false);
        QCOMPARE(ToBool("1"), true);
        QCOMPARE(ToBool("-1"), true);
        QCOMPARE(ToBool("0"), false);
        QCOMPARE(ToBool("yes"), false);
        QCOMPARE(ToFloat("0.8"), 0.8f);
        QCOMPARE(ToFloat("1e3;"), 1000.0f);
        QCOMPARE(ToFloat("fast"), 0.0f);
        QCOMPARE(ToFloat("0,5"), 0.0f);
        QCOMPARE(ToFloat("nan"), 0.0f);
        QCOMPARE(ToFloat("-inf"), 0.0f);
        QCOMPARE(ToFloat("1e50"), 0.0f);
        QCOMPARE(FromFloat(0.8f), "0.8");
        QCOMPARE(FromFloat(6000.0f), "6000");
        QCOMPARE(FromFloat(0.1f), "0.1");
        QCOMPARE(FromFloat(1234567.0f), "1.23457e+06");
        QCOMPARE(FromFloat(-0.5f), "-0.5");
    }

    void EveryFieldSurvivesTheFile_data()
    {
        QTest::addColumn<bool>("zeros");
        QTest::newRow("distinct values") << false;
        QTest::newRow("all zero") << true;
    }

    void EveryFieldSurvivesTheFile()
    {
        // One pass with every field set (distinct numbers, all flags on) and one with all of them
        // at zero: a field that is not written or not read changes in one of them.
        QFETCH(bool, zeros);
        Values filled;
        int n = 3;
        for (const QString& key : DataEngineSettings::Keys())
            filled.insert(key, zeros ? QStringLiteral("0") : QString::number(n++));
        DataEngineSettings es = ToRecord(filled, QSize(1, 1), "/a:/b");
        if (!zeros)
        {
            es.AutohostIP = QStringLiteral("192.168.1.2");
            es.InputTextGeo = QStringLiteral("0.26 0.73 0.02 0.028");
            es.GuiOpacity = 0.35f;
            es.snd_airAbsorption = 0.0123f;
        }
        QVERIFY(es != DataEngineSettings::Defaults(QSize(1, 1)));

        QTemporaryDir dir;
        const QString path = dir.filePath("spring.cfg");
        Values out;
        FromRecord(es, out);
        QCOMPARE(out.size(), 132);
        QVERIFY(Write(path, out));
        Values in;
        QVERIFY(Read(path, in));
        QCOMPARE(in, out);
        const DataEngineSettings back = ToRecord(in, QSize(1, 1), es.SpringData);
        QVERIFY(back == es);
    }

    void SaveKeepsUnknownKeysAndSorts()
    {
        TestEnvironment env;
        QTemporaryDir dir;
        const QString path = dir.filePath("spring.cfg");
        QVERIFY(TestFiles::Write(
            path, "\r\nBlockCompositing = true;\r\n\r\nno equals here\r\nsnd_volmaster = 20\r\n"
                  "# keep me\r\nYResolutionWindowed = 700\r\nShadows = 1\r\nShadows = 0\r\n"));
        Values values;
        QVERIFY(Read(path, values));
        DataEngineSettings es = ToRecord(values, QSize(1000, 800), "/data");
        FromRecord(es, values);
        QVERIFY(Write(path, values));

        const QString text = QString::fromUtf8(TestFiles::Read(path));
        const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 132 + 2);
        QVERIFY(!text.contains(QLatin1Char('\r')));
        QVERIFY(!text.contains("\n\n"));
        QVERIFY(!text.contains("no equals"));
        QCOMPARE(lines.first(), "# keep me");
        QCOMPARE(lines.at(1), "3DTrees = 1");
        QVERIFY(lines.contains("BlockCompositing = true;"));
        QCOMPARE(lines.count("Shadows = 0"), 1);
        QVERIFY(!lines.contains("Shadows = 1"));
        QVERIFY(lines.contains("snd_volmaster = 20"));
        QVERIFY(lines.contains("YResolutionWindowed = 700"));
        QVERIFY(lines.indexOf("YResolutionWindowed = 700") < lines.indexOf("snd_airAbsorption = 0.1"));
        QStringList sorted = lines.mid(1);
        std::sort(sorted.begin(), sorted.end(),
                  [](const QString& a, const QString& b)
                  { return a.section(" = ", 0, 0) < b.section(" = ", 0, 0); });
        QCOMPARE(lines.mid(1), sorted);
    }

    // The file's bytes come back from the text as they were, UTF-8 or not; UTF-8 reads as UTF-8.
    void BytesSurviveAsText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("escaped"); // bytes that are no part of UTF-8 text
        QTest::newRow("ASCII") << QByteArray("Shadows = 1\n") << 0;
        QTest::newRow("UTF-8") << QByteArray("Name = Привет 😀 \xef\xbf\xbd") << 0;
        QTest::newRow("Latin-1") << QByteArray("SpringData = C:\\Jeux\\\xe9t\xe9") << 2;
        QTest::newRow("cut off at the end") << QByteArray("a = \xe2\x82") << 2;
        QTest::newRow("overlong") << QByteArray("\xc0\xaf\xe0\x80\xaf") << 5;
        QTest::newRow("a surrogate in UTF-8") << QByteArray("\xed\xa0\x80\xed\xb2\x80") << 6;
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << 4;
        QTest::newRow("after a pair") << QByteArray("😀\xff\x80") << 2;
        QTest::newRow("lone continuation bytes") << QByteArray("\x80\xbf=\xfe") << 3;
    }

    void BytesSurviveAsText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, escaped);
        const QString text = DecodeText(bytes);
        QCOMPARE(EncodeText(text), bytes);
        int lone = 0;
        for (int i = 0; i < text.size(); ++i)
            lone += text.at(i).isLowSurrogate() && (i == 0 || !text.at(i - 1).isHighSurrogate()) ? 1 : 0;
        QCOMPARE(lone, escaped);
        if (escaped == 0)
            QCOMPARE(text, QString::fromUtf8(bytes));
    }

    void ValuesCannotBreakLines()
    {
        Values values;
        values.insert("InputTextGeo", "a\nShadows = 4\r\nb");
        const Values back = ParseText(Serialize(values));
        QCOMPARE(back.size(), 1);
        QCOMPARE(back.value("InputTextGeo"), "a Shadows = 4  b");
    }

    void ReadFailureIsClear()
    {
        TestEnvironment env;
        Values values;
        values.insert("stale", "1");
        const QString missing = env.Path("nowhere/spring.cfg");
        QVERIFY(!Read(missing, values));
        QVERIFY(values.isEmpty());
        QVERIFY(
            env.LogContains("EngineSettingsHandler :: Engine Settings file can NOT be opened " + missing));
    }

    void FailedWriteLeavesTheOldFile()
    {
        TestEnvironment env;
        QTemporaryDir dir;
        // A folder where the file should be: the write cannot replace it.
        const QString blocked = dir.filePath("blocked.cfg");
        QVERIFY(QDir().mkpath(blocked));
        Values values;
        values.insert("Shadows", "1");
        QVERIFY(!Write(blocked, values));
        QVERIFY(QFileInfo(blocked).isDir());
        QVERIFY(env.LogContains("EngineSettingsHandler :: Engine Settings file can NOT be saved " + blocked));

        // A file in a folder that does not exist: nothing is created, the result says so.
        QVERIFY(!Write(dir.filePath("missing/spring.cfg"), values));
        QVERIFY(!QFile::exists(dir.filePath("missing/spring.cfg")));

        // A write that fails part-way (the disk full past 1000 bytes) leaves the old file whole, where
        // a plain truncating write would leave the first 1000 bytes of the new one.
        const QString path = dir.filePath("ok.cfg");
        QVERIFY(TestFiles::Write(path, "Shadows = 2\nOld = 1\n"));
        Values many = values;
        for (int i = 0; i < 200; ++i)
            many.insert(QStringLiteral("Key%1").arg(i), QStringLiteral("a value long enough"));
        bool written = true;
        TestFiles::WithFileSizeLimit(1000, [&] { written = Write(path, many); });
        QVERIFY(!written);
        QCOMPARE(TestFiles::Read(path), QByteArray("Shadows = 2\nOld = 1\n"));

        // A good write replaces the whole file, leaving no temporary files behind.
        QVERIFY(Write(path, values));
        QCOMPARE(TestFiles::Read(path), QByteArray("Shadows = 1\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("ok.cfg")});
    }

    void EngineReadsOurFile()
    {
        QM_REQUIRE(EngineHarness::IsAvailable(), EngineHarness::EnginePath());
        TestEnvironment env;
        QVERIFY(QDir().mkpath(PathManager::Instance()->GetLobbyDataDir()));
        const QString playFile = PathManager::Instance()->GetEngineSettingsFile(false);

        // The start-up refresh makes the file; then the settings page saves a changed record, with
        // a key of the player's own that must reach the engine too.
        EngineSettingsHandler::Instance()->SaveSpringDataDirToConfig();
        EngineSettingsHandler* handler = EngineSettingsHandler::Instance();
        EngineSettingsReceiver receiver(handler);
        DataEngineSettings es = handler->GetPreset(EngineSettingsHandler::PresetHigh);
        es.SpringData = env.SpringDataDir();
        es.XResolution = 1366;
        es.YResolution = 777;
        es.Fullscreen = false;
        es.GuiOpacity = 0.65f;
        es.InputTextGeo = "0.25 0.5 0.02 0.028";
        es.snd_volmaster = 42;
        handler->SaveEngineSettings(es, false, false);
        QVERIFY(receiver.connected);
        QTRY_COMPARE(receiver.saved, QStringList{"saved"});
        EngineSettingsHandler::Destroy();

        EngineSettingsFile::Values ours;
        QVERIFY(EngineSettingsFile::Read(playFile, ours));
        // The harness starts the engine isolated, with --config on its own file: ours, copied.
        EngineHarness engine;
        QVERIFY(QFile::copy(playFile, engine.ConfigFile()));
        const QString output = engine.Run({QStringLiteral("--nocolor")}, 60000).output;

        QVERIFY2(
            output.contains(QStringLiteral("Using writeable configuration source: \"") + engine.ConfigFile()),
            qPrintable(output.left(2000)));
        QVERIFY2(!output.contains("ConfigSource"), qPrintable(output.left(2000)));
        QVERIFY2(!output.contains("Can not parse line"), qPrintable(output.left(2000)));
        bool found = false;
        const QMap<QString, QString> config = UserConfig(output, &found);
        QVERIFY2(found, qPrintable(output.left(2000)));

        // Everything the engine took from the file is what we wrote ...
        for (auto it = config.constBegin(); it != config.constEnd(); ++it)
        {
            QVERIFY2(ours.contains(it.key()), qPrintable(it.key()));
            QCOMPARE(it.value(), ours.value(it.key()));
        }
        // ... and the values we set off the engine's defaults are all there.
        const QMap<QString, QString> expected{{QStringLiteral("XResolution"), QStringLiteral("1366")},
                                              {QStringLiteral("YResolution"), QStringLiteral("777")},
                                              {QStringLiteral("Fullscreen"), QStringLiteral("0")},
                                              {QStringLiteral("GuiOpacity"), QStringLiteral("0.65")},
                                              {QStringLiteral("InputTextGeo"), es.InputTextGeo},
                                              {QStringLiteral("snd_volmaster"), QStringLiteral("42")},
                                              {QStringLiteral("ShadowMapSize"), QStringLiteral("4096")},
                                              {QStringLiteral("SpringData"), env.SpringDataDir()}};
        for (auto it = expected.constBegin(); it != expected.constEnd(); ++it)
            QCOMPARE(config.value(it.key()), it.value());
    }
};

QTEST_MAIN(TestEngineSettingsFile)
#include "tst_EngineSettingsFile.moc"
