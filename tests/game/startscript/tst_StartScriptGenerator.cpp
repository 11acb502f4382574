#include "ReplayScriptParser.h"
#include "StartScriptGenerator.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "helper_Records.h"

#include <QtTest>

using namespace TestRecords;

namespace
{
// The expected script, byte for byte, from the golden folder.
QString Golden(const QString& name)
{
    return QString::fromUtf8(TestFiles::Read(QFINDTESTDATA("golden/" + name)));
}

// Spectators, a shared team, ally teams 3 and 7, options with a repeated key and an AI owned by
// another player.
DataStartScript TeamsAndSpectators()
{
    DataStartScript r = OneAgainstAi();
    r.options = DataBattleOptions();
    r.options.section = "mapoptions";
    r.options.SetValue("water", "low");
    r.options.SetValue("Fog", "1");
    r.options.SetValue("water", "high"); // the last value wins
    r.startRects.clear();
    r.startRects.insert(7, QRect(50, 0, 50, 100));
    r.startRects.insert(3, QRect(0, 0, 20, 20));
    r.players.clear();
    r.ais.clear();
    DataPlayer a = Player("Alpha", 4, 7, QColor(0, 128, 255), "Arm");
    a.password = "pw";
    r.players << a << Spectator("Watcher");
    r.players << Player("Beta", 4, 7, Qt::white,
                        "Other side"); // Alpha's team
    r.players << Player("Gamma", 2, 3, Qt::green, "Core");
    r.ais << Ai("Helper", "NullAI", "Gamma", 9, 3);
    return r;
}

// Section header lines ("\t[NAME]") of the root, in written order.
QStringList RootSections(const QString& script)
{
    QStringList sections;
    for (const QString& line : script.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("\t[")))
            sections << line.mid(2, line.size() - 3);
    return sections;
}
} // namespace

class TestStartScriptGenerator : public QObject
{
    Q_OBJECT

private slots:
    void HostScript_OnePlayerOneAiOneOption_Golden()
    {
        TestEnvironment env;
        const StartScriptGenerator generator(OneAgainstAi());
        const QString expected = Golden("host_one_against_ai.txt");
        QCOMPARE(generator.Script(), expected);
        QVERIFY(generator.LaunchProblems().isEmpty());
        QVERIFY(env.LogContains("StartScriptGenerator :: AppendOptionsList"));
        QVERIFY(env.LogContains("StartScriptGenerator :: HOST SCRIPT GENERATED"));
    }

    void HostScript_SpectatorsSharedTeamsAllyTeams3And7_Golden()
    {
        const StartScriptGenerator generator(TeamsAndSpectators());
        const QString expected = Golden("host_teams_and_spectators.txt");
        QCOMPARE(generator.Script(), expected);
        QVERIFY(generator.LaunchProblems().isEmpty());
    }

    // What the generator writes, the replay parser reads back (our own games' demos carry it).
    void HostScriptReadsBack()
    {
        DataStartScript r = TeamsAndSpectators();
        for (int i = 0; i < 9; ++i) // enough players for two-digit section numbers
            r.players << Player(QStringLiteral("Extra%1").arg(i), 20 + i, 1);
        const StartScriptGenerator generator(r);
        ReplayScriptParser parser;
        DataReplayScript replay;
        QVERIFY(parser.ParseScript(generator.Script(), replay));
        QCOMPARE(replay.gameName, r.gameName);
        QCOMPARE(replay.mapName, r.mapName);
        QCOMPARE(replay.spectators.size(), 1);
        QCOMPARE(replay.spectators.first().name, "Watcher");
        QCOMPARE(replay.players.size(), r.players.size() - 1 + r.ais.size());

        // The script numbers teams and ally teams by first use; the names, colours and sides survive,
        // and players that shared a team still share one, with its first member's colour and side.
        QHash<QString, DataPlayer> byName;
        for (const DataPlayer& p : replay.players)
            byName.insert(p.name, p);
        const DataPlayer alpha = byName.value("Alpha"), beta = byName.value("Beta");
        const DataPlayer gamma = byName.value("Gamma"), ai = byName.value("NullAI");
        QVERIFY(alpha.team == beta.team && alpha.allyTeam == beta.allyTeam &&
                alpha.allyTeam != gamma.allyTeam);
        QCOMPARE(gamma.allyTeam, ai.allyTeam);
        QCOMPARE((QList<QColor>{alpha.color, beta.color, gamma.color, ai.color}),
                 (QList<QColor>{QColor(0, 128, 255), QColor(0, 128, 255), Qt::green, Qt::blue}));
        QCOMPARE((QStringList{beta.sideName, gamma.sideName}), (QStringList{"Arm", "Core"}));
        QVERIFY(ai.isAi);
        QCOMPARE(byName.value("Extra8").country, "DE");
        // Their order is the parser's test.

        // Every playing record agrees with its team section; start boxes come back through the tree.
        const VariableHash game = parser.Root().Hash().value("game").Hash();
        for (const DataPlayer& p : replay.players)
        {
            const VariableHash team = game.value(QStringLiteral("team%1").arg(p.team)).Hash();
            QCOMPARE(team.value("allyteam").toInt(), p.allyTeam);
            QCOMPARE(team.value("side").toString(), p.sideName);
            QCOMPARE(team.value("rgbcolor").toString(), p.GetRgbColorText());
        }
        const VariableHash ally0 = game.value("allyteam0").Hash();
        QCOMPARE(ally0.value("startrectright").toString(), "0.99");
        QCOMPARE(game.value("mapoptions").Hash().value("water").toString(), "high");
    }

