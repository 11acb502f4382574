#include "ReplaysManager.h"

#include "AppDefines.h"
#include "AppSettings.h"
#include "CommonIO.h"
#include "DemoFolder.h"
#include "PathManager.h"
#include "ReplayArchive.h"
#include "ReplayReader.h"
#include "SevenZManager.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QElapsedTimer>

static_assert(ReplaysManager::MaxFiles <= ReplaysCache::MaxRecords, "the cache holds every listed file");

std::atomic<int> ReplaysManager::s_archiveTimeLimitMs{ReplayArchive::UnpackTimeLimitMs};

namespace
{
// Calls `part` until it says nothing is left or a step's time is up; true when work is left.
template <typename Part>
bool WorkForAStep(Part part)
{
    QElapsedTimer clock;
    clock.start();
    bool left = true;
    while (left && clock.elapsed() < ReplaysManager::StepMs)
        left = part();
    return left;
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
    // What unpacks left when the program ended goes; an unpack still at work owns its folder.
    if (m_reader->Unpacking())
        CommonIO::MakeDir(m_tempFolder);
    else
        ResetTempFolder();

    if (!replayFolder.isEmpty())
        m_replayFolder = replayFolder;
    qDebug().noquote() << "ReplaysManager :: SEARCHING Replays:" << m_replayFolder;
    m_lister = std::make_unique<DemoFolderLister>(m_replayFolder);
    // A turn of the event loop first, so a stop posted right behind us comes before any work.
    Step(&ReplaysManager::SearchReplayFiles);
}

void ReplaysManager::Step(void (ReplaysManager::*step)())
{
    const int refresh = m_refresh;
    QueueCall(
        [this, refresh, step]
        {
            if (refresh == m_refresh && !m_stopping)
                (this->*step)();
        });
}

void ReplaysManager::SearchReplayFiles()
{
    const bool more = WorkForAStep([this] { return m_lister->ListSome(64); });
    Step(more ? &ReplaysManager::SearchReplayFiles : &ReplaysManager::SortReplayFiles);
}

void ReplaysManager::SortReplayFiles()
{
    for (const QString& name : m_lister->UndecodableNames())
        LogOnce(QStringLiteral("ReplaysManager :: SKIP a file name that is not valid UTF-8: ") + name);
    std::vector<DemoFolderLister::Entry> files = std::move(m_lister->Entries());
    m_lister.reset();
    // The newest ones are the ones a player looks for.
    const int leftOut = DemoFolderLister::KeepNewest(files, MaxFiles);
    if (leftOut > 0)
        qDebug().noquote() << "ReplaysManager :: TOO MANY Replays Files, the oldest left out:" << leftOut;

    m_pendingNames.clear();
    m_listing.clear();
    m_pendingNames.reserve(int(files.size()));
    m_listing.reserve(int(files.size()));
    const QString prefix = m_replayFolder + QDir::separator();
    for (const DemoFolderLister::Entry& file : files)
    {
        m_pendingNames << file.name;
        m_listing.insert(prefix + file.name, {file.size, file.modified});
    }
    m_total = m_pendingNames.size();
    m_remaining = m_total;
    qDebug().noquote() << "ReplaysManager :: FOUND Replays Files" << m_total;

    qDebug().noquote() << "ReplaysManager :: LOADING Cache:" << m_cachePath;
    if (m_cacheReader.Open(m_cachePath).result == ReplaysCache::LoadResult::Loaded)
        Step(&ReplaysManager::LoadCache);
    else
        CacheTaken();
}

void ReplaysManager::LoadCache()
{
    if (WorkForAStep([this] { return m_cacheReader.ReadSome(m_cachedTable, 16); }))
        Step(&ReplaysManager::LoadCache);
    else
        CacheTaken();
}

void ReplaysManager::CacheTaken()
{
    const ReplaysCache::CacheLoad load = m_cacheReader.Result();
    // Rebuilt from the demos either way; set aside, a damaged one makes room for the next save.
    if (load.result == ReplaysCache::LoadResult::Damaged)
    {
        m_cachedTable.clear();
        LogOnce(QStringLiteral("ReplaysManager :: Replays Cache file is damaged --- %1 --- %2")
                    .arg(load.problem, CommonIO::SetAside(m_cachePath)));
    }
    else if (load.result == ReplaysCache::LoadResult::Unreadable)
        LogOnce(QStringLiteral("ReplaysManager :: Replays Cache file can NOT be opened %1 --- %2")
                    .arg(m_cachePath, load.problem));
    qDebug().noquote() << "ReplaysManager :: FOUND Replays Cache" << m_cachedTable.size();
    // A cache that was not read whole is written again.
    m_cacheRecords = load.result == ReplaysCache::LoadResult::Loaded ? m_cacheReader.Records() : -1;
    m_known.clear();
    m_validateNext = 0;
    Step(&ReplaysManager::ValidateCache);
}

void ReplaysManager::LogOnce(const QString& line)
{
    if (m_logged.contains(line))
        return;
    m_logged.insert(line);
    qWarning().noquote() << line;
}

void ReplaysManager::ValidateCache()
{
    // In name order, so the page fills in the order the files are listed.
    QElapsedTimer clock;
    clock.start();
    const QString prefix = m_replayFolder + QDir::separator();
    m_today = QDate::currentDate();
    for (int n = 0; m_validateNext < m_pendingNames.size(); ++n)
    {
        if ((n & 31) == 31 && clock.elapsed() >= StepMs)
        {
            Step(&ReplaysManager::ValidateCache);
            return;
        }
        const QString path = prefix + m_pendingNames.at(m_validateNext++);
        const auto cached = m_cachedTable.find(path);
        if (cached == m_cachedTable.end())
            continue;
        // A file replaced under the same name is read again.
        const FileStamp stamp = m_listing.value(path);
        if (stamp.size != cached->fileSize || stamp.modified != cached->fileModified)
            continue;
        m_known.insert(path);
        // Taken out, so that the record is not copied when the worker completes it.
        DataReplay replay = std::move(cached.value());
        m_cachedTable.erase(cached);
        AddReplay(std::move(replay));
        EmitProgress();
    }
    // What is left are the records of files gone or changed.
    m_cachedTable.clear();
    m_parseQueued = true;
    Queue("DoParseFiles");
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
        if (m_known.contains(path) || m_listing.value(path).size <= 0)
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
    m_today = QDate::currentDate();
    m_cacheChanged = true;
    AddReplay(replay);
    EmitProgress();
    ReportProgress();
}

void ReplaysManager::Finish()
{
    EmitProgress();
    qDebug() << "ReplaysManager :: FINISH";
    // Unchanged when every listed record came from the cache and the cache held no more.
    if (m_cacheChanged || m_known.size() != m_cacheRecords)
    {
        ReplaysTable cached = m_replayTable;
        for (const QString& path : qAsConst(m_unreadPaths))
            cached.remove(path);
        ReplaysCache::SaveCache(m_cachePath, cached);
    }
    SendProgress(100);
    emit OnBusy(false);
    ReplayReader::ReleaseFreedMemory();
}

void ReplaysManager::DoStop()
{
    qDebug() << "ReplaysManager :: DoStop";
    m_stopping = true;
    ClearRefreshState();
}

void ReplaysManager::ClearRefreshState()
{
    // The temporary folder stays: each unpack owns its own folder in it and removes it itself,
    // also when it is stopped.
    m_reader->Cancel();
    ++m_refresh;
    m_parseQueued = false;
    m_lister.reset();
    m_cacheReader = ReplaysCache::CacheReader();
    m_known.clear();
    m_waitingPaths.clear();
    m_unreadPaths.clear();
    // Ten thousand records take a while to free: a part in each turn, so a stop is heard between.
    for (ReplaysTable* table : {&m_cachedTable, &m_replayTable})
    {
        if (table->isEmpty())
            continue;
        m_garbage.append(ReplaysTable());
        m_garbage.last().swap(*table);
    }
    if (!m_garbage.isEmpty() && !m_freeQueued)
    {
        m_freeQueued = true;
        QueueCall([this] { FreeStep(); });
    }
    m_cacheChanged = false;
    m_cacheRecords = -1;
}

void ReplaysManager::FreeStep()
{
    QElapsedTimer clock;
    clock.start();
    while (!m_garbage.isEmpty() && clock.elapsed() < StepMs)
    {
        ReplaysTable& table = m_garbage.first();
        auto it = table.begin();
        for (int n = 0; n < 64 && it != table.end(); ++n)
            it = table.erase(it);
        if (table.isEmpty())
            m_garbage.removeFirst();
    }
    if (!m_garbage.isEmpty())
    {
        QueueCall([this] { FreeStep(); });
        return;
    }
    m_freeQueued = false;
    ReplayReader::ReleaseFreedMemory();
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
