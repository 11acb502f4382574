#include "MissionsHandler.h"

#include "AppDefines.h"
#include "CommonIO.h"
#include "DownloadHandler.h"
#include "MissionParser.h"
#include "PathManager.h"
#include "SevenZManager.h"
#include "SkirmishMissionHandler.h"
#include "SyncHandler.h"
#include "ThreadHandOff.h"
#include "WebBaseGetData.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QVersionNumber>

#include <atomic>

namespace
{
// The briefing a load answer is for: LoadMissionData numbers each join of the mission battle,
// LeaveMission sets 0. Written on the GUI thread, read by the workers when a load begins.
std::atomic<quint64> g_wantedLoad{0};
quint64 g_lastLoad = 0;

// A mission's description, read as every outside file is: a regular file only (a FIFO in its
// place never holds the worker), within the size limit. False when there is none, or it was
// refused (logged): the mission counts as not installed.
bool ReadInfo(const QString& folder, QByteArray* data)
{
    const QString path = folder + QStringLiteral("/info.ini");
    QString reason;
    const CommonIO::ReadStatus status =
        CommonIO::ReadFile(path, MissionsHandler::MaxInfoFileBytes, data, &reason);
    if (status != CommonIO::ReadStatus::Ok && status != CommonIO::ReadStatus::Missing)
        qWarning().noquote() << "MissionsHandler :: info.ini REFUSED ---" << path << "---" << reason
                             << "--- the mission counts as not installed";
    return status == CommonIO::ReadStatus::Ok;
}

// A mission's picture, read the same way; a null image when there is none or it was refused.
QImage ReadPicture(const QString& path)
{
    QByteArray data;
    QString reason;
    const CommonIO::ReadStatus status =
        CommonIO::ReadFile(path, MissionsHandler::MaxPictureFileBytes, &data, &reason);
    if (status != CommonIO::ReadStatus::Ok && status != CommonIO::ReadStatus::Missing)
        qWarning().noquote() << "MissionsHandler :: picture REFUSED ---" << path << "---" << reason;
    return status == CommonIO::ReadStatus::Ok ? QImage::fromData(data) : QImage();
}
} // namespace

MissionsHandler::MissionsHandler(const QString& missionsFolder, const QString& remoteFolder,
                                 const QString& kind)
    : m_remoteFolder(remoteFolder), m_extrasAddress(AppDefines::Instance()->GetWebExtrasAddress()),
      m_tempFolder(PathManager::Instance()->GetTempDir()), m_missionsFolder(missionsFolder), m_kind(kind)
{
    // DoInitialize comes from the owner's Initialize, not from here.
    StartWorkerWithoutInitialize();
}

MissionsHandler::~MissionsHandler()
{
    StopWorker();
}

void MissionsHandler::AppendMission(const QString& id, const QString& version, const QString& title)
{
    std::lock_guard<std::mutex> locker(m_mutex);
    m_missions.insert(id, DataMission(id, version, title));
}

QString MissionsHandler::MissionFolder(const QString& id) const
{
    return m_missionsFolder + QDir::separator() + id;
}

QString MissionsHandler::ArchiveUrl(const QString& id) const
{
    QString base = m_extrasAddress;
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return QStringLiteral("%1/%2/%3.7z").arg(base, m_remoteFolder, id);
}

QString MissionsHandler::ArchivePath(const QString& id) const
{
    return m_tempFolder + QStringLiteral("/mission_%1_%2").arg(m_kind, id);
}

QString MissionsHandler::UnpackFolder(const QString& id) const
{
    return ArchivePath(id) + QStringLiteral(".unpack");
}

bool MissionsHandler::IsNewerVersion(const QString& builtIn, const QString& installed)
{
    // Text that is no version number counts as 0.
    const QVersionNumber a = QVersionNumber::fromString(builtIn.trimmed()).normalized();
    const QVersionNumber b = QVersionNumber::fromString(installed.trimmed()).normalized();
    return QVersionNumber::compare(a, b) > 0;
}

