#include "SyncManager.h"

#include "AppDefines.h"
#include "ContentScanner.h"
#include "DataPlayer.h"
#include "PathManager.h"
#include "StoppableProcess.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <atomic>
#include <mutex>

namespace
{
const QString EngineNotFound = QStringLiteral("ENGINE NOT FOUND");

std::mutex g_systemEngineMutex;

// What every engine executable said its version was, by path; empty when it said nothing.
struct KnownEngine
{
    QString version;
    qint64 size = -1;
    qint64 modified = -1;
};
std::mutex g_knownMutex;
QHash<QString, KnownEngine> g_known;
std::atomic_bool g_stopChecks{false};
// Whether a check was stopped before the engine answered, since the index was made.
std::atomic_bool g_checkStopped{false};

KnownEngine FileStamp(const QString& executable)
{
    const QFileInfo info(executable);
    return {QString(), info.size(), info.lastModified().toMSecsSinceEpoch()};
}
#ifdef Q_OS_LINUX
QString g_systemEnginePath = QStringLiteral("/usr/games/spring");
#else
QString g_systemEnginePath;
#endif

} // namespace

SyncManager::SyncManager()
{
    qDebug().noquote() << "Initialize :: SyncManager";
    g_stopChecks = false;
    g_checkStopped = false;
    StartWorker();
}

SyncManager::~SyncManager()
{
    StopWorker();
}

void SyncManager::DoInitialize()
{
    DoReload();
}

void SyncManager::DoDestroy()
{
    // The scanner belongs to this thread.
    m_scanner.reset();
    qDebug().noquote() << "Destroy :: SyncManager";
}

void SyncManager::Reload()
{
    Instance()->Queue("DoReload");
}

void SyncManager::DoReload()
{
    const QString dataDir = PathManager::Exists() ? PathManager::Instance()->GetSpringDataDir() : QString();
    // What the archives hold is remembered in the program's folder, shared by every game.
    const QString cacheFile =
        PathManager::Exists() ? PathManager::Instance()->GetLobbyDataDir() + QStringLiteral("/content.cache")
                              : QString();
    if (!m_scanner || m_scannerCacheFile != cacheFile)
    {
        m_scanner = std::make_unique<ContentScanner>(cacheFile);
        m_scannerCacheFile = cacheFile;
    }
    Index index = Scan(dataDir);
    qDebug().noquote() << "SyncManager :: RELOADED --- engines" << index.engines.size() << "games"
                       << index.games.size() << "maps" << index.maps.size() << "--- archives read"
                       << index.archivesRead;
    // A check stopped at shut-down found nothing, which says nothing about the engines there are.
    if (index.engines.isEmpty() && g_checkStopped)
    {
        qDebug().noquote() << "SyncManager :: ENGINES UNKNOWN --- the check of" << SystemEnginePath()
                           << "was stopped";
    }
    else if (index.engines.isEmpty())
    {
        qWarning().noquote() << "SyncManager :: NO ENGINE --- none in" << dataDir + QStringLiteral("/engines")
                             << "nor at" << SystemEnginePath();
    }
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        m_index = index;
        m_hasScanned = true;
    }
    m_scanned.notify_all();
    emit OnReloaded();
}

SyncManager::Index SyncManager::Scan(const QString& springDataDir)
{
    Index index;
    if (!springDataDir.isEmpty())
    {
        const QFileInfoList engineFolders = QDir(springDataDir + QStringLiteral("/engines"))
                                                .entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo& folder : engineFolders)
        {
            const QFileInfo exe(folder.filePath() + QLatin1Char('/') + EngineExeName());
            if (exe.isFile())
                index.engines.insert(folder.fileName(), exe.filePath());
        }
    }
    const ContentScanner::Result content = m_scanner->Scan(springDataDir);
    index.games = content.games;
    index.maps = content.maps;
    index.mapInfo = content.mapInfo;
    index.archivesRead = content.archivesRead;

    // An engine of the data folder wins over the system-wide one of the same version.
    const QString systemEngine = SystemEnginePath();
    if (!systemEngine.isEmpty() && QFileInfo(systemEngine).isExecutable())
    {
        const QString version = ReadEngineVersion(systemEngine);
        if (!version.isEmpty() && !index.engines.contains(version))
            index.engines.insert(version, systemEngine);
    }
    return index;
}

QString SyncManager::ReadEngineVersion(const QString& executable)
{
    // Asking costs the engine's whole start (most of a second, a gigabyte of memory); the answer
    // only changes with the file.
    const KnownEngine stamp = FileStamp(executable);
    {
        std::lock_guard<std::mutex> locker(g_knownMutex);
        const auto known = g_known.constFind(executable);
        if (known != g_known.constEnd() && known->size == stamp.size && known->modified == stamp.modified)
            return known->version;
    }
    QByteArray output;
    const StoppableProcess::Result result =
        g_stopChecks
            ? StoppableProcess::Result::Stopped
            : StoppableProcess::Run(executable, {QStringLiteral("--version")}, 10000, g_stopChecks, &output);
    if (result == StoppableProcess::Result::Stopped)
    {
        qDebug().noquote() << "SyncManager :: ENGINE VERSION --- check stopped ---" << executable;
        g_checkStopped = true;
        return QString();
    }
    QString version;
    // "spring version 106.0"
    const QRegularExpression pattern(QStringLiteral("version\\s+(\\S+)"));
    const QRegularExpressionMatch match = pattern.match(QString::fromUtf8(output));
    if (result == StoppableProcess::Result::Finished && match.hasMatch())
        version = match.captured(1);
    if (version.isEmpty())
        qWarning().noquote() << "SyncManager :: no version from engine" << executable;
    else
        qDebug().noquote() << "SyncManager :: ENGINE VERSION ---" << version << "---" << executable;

    std::lock_guard<std::mutex> locker(g_knownMutex);
    g_known.insert(executable, {version, stamp.size, stamp.modified});
    return version;
}

