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
        alice.name = QStringLiteral("Alice");
        alice.country = QStringLiteral("DE");
        alice.rank = QStringLiteral("3");
        alice.userStatus = 0x1 | 0x40;
        players->DoAddPlayer(alice);
        SpringPlayer bob;
        bob.name = QStringLiteral("Bob");
        players->DoAddPlayer(bob);
        players->DoAddPlayer(SpringPlayer()); // nameless: ignored
        QCOMPARE(players->Count(), 2);
        QCOMPARE(added.count(), 2);

        SpringPlayer copy = players->GetPlayer(QStringLiteral("Alice"));
        QCOMPARE(copy.country, QStringLiteral("DE"));
        QVERIFY(copy.IsInGame() && copy.IsBot() && !copy.IsAway());
        // A copy: changing it leaves the lobby's record alone.
        copy.country = QStringLiteral("FR");
        QCOMPARE(players->GetPlayer(QStringLiteral("Alice")).country, QStringLiteral("DE"));

        // Absent players give a default record; names are case-sensitive.
        const SpringPlayer none = players->GetPlayer(QStringLiteral("alice"));
        QVERIFY(none.name.isEmpty());
        QCOMPARE(none.country, QStringLiteral("XX"));
        QCOMPARE(none.userStatus, 0u);

        // Re-adding replaces the record.
        alice.country = QStringLiteral("CZ");
        players->DoAddPlayer(alice);
        QCOMPARE(players->Count(), 2);
        QCOMPARE(players->GetPlayer(QStringLiteral("Alice")).country, QStringLiteral("CZ"));

        players->DoRemovePlayer(QStringLiteral("Bob"));
        players->DoRemovePlayer(QStringLiteral("Nobody"));
        QCOMPARE(removed.count(), 1);
        QVERIFY(!players->Contains(QStringLiteral("Bob")));
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
        p.name = QStringLiteral("Queued");
        QVERIFY(
            QMetaObject::invokeMethod(players, "DoAddPlayer", Qt::QueuedConnection, Q_ARG(SpringPlayer, p)));
        QTRY_VERIFY(players->Contains(QStringLiteral("Queued")));
        SpringPlayersManager::Destroy();
    }
};

QTEST_GUILESS_MAIN(TestLobbyServices)
#include "tst_lobbyservices.moc"