QList<DataMission> MissionsHandler::GetMissions() const
{
    std::lock_guard<std::mutex> locker(m_mutex);
    return m_missions.values();
}

bool MissionsHandler::GetMissionFlag(const QString& id) const
{
    std::lock_guard<std::mutex> locker(m_mutex);
    const auto it = m_missions.constFind(id);
    return it == m_missions.constEnd() || it->update;
}

bool MissionsHandler::IsDownloading() const
{
    std::lock_guard<std::mutex> locker(m_mutex);
    for (WebBaseGetData* client : m_downloaders)
    {
        if (client->IsBusy())
            return true;
    }
    return false;
}

QString MissionsHandler::MissionTitle() const
{
    std::lock_guard<std::mutex> locker(m_mutex);
    return m_missionTitle;
}

void MissionsHandler::UpdateMission(const QString& id)
{
    Queue("DoUpdateMission", Q_ARG(QString, id));
}

void MissionsHandler::LoadMissionData(const QString& id)
{
    SkirmishMissionHandler* battle = SkirmishMissionHandler::Instance();
    SyncHandler::Initialize();
    battle->JoinBattle();
    const quint64 load = ++g_lastLoad;
    g_wantedLoad = load;
    QueueCall([this, id, load] { LoadMission(id, load); });
}

void MissionsHandler::StartMission()
{
    SkirmishMissionHandler::Instance()->StartBattle();
}

void MissionsHandler::LeaveMission()
{
    g_wantedLoad = 0;
    SkirmishMissionHandler::Instance()->LeaveBattle();
    SyncHandler::Destroy();
    SkirmishMissionHandler::Destroy();
}

DownloadHandler* MissionsHandler::DownloadHandlerInstance()
{
    SyncHandler::Instance();
    return DownloadHandler::Instance();
}

void MissionsHandler::DoInitialize()
{
    if (m_initialized)
    {
        qDebug() << "MissionsHandler :: Initialize TWICE!";
        return;
    }
    ScanMissions();
    InitMissionList();
    SevenZManager* archives = SevenZManager::Instance();
    connect(archives, SIGNAL(OnFinish(QString, QString)), this, SLOT(Do7zFinish(QString, QString)),
            Qt::QueuedConnection);
    connect(archives, SIGNAL(OnError(QString, QString)), this, SLOT(Do7zError(QString, QString)),
            Qt::QueuedConnection);
    m_initialized = true;
}

void MissionsHandler::DoDestroy()
{
    if (SevenZManager::Exists())
    {
        SevenZManager* archives = SevenZManager::Instance();
        disconnect(archives, SIGNAL(OnFinish(QString, QString)), this, SLOT(Do7zFinish(QString, QString)));
        disconnect(archives, SIGNAL(OnError(QString, QString)), this, SLOT(Do7zError(QString, QString)));
    }
    QMap<QString, WebBaseGetData*> clients;
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        clients.swap(m_downloaders);
    }
    qDeleteAll(clients);
}

void MissionsHandler::ScanMissions()
{
    if (!QDir(m_missionsFolder).exists())
        return;
    QStringList ids;
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        ids = m_missions.keys();
    }
    for (const QString& id : qAsConst(ids))
    {
        const InstalledMission installed = ReadMissionInfo(id);
        DataMission record;
        {
            std::lock_guard<std::mutex> locker(m_mutex);
            SetMissionInfo(id, installed);
            record = m_missions.value(id);
        }
        emit OnUpdateMission(record);
    }
}

MissionsHandler::InstalledMission MissionsHandler::ReadMissionInfo(const QString& id) const
{
    InstalledMission installed;
    const QString dir = MissionFolder(id);
    QByteArray data;
    DataMission file;
    if (!ReadInfo(dir, &data) || !MissionParser::parseHeader(data, file))
        return installed;
    installed.read = true;
    installed.version = file.version;
    installed.author = file.author;
    installed.introSmall = ReadPicture(dir + QStringLiteral("/images/intro_small.jpg"));
    return installed;
}

