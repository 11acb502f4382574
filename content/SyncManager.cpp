#include "SyncManager.h"

#include "PathManager.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>

namespace
{
const QString EngineNotFound = QStringLiteral("ENGINE NOT FOUND");

std::mutex g_systemEngineMutex;
#ifdef Q_OS_LINUX
QString g_systemEnginePath = QStringLiteral("/usr/games/spring");
#else
QString g_systemEnginePath;
#endif

bool IsArchive(const QFileInfo& info)
{
    const QString suffix = info.suffix().toLower();
    return info.isFile() && (suffix == QLatin1String("sdz") || suffix == QLatin1String("sd7"));
}

bool IsSddFolder(const QFileInfo& info)
{
    return info.isDir() && info.fileName().toLower().endsWith(QLatin1String(".sdd"));
}

// Finds `key = "value"` (or single quotes) where key is a whole word.
QString ReadLuaString(const QString& text, const QString& key)
{
    const QRegularExpression pattern(QStringLiteral("(?<![A-Za-z0-9_])%1\\s*=\\s*([\"'])(.*?)\\1").arg(key),
                                     QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() ? match.captured(2) : QString();
}

// Entry -> path for the games or maps folder; `infoFile` is the ".sdd" folder's description file.
QMap<QString, QString> ScanContent(const QString& folder, const QString& infoFile)
{
    QMap<QString, QString> entries;
    const QFileInfoList list = QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                                                          QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& info : list)
    {
        QString entry;
        if (IsArchive(info))
        {
            entry = info.completeBaseName();
        }
        else if (IsSddFolder(info))
        {
            entry = SyncManager::ReadInfoName(info.filePath() + QLatin1Char('/') + infoFile);
            if (entry.isEmpty())
                entry = info.completeBaseName();
        }
        if (!entry.isEmpty() && !entries.contains(entry))
            entries.insert(entry, info.filePath());
    }
    return entries;
}
} // namespace

SyncManager::SyncManager()
{
    qDebug().noquote() << "Initialize :: SyncManager";
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
    qDebug().noquote() << "Destroy :: SyncManager";
}

void SyncManager::Reload()
{
    Instance()->Queue("DoReload");
}

void SyncManager::DoReload()
{
    const QString dataDir = PathManager::Exists() ? PathManager::Instance()->GetSpringDataDir() : QString();
    Index index = Scan(dataDir);
    qDebug().noquote() << "SyncManager :: RELOADED --- engines" << index.engines.size() << "games"
                       << index.games.size() << "maps" << index.maps.size();
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
        index.games = ScanContent(springDataDir + QStringLiteral("/games"), QStringLiteral("modinfo.lua"));
        index.maps = ScanContent(springDataDir + QStringLiteral("/maps"), QStringLiteral("mapinfo.lua"));
    }

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
    // Asking costs half a second; the answer doesn't change while the program runs.
    static std::mutex cacheMutex;
    static QHash<QString, QString> cache;
    {
        std::lock_guard<std::mutex> locker(cacheMutex);
        const auto found = cache.constFind(executable);
        if (found != cache.constEnd())
            return found.value();
    }

    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(executable, {QStringLiteral("--version")});
    QString version;
    if (process.waitForFinished(10000))
    {
        // "spring version 106.0"
        const QRegularExpression pattern(QStringLiteral("version\\s+(\\S+)"));
        const QRegularExpressionMatch match = pattern.match(QString::fromUtf8(process.readAll()));
        if (match.hasMatch())
            version = match.captured(1);
    }
    else
    {
        process.kill();
        process.waitForFinished(1000);
    }
    if (version.isEmpty())
        qWarning().noquote() << "SyncManager :: no version from engine" << executable;

    std::lock_guard<std::mutex> locker(cacheMutex);
    cache.insert(executable, version);
    return version;
}

QString SyncManager::ReadInfoName(const QString& infoFile)
{
    QFile file(infoFile);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QString text = QString::fromUtf8(file.read(1024 * 1024));
    const QString name = ReadLuaString(text, QStringLiteral("name")).trimmed();
    if (name.isEmpty())
        return QString();
    const QString version = ReadLuaString(text, QStringLiteral("version")).trimmed();
    // The engine's own rule: the version is added unless the name already ends with it.
    if (version.isEmpty() || name.endsWith(version))
        return name;
    return name + QLatin1Char(' ') + version;
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
