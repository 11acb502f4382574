#include "ReplayScriptParser.h"
#include "StartScriptGenerator.h"
#include "helper_Records.h"

#include <QtTest>

using namespace TestRecords;

// What the generator writes, the parser reads back.
class TestScriptRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void HostScriptReadsBack()
    {
        DataStartScript r = OneAgainstAi();
        r.players.clear();
        r.ais.clear();
        r.players << Player(QStringLiteral("Alpha"), 4, 7, QColor(0, 128, 255), QStringLiteral("Arm"));
        r.players << Spectator(QStringLiteral("Watcher"));
        r.players << Player(QStringLiteral("Beta"), 4, 7, Qt::white, QStringLiteral("Other"));
        r.players << Player(QStringLiteral("Gamma"), 2, 3, QColor(10, 20, 30), QStringLiteral("Core"));
        r.ais << Ai(QStringLiteral("Helper"), QStringLiteral("NullAI"), QStringLiteral("Gamma"), 9, 3,
                    QColor(255, 1, 254), QStringLiteral("Core"));
        r.startRects.insert(7, QRect(50, 0, 50, 100));
        for (int i = 0; i < 9; ++i) // enough players for two-digit section numbers
            r.players << Player(QStringLiteral("Extra%1").arg(i), 20 + i, 1);

        const StartScriptGenerator generator(r);
        ReplayScriptParser parser;
        DataReplayScript replay;
        QVERIFY(parser.ParseScript(generator.Script(), replay));
        QCOMPARE(replay.gameName, r.gameName);
        QCOMPARE(replay.mapName, r.mapName);
        QCOMPARE(replay.spectators.size(), 1);
        QCOMPARE(replay.spectators.first().name, QStringLiteral("Watcher"));
        QCOMPARE(replay.players.size(), r.players.size() - 1 + r.ais.size());

        // The script numbers teams and ally teams by first use; the names, colours and sides survive,
        // and players that shared a team still share one.
        QHash<QString, DataPlayer> byName;
        for (const DataPlayer& p : replay.players)
            byName.insert(p.name, p);
        QCOMPARE(byName.value("Alpha").team, byName.value("Beta").team);
        QCOMPARE(byName.value("Alpha").allyTeam, byName.value("Beta").allyTeam);
        QVERIFY(byName.value("Alpha").allyTeam != byName.value("Gamma").allyTeam);
        QCOMPARE(byName.value("Gamma").allyTeam, byName.value("NullAI").allyTeam);
        QCOMPARE(byName.value("Alpha").color,
                 QColor(0, 128, 255)); // the team keeps its first member's colour
        QCOMPARE(byName.value("Beta").color, QColor(0, 128, 255));
        QCOMPARE(byName.value("Gamma").color, QColor(10, 20, 30));
        QCOMPARE(byName.value("NullAI").color, QColor(255, 1, 254));
        QCOMPARE(byName.value("Beta").sideName, QStringLiteral("Arm"));
        QCOMPARE(byName.value("Gamma").sideName, QStringLiteral("Core"));
        QVERIFY(byName.value("NullAI").isAi);
        QCOMPARE(byName.value("Extra8").country, QStringLiteral("DE"));
        QCOMPARE(byName.value("Extra8").rank, QStringLiteral("2"));

        // Stable order: PLAYER numbers ascending (0, 2, 3, 4 ... 12), then the AI.
        QCOMPARE(replay.players.first().name, QStringLiteral("Alpha"));
        QCOMPARE(replay.players.at(3).name, QStringLiteral("Extra0"));
        QCOMPARE(replay.players.at(replay.players.size() - 2).name, QStringLiteral("Extra8"));
        QCOMPARE(replay.players.last().name, QStringLiteral("NullAI"));

        // Every playing record agrees with its team section; start boxes come back through the tree.
        const VariableHash game = parser.Root().Hash().value(QStringLiteral("game")).Hash();
        for (const DataPlayer& p : replay.players)
        {
            const VariableHash team = game.value(QStringLiteral("team%1").arg(p.team)).Hash();
            QCOMPARE(team.value(QStringLiteral("allyteam")).toInt(), p.allyTeam);
            QCOMPARE(team.value(QStringLiteral("side")).toString(), p.sideName);
            QCOMPARE(team.value(QStringLiteral("rgbcolor")).toString(), p.GetRgbColorText());
        }
        const VariableHash ally0 = game.value(QStringLiteral("allyteam0")).Hash();
        QCOMPARE(ally0.value(QStringLiteral("startrectright")).toString(), QStringLiteral("0.99"));
        QCOMPARE(game.value(QStringLiteral("modoptions")).Hash().value(QStringLiteral("maxunits")).toString(),
                 QStringLiteral("500"));
    }

    void ClientScriptHasNoPlayersButParses()
    {
        const StartScriptGenerator generator(Client(QStringLiteral("pw")));
        ReplayScriptParser parser;
        DataReplayScript replay;
        QVERIFY(parser.ParseScript(generator.Script(), replay));
        QVERIFY(replay.players.isEmpty());
        const VariableHash game = parser.Root().Hash().value(QStringLiteral("game")).Hash();
        QCOMPARE(game.value(QStringLiteral("players_names")).toString(), QStringLiteral("Commander,Other"));
    }
};

QTEST_GUILESS_MAIN(TestScriptRoundTrip)
#include "tst_ScriptRoundTrip.moc"
