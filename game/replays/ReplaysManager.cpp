#include "ReplaysManager.h"

#include "AppDefines.h"
#include "AppSettings.h"
#include "Common.h"
#include "CommonIO.h"
#include "DemoFile.h"
#include "PathManager.h"
#include "ReplaysCache.h"
#include "SevenZManager.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

ReplaysManager::ReplaysManager()
{
    PathManager* paths = PathManager::Instance();
    m_replayFolder = paths->GetReplaysDir();
    m_tempFolder = QDir::toNativeSeparators(paths->GetTempDir() + QStringLiteral("/replay"));
    m_relationFile = QStringLiteral(":/DataRelations/%1").arg(AppDefines::Instance()->GetRelationsFileName());
    m_gamePattern = AppDefines::Instance()->GetGameNamePattern().toLower();
    m_lobbyAdmin = AppSettingsSpringMyPersonal::Instance()->IsAdmin;
    m_cachePath = ReplaysCache::CacheFilePath(paths->GetLobbyDataDir());
    qDebug() << "Initialize :: ReplaysManager";

    StartWorker();
}

void ReplaysManager::ConnectArchiveManager()
{
    // The archive manager is created after us at start-up, so we connect on the first refresh.
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

void ReplaysManager::UpdateReplays()
{
    Instance()->ConnectArchiveManager();
    Instance()->Queue("DoUpdateReplays");
}

void ReplaysManager::Stop()
{
    Instance()->Queue("DoStop");
}

void ReplaysManager::DoInitialize()
{
    QString text;
    QFile file(m_relationFile);
    if (file.open(QIODevice::ReadOnly))
        text = QString::fromUtf8(file.readAll());
    if (text.isEmpty())
    {
        qWarning().noquote() << "ReplaysManager :: DataRelations File is EMPTY" << m_relationFile;
        return;
    }
    m_mapNames = ParseRelations(text);
}

void ReplaysManager::DoDestroy()
{
    m_stopping = true;
    m_extractId.clear();
}

QMap<QString, QString> ReplaysManager::ParseRelations(const QString& text)
{
    QMap<QString, QString> names;
    QString clean = text;
    clean.remove(QLatin1Char('\r'));
    for (const QString& line : clean.split(QLatin1Char('\n')))
    {
        const QStringList columns = line.split(QLatin1Char('\t'));
        const QString key = columns.first();
        QString value = columns.last();
        if (key.isEmpty() || value.isEmpty())
            continue;
        value.replace(QLatin1Char('_'), QLatin1Char(' '));
        value.remove(QStringLiteral(".sdz"));
        value.remove(QStringLiteral(".sd7"));
        names.insert(key, value);
    }
    return names;
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

void ReplaysManager::DoUpdateReplays()
{
    emit OnBusy(true);
    emit OnProgress(0);
    m_stopping = false;
    // An unpack of an earlier refresh may still answer; its id no longer matches.
    ClearRefreshState();

    // The engine writes its demos into its write folder: the custom sync folder when one is set.
    const QString custom = AppSettingsMain::Instance()->CustomSyncFolder;
    m_replayFolder = custom.isEmpty() ? PathManager::Instance()->GetReplaysDir()
                                      : QDir::cleanPath(custom) + QStringLiteral("/demos");
    SearchReplayFiles();

    qDebug().noquote() << "ReplaysManager :: LOADING Cache:" << m_cachePath;
    ReplaysCache::LoadCache(m_cachePath, m_cachedTable);
    qDebug().noquote() << "ReplaysManager :: FOUND Replays Cache" << m_cachedTable.size();

    ValidateCache();
    ScheduleParse();
}

void ReplaysManager::SearchReplayFiles()
{
    qDebug().noquote() << "ReplaysManager :: SEARCHING Replays:" << m_replayFolder;
    QFileInfoList files =
        QDir(m_replayFolder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    if (files.size() > MaxFiles)
    {
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

void ReplaysManager::ScheduleParse()
{
    if (m_parseQueued)
        return;
    m_parseQueued = true;
    Queue("DoParseFiles");
}

void ReplaysManager::DoParseFiles()
{
    m_parseQueued = false;
    // Stopped, or an unpack is in flight and its answer carries the loop on.
    if (m_stopping || !m_extractId.isEmpty())
        return;
    EmitProgress();

    while (!m_pendingNames.isEmpty())
    {
        const QString name = m_pendingNames.takeFirst();
        const QString path = m_replayFolder + QDir::separator() + name;
        if (m_cachedTable.contains(path))
            continue;
        const QFileInfo info(path);
        if (!info.exists() || info.size() <= 0)
            continue;

        if (name.endsWith(QLatin1String("sdfz")))
        {
            if (IsGzipFile(path))
            {
                ParseDemo(path, path);
                ScheduleParse();
                return;
            }
            // Not gzip: a 7z archive, which the archive tool unpacks into a folder of its own.
            ++m_extractSerial;
            m_extractArchive = path;
            m_extractFolder = m_tempFolder + QDir::separator() + QString::number(m_extractSerial);
            m_extractId = QStringLiteral("replays-%1").arg(m_extractSerial);
            CommonIO::Remove(m_extractFolder, true);
            CommonIO::MakeDir(m_extractFolder);
            SevenZManager::Extract(path, m_extractFolder, m_extractId, m_extractSerial);
            return;
        }
        if (name.endsWith(QLatin1String("sdf")))
        {
            ParseDemo(path, path);
            ScheduleParse();
            return;
        }
    }

    EmitProgress();
    qDebug() << "ReplaysManager :: FINISH";
    ReplaysCache::SaveCache(m_cachePath, m_replayTable);
    emit OnProgress(100);
    emit OnBusy(false);
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
    if (id.isEmpty() || id != m_extractId)
        return DropStaleUnpack(id);
    const QString folder = m_extractFolder;
    const QString archive = m_extractArchive;
    m_extractId.clear();
    m_extractArchive.clear();
    m_extractFolder.clear();
    if (m_stopping)
        return;

    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    qDebug().noquote() << "ReplaysManager :: 7z - Finish START" << files.join(QStringLiteral(", "));
    const QString unpacked = files.isEmpty() ? QString() : folder + QDir::separator() + files.first();
    if (!unpacked.isEmpty() && QFileInfo::exists(unpacked))
    {
        ParseDemo(unpacked, archive);
        EmitProgress();
    }
    CommonIO::Remove(folder, true);
    qDebug() << "ReplaysManager :: 7z - Finish STOP";
    ScheduleParse();
}

void ReplaysManager::Do7zError(QString filePath, QString id)
{
    if (id.isEmpty() || id != m_extractId)
        return DropStaleUnpack(id);
    qDebug().noquote() << "ReplaysManager :: 7z - Error" << filePath;
    CommonIO::Remove(m_extractFolder, true);
    m_extractId.clear();
    m_extractArchive.clear();
    m_extractFolder.clear();
    if (!m_stopping)
        ScheduleParse();
}

void ReplaysManager::DoStop()
{
    qDebug() << "ReplaysManager :: DoStop";
    m_stopping = true;
    ClearRefreshState();
}

void ReplaysManager::ClearRefreshState()
{
    m_cachedTable.clear();
    m_waitingPaths.clear();
    m_replayTable.clear();
    m_extractId.clear();
    m_extractArchive.clear();
    m_extractFolder.clear();
    ResetTempFolder();
}

void ReplaysManager::ParseDemo(const QString& readPath, const QString& listedPath)
{
    DataReplay replay;
    replay.filePath = listedPath;
    const int at = listedPath.lastIndexOf(QDir::separator());
    replay.fileName = at < 0 ? listedPath : listedPath.mid(at + 1);
    ReadDemoFile(readPath, replay);
    // Size and time of the listed file (for a 7z demo the archive), so a change is noticed.
    const FileStamp stamp = m_listing.value(listedPath);
    replay.fileSize = stamp.size;
    replay.fileModified = stamp.modified;
    AddReplay(replay);
}

void ReplaysManager::AddReplay(DataReplay replay)
{
    QString lowerGame = replay.gameName.toLower();
    lowerGame.remove(QLatin1Char(':'));
    replay.mapDisplayName = m_mapNames.value(replay.mapName, replay.mapName);

    QString version = lowerGame;
    version.remove(QStringLiteral(".sdz"));
    if (!m_gamePattern.isEmpty())
        version.remove(m_gamePattern);
    version.remove(QLatin1Char(' '));
    version.remove(QLatin1Char('_'));
    replay.gameVersionText = version;

    replay.hasAi = std::any_of(replay.players.cbegin(), replay.players.cend(),
                               [](const DataPlayer& player) { return player.isAi; });
    BuildDescription(replay);
    replay.dateText = Common::FormatDate(replay.startTime);
    replay.durationText = Common::FormatClock(replay.duration);
    replay.sizeText = Common::FormatSize(replay.fileSize);

    replay.searchText.clear();
    for (int i = 0; i < replay.players.size(); ++i)
    {
        DataPlayer& player = replay.players[i];
        player.id = QString::number(i);
        player.winner = replay.winningAllyTeams.contains(player.allyTeam);
        replay.searchText += player.name + QLatin1Char(' ');
    }
    for (int j = 0; j < replay.spectators.size(); ++j)
    {
        DataPlayer& spectator = replay.spectators[j];
        spectator.id = QString::number(1000 + j);
        replay.searchText += spectator.name + QLatin1Char(' ');
    }

    replay.index = m_replayTable.size();
    m_replayTable.insert(replay.filePath, replay);

    if (!lowerGame.contains(m_gamePattern))
        qDebug().noquote() << "ReplaysManager :: IGNORE" << lowerGame << replay.filePath;
    else if (!m_lobbyAdmin && lowerGame.contains(QLatin1String("beta-")))
        qDebug().noquote() << "ReplaysManager :: NOT DEVELOPER - IGNORE" << lowerGame << replay.filePath;
    else
        m_waitingPaths << replay.filePath;
}

void ReplaysManager::BuildDescription(DataReplay& replay)
{
    QMap<int, QStringList> groups;
    for (const DataPlayer& player : qAsConst(replay.players))
        groups[player.allyTeam] << (player.isAi ? QStringLiteral("Ai") : player.name);

    QString text;
    int count = 0;
    for (auto it = groups.cbegin(); it != groups.cend(); ++it)
    {
        if (it.key() < 0)
            continue;
        ++count;
        if (!text.isEmpty())
            text += QStringLiteral(" | ");
        const QStringList& group = it.value();
        if (!group.contains(QStringLiteral("Ai")))
            text += QString::number(group.size());
        else if (group.size() == 1)
            text += QStringLiteral("Ai");
        else
            text += QStringLiteral("%1 + %2").arg(QStringLiteral("Ai")).arg(group.size() - 1);
    }
    if (count == 2 && replay.players.size() == 2 && !text.contains(QLatin1String("Ai")))
        text = tr("DUEL");
    else if (count > 2)
        text = QStringLiteral("FFA");
    replay.teamsText = text;
    replay.teamCount = count;
}

int ReplaysManager::BatchSize() const
{
    // Batches of at least two; a big folder goes out in about forty batches, not thousands.
    return qMax(2, m_total / 40);
}

void ReplaysManager::EmitProgress()
{
    if (m_waitingPaths.isEmpty())
        return;
    if (!m_pendingNames.isEmpty() && m_waitingPaths.size() < BatchSize())
        return;

    int percent = 0;
    if (m_total > 0)
        percent = (m_total - m_pendingNames.size()) * 100 / m_total;
    if (percent > 0)
        qDebug().noquote() << "ReplaysManager :: EMIT" << percent << "%";

    ReplaysList list;
    list.reserve(m_waitingPaths.size());
    for (const QString& path : qAsConst(m_waitingPaths))
        list << m_replayTable.value(path);
    m_waitingPaths.clear();
    emit OnReplaysUpdate(list);
    emit OnProgress(percent);
}
