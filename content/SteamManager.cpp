#include "SteamManager.h"

#include <QDebug>

SteamManager::SteamManager()
{
    qDebug() << "Initialize :: SteamManager";
    StartWorker();
}

SteamManager::~SteamManager()
{
    InvokeBlocking("DoDestroy");
    StopWorker();
    qDebug() << "Destroy :: SteamManager";
}

void SteamManager::DoInitialize()
{
    // No Steam client library is linked into this build.
    m_initialized = false;
}

void SteamManager::ActivateOverlay()
{
    Instance()->Queue("DoActivateOverlay");
}

void SteamManager::DoActivateOverlay()
{
    if (!m_initialized)
        return;
}

void SteamManager::DoDestroy()
{
    m_initialized = false;
}
