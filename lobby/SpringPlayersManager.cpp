#include "SpringPlayersManager.h"

#include <QDebug>

SpringPlayersManager::SpringPlayersManager()
{
    qDebug() << "Initialize :: SpringPlayersManager";
}

SpringPlayersManager::~SpringPlayersManager()
{
    qDebug() << "Destroy :: SpringPlayersManager";
}

SpringPlayer SpringPlayersManager::GetPlayer(const QString& name) const
{
    return m_players.value(name);
}

void SpringPlayersManager::DoAddPlayer(SpringPlayer player)
{
    if (player.name.isEmpty())
        return;
    m_players.insert(player.name, player);
    emit OnPlayerAdded(player);
}

void SpringPlayersManager::DoRemovePlayer(QString name)
{
    if (m_players.remove(name) > 0)
        emit OnPlayerRemoved(name);
}

void SpringPlayersManager::DoClear()
{
    const QStringList names = m_players.keys();
    m_players.clear();
    for (const QString& name : names)
        emit OnPlayerRemoved(name);
}