    void ClientScriptHasNoPlayersButParses()
    {
        ReplayScriptParser parser;
        DataReplayScript replay;
        QVERIFY(parser.ParseScript(StartScriptGenerator(Client("pw")).Script(), replay));
        QVERIFY(replay.players.isEmpty());
        const VariableHash game = parser.Root().Hash().value("game").Hash();
        QCOMPARE(game.value("players_names").toString(), "Commander,Other");
    }

    void HostScript_ElevenPlayers_Player10BetweenPlayer1And2()
    {
        DataStartScript r = OneAgainstAi();
        r.players.clear();
        for (int i = 0; i < 11; ++i)
            r.players << Player(QStringLiteral("P%1").arg(i), i, i % 2);
        r.ais.first().aiOwner = "P10";
        const StartScriptGenerator generator(r);
        const QStringList sections = RootSections(generator.Script());
        QCOMPARE(sections.mid(0, 3), QStringList({"AI11", "ALLYTEAM0", "ALLYTEAM1"}));
        QCOMPARE(sections.mid(3, 11),
                 QStringList({"PLAYER0", "PLAYER1", "PLAYER10", "PLAYER2", "PLAYER3", "PLAYER4", "PLAYER5",
                              "PLAYER6", "PLAYER7", "PLAYER8", "PLAYER9"}));
        QCOMPARE(sections.mid(14, 3), QStringList({"TEAM0", "TEAM1", "TEAM10"}));
        QVERIFY(generator.Script().contains("\t[AI11]\n\t{\n\t\tHost=10;\n"));
    }

    void HostScript_NoOptionsNoSectionNoLogLine_EmptyFieldsEmptyValues()
    {
        TestEnvironment env;
        DataStartScript r = OneAgainstAi();
        r.options = DataBattleOptions();
        r.mapName.clear();
        const StartScriptGenerator generator(r);
        QVERIFY(!generator.Script().contains("modoptions"));
        QVERIFY(!env.LogContains("AppendOptionsList"));
        QVERIFY(generator.Script().endsWith("\tstartpostype=2;\n}\n"));
        QVERIFY(generator.Script().contains("\n\tMapName=;\n"));
    }

    void HostScript_AiOwnerMissing_HostMinusOneAndLaunchProblem()
    {
        TestEnvironment env;
        DataStartScript r = OneAgainstAi();
        r.ais.first().aiOwner = "Nobody";
        const StartScriptGenerator generator(r);
        QVERIFY(env.LogContains("StartScriptGenerator :: script not contains AI owner: Nobody"));
        QVERIFY(generator.Script().contains("\t[AI1]\n\t{\n\t\tHost=-1;\n"));
        QVERIFY(generator.Script().contains("\t\tSide=Core;\n\t\tTeamLeader=-1;\n"));
        QCOMPARE(generator.LaunchProblems().size(), 1);
        QVERIFY(generator.LaunchProblems().first().contains("Nobody"));
    }

