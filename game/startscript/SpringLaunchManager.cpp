#include "SpringLaunchManager.h"

#include "AppDefines.h"
#include "AppSettings.h"
#include "PathManager.h"
#include "StartScriptGenerator.h"
#include "SyncManager.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

namespace
{
const QString EngineNotFound = QStringLiteral("ENGINE NOT FOUND");
const QString HiddenSuffix = QStringLiteral(".useless");

QString Quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}
} // namespace

SpringLaunchManager::SpringLaunchManager()
{
    m_process = new QProcess(this);
    // The engine talks a lot; nobody reads it here (the engine keeps its own infolog.txt), and
    // unread output must never pile up or stall it.
    m_process->setStandardOutputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(QProcess::nullDevice());
    connect(m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &SpringLaunchManager::DoStoppedSpring);
    connect(m_process, &QProcess::started, this, &SpringLaunchManager::DoStartedSpring);
    connect(m_process, &QProcess::errorOccurred, this, &SpringLaunchManager::DoProcessError);
    qDebug().noquote() << "Initialize :: SpringLaunchManager";
}

SpringLaunchManager::~SpringLaunchManager()
{
    qDebug().noquote() << "Destroy :: SpringLaunchManager";
    m_process->disconnect();
    const bool wasRunning = IsRunning();
    m_process->kill();
    m_process->waitForFinished(3000);
    // The killed engine won't report its end; give the folders back now.
    if (wasRunning && PathManager::Exists())
        RestoreDevGameFolders();
    m_process->deleteLater();
}

bool SpringLaunchManager::IsRunning() const
{
    return m_process->state() != QProcess::NotRunning;
}

void SpringLaunchManager::StartBattle(const DataStartScript& record)
{
    StartScripted(record, false);
}

void SpringLaunchManager::StartSkirmish(const DataStartScript& record)
{
    StartScripted(record, true);
}

void SpringLaunchManager::StartReplay(const QString& replayFile, const QString& engineVersion)
{
    Start(replayFile, engineVersion, true, false);
}

bool SpringLaunchManager::RefuseWhileRunning()
{
    if (!IsRunning())
        return false;
    qWarning().noquote()
        << "SpringLaunchManager :: Game already launched! Can't start another game instance!";
    return true;
}

void SpringLaunchManager::Fail(const QString& reason)
{
    qWarning().noquote() << "SpringLaunchManager :: Start failed ---" << reason;
    emit OnSpringFailed(reason);
}

void SpringLaunchManager::StartScripted(const DataStartScript& record, bool isSkirmish)
{
    // Checked before the script is written: the running engine may still read its file.
    if (RefuseWhileRunning())
        return;

    const StartScriptGenerator generator(record);
    const QStringList problems = generator.LaunchProblems();
    if (!problems.isEmpty())
    {
        Fail(QStringLiteral("the engine would refuse the start script: ") +
             problems.join(QStringLiteral("; ")));
        return;
    }
    if (!WriteStartScript(generator.Script()))
    {
        Fail(QStringLiteral("the start script could not be written"));
        return;
    }
    Start(PathManager::Instance()->GetLaunchScriptFile(), record.engineVersion, false, isSkirmish);
}

bool SpringLaunchManager::WriteStartScript(const QString& text)
{
    const QString fileName = PathManager::Instance()->GetLaunchScriptFile();
    // Written whole or not at all.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
    {
        qWarning().noquote() << "SpringLaunchManager :: Could not open file to write Start Script"
                             << fileName;
        return false;
    }
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    stream << text;
    stream.flush();
    if (stream.status() != QTextStream::Ok || !file.commit())
    {
        qWarning().noquote() << "SpringLaunchManager :: Could not open file to write Start Script"
                             << fileName;
        return false;
    }
    qDebug().noquote() << "SpringLaunchManager :: Start Script file is written" << fileName;
    return true;
}

