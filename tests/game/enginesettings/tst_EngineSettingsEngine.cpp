#include "EngineHarness.h"
#include "EngineSettingsFile.h"
#include "EngineSettingsHandler.h"
#include "PathManager.h"
#include "TestEnvironment.h"
#include "helper_EngineSettingsReceiver.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

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

class TestEngineSettingsEngine : public QObject
{
    Q_OBJECT

private slots:
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
        QTRY_COMPARE(receiver.saved.size(), 1);
        QVERIFY(receiver.saved.first());
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

QTEST_MAIN(TestEngineSettingsEngine)
#include "tst_EngineSettingsEngine.moc"