    void UnsafeCharactersNeverReachTheText()
    {
        TestEnvironment env;
        DataStartScript r = OneAgainstAi();
        r.players.first().name = "[Clan]Name;x";
        r.ais.first().aiOwner = r.players.first().name;
        r.players.first().rank = "a]]]b";
        r.mapName = "Map {1}\tx\nline2\r";
        r.options.SetValue("bad=key]{x}\n", "v;[x]");
        r.options.SetValue(" a b ", "1");
        r.options.SetValue("a_b", "2"); // comes out like " a b "
        r.options.SetValue(" \t", "3");
        r.options.section = "mod[options]";
        const StartScriptGenerator generator(r);
        const QString script = generator.Script();
        QVERIFY(script.contains("\t\tName=[Clan]Name,x;\n")); // clan tags stay
        QVERIFY(script.contains("\t\tRank=a])]b;\n"));
        QVERIFY(script.contains("\tMapName=Map {1}\tx line2 ;\n")); // tabs stay
        QVERIFY(script.contains("\t[mod(options)]\n"));
        QVERIFY(script.contains("\t\tbad-key)(x)=v,[x];\n"));
        QVERIFY(script.contains("\t\ta_b=1;\n"));
        QVERIFY(!script.contains("a_b=2;"));
        QVERIFY(!script.contains("\t=3;"));
        QVERIFY(env.LogContains(QStringLiteral(
            "StartScriptGenerator :: name the script can't carry renamed in mod(options) \" a b \" -> a_b")));
        QVERIFY(env.LogContains(QStringLiteral(
            "StartScriptGenerator :: name the script can't carry dropped in mod(options) \" \\x09\"")));
        QVERIFY(script.contains("\t\tHost=0;\n")); // the owner is still found
        // Every line is a header, a brace, or exactly one key=value; leaf.
        for (const QString& line : script.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        {
            const QString t = line.trimmed();
            if (t == QLatin1String("{") || t == QLatin1String("}"))
                continue;
            QVERIFY2(!t.contains(QLatin1String("]]")), qPrintable(t));
            if (t.startsWith(QLatin1Char('[')))
            {
                QCOMPARE(t.count(QLatin1Char('[')) + t.count(QLatin1Char(']')), 2);
                QVERIFY(t.endsWith(QLatin1Char(']')));
                continue;
            }
            QCOMPARE(t.count(QLatin1Char(';')), 1);
            QVERIFY(t.endsWith(QLatin1Char(';')));
            const QString key = t.left(t.indexOf(QLatin1Char('=')));
            QVERIFY2(!key.contains(QRegularExpression("[\\[\\]{}]")), qPrintable(t));
        }
        QVERIFY(env.LogContains("StartScriptGenerator :: characters the script can't carry replaced in"));
    }

    void ClientScript_Golden_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("expected");
        QTest::newRow("with password")
            << "secret"
            << QStringLiteral("[GAME]\n{\n\tHostIP=192.168.1.20;\n\tHostPort=8452;\n\tIsHost=0;\n"
                              "\tMyPasswd=secret;\n\tMyPlayerName=Commander;\n"
                              "\tPlayers_IDs=7,12;\n\tPlayers_Names=Commander,Other;\n}");
        QTest::newRow("without password")
            << QString()
            << QStringLiteral("[GAME]\n{\n\tHostIP=192.168.1.20;\n\tHostPort=8452;\n\tIsHost=0;\n"
                              "\tMyPlayerName=Commander;\n"
                              "\tPlayers_IDs=7,12;\n\tPlayers_Names=Commander,Other;\n}");
    }
    void ClientScript_Golden()
    {
        QFETCH(QString, password);
        QFETCH(QString, expected);
        TestEnvironment env;
        const StartScriptGenerator generator(Client(password));
        QCOMPARE(generator.Script(), expected);
        QVERIFY(!generator.Script().endsWith(QLatin1Char('\n')));
        QVERIFY(generator.LaunchProblems().isEmpty());
        QVERIFY(env.LogContains("StartScriptGenerator :: CLIENT SCRIPT GENERATED"));
    }

    void ClientScript_UnsafePasswordReplaced()
    {
        const StartScriptGenerator generator(Client("a;b\n"));
        QVERIFY(generator.Script().contains("\tMyPasswd=a,b ;\n"));
    }

    void ValueText_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0.2") << QVariant(20 / 100.0) << "0.2";
        QTest::newRow("0.99") << QVariant(99 / 100.0) << "0.99";
        QTest::newRow("1") << QVariant(100 / 100.0) << "1";
        QTest::newRow("0") << QVariant(0.0) << "0";
        QTest::newRow("0.07") << QVariant(7 / 100.0) << "0.07";
        QTest::newRow("int") << QVariant(-1) << "-1";
        QTest::newRow("text") << QVariant(" a b ") << " a b ";
    }
    void ValueText()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        QCOMPARE(StartScriptGenerator::ValueText(value), text);
    }
};

QTEST_GUILESS_MAIN(TestStartScriptGenerator)
#include "tst_StartScriptGenerator.moc"
