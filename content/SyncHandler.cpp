#include "SyncHandler.h"

#include "SyncManager.h"

#include <QDebug>

SyncHandler::SyncHandler()
{
    qDebug() << "Initialize :: SyncHandler";
    StartWorker();
}

SyncHandler::~SyncHandler()
{
    StopWorker();
    qDebug() << "Destroy :: SyncHandler";
}

void SyncHandler::Initialize()
{
    Instance();
}

void SyncHandler::CheckSyncState(const DataSync& sync)
{
    Instance()->Queue("DoCheckSyncState", Q_ARG(DataSync, sync));
}

void SyncHandler::Destroy()
{
    if (!Exists())
        return;
    Instance()->InvokeBlocking("DoDestroy");
    Singleton<SyncHandler>::Destroy();
}

void SyncHandler::DoInitialize() {}

void SyncHandler::DoDestroy()
{
    std::lock_guard<std::mutex> locker(m_mutex);
    m_hasRequest = false;
}

DataSyncState SyncHandler::GetSyncState() const
{
    std::lock_guard<std::mutex> locker(m_mutex);
    return m_state;
}

DataSyncState SyncHandler::ComputeState(const DataSync& sync)
{
    SyncManager* content = SyncManager::Instance();
    DataSyncState state;
    state.mapName = sync.mapName;
    state.gameName = sync.game;
    state.engineVersion = sync.engine;
    state.hasMap = !sync.mapName.isEmpty() && content->ContainsMap(sync.mapName);
    state.hasMapCache = state.hasMap;
    state.hasGame = !sync.game.isEmpty() && content->ContainsGame(sync.game);
    state.hasEngine = !sync.engine.isEmpty() && content->ContainsEngine(sync.engine);

    // Downloads of missing content are the download manager's to add; none is invented here, so a
    // missing item reads "not synced" rather than a status of a download that does not exist.
    state.isSynced = state.hasMap && state.hasGame && state.hasEngine;
    state.isChecked = true;
    state.downloadsIdle = state.NoDownloadRunning();
    return state;
}

void SyncHandler::DoCheckSyncState(DataSync sync)
{
    const DataSyncState state = ComputeState(sync);
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        m_sync = sync;
        m_state = state;
        m_hasRequest = true;
    }
    qDebug().noquote() << "SyncHandler :: SYNC STATE ---" << sync.mapName << "|" << sync.game << "|"
                       << sync.engine << "---" << (state.isSynced ? "synced" : "not synced");
    emit OnSyncState(state);
}

void SyncHandler::DoRetrySync()
{
    DataSync sync;
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        if (!m_hasRequest)
            return;
        sync = m_sync;
    }
    DoCheckSyncState(sync);
}
