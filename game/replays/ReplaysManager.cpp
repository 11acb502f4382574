#include "ReplaysManager.h"

#include "AppDefines.h"
#include "AppSettings.h"
#include "CommonIO.h"
#include "PathManager.h"
#include "ReplayArchive.h"
#include "ReplayReader.h"
#include "ReplaysCache.h"
#include "SevenZManager.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <dirent.h>
#endif

static_assert(ReplaysManager::MaxFiles <= ReplaysCache::MaxRecords, "the cache holds every listed file");

std::atomic<int> ReplaysManager::s_archiveTimeLimitMs{ReplayArchive::UnpackTimeLimitMs};

namespace
{
// Demo names that are not valid UTF-8: Qt leaves them out of its listings without a word.
QStringList UndecodableDemoNames(const QString& folder)
{
    QStringList names;
#ifdef Q_OS_UNIX
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir))
    {
        const QByteArray raw(entry->d_name);
        if ((raw.endsWith("sdf") || raw.endsWith("sdfz")) && !raw.startsWith('.') &&
            QFile::encodeName(QFile::decodeName(raw)) != raw)
            names << QString::fromUtf8(raw);
    }
    ::closedir(dir);
#else
    Q_UNUSED(folder)
#endif
    return names;
}
} // namespace

ReplaysManager::ReplaysManager()
{
    PathManager* paths = PathManager::Instance();
    m_replayFolder = CurrentReplayFolder();
    m_tempFolder = QDir::toNativeSeparators(paths->GetTempDir() + QStringLiteral("/replay"));
    m_relationFile = QStringLiteral(":/DataRelations/%1").arg(AppDefines::Instance()->GetRelationsFileName());
    m_gamePattern = AppDefines::Instance()->GetGameNamePattern().toLower();
    m_lobbyAdmin = AppSettingsSpringMyPersonal::Instance()->IsAdmin;
    m_cachePath = ReplaysCache::CacheFilePath(paths->GetLobbyDataDir());
    qDebug() << "Initialize :: ReplaysManager";

    // A child, so it moves to our thread with us and lives there.
    m_reader = new ReplayReader(this);
    connect(m_reader, &ReplayReader::OnRecord, this, &ReplaysManager::TakeRecord);
    connect(m_reader, &ReplayReader::OnFinished, this, &ReplaysManager::Finish);
    StartWorker();
}

void ReplaysManager::SetArchiveTimeLimit(int ms)
{
    s_archiveTimeLimitMs = ms;
}

ReplaysManager::~ReplaysManager()
{
    qDebug() << "Destroy :: ReplaysManager";
    StopWorker();
}

QString ReplaysManager::CurrentReplayFolder()
{
    // The engine writes its demos into its write folder: the custom sync folder when one is set.
    const QString custom = AppSettingsMain::Instance()->CustomSyncFolder;
    return custom.isEmpty() ? PathManager::Instance()->GetReplaysDir()
                            : QDir::cleanPath(custom) + QStringLiteral("/demos");
}

void ReplaysManager::UpdateReplays()
{
    Instance()->Queue("DoUpdateReplays", Q_ARG(QString, CurrentReplayFolder()));
}

void ReplaysManager::Stop()
{
    Instance()->Queue("DoStop");
}

void ReplaysManager::DoDestroy()
{
    m_stopping = true;
    m_reader->Cancel(true);
}

void ReplaysManager::DoLobbyAdmin(bool value)
{
    m_lobbyAdmin = value;
}

void ReplaysManager::ResetTempFolder()
{
    CommonIO::Remove(m_tempFolder, true);
    CommonIO::MakeDir(m_tempFolder);
}

void ReplaysManager::DoUpdateReplays(QString replayFolder)
{
    emit OnBusy(true);
    SendProgress(0);
    m_stopping = false;
    // An unpack of an earlier refresh may still answer; its id no longer matches.
    ClearRefreshState();

    if (!replayFolder.isEmpty())
        m_replayFolder = replayFolder;
    SearchReplayFiles();

    LoadCache();
    ValidateCache();
    // A turn of the event loop first, so a stop posted right behind us comes before any reading.
    m_parseQueued = true;
    Queue("DoParseFiles");
}

void ReplaysManager::LoadCache()
{
    qDebug().noquote() << "ReplaysManager :: LOADING Cache:" << m_cachePath;
    const ReplaysCache::CacheLoad load = ReplaysCache::LoadCache(m_cachePath, m_cachedTable);
    // Rebuilt from the demos either way; set aside, a damaged one makes room for the next save.
    if (load.result == ReplaysCache::LoadResult::Damaged)
        LogOnce(QStringLiteral("ReplaysManager :: Replays Cache file is damaged --- %1 --- %2")
                    .arg(load.problem, CommonIO::SetAside(m_cachePath)));
    else if (load.result == ReplaysCache::LoadResult::Unreadable)
        LogOnce(QStringLiteral("ReplaysManager :: Replays Cache file can NOT be opened %1 --- %2")
                    .arg(m_cachePath, load.problem));
    qDebug().noquote() << "ReplaysManager :: FOUND Replays Cache" << m_cachedTable.size();
}

void ReplaysManager::LogOnce(const QString& line)
{
    if (m_logged.contains(line))
        return;
    m_logged.insert(line);
    qWarning().noquote() << line;
}

