#pragma once

#include "DataMisc.h"
#include "DataMission.h"
#include "WorkerThread.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QSet>
#include <QString>
#include <mutex>

class WebBaseGetData;
class DownloadHandler;

// The missions of one kind (campaign or tutorial): which exist, which are installed and current,
// their download and installation, and the full read of one mission for its battle.
// Lives on its own thread; the pages reach it through queued calls and the getters.
class MissionsHandler : public WorkerThread
{
    Q_OBJECT

public:
    ~MissionsHandler() override;

    QList<DataMission> GetMissions() const;
    // True for an id that is not in the list.
    bool GetMissionFlag(const QString& id) const;
    bool IsDownloading() const;
    QString MissionTitle() const;

    void UpdateMission(const QString& id);
    // Joins the mission battle and reads the mission for it (GUI thread). The answer (sync check,
    // the battle's set-up, OnLoadMissionData) is given on the GUI thread, and only while that
    // briefing is open: after LeaveMission or a newer load it is dropped.
    void LoadMissionData(const QString& id);
    static void StartMission();
    static void LeaveMission();
    static DownloadHandler* DownloadHandlerInstance();

    // True when `builtIn` is a newer version than `installed` ("1.10" > "1.9"; no number is 0).
    static bool IsNewerVersion(const QString& builtIn, const QString& installed);

    // A mission's description holds a few KB; one larger than this is refused (not installed).
    static constexpr qint64 MaxInfoFileBytes = 4 * 1024 * 1024;
    // The pictures of a mission are some hundred KB each; a larger file is not shown.
    static constexpr qint64 MaxPictureFileBytes = 32 * 1024 * 1024;

    QString MissionsFolder() const { return m_missionsFolder; }
    QString MissionFolder(const QString& id) const;
    QString ArchiveUrl(const QString& id) const;
    QString ArchivePath(const QString& id) const;

signals:
    void OnLoadMissionData(DataMission mission);
    void OnUpdateMission(DataMission mission);
    void OnDownloadFinish(QString id);
    void OnDownloadError(QString id);
    void OnDownloadProgress(QString id, DataWebItem info);
    void OnFinish(QString id);

public slots:
    void DoInitialize();
    void DoDestroy();
    void DoUpdateMission(QString id);
    void DoLoadMissionData(QString missionPath);
    void DoDownloadFinish(QString idName, QString filePath);
    void DoDownloadError(QString idName);
    void DoDownloadProgress(QString idName, DataWebItem info);
    void Do7zFinish(QString filePath, QString id);
    void Do7zError(QString filePath, QString id);

protected:
    // `kind` names this list in temporary file names, so two lists never share one.
    MissionsHandler(const QString& missionsFolder, const QString& remoteFolder, const QString& kind);
    void AppendMission(const QString& id, const QString& version, const QString& title);

private:
    // What the list shows of an installed mission, as its files tell.
    struct InstalledMission
    {
        bool read = false; // the description was there and held something
        QString version;
        QString author;
        QImage introSmall;
    };

    void ScanMissions();
    void InitMissionList();
    // Reads the installed mission's files, without the mutex: the getters never wait on a disk.
    InstalledMission ReadMissionInfo(const QString& id) const;
    // Call with the mutex held.
    void SetMissionInfo(const QString& id, const InstalledMission& installed);
    // Reads the mission for the briefing numbered `load` (worker thread).
    void LoadMission(const QString& id, quint64 load);
    // Hands a read mission to its briefing (GUI thread).
    static void DeliverMission(const QPointer<MissionsHandler>& handler, const DataMission& mission,
                               quint64 load);
    QString UnpackFolder(const QString& id) const;
    bool InstallUnpacked(const QString& id);

    QString m_remoteFolder;
    QString m_extrasAddress;
    QMap<QString, DataMission> m_missions;
    bool m_initialized = false;
    mutable std::mutex m_mutex; // guards the missions, the title and the download clients
    QString m_missionTitle;
    QString m_tempFolder;
    QString m_missionsFolder;
    QString m_kind;
    QMap<QString, WebBaseGetData*> m_downloaders;
    // Archive path -> mission id of the extractions this list asked for.
    QHash<QString, QString> m_extracting;
    // Missions between their download request and its last answer (worker thread only).
    QSet<QString> m_updating;
};
