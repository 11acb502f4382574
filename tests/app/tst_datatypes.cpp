// Value types: helpers and their registration for queued signals.
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
    void PlayerHelpers()
    {
        TestEnvironment env("vq");
        DataPlayer p;
        p.color = QColor(128, 0, 255);
        QCOMPARE(p.GetRgbColorText(), "0.50196 0.00000 1.00000");
        const QStringList sides = AppDefines::Instance()->GetSideNames();
        QCOMPARE(DataPlayer::GetSideName(0), sides[0]);
        QCOMPARE(DataPlayer::GetSideName(sides.size() - 1), sides.last());
        QCOMPARE(DataPlayer::GetSideName(sides.size()), "NONE");
        QCOMPARE(DataPlayer::GetSideName(-1), "NONE");

        p.aiShortName = "AI: R.A.V. 2";
        QVERIFY(p.IsAiRav() && !p.IsAiSkitters());
        p.aiShortName = "SkittersAI";
        QVERIFY(p.IsAiSkitters());
        p.aiShortName = "MissionAI";
        QVERIFY(p.IsAiMission());
        p.aiShortName = "v.e.s.k.a.";
        QVERIFY(p.IsAiVeska() && !p.IsAiRav());

        QVERIFY(!p.IsSynced());
        p.SetSyncStatus(1, QString());
        QVERIFY(p.synced && p.IsSynced());
        p.SetSyncStatus(2, "missing map");
        QVERIFY(!p.IsSynced());
        QCOMPARE(p.syncText, "missing map");
        // AIs need no content of their own; watchers play no part.
        p.isAi = true;
        QVERIFY(p.IsSynced());
        const DataPlayer spectator("Watcher", false, false);
        QVERIFY(!spectator.plays && spectator.spectator && !spectator.isAi);
    }

    void StartScriptFromBattle()
    {
        DataBattle battle;
        battle.options.SetValue("mission_name", "a");
        battle.options.SetValue("mission_name", "b"); // replaces
        QCOMPARE(battle.options.options.size(), 1);
        battle.hostedHere = true;
        battle.gameHash = 4294967295u;
        battle.mapHash = 7;
        const DataStartScript script(battle);
        QVERIFY(script.isHost);
        QCOMPARE(script.gameHash, "4294967295"); // unsigned
        QCOMPARE(script.mapHash, "7");
        QCOMPARE(script.options.Value("mission_name"), "b");
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
