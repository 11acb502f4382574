// What the lobby client offers the player profile: the login mode and player records (the
// profile dialog's test reads a record through the real dialog).
#include "LobbyMetaTypes.h"
#include "MetaTypes.h"
#include "SpringConnectionManager.h"
#include "SpringPlayersManager.h"
#include "TestEnvironment.h"

#include <QSignalSpy>
#include <QtTest>

class TestLobbyServices : public QObject
{
    Q_OBJECT

private slots:
    void SteamLogin()
    {
        TestEnvironment env;
        SpringConnectionManager::Destroy();
        // No connection manager yet: no Steam login, and asking creates nothing.
        QVERIFY(!SpringConnectionManager::IsSteamLogin());
        QVERIFY(!SpringConnectionManager::Exists());
        SpringConnectionManager::Instance()->SetLoginMode(SpringConnectionManager::LoginMode::Steam);
        QVERIFY(SpringConnectionManager::IsSteamLogin());
        SpringConnectionManager::Destroy(); // gone: no Steam login
        QVERIFY(!SpringConnectionManager::IsSteamLogin());
        QVERIFY(env.LogContains("Destroy :: SpringConnectionManager"));
    }

    void QueuedPlayerRecords()
    {
        TestEnvironment env;
        RegisterAppMetaTypes();
        RegisterLobbyMetaTypes();
        auto* players = SpringPlayersManager::Instance();
        QSignalSpy added(players, &SpringPlayersManager::OnPlayerAdded);
        SpringPlayer p;
        p.name = "Queued";
        QVERIFY(
            QMetaObject::invokeMethod(players, "DoAddPlayer", Qt::QueuedConnection, Q_ARG(SpringPlayer, p)));
        QTRY_VERIFY(players->Contains("Queued"));
        players->DoAddPlayer(SpringPlayer()); // nameless: ignored
        QCOMPARE(added.count(), 1);
        QCOMPARE(players->Count(), 1);
        SpringPlayersManager::Destroy();
    }
};

QTEST_GUILESS_MAIN(TestLobbyServices)
#include "tst_lobbyservices.moc"
