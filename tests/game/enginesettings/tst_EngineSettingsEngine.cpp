#include "EngineSettingsFile.h"
#include "EngineSettingsHandler.h"
#include "PathManager.h"
#include "TestEnvironment.h"
#include "helper_EngineSettingsReceiver.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
QString EnginePath()
{
    const QString custom = qEnvironmentVariable("QM_SPRING_HEADLESS");
    return custom.isEmpty() ? QStringLiteral("/usr/games/spring-headless") : custom;
}

bool CanUnshareNetwork()
{
    QProcess probe;
    probe.start(QStringLiteral("unshare"), {QStringLiteral("-n"), QStringLiteral("true")});
    return probe.waitForFinished(5000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
}

// Runs the engine on a config file, cut off from the user's home, data and (where possible) the
// network, and returns what it printed.
QString RunEngine(const QString& configFile, const QString& scratch)
{
    const QString home = scratch + QStringLiteral("/home");
    const QString writeDir = scratch + QStringLiteral("/write");
    QDir().mkpath(home + QStringLiteral("/.spring"));
    QDir().mkpath(writeDir);
    // Its downloader wants a certificate bundle in the home folder.
    QFile::copy(QStringLiteral("/etc/ssl/certs/ca-certificates.crt"),
                home + QStringLiteral("/.spring/cacert.pem"));

    QStringList args{QStringLiteral("--write-dir"), writeDir, QStringLiteral("--config"), configFile,
                     QStringLiteral("--nocolor")};
    QString program = EnginePath();
    if (CanUnshareNetwork())
    {
        args.prepend(program);
        args.prepend(QStringLiteral("-n"));
        program = QStringLiteral("unshare");
    }
    QProcess engine;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.remove(QStringLiteral("SPRING_DATADIR"));
    env.remove(QStringLiteral("SPRING_WRITEDIR"));
    engine.setProcessEnvironment(env);
    engine.setWorkingDirectory(scratch);
    engine.setProcessChannelMode(QProcess::MergedChannels);
    engine.start(program, args);
    if (!engine.waitForFinished(60000))
    {
        engine.kill();
        engine.waitForFinished(5000);
    }
    return QString::fromUtf8(engine.readAll());
}

// The "key = value" lines of the engine's "User Config" block: the settings it took from the file
// that differ from its own defaults.
QMap<QString, QString> UserConfig(const QString& output, bool* found)
{
    QMap<QString, QString> config;
    *found = false;
    bool inside = false;
    static const QRegularExpression stamp(QStringLiteral("^\\[t=[^\\]]*\\](\\[f=[^\\]]*\\])?"));
    for (QString line : output.split(QLatin1Char('\n')))
    {
        line.remove(stamp);
        if (line.contains(QStringLiteral("<User Config>")))
        {
            inside = *found = true;
            continue;
        }
        if (line.contains(QStringLiteral("</User Config>")))
            break;
        const int eq = line.indexOf(QStringLiteral(" = "));
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
        QM_REQUIRE(QFileInfo(EnginePath()).isExecutable(), EnginePath());
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
        es.InputTextGeo = QStringLiteral("0.25 0.5 0.02 0.028");
        es.snd_volmaster = 42;
        handler->SaveEngineSettings(es, false, false);
        QTRY_COMPARE(receiver.saved.size(), 1);
        QVERIFY(receiver.saved.first());
        EngineSettingsHandler::Destroy();

        EngineSettingsFile::Values ours;
        QVERIFY(EngineSettingsFile::Read(playFile, ours));
        QTemporaryDir scratch;
        const QString output = RunEngine(playFile, scratch.path());

        QVERIFY2(output.contains(QStringLiteral("Using writeable configuration source: \"") + playFile),
                 qPrintable(output.left(2000)));
        QVERIFY2(!output.contains(QStringLiteral("ConfigSource")), qPrintable(output.left(2000)));
        QVERIFY2(!output.contains(QStringLiteral("Can not parse line")), qPrintable(output.left(2000)));
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
