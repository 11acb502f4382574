#pragma once

#include "Singleton.h"
#include "SpringPlayer.h"

#include <QHash>
#include <QObject>

// The lobby's online users, by name.
class SpringPlayersManager : public QObject, public Singleton<SpringPlayersManager>
{
    Q_OBJECT
    friend class Singleton<SpringPlayersManager>;

public:
    // A copy of the record; a default record when the player is not online.
    SpringPlayer GetPlayer(const QString& name) const;
    bool Contains(const QString& name) const { return m_players.contains(name); }
    int Count() const { return m_players.size(); }

public slots:
    void DoAddPlayer(SpringPlayer player);
    void DoRemovePlayer(QString name);
    void DoClear();

signals:
    void OnPlayerAdded(SpringPlayer player);
    void OnPlayerRemoved(QString name);

private:
    SpringPlayersManager();
    ~SpringPlayersManager() override;

    QHash<QString, SpringPlayer> m_players;
};