void MissionsHandler::SetMissionInfo(const QString& id, const InstalledMission& installed)
{
    auto it = m_missions.find(id);
    if (it == m_missions.end())
        return;
    it->folderPath = MissionFolder(id);
    if (!installed.read)
        return;
    it->update = IsNewerVersion(it->version, installed.version);
    it->author = installed.author;
    it->introSmall = installed.introSmall;
}

void MissionsHandler::InitMissionList()
{
    std::lock_guard<std::mutex> locker(m_mutex);
    for (const QString& id : m_missions.keys())
    {
        auto* client = new WebBaseGetData();
        m_downloaders.insert(id, client);
        connect(client, SIGNAL(OnData(QString, QString)), this, SLOT(DoDownloadFinish(QString, QString)),
                Qt::QueuedConnection);
        connect(client, SIGNAL(OnError(QString)), this, SLOT(DoDownloadError(QString)), Qt::QueuedConnection);
        connect(client, SIGNAL(OnProgress(QString, DataWebItem)), this,
                SLOT(DoDownloadProgress(QString, DataWebItem)), Qt::QueuedConnection);
    }
}

void MissionsHandler::DoUpdateMission(QString id)
{
    WebBaseGetData* client = nullptr;
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        client = m_downloaders.value(id);
    }
    if (!client)
        return;
    // A second download into the same file would pull it from under the first one's unpacking.
    if (m_updating.contains(id))
    {
        qDebug().noquote() << "MissionsHandler :: UPDATE --- already under way:" << m_kind << id;
        return;
    }
    m_updating.insert(id);
    qDebug().noquote() << "MissionsHandler :: UPDATE ---" << m_kind << id;
    WebBaseGetData::GetData(client, id, ArchiveUrl(id), ArchivePath(id));
}

void MissionsHandler::DoDownloadFinish(QString idName, QString filePath)
{
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        if (!m_missions.contains(idName))
            return;
    }
    m_updating.insert(idName);
    emit OnDownloadFinish(idName);
    // Unpack beside, not over, the installed mission: it stays until the new one is complete.
    const QString unpack = UnpackFolder(idName);
    CommonIO::Remove(unpack, true);
    m_extracting.insert(filePath, idName);
    SevenZManager::Extract(filePath, unpack, idName, -1);
}

void MissionsHandler::DoDownloadError(QString idName)
{
    m_updating.remove(idName);
    emit OnDownloadError(idName);
}

void MissionsHandler::DoDownloadProgress(QString idName, DataWebItem info)
{
    emit OnDownloadProgress(idName, info);
}

bool MissionsHandler::InstallUnpacked(const QString& id)
{
    const QString unpacked = UnpackFolder(id) + QLatin1Char('/') + id;
    if (!QFile::exists(unpacked + QStringLiteral("/info.ini")))
    {
        qWarning().noquote() << "MissionsHandler :: INSTALL ERROR --- the archive holds no"
                             << id + "/info.ini";
        return false;
    }
    QDir().mkpath(m_missionsFolder);
    const QString target = MissionFolder(id);
    const QString old = target + QStringLiteral(".old");
    CommonIO::Remove(old, true);
    const bool hadOld = QFileInfo::exists(target);
    if (hadOld && !QDir().rename(target, old))
    {
        qWarning().noquote() << "MissionsHandler :: INSTALL ERROR --- can't move aside" << target;
        return false;
    }
    if (!QDir().rename(unpacked, target))
    {
        qWarning().noquote() << "MissionsHandler :: INSTALL ERROR --- can't move into place" << target;
        if (hadOld)
            QDir().rename(old, target);
        return false;
    }
    if (hadOld)
        CommonIO::Remove(old, true);
    return true;
}