void SpringLaunchManager::Start(const QString& file, const QString& engineVersion, bool isReplay,
                                bool isSkirmish)
{
    if (RefuseWhileRunning())
        return;

    if (AppSettingsMain::Instance()->UseGamesDirSDD)
        RestoreDevGameFolders();
    else
        HideDevGameFolders();

    m_file = file;
    m_isReplay = isReplay;
    m_isSkirmish = isSkirmish;

    const QString springDataDir = PathManager::Instance()->GetSpringDataDir();
    m_process->setWorkingDirectory(springDataDir);

    const QString executable = SyncManager::Instance()->GetEngineExePath(engineVersion);
    const QString settingsFile = PathManager::Instance()->GetEngineSettingsFile(false);
    const QString customSync = AppSettingsMain::Instance()->CustomSyncFolder;
    const QString writeDir = customSync.isEmpty() ? springDataDir : customSync;

    // The process gets a list (paths may hold blanks or quotes); the log shows one line.
    QStringList arguments = {QStringLiteral("--config"), settingsFile, QStringLiteral("--write-dir"),
                             writeDir};
    m_commandLine = Quoted(executable) + QStringLiteral(" --config ") + Quoted(settingsFile) +
                    QStringLiteral(" --write-dir ") + Quoted(writeDir);
    if (AppDefines::Instance()->GetGameIndex() == 1)
    {
        arguments << QStringLiteral("--safemode");
        m_commandLine += QStringLiteral(" --safemode");
    }
    if (isReplay)
    {
        arguments << QStringLiteral("--name") << QStringLiteral("ME");
        m_commandLine += QStringLiteral(" --name ME");
    }
    arguments << file;
    m_commandLine += QLatin1Char(' ') + Quoted(file);
    qDebug().noquote() << "SpringLaunchManager :: Start Spring" << m_commandLine;

    if (executable == EngineNotFound || !QFileInfo(executable).isFile())
    {
        RestoreDevGameFolders();
        Fail(QStringLiteral("no engine %1 installed (%2)").arg(engineVersion, executable));
        return;
    }
    m_process->start(executable, arguments, QIODevice::ReadWrite);
}

void SpringLaunchManager::DoProcessError(QProcess::ProcessError error)
{
    // Only a failed start ends without "finished"; the other errors are followed by it.
    if (error != QProcess::FailedToStart)
        return;
    RestoreDevGameFolders();
    Fail(QStringLiteral("the engine could not be started: ") + m_process->errorString());
}

void SpringLaunchManager::DoStartedSpring()
{
    m_startedAt = QDateTime::currentDateTime();
    emit OnSpringStarted();
    if (m_isSkirmish)
        emit OnSkirmishStarted();
    else if (!m_isReplay)
        emit OnBattleStarted();
    else
        emit OnReplayStarted(m_file);
}

void SpringLaunchManager::DoStoppedSpring()
{
    RestoreDevGameFolders();
    m_stoppedAt = QDateTime::currentDateTime();
    emit OnSpringStopped();
    if (m_isSkirmish)
        emit OnSkirmishStopped();
    else if (!m_isReplay)
        emit OnBattleStopped();
    else
        emit OnReplayStopped(m_file);
}

void SpringLaunchManager::HideDevGameFolders()
{
    QDir games(PathManager::Instance()->GetGamesDir());
    for (const QString& name : games.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
    {
        if (!name.toLower().endsWith(QLatin1String(".sdd")))
            continue;
        if (!games.rename(name, name + HiddenSuffix))
            qWarning().noquote() << "SpringLaunchManager :: could not hide" << games.filePath(name);
    }
}

void SpringLaunchManager::RestoreDevGameFolders()
{
    QDir games(PathManager::Instance()->GetGamesDir());
    for (const QString& name : games.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
    {
        // Only what HideDevGameFolders hid: "<x>.sdd.useless".
        if (!name.toLower().endsWith(QLatin1String(".sdd.useless")))
            continue;
        const QString original = name.left(name.size() - HiddenSuffix.size());
        if (!games.rename(name, original))
            qWarning().noquote() << "SpringLaunchManager :: could not restore" << games.filePath(name);
    }
}
