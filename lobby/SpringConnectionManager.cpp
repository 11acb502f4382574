#include "SpringConnectionManager.h"

#include <QDebug>

SpringConnectionManager::SpringConnectionManager()
{
    qDebug() << "Initialize :: SpringConnectionManager";
}

SpringConnectionManager::~SpringConnectionManager()
{
    qDebug() << "Destroy :: SpringConnectionManager";
}

bool SpringConnectionManager::IsSteamLogin()
{
    return Exists() && Instance()->m_mode == LoginMode::Steam;
}