void ReplaysManager::SearchReplayFiles()
{
    qDebug().noquote() << "ReplaysManager :: SEARCHING Replays:" << m_replayFolder;
    QFileInfoList files =
        QDir(m_replayFolder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    if (files.size() > MaxFiles)
    {
        qDebug().noquote() << "ReplaysManager :: TOO MANY Replays Files, the oldest left out:"
                           << files.size() - MaxFiles;
        // The newest ones are the ones a player looks for.
        std::stable_sort(files.begin(), files.end(),
                         [](const QFileInfo& a, const QFileInfo& b)
                         { return a.lastModified() > b.lastModified(); });
        files = files.mid(0, MaxFiles);
    }
    std::sort(files.begin(), files.end(),
              [](const QFileInfo& a, const QFileInfo& b) { return a.fileName() < b.fileName(); });

    m_pendingNames.clear();
    m_listing.clear();
    const QString prefix = m_replayFolder + QDir::separator();
    for (const QString& name : UndecodableDemoNames(m_replayFolder))
        LogOnce(QStringLiteral("ReplaysManager :: SKIP a file name that is not valid UTF-8: ") + name);
    for (const QFileInfo& info : qAsConst(files))
    {
        m_pendingNames << info.fileName();
        m_listing.insert(prefix + info.fileName(), {info.size(), info.lastModified().toMSecsSinceEpoch()});
    }
    m_total = m_pendingNames.size();
    m_remaining = m_total;
    qDebug().noquote() << "ReplaysManager :: FOUND Replays Files" << m_total;
}

void ReplaysManager::ValidateCache()
{
    // In name order, so the page fills in the order the files are listed.
    const QString prefix = m_replayFolder + QDir::separator();
    ReplaysTable current;
    for (const QString& name : qAsConst(m_pendingNames))
    {
        const QString path = prefix + name;
        const auto cached = m_cachedTable.constFind(path);
        if (cached == m_cachedTable.constEnd())
            continue;
        // A file replaced under the same name is read again.
        const FileStamp stamp = m_listing.value(path);
        if (stamp.size != cached->fileSize || stamp.modified != cached->fileModified)
            continue;
        current.insert(path, *cached);
        AddReplay(*cached);
        EmitProgress();
    }
    m_cachedTable = current;
}

void ReplaysManager::DoParseFiles()
{
    // Stopped, or already handed over.
    if (m_stopping || !m_parseQueued)
        return;
    m_parseQueued = false;

    QStringList paths;
    for (const QString& name : qAsConst(m_pendingNames))
    {
        const QString path = m_replayFolder + QDir::separator() + name;
        // Known, empty (a killed engine leaves these) or no demo at all.
        if (m_cachedTable.contains(path) || m_listing.value(path).size <= 0)
            continue;
        if (name.endsWith(QLatin1String("sdfz")) || name.endsWith(QLatin1String("sdf")))
            paths << path;
    }
    m_pendingNames.clear();
    m_remaining = paths.size();
    EmitProgress();
    ReportProgress();
    ReplayArchive::Settings archives;
    // The archive manager's tool, without making one where none is (it is created after us).
    archives.program =
        SevenZManager::Exists() ? SevenZManager::Instance()->Program() : SevenZManager::DefaultProgram();
    archives.tempFolder = m_tempFolder;
    archives.timeLimitMs = s_archiveTimeLimitMs;
    m_reader->Start(paths, archives);
}

void ReplaysManager::TakeRecord(DataReplay replay, bool remember)
{
    // Size and time of the listed file (for a 7z demo the archive), so a change is noticed.
    const FileStamp stamp = m_listing.value(replay.filePath);
    replay.fileSize = stamp.size;
    replay.fileModified = stamp.modified;
    if (!remember)
        m_unreadPaths.insert(replay.filePath);
    --m_remaining;
    AddReplay(replay);
    EmitProgress();
    ReportProgress();
}

void ReplaysManager::Finish()
{
    EmitProgress();
    qDebug() << "ReplaysManager :: FINISH";
    ReplaysTable cached = m_replayTable;
    for (const QString& path : qAsConst(m_unreadPaths))
        cached.remove(path);
    ReplaysCache::SaveCache(m_cachePath, cached);
    SendProgress(100);
    emit OnBusy(false);
}

void ReplaysManager::DoStop()
{
    qDebug() << "ReplaysManager :: DoStop";
    m_stopping = true;
    ClearRefreshState();
}

void ReplaysManager::ClearRefreshState()
{
    m_reader->Cancel();
    m_parseQueued = false;
    m_cachedTable.clear();
    m_waitingPaths.clear();
    m_replayTable.clear();
    m_unreadPaths.clear();
    ResetTempFolder();
}

int ReplaysManager::BatchSize() const
{
    // Batches of at least two; a big folder goes out in about forty batches, not thousands.
    return qMax(2, m_total / 40);
}

int ReplaysManager::Percent() const
{
    return m_total > 0 ? (m_total - m_remaining) * 100 / m_total : 0;
}

void ReplaysManager::SendProgress(int percent)
{
    m_lastPercent = percent;
    m_progressClock.restart();
    emit OnProgress(percent);
}

void ReplaysManager::ReportProgress()
{
    // Few replays of this game among many files: the bar moves even while no batch fills. The end
    // sends its own 100.
    const int percent = Percent();
    if (m_remaining > 0 && percent != m_lastPercent && m_progressClock.elapsed() >= ProgressIntervalMs)
        SendProgress(percent);
}

void ReplaysManager::EmitProgress()
{
    if (m_waitingPaths.isEmpty())
        return;
    if (m_remaining > 0 && m_waitingPaths.size() < BatchSize())
        return;

    const int percent = Percent();
    if (percent > 0)
        qDebug().noquote() << "ReplaysManager :: EMIT" << percent << "%";

    ReplaysList list;
    list.reserve(m_waitingPaths.size());
    for (const QString& path : qAsConst(m_waitingPaths))
        list << m_replayTable.value(path);
    m_waitingPaths.clear();
    emit OnReplaysUpdate(list);
    SendProgress(percent);
}
