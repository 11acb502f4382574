#include "EngineHarness.h"

#include "TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#ifndef QM_TEST_CONTENT_DIR
#define QM_TEST_CONTENT_DIR ""
#endif

namespace
{
bool CopyTree(const QString& from, const QString& to)
{
    QDir source(from);
    if (!source.exists() || !QDir().mkpath(to))
        return false;
    for (const QFileInfo& entry : source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
    {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir())
        {
            if (!CopyTree(entry.filePath(), target))
                return false;
        }
        else
        {
            QFile::remove(target);
            if (!QFile::copy(entry.filePath(), target))
                return false;
        }
    }
    return true;
}

QString ShellQuote(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}
} // namespace

QString EngineRun::Tail(int lines) const
{
    const QStringList all = output.split(QLatin1Char('\n'));
    return all.mid(qMax(0, all.size() - lines)).join(QLatin1Char('\n'));
}

EngineHarness::EngineHarness() : m_dir(QDir::tempPath() + "/qm-engine-XXXXXX")
{
    QDir().mkpath(HomeDir() + "/.spring");
    QDir().mkpath(WriteDir());
    QFile::copy("/etc/ssl/certs/ca-certificates.crt", HomeDir() + "/.spring/cacert.pem");
}

QString EngineHarness::EnginePath()
{
    const QString fromEnv = qEnvironmentVariable("QM_SPRING_HEADLESS");
    return fromEnv.isEmpty() ? QStringLiteral("/usr/games/spring-headless") : fromEnv;
}

bool EngineHarness::IsAvailable()
{
    const QFileInfo info(EnginePath());
    return info.isFile() && info.isExecutable();
}

bool EngineHarness::CanIsolateNetwork()
{
    static const bool canIsolate = []
    {
        QProcess probe;
        probe.start("unshare", {QStringLiteral("-n"), "true"});
        return probe.waitForFinished(5000) && probe.exitStatus() == QProcess::NormalExit &&
               probe.exitCode() == 0;
    }();
    return canIsolate;
}

QString EngineHarness::TestContentDir()
{
    const QString fromEnv = qEnvironmentVariable("QM_TEST_CONTENT_DIR");
    return fromEnv.isEmpty() ? QStringLiteral(QM_TEST_CONTENT_DIR) : fromEnv;
}

bool EngineHarness::HasTestContent()
{
    const QString dir = TestContentDir();
    return !dir.isEmpty() && QFileInfo::exists(dir + "/maps/" + TestMapFolder() + "/maps/testmap.smf") &&
           QFileInfo::exists(dir + "/games/" + TestGameFolder() + "/modinfo.lua");
}

QString EngineHarness::PackedTestMapFile(const QString& suffix)
{
    return suffix == "sd7" ? QStringLiteral("quill_test_map.sd7") : QStringLiteral("qtm-download.sdz");
}

QString EngineHarness::PackedTestGameFile(const QString& suffix)
{
    return suffix == "sd7" ? QStringLiteral("quill-test-game.sd7") : QStringLiteral("qtg_download.sdz");
}

bool EngineHarness::HasPackedTestContent()
{
    const QString packed = TestContentDir() + "/packed/";
    for (const char* suffix : {"sdz", "sd7"})
    {
        if (!QFileInfo::exists(packed + "maps/" + PackedTestMapFile(suffix)) ||
            !QFileInfo::exists(packed + "games/" + PackedTestGameFile(suffix)))
            return false;
    }
    return true;
}

QString EngineHarness::HomeDir() const
{
    return m_dir.path() + "/home";
}

QString EngineHarness::WriteDir() const
{
    return m_dir.path() + "/data";
}

QString EngineHarness::ConfigFile() const
{
    return WriteDir() + "/engine.cfg";
}

bool EngineHarness::InstallTestContent(const QString& dataDir, const QString& mapSuffix,
                                       const QString& gameSuffix) const
{
    if (!HasTestContent())
        return false;
    const QString target = dataDir.isEmpty() ? WriteDir() : dataDir;
    const QString packed = TestContentDir() + "/packed/";
    const auto install = [&](const QString& kind, const QString& suffix, const QString& file)
    {
        if (suffix == "sdd")
            return CopyTree(TestContentDir() + '/' + kind, target + '/' + kind);
        return QDir().mkpath(target + '/' + kind) &&
               QFile::copy(packed + kind + '/' + file, target + '/' + kind + '/' + file);
    };
    return install("maps", mapSuffix, PackedTestMapFile(mapSuffix)) &&
           install("games", gameSuffix, PackedTestGameFile(gameSuffix));
}

QStringList EngineHarness::Demos() const
{
    QStringList demos;
    QDirIterator it(WriteDir() + "/demos", {QStringLiteral("*.sdfz")}, QDir::Files);
    while (it.hasNext())
        demos << it.next();
    demos.sort();
    return demos;
}

EngineRun EngineHarness::Run(const QStringList& arguments, int timeoutMs, const QString& stopWhen) const
{
    EngineRun run;
    QStringList engineArguments = {QStringLiteral("--write-dir"), WriteDir(), "--config", ConfigFile()};
    engineArguments += arguments;

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", HomeDir());
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(WriteDir());
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (CanIsolateNetwork())
        process.start("unshare", QStringList{QStringLiteral("-n"), EnginePath()} + engineArguments);
    else
        process.start(EnginePath(), engineArguments);

    QElapsedTimer timer;
    timer.start();
    run.started = process.waitForStarted(10000);
    if (!run.started)
    {
        run.output = process.errorString();
        return run;
    }

    QByteArray output;
    while (process.state() != QProcess::NotRunning)
    {
        process.waitForReadyRead(100);
        output += process.readAll();
        if (!stopWhen.isEmpty() && QString::fromUtf8(output).contains(stopWhen))
        {
            run.stopped = true;
            break;
        }
        if (timer.elapsed() > timeoutMs)
        {
            run.timedOut = true;
            break;
        }
    }
    if (process.state() != QProcess::NotRunning)
    {
        process.kill();
        process.waitForFinished(10000);
    }
    else if (process.exitStatus() == QProcess::NormalExit)
    {
        run.exitCode = process.exitCode();
    }
    output += process.readAll();
    run.output = QString::fromUtf8(output);
    run.elapsedMs = timer.elapsed();
    return run;
}

EngineRun EngineHarness::RunScript(const QString& scriptText, int timeoutMs, const QString& stopWhen) const
{
    const QString path = WriteDir() + "/script.txt";
    return TestFiles::Write(path, scriptText.toUtf8()) ? Run({path}, timeoutMs, stopWhen) : EngineRun();
}

bool EngineHarness::WriteEngineWrapper(const QString& path, const QString& outputFile) const
{
    const QString isolate = CanIsolateNetwork() ? QStringLiteral("unshare -n ") : QString();
    const QString script =
        QStringLiteral("#!/bin/sh\n"
                       "# Runs the real engine isolated, for tests.\n"
                       "HOME=%1\nexport HOME\n"
                       "exec %2%3 \"$@\" >> %4 2>&1\n")
            .arg(ShellQuote(HomeDir()), isolate, ShellQuote(EnginePath()), ShellQuote(outputFile));
    return TestFiles::Write(path, script.toUtf8(), true);
}
