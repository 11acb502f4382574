// Value types: defaults, helpers and their registration for queued signals.
#include "AppDefines.h"
#include "DataBattle.h"
#include "DataPlayer.h"
#include "DataStartScript.h"
#include "DataSync.h"
#include "MetaTypes.h"
#include "TestEnvironment.h"

#include <QtTest>

class TestDataTypes : public QObject
{
    Q_OBJECT

private slots:
    void PlayerDefaults()
    {
        const DataPlayer p;
        QCOMPARE((QStringList{p.name, p.country, p.sideName}), (QStringList{"Unknown", "XX", "Unknown"}));
        QCOMPARE(p.color, QColor(Qt::yellow));
        QVERIFY(p.side == -1 && p.team == 0 && p.allyTeam == 0);
        QVERIFY(p.plays && !p.spectator && !p.synced && !p.isAi);
        const DataPlayer spectator(QStringLiteral("Watcher"), false, false);
        QCOMPARE(spectator.name, QStringLiteral("Watcher"));
        QVERIFY(!spectator.plays && spectator.spectator && !spectator.isAi);
        const DataPlayer ai(QStringLiteral("Bot"), true, true);
        QVERIFY(ai.plays && !ai.spectator && ai.isAi);
    }

    void PlayerHelpers()
    {
        TestEnvironment env(QStringLiteral("vq"));
        DataPlayer p;
        p.color = QColor(128, 0, 255);
        QCOMPARE(p.GetRgbColorText(), QStringLiteral("0.50196 0.00000 1.00000"));
        const QStringList sides = AppDefines::Instance()->GetSideNames();
        QCOMPARE(DataPlayer::GetSideName(0), sides[0]);
        QCOMPARE(DataPlayer::GetSideName(sides.size() - 1), sides.last());
        QCOMPARE(DataPlayer::GetSideName(sides.size()), QStringLiteral("NONE"));
        QCOMPARE(DataPlayer::GetSideName(-1), QStringLiteral("NONE"));

        p.aiShortName = QStringLiteral("AI: R.A.V. 2");
        QVERIFY(p.IsAiRav() && !p.IsAiSkitters());
        p.aiShortName = QStringLiteral("SkittersAI");
        QVERIFY(p.IsAiSkitters());
        p.aiShortName = QStringLiteral("MissionAI");
        QVERIFY(p.IsAiMission());
        p.aiShortName = QStringLiteral("v.e.s.k.a.");
        QVERIFY(p.IsAiVeska() && !p.IsAiRav());

        QVERIFY(!p.IsSynced());
        p.SetSyncStatus(1, QString());
        QVERIFY(p.synced && p.IsSynced());
        QCOMPARE(p.syncText, QStringLiteral("Synced"));
        p.SetSyncStatus(2, QStringLiteral("missing map"));
        QVERIFY(!p.IsSynced());
        QCOMPARE(p.syncText, QStringLiteral("missing map"));
        p.SetSyncStatus(0, QString());
        QCOMPARE(p.syncText, QStringLiteral("Unknown"));
        p.isAi = true;
        QVERIFY(p.IsSynced());
    }

    void DownloadStates()
    {
        // A sync state counts a download as running until it completed or failed.
        DataSyncState state;
        QVERIFY(state.NoDownloadRunning());
        DataDownload& d = state.downloads[DataDownload::Game];
        d.SetSearching();
        QVERIFY(d.searching && !state.NoDownloadRunning());
        QCOMPARE(d.statusText, QStringLiteral("Searching"));
        d.SetDownloading();
        QVERIFY(d.downloading && !d.searching && !state.NoDownloadRunning());
        QCOMPARE(d.statusText, QStringLiteral("Downloading"));
        d.SetInstalling();
        QVERIFY(!state.NoDownloadRunning());
        QCOMPARE(d.statusText, QStringLiteral("Installing"));
        d.SetCompleted();
        QVERIFY(d.completed && !d.installing && state.NoDownloadRunning());
        QCOMPARE(d.statusText, QStringLiteral("Completed"));
        d.SetError();
        QVERIFY(d.hasErrors && !d.completed && state.NoDownloadRunning());
        QCOMPARE(d.statusText, QStringLiteral("Has Errors"));
    }

    void StartScriptFromBattle()
    {
        DataBattle battle;
        battle.options.SetValue("mission_name", "a");
        battle.options.SetValue("mission_name", "b"); // replaces
        QCOMPARE(battle.options.options.size(), 1);
        battle.hostedHere = true;
        battle.mapName = "Map";
        battle.gameName = "Game 1.0";
        battle.engineVersion = "106.0";
        battle.gameHash = 4294967295u;
        battle.mapHash = 7;
        const DataStartScript script(battle);
        QVERIFY(script.isHost);
        QCOMPARE(script.hostIp, battle.hostIp);
        QCOMPARE(script.hostPort, battle.hostPort);
        QCOMPARE(script.gameHash, QStringLiteral("4294967295")); // unsigned
        QCOMPARE(script.mapHash, QStringLiteral("7"));
        QCOMPARE(script.mapName, QStringLiteral("Map"));
        QCOMPARE(script.gameName, QStringLiteral("Game 1.0"));
        QCOMPARE(script.engineVersion, QStringLiteral("106.0"));
        QCOMPARE(script.options.Value("mission_name"), QStringLiteral("b"));
        QVERIFY(script.players.isEmpty() && script.ais.isEmpty() && script.startRects.isEmpty());
        QVERIFY(script.startPosType.isEmpty());
        QCOMPARE(script.me.name, QStringLiteral("Unknown"));
    }

    void MetaTypesRegistered()
    {
        RegisterAppMetaTypes();
        for (const char* name :
             {"DataPlayer", "DataBattle", "DataStartScript", "DataMission", "DataSync", "DataSyncState",
              "DataDownload", "DataDownloadProgress", "DataDownloadTotal", "DataDownloadProgressTotal",
              "DataMinimap", "DataUpdates", "DataTest", "DataWebItem", "DataAiProject"})
            QVERIFY2(QMetaType::type(name) != QMetaType::UnknownType, name);
    }
};

QTEST_GUILESS_MAIN(TestDataTypes)
#include "tst_datatypes.moc"
