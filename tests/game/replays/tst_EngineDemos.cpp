#include "DemoFile.h"
#include "EngineHarness.h"
#include "PathManager.h"
#include "ReplaysCache.h"
#include "ReplaysManager.h"
#include "SevenZManager.h"
#include "TestEnvironment.h"
#include "helper_ReplayTestData.h"

#include <QDir>
#include <QFile>
#include <QtTest>

// Demos freshly recorded by Debian's engine 106.0, read by the demo reader and the replays worker.
class TestEngineDemos : public QObject
{
    Q_OBJECT

    QString m_demo;       // a game played to its end
    QString m_killedDemo; // what a killed engine leaves
    std::unique_ptr<EngineHarness> m_engine;
    QString m_skipReason;

    static QString SkirmishScript()
    {
        return QStringLiteral(
                   "[game]\n{\n"
                   "\tgametype=%1;\n\tmapname=%2;\n\tishost=1;\n\thostip=127.0.0.1;\n\thostport=0;\n"
                   "\tstartpostype=0;\n\tmyplayername=Tester;\n\tnumplayers=1;\n\tnumusers=2;\n"
                   "\t[player0]\n\t{\n\t\tname=Tester;\n\t\tteam=0;\n\t\tspectator=0;\n"
                   "\t\tcountrycode=de;\n\t\trank=2;\n\t}\n"
                   "\t[ai0]\n\t{\n\t\tname=Bot;\n\t\tshortname=%3;\n\t\tversion=%4;\n\t\tteam=1;\n"
                   "\t\thost=0;\n\t}\n"
                   "\t[team0]\n\t{\n\t\tteamleader=0;\n\t\tallyteam=0;\n\t\trgbcolor=1 0 0;\n\t}\n"
                   "\t[team1]\n\t{\n\t\tteamleader=0;\n\t\tallyteam=1;\n\t\trgbcolor=0 0 1;\n\t}\n"
                   "\t[allyteam0]\n\t{\n\t\tnumallies=0;\n\t}\n"
                   "\t[allyteam1]\n\t{\n\t\tnumallies=0;\n\t}\n}\n")
            .arg(EngineHarness::TestGameName(), EngineHarness::TestMapName(),
                 EngineHarness::NullAiShortName(), EngineHarness::NullAiVersion());
    }

private slots:
    void initTestCase()
    {
        if (!EngineHarness::IsAvailable() || !EngineHarness::HasTestContent())
            return;
        m_engine = std::make_unique<EngineHarness>();
        QVERIFY(m_engine->InstallTestContent());
        // Killed before the end: the engine leaves an empty demo file.
        const EngineRun killed = m_engine->RunScript(SkirmishScript(), 60000, "[Game::");
        const QStringList afterKill = m_engine->Demos();
        if (!afterKill.isEmpty())
            m_killedDemo = afterKill.first();
        const EngineRun run = m_engine->RunScript(SkirmishScript(), 60000);
        QVERIFY2(run.exitCode == 0, qPrintable(run.Tail()));
        for (const QString& demo : m_engine->Demos())
        {
            if (demo != m_killedDemo)
                m_demo = demo;
        }
        QVERIFY2(!m_demo.isEmpty(), qPrintable(run.Tail()));
    }

    void readFreshDemo()
    {
        QM_REQUIRE(EngineHarness::IsAvailable(), "spring-headless");
        QM_REQUIRE(EngineHarness::HasTestContent(), "engine test content");
        TestEnvironment env;
        DataReplay replay;
        replay.filePath = m_demo;
        ReadDemoFile(m_demo, replay);
        QVERIFY2(replay.valid, qPrintable(env.LogLines().join('\n')));
        QCOMPARE(replay.engineVersion, QString()); // Debian's build writes none
        QCOMPARE(replay.gameName, EngineHarness::TestGameName());
        QCOMPARE(replay.mapName, EngineHarness::TestMapName());
        QCOMPARE(replay.gameId.size(), 32);
        QVERIFY(replay.duration >= 4 && replay.duration <= 6); // the game ends itself after 5 s
        QVERIFY(qAbs(replay.startTime.secsTo(QDateTime::currentDateTime())) < 600);
        QCOMPARE(replay.players.size(), 2);
        QCOMPARE(replay.players[0].name, "Tester");
        QCOMPARE(replay.players[0].country, "DE");
        QCOMPARE(replay.players[0].allyTeam, 0);
        QCOMPARE(replay.players[1].name, EngineHarness::NullAiShortName());
        QVERIFY(replay.players[1].isAi);
        QCOMPARE(replay.players[1].allyTeam, 1);
        QVERIFY(replay.spectators.isEmpty());
        QCOMPARE(replay.winningAllyTeams, QList<int>{0});
    }

    void workerOnFreshDemos()
    {
        QM_REQUIRE(EngineHarness::IsAvailable(), "spring-headless");
        QM_REQUIRE(EngineHarness::HasTestContent(), "engine test content");
        TestEnvironment env;
        RegisterReplayMetaTypes();
        const QString demos = PathManager::Instance()->GetReplaysDir();
        QDir().mkpath(demos);
        QVERIFY(QFile::copy(m_demo, demos + "/" + QFileInfo(m_demo).fileName()));
        if (!m_killedDemo.isEmpty())
            QVERIFY(QFile::copy(m_killedDemo, demos + "/killed.sdfz"));
        {
            ReplaysRecorder recorder(ReplaysManager::Instance());
            ReplaysManager::UpdateReplays();
            QTRY_VERIFY_WITH_TIMEOUT(recorder.finished, 120000);
            ReplaysManager::Instance()->InvokeBlocking("DoDestroy");
        }
        ReplaysManager::Destroy();
        SevenZManager::Destroy();
        // The test game is not this program's game: stored and cached, not sent.
        QVERIFY(env.LogContains("ReplaysManager :: IGNORE quill test game 1"));
        ReplaysTable cache;
        ReplaysCache::LoadCache(ReplaysCache::CacheFilePath(PathManager::Instance()->GetLobbyDataDir()),
                                cache);
        QCOMPARE(cache.size(), 1);
        const DataReplay cached = cache.begin().value();
        QCOMPARE(cached.mapName, EngineHarness::TestMapName());
        QCOMPARE(cached.players.size(), 2);
        QCOMPARE(cached.winningAllyTeams, QList<int>{0});
        QVERIFY(cached.valid);
    }

    void killedEngineLeavesEmptyFile()
    {
        QM_REQUIRE(EngineHarness::IsAvailable(), "spring-headless");
        QM_REQUIRE(EngineHarness::HasTestContent(), "engine test content");
        if (m_killedDemo.isEmpty())
            QSKIP("the killed engine left no demo file");
        QCOMPARE(QFileInfo(m_killedDemo).size(), qint64(0));
    }
};

QTEST_GUILESS_MAIN(TestEngineDemos)
#include "tst_EngineDemos.moc"
