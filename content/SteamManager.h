#pragma once

#include "Singleton.h"
#include "WorkerThread.h"

#include <atomic>

// The connection to the Steam client. Without the Steam client library (every platform but the
// Windows build with it) it never comes up and does nothing.
class SteamManager : public WorkerThread, public Singleton<SteamManager>
{
    Q_OBJECT
    friend class Singleton<SteamManager>;

public:
    bool IsInitialized() const { return m_initialized; }
    // Queues a request to open the Steam overlay.
    static void ActivateOverlay();

signals:
    void OnOverlayDeactivated();

public slots:
    void DoInitialize();
    void DoActivateOverlay();
    void DoDestroy();

private:
    SteamManager();
    ~SteamManager() override;

    std::atomic<bool> m_initialized{false};
};