void MissionsHandler::Do7zFinish(QString filePath, QString id)
{
    // The archive tool reports every extraction to everyone; only ours count here.
    if (m_extracting.value(filePath) != id || !m_extracting.remove(filePath))
        return;
    m_updating.remove(id);
    QFile::remove(filePath);
    const bool installed = InstallUnpacked(id);
    CommonIO::Remove(UnpackFolder(id), true);

    const InstalledMission info = installed ? ReadMissionInfo(id) : InstalledMission();
    DataMission record;
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        if (installed)
            SetMissionInfo(id, info);
        record = m_missions.value(id);
    }
    if (installed)
    {
        qDebug().noquote() << "MissionsHandler :: INSTALLED ---" << m_kind << id;
        emit OnUpdateMission(record);
    }
    else
        emit OnDownloadError(id);
    emit OnFinish(id);
}

void MissionsHandler::Do7zError(QString filePath, QString id)
{
    if (m_extracting.value(filePath) != id || !m_extracting.remove(filePath))
        return;
    qWarning().noquote() << "MissionsHandler :: EXTRACT ERROR ---" << m_kind << id
                         << "- the installed mission is kept";
    m_updating.remove(id);
    QFile::remove(filePath);
    CommonIO::Remove(UnpackFolder(id), true);
    emit OnDownloadError(id);
    emit OnFinish(id);
}

void MissionsHandler::DoLoadMissionData(QString missionPath)
{
    // For the briefing open now, if any.
    LoadMission(missionPath, g_wantedLoad);
}

void MissionsHandler::LoadMission(const QString& id, quint64 load)
{
    DataMission mission;
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        if (!m_missions.contains(id))
            return;
        mission = m_missions.value(id);
        const int position = m_missions.keys().indexOf(id) + 1;
        m_missionTitle = QStringLiteral("%1 %2 - %3").arg(tr("Mission")).arg(position).arg(mission.title);
    }

    const QString dir = MissionFolder(id);
    if (!QDir(dir).exists())
        return;
    QByteArray data;
    DataMission file;
    // The header too, so the loaded mission keeps its author and version.
    if (!ReadInfo(dir, &data) || !MissionParser::parseHeader(data, file) ||
        !MissionParser::parseFull(data, file))
        return;

    mission.author = file.author;
    mission.version = file.version;
    mission.description = file.description;
    mission.engineVersion = file.engineVersion;
    mission.game = file.game;
    mission.mapName = file.mapName;
    mission.player = file.player;
    mission.bots = file.bots;

    mission.introLarge = ReadPicture(dir + QStringLiteral("/images/intro_large.jpg"));
    mission.themeMusicPath = dir + QStringLiteral("/theme.mp3");
    const QDir screens(dir + QStringLiteral("/images/screens"));
    for (const QString& name : screens.entryList(QDir::Files, QDir::Name))
        mission.screenshots << ReadPicture(screens.path() + QDir::separator() + name);

    // The sync check and the mission battle belong to the GUI thread, and to the briefing that
    // asked: an answer that arrives after it was left is dropped, never creating either again.
    const QPointer<MissionsHandler> self(this);
    ThreadHandOff::Post(QCoreApplication::instance(),
                        [self, mission, load] { DeliverMission(self, mission, load); });
}

void MissionsHandler::DeliverMission(const QPointer<MissionsHandler>& handler, const DataMission& mission,
                                     quint64 load)
{
    if (load == 0 || load != g_wantedLoad || !handler || !SkirmishMissionHandler::Exists() ||
        !SyncHandler::Exists())
    {
        qDebug().noquote() << "MissionsHandler :: LoadMissionData --- answer dropped, the mission was left:"
                           << mission.id;
        return;
    }
    DataSync sync;
    sync.mapName = mission.mapName;
    sync.game = mission.game;
    sync.engine = mission.engineVersion;
    SyncHandler::CheckSyncState(sync);
    // The battle first, so the pages find it set when they hear of the mission.
    SkirmishMissionHandler::Instance()->SetMissionData(mission);
    emit handler->OnLoadMissionData(mission);
}
