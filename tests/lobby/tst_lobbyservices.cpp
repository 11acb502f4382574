// What the lobby client offers the player profile: the login mode and player records.
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

    void GetPlayer()
    {
        TestEnvironment env;
        auto* players = SpringPlayersManager::Instance();
        QSignalSpy added(players, &SpringPlayersManager::OnPlayerAdded);
        QSignalSpy removed(players, &SpringPlayersManager::OnPlayerRemoved);

        SpringPlayer alice;
        alice.name = "Alice";
        alice.country = "DE";
        alice.rank = "3";
        alice.userStatus = 0x1 | 0x40;
        players->DoAddPlayer(alice);
        SpringPlayer bob;
        bob.name = "Bob";
        players->DoAddPlayer(bob);
        players->DoAddPlayer(SpringPlayer()); // nameless: ignored
        QCOMPARE(players->Count(), 2);
        QCOMPARE(added.count(), 2);

        SpringPlayer copy = players->GetPlayer("Alice");
        QCOMPARE(copy.country, "DE");
        QVERIFY(copy.IsInGame() && copy.IsBot() && !copy.IsAway());

        // Absent players give a default record; names are case-sensitive.
        const SpringPlayer none = players->GetPlayer("alice");
        QVERIFY(none.name.isEmpty());
        QCOMPARE(none.country, "XX");
        QCOMPARE(none.userStatus, 0u);

        // Re-adding replaces the record.
        alice.country = "CZ";
        players->DoAddPlayer(alice);
        QCOMPARE(players->Count(), 2);
        QCOMPARE(players->GetPlayer("Alice").country, "CZ");

        players->DoRemovePlayer("Bob");
        players->DoRemovePlayer("Nobody");
        QCOMPARE(removed.count(), 1);
        QVERIFY(!players->Contains("Bob"));
        players->DoClear();
        QCOMPARE(players->Count(), 0);
        QCOMPARE(removed.count(), 2);
        SpringPlayersManager::Destroy();
    }

    void QueuedPlayerRecords()
    {
        TestEnvironment env;
        RegisterAppMetaTypes();
        RegisterLobbyMetaTypes();
        auto* players = SpringPlayersManager::Instance();
        SpringPlayer p;
        p.name = "Queued";
        QVERIFY(
            QMetaObject::invokeMethod(players, "DoAddPlayer", Qt::QueuedConnection, Q_ARG(SpringPlayer, p)));
        QTRY_VERIFY(players->Contains("Queued"));
        SpringPlayersManager::Destroy();
    }
};

QTEST_GUILESS_MAIN(TestLobbyServices)
#include "tst_lobbyservices.moc"