void SyncManager::SetKnownEngineVersions(const QStringList& entries)
{
    std::lock_guard<std::mutex> locker(g_knownMutex);
    g_known.clear();
    for (const QString& entry : entries)
    {
        bool sizeOk = false;
        bool modifiedOk = false;
        KnownEngine known;
        known.version = entry.section(QLatin1Char('|'), 0, 0);
        known.size = entry.section(QLatin1Char('|'), 1, 1).toLongLong(&sizeOk);
        known.modified = entry.section(QLatin1Char('|'), 2, 2).toLongLong(&modifiedOk);
        const QString path = entry.section(QLatin1Char('|'), 3);
        // A damaged entry only means one more question to the engine.
        if (sizeOk && modifiedOk && !known.version.isEmpty() && !path.isEmpty())
            g_known.insert(path, known);
    }
}

QStringList SyncManager::KnownEngineVersions()
{
    std::lock_guard<std::mutex> locker(g_knownMutex);
    QStringList entries;
    for (auto it = g_known.constBegin(); it != g_known.constEnd(); ++it)
    {
        // An engine that said nothing is asked again at the next start.
        if (!it->version.isEmpty())
            entries << QStringLiteral("%1|%2|%3|%4")
                           .arg(it->version)
                           .arg(it->size)
                           .arg(it->modified)
                           .arg(it.key());
    }
    entries.sort();
    return entries;
}

QStringList SyncManager::EngineVersionsToStore(const QStringList& stored)
{
    return g_checkStopped ? stored : KnownEngineVersions();
}

void SyncManager::StopEngineChecks()
{
    g_stopChecks = true;
}

QString SyncManager::EngineExeName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("spring.exe");
#else
    return QStringLiteral("spring");
#endif
}

void SyncManager::SetSystemEnginePath(const QString& path)
{
    std::lock_guard<std::mutex> locker(g_systemEngineMutex);
    g_systemEnginePath = path;
}

QString SyncManager::SystemEnginePath()
{
    std::lock_guard<std::mutex> locker(g_systemEngineMutex);
    return g_systemEnginePath;
}

void SyncManager::WaitForFirstScan(std::unique_lock<std::mutex>& lock)
{
    // A getter on the worker's own thread can't wait for it.
    if (QThread::currentThread() != this)
        m_scanned.wait_for(lock, std::chrono::seconds(15), [this] { return m_hasScanned; });
}

QString SyncManager::GetEngineExePath(const QString& version)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    WaitForFirstScan(lock);
    return m_index.engines.value(version, EngineNotFound);
}

bool SyncManager::ContainsEngine(const QString& version)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    WaitForFirstScan(lock);
    return m_index.engines.contains(version);
}

bool SyncManager::ContainsGame(const QString& name)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    WaitForFirstScan(lock);
    return m_index.games.contains(name);
}

bool SyncManager::ContainsMap(const QString& name)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    WaitForFirstScan(lock);
    return m_index.maps.contains(name);
}

QString SyncManager::GetGameFilePath(const QString& version)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    WaitForFirstScan(lock);
    if (m_index.games.contains(version))
        return version;
    for (auto it = m_index.games.cbegin(); it != m_index.games.cend(); ++it)
    {
        const QFileInfo info(it.value());
        if (info.fileName() == version || info.completeBaseName() == version)
            return it.key();
    }
    return QString();
}

QMap<QString, QString> SyncManager::GetEngineVersions()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    WaitForFirstScan(lock);
    return m_index.engines;
}

QMap<QString, QString> SyncManager::GetGameVersions()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    WaitForFirstScan(lock);
    return m_index.games;
}

QSet<QString> SyncManager::GetAvailableMaps()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    WaitForFirstScan(lock);
    const QStringList names = m_index.maps.keys();
    return QSet<QString>(names.cbegin(), names.cend());
}

QMap<QString, QString> SyncManager::GetMapInfoList()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    WaitForFirstScan(lock);
    return m_index.mapInfo;
}

QString SyncManager::GetMapInfoText(const QString& mapName)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    WaitForFirstScan(lock);
    return m_index.mapInfo.value(mapName, mapName);
}

int SyncManager::GetSideCount()
{
    return AppDefines::Instance()->GetSideNames().size();
}

QString SyncManager::GetSideName(int sideIndex)
{
    return DataPlayer::GetSideName(sideIndex);
}

QImage SyncManager::GetAiSideIcon(const QString& name)
{
    const QString path =
        QStringLiteral(":/GamesData/%1/%2.png").arg(AppDefines::Instance()->GetShortCode(), name.toLower());
    const QImage icon(path);
    if (icon.isNull())
        qWarning().noquote() << "SyncManager :: no side icon" << path;
    return icon;
}
