// What the lobby client offers the player profile: the login mode and player records (the
// profile dialog's test reads a record through the real dialog); the record of an open battle and
// the launch record of joining it (the engine reads its script: the engine acceptance test).
#include "LobbyMetaTypes.h"
#include "MetaTypes.h"
#include "SpringBattle.h"
#include "SpringConnectionManager.h"
#include "SpringPlayersManager.h"
#include "TestEnvironment.h"

#include <QSignalSpy>
#include <QtTest>

// Takes battle records by slot name, as the lobby's queued calls hand them over.
class BattleReceiver : public QObject
{
    Q_OBJECT

public slots:
    void DoBattle(SpringBattle battle) { battles << battle; }

public:
    QList<SpringBattle> battles;
};

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

    // Known by its name from start-up on, before anything in the program used the type.
    void QueuedBattleRecords()
    {
        TestEnvironment env;
        RegisterLobbyMetaTypes();
        QVERIFY(QMetaType::type("SpringBattle") != QMetaType::UnknownType);
        BattleReceiver receiver;
        SpringBattle battle;
        battle.id = 17;
        battle.title = "Two against the Hive";
        battle.options.SetValue("startmetal", "1000");
        const QGenericArgument argument("SpringBattle", &battle);
        QVERIFY(QMetaObject::invokeMethod(&receiver, "DoBattle", Qt::QueuedConnection, argument));
        QTRY_COMPARE(receiver.battles.size(), 1);
        QCOMPARE(receiver.battles.first().id, 17);
        QCOMPARE(receiver.battles.first().title, battle.title);
        QCOMPARE(receiver.battles.first().options.Value("startmetal"), "1000");
    }

    // Joining a battle hosted elsewhere: its host and content, never the host's script.
    void StartScriptFromBattle()
    {
        SpringBattle battle;
        battle.id = 3;
        battle.founder = "Host";
        battle.hostIp = "10.0.0.5";
        battle.hostPort = 8453;
        battle.mapName = "Twin Lakes";
        battle.mapHash = quint32(-5); // as the server's signed number arrives
        battle.gameName = "Morvantis 1.0";
        battle.gameHash = 4294967295u;
        battle.engineVersion = "106.0";
        battle.options.SetValue("maxunits", "500");
        const DataStartScript script = battle.ToStartScript();
        QVERIFY(!script.isHost);
        QCOMPARE(script.hostIp, "10.0.0.5");
        QCOMPARE(script.hostPort, "8453");
        QCOMPARE(script.mapName, "Twin Lakes");
        QCOMPARE(script.mapHash, "4294967291");
        QCOMPARE(script.gameName, "Morvantis 1.0");
        QCOMPARE(script.gameHash, "4294967295");
        QCOMPARE(script.engineVersion, "106.0");
        QCOMPARE(script.options.section, "modoptions");
        QCOMPARE(script.options.Value("maxunits"), "500");
        // What the caller fills in.
        QVERIFY(script.players.isEmpty() && script.ais.isEmpty() && script.startRects.isEmpty());
        QVERIFY(script.startPosType.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLobbyServices)
#include "tst_lobbyservices.moc"
