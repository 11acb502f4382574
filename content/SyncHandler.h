#pragma once

#include "DataSync.h"
#include "Singleton.h"
#include "WorkerThread.h"

#include <mutex>

// Tells whether a battle's map, game and engine are installed, on a thread of its own.
class SyncHandler : public WorkerThread, public Singleton<SyncHandler>
{
    Q_OBJECT
    friend class Singleton<SyncHandler>;

public:
    // Creates the worker (which initialises itself).
    static void Initialize();
    static void CheckSyncState(const DataSync& sync);
    // Finishes the worker's work, then deletes it.
    static void Destroy();

    // The state of the last check.
    DataSyncState GetSyncState() const;
    // What the content index says of `sync` now.
    static DataSyncState ComputeState(const DataSync& sync);

signals:
    void OnSyncState(DataSyncState syncState);

public slots:
    void DoInitialize();
    void DoDestroy();
    void DoCheckSyncState(DataSync sync);
    void DoRetrySync();

private:
    SyncHandler();
    ~SyncHandler() override;

    mutable std::mutex m_mutex; // guards the last request and state
    DataSync m_sync;
    DataSyncState m_state;
    bool m_hasRequest = false;
};
