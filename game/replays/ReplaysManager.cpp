#include "ReplaysManager.h"

#include "AppDefines.h"
#include "AppSettings.h"
#include "CommonIO.h"
#include "PathManager.h"
#include "ReplayReader.h"
#include "ReplaysCache.h"
#include "SevenZManager.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

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
    connect(m_reader, &ReplayReader::OnPacked, this, &ReplaysManager::QueueUnpack);
    connect(m_reader, &ReplayReader::OnFinished, this, &ReplaysManager::Finish);
    StartWorker();
}

void ReplaysManager::ConnectArchiveManager()
{
    // Made on our own thread right before the first request, not at construction: the archive
    // manager is created after us at start-up, and the request itself needs it anyway.
    SevenZManager* sevenZ = SevenZManager::Instance();
    if (m_archiveManager == sevenZ)
        return;
    m_archiveManager = sevenZ;
    // Only answers carrying our own id are taken; see Do7zFinish.
    connect(sevenZ, SIGNAL(OnFinish(QString, QString)), this, SLOT(Do7zFinish(QString, QString)),
            Qt::QueuedConnection);
    connect(sevenZ, SIGNAL(OnError(QString, QString)), this, SLOT(Do7zError(QString, QString)),
            Qt::QueuedConnection);
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
    m_extractId.clear();
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

    qDebug().noquote() << "ReplaysManager :: LOADING Cache:" << m_cachePath;
    ReplaysCache::LoadCache(m_cachePath, m_cachedTable);
    qDebug().noquote() << "ReplaysManager :: FOUND Replays Cache" << m_cachedTable.size();

    ValidateCache();
    // A turn of the event loop first, so a stop posted right behind us comes before any reading.
    m_parseQueued = true;
    Queue("DoParseFiles");
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
    m_reader->Start(paths);
}

void ReplaysManager::TakeRecord(DataReplay replay)
{
    // Size and time of the listed file (for a 7z demo the archive), so a change is noticed.
    const FileStamp stamp = m_listing.value(replay.filePath);
    replay.fileSize = stamp.size;
    replay.fileModified = stamp.modified;
    --m_remaining;
    AddReplay(replay);
    EmitProgress();
    ReportProgress();
}

void ReplaysManager::Finish()
{
    EmitProgress();
    qDebug() << "ReplaysManager :: FINISH";
    ReplaysCache::SaveCache(m_cachePath, m_replayTable);
    SendProgress(100);
    emit OnBusy(false);
}

void ReplaysManager::QueueUnpack(int index, const QString& path)
{
    // Earliest first: the records behind it wait for it.
    auto at = std::find_if(m_unpacks.begin(), m_unpacks.end(),
                           [index](const QPair<int, QString>& unpack) { return unpack.first > index; });
    m_unpacks.insert(at, {index, path});
    StartUnpack();
}

void ReplaysManager::StartUnpack()
{
    if (!m_extractId.isEmpty() || m_unpacks.isEmpty())
        return;
    const QPair<int, QString> next = m_unpacks.takeFirst();
    ConnectArchiveManager();
    // Each unpack gets a folder of its own, so a late answer never meets another's files.
    ++m_extractSerial;
    m_extractIndex = next.first;
    m_extractArchive = next.second;
    m_extractFolder = m_tempFolder + QDir::separator() + QString::number(m_extractSerial);
    m_extractId = QStringLiteral("replays-%1").arg(m_extractSerial);
    CommonIO::Remove(m_extractFolder, true);
    CommonIO::MakeDir(m_extractFolder);
    SevenZManager::Extract(m_extractArchive, m_extractFolder, m_extractId, m_extractSerial);
}

void ReplaysManager::FinishUnpack(const DataReplay& record)
{
    const int index = m_extractIndex;
    CommonIO::Remove(m_extractFolder, true);
    m_extractId.clear();
    m_extractArchive.clear();
    m_extractFolder.clear();
    m_extractIndex = -1;
    StartUnpack();
    m_reader->Supply(index, record);
}

void ReplaysManager::DropStaleUnpack(const QString& id)
{
    // An answer to an unpack of a stopped refresh: its data is not wanted, its folder goes.
    static const QString prefix = QStringLiteral("replays-");
    if (!id.startsWith(prefix))
        return;
    bool ok = false;
    const int serial = id.mid(prefix.size()).toInt(&ok);
    if (ok && serial > 0)
        CommonIO::Remove(m_tempFolder + QDir::separator() + QString::number(serial), true);
}

void ReplaysManager::Do7zFinish(QString filePath, QString id)
{
    Q_UNUSED(filePath) // the id names the request, and with it the archive
    if (id.startsWith(QLatin1String("replays-")))
        qDebug().noquote() << "ReplaysManager :: Do7zFinish - stopping =" << m_stopping;
    if (id.isEmpty() || id != m_extractId || m_stopping)
        return DropStaleUnpack(id);

    const QStringList files = QDir(m_extractFolder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    qDebug().noquote() << "ReplaysManager :: 7z - Finish START" << files.join(QStringLiteral(", "));
    // Nothing unpacked: kept as a failed read, so it is not handed over again while it stays.
    const DataReplay record =
        files.isEmpty()
            ? ReplayReader::FailedReplay(m_extractArchive)
            : ReplayReader::ReadReplay(m_extractFolder + QDir::separator() + files.first(), m_extractArchive);
    qDebug() << "ReplaysManager :: 7z - Finish STOP";
    FinishUnpack(record);
}

void ReplaysManager::Do7zError(QString filePath, QString id)
{
    if (id.isEmpty() || id != m_extractId || m_stopping)
        return DropStaleUnpack(id);
    qDebug().noquote() << "ReplaysManager :: 7z - Error" << filePath;
    // Remembered as a failed read by size and time, so the archive tool does not get it again at
    // every refresh; a changed file is tried again.
    FinishUnpack(ReplayReader::FailedReplay(m_extractArchive));
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
    m_unpacks.clear();
    m_extractId.clear();
    m_extractArchive.clear();
    m_extractFolder.clear();
    m_extractIndex = -1;
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
