#include "SevenZManager.h"

#include "PathManager.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

SevenZManager::SevenZManager()
{
    qDebug() << "Initialize :: SevenZManager";
    StartWorker();
}

SevenZManager::~SevenZManager()
{
    StopWorker();
    qDebug() << "Destroy :: SevenZManager";
}

void SevenZManager::DoInitialize() {}

void SevenZManager::DoDestroy() {}

QString SevenZManager::DefaultProgram()
{
#ifdef Q_OS_WIN
    return PathManager::Instance()->GetProgramDir() + QStringLiteral("/Quillmere.7z.exe");
#else
    for (const char* name : {"7z", "7za", "7zz"})
    {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
    return QStringLiteral("7z");
#endif
}

void SevenZManager::SetProgram(const QString& program)
{
    std::lock_guard<std::mutex> locker(m_mutex);
    m_program = program;
}

QString SevenZManager::Program() const
{
    std::lock_guard<std::mutex> locker(m_mutex);
    return m_program.isEmpty() ? DefaultProgram() : m_program;
}

QStringList SevenZManager::ExtractArguments(const QString& archivePath, const QString& destination)
{
    // "-o" takes its folder without a blank; "-y" answers every overwrite question with yes.
    return {QStringLiteral("x"), QStringLiteral("-y"), QDir::toNativeSeparators(archivePath),
            QStringLiteral("-o") + QDir::toNativeSeparators(destination)};
}

void SevenZManager::Extract(const QString& archivePath, const QString& destination, const QString& id,
                            int idNumber)
{
    Instance()->Queue("DoExtract", Q_ARG(QString, archivePath), Q_ARG(QString, destination),
                      Q_ARG(QString, id), Q_ARG(int, idNumber));
}

void SevenZManager::DoExtract(QString archivePath, QString destination, QString id, int idNumber)
{
    const bool ok = RunExtract(archivePath, destination);
    const bool plain = id.isEmpty() && idNumber == -1;
    if (ok)
    {
        if (plain)
            emit OnFinish(archivePath);
        else
            emit OnFinish(archivePath, id);
    }
    else
    {
        if (plain)
            emit OnError(archivePath);
        else
            emit OnError(archivePath, id);
    }
}

bool SevenZManager::RunExtract(const QString& archivePath, const QString& destination)
{
    qDebug().noquote() << "SevenZManager :: Extract ---" << archivePath << "->" << destination;
    if (!QFileInfo(archivePath).isFile())
    {
        qWarning().noquote() << "SevenZManager :: ERROR --- no such archive:" << archivePath;
        return false;
    }
    if (destination.isEmpty() || !QDir().mkpath(destination))
    {
        qWarning().noquote() << "SevenZManager :: ERROR --- can't create folder:" << destination;
        return false;
    }

    QProcess process;
    process.setProgram(Program());
    process.setArguments(ExtractArguments(archivePath, destination));
    process.setProcessChannelMode(QProcess::MergedChannels);
    // Nothing to read from us: a password question ends at once instead of waiting forever.
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted())
    {
        qWarning().noquote() << "SevenZManager :: ERROR --- can't start the archive tool:"
                             << process.program() << process.errorString();
        return false;
    }
    // No time limit: a big archive may take long, and a request never blocks anyone but this thread.
    process.waitForFinished(-1);
    const QString output = QString::fromLocal8Bit(process.readAll()).trimmed();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    {
        qWarning().noquote() << "SevenZManager :: ERROR --- exit code" << process.exitCode() << "for"
                             << archivePath;
        if (!output.isEmpty())
            qWarning().noquote() << "SevenZManager :: OUTPUT ---" << output.right(2000);
        return false;
    }
    qDebug().noquote() << "SevenZManager :: FINISH ---" << archivePath;
    return true;
}
