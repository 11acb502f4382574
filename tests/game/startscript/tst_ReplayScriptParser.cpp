#include "ReplayScriptParser.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "Variable.h"

#include <QtTest>

namespace
{
// A real engine demo's script (a public two-player game), option sections left out.
QString RealDemoScript()
{
    return QString::fromUtf8(TestFiles::Read(QFINDTESTDATA("data/real_demo_script.txt")));
}

QString Script(const QString& body)
{
    return "[GAME]\n{\n" + body + "}\n";
}

const QString TeamZero = "[TEAM0]\n{\nAllyTeam=3;\nRgbColor=1.00000 0.00000 0.50196;\nSide=Arm;\n}\n";
} // namespace

class TestReplayScriptParser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Variable::RegisterMetaTypes(); }

    void RealDemoScript_GivesGameMapPlayersAisAndSpectators()
    {
        ReplayScriptParser parser;
        DataReplayScript record;
        QVERIFY(parser.ParseScript(RealDemoScript(), record));
        QCOMPARE(record.gameName, "Beyond All Reason test-29422-87225c3");
        QCOMPARE(record.mapName, "Comet Catcher Remake 1.8");

        QCOMPARE(record.players.size(), 3);
        // Stable order: humans by number, then AIs; an AI by its short name, not "SimpleAI(1)".
        const DataPlayer &first = record.players.at(0), &second = record.players.at(1),
                         &ai = record.players.at(2);
        QCOMPARE((QVariantList{first.name, first.country, first.rank, first.team, first.allyTeam,
                               first.sideName, first.color}),
                 (QVariantList{"pikterra", "FR", "1", 0, 0, "Armada", QColor(40, 192, 70)}));
        QCOMPARE((QStringList{second.name, second.sideName}), (QStringList{"Zepek_75", "Cortex"}));
        QCOMPARE(second.team, 1);
        QCOMPARE((QVariantList{ai.name, ai.isAi, ai.plays, ai.team, ai.allyTeam}),
                 (QVariantList{"SimpleAI", true, true, 2, 1}));
        QCOMPARE(record.spectators.size(), 1);
        QCOMPARE(record.spectators.at(0).name, "[WxN]Watcher");
        QVERIFY(record.spectators.at(0).spectator && !record.spectators.at(0).plays);

        // Names read back in lower case; values keep their brackets.
        const VariableHash game = parser.Root().Hash().value("game").Hash();
        QCOMPARE(game.value("player1").Hash().value("skill").toString(), "[16.67]");
    }

    void OrderIsStableAndNumeric()
    {
        QString body = TeamZero;
        for (int i : {10, 2, 1, 0, 11})
            body += QStringLiteral("[PLAYER%1]\n{\nName=p%1;\nTeam=0;\nSpectator=0;\n}\n").arg(i);
        body += "[AI12]\n{\nShortName=b12;\nTeam=0;\n}\n[AI3]\n{\nShortName=b3;\nTeam=0;\n}\n";
        for (int round = 0; round < 3; ++round)
        {
            ReplayScriptParser parser;
            DataReplayScript record;
            QVERIFY(parser.ParseScript(Script(body), record));
            QStringList names;
            for (const DataPlayer& p : record.players)
                names << p.name;
            QCOMPARE(names, QStringList({"p0", "p1", "p2", "p10", "p11", "b3", "b12"}));
        }
    }

    void OddButReadable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("map");
        QTest::addColumn<int>("players");
        QTest::addColumn<int>("spectators");
        QTest::newRow("game in any case") << "[Game]{MapName=x;}"
                                          << "x" << 0 << 0;
        QTest::newRow("later duplicate wins") << Script("MapName=a;\nmapname=b;\n") << "b" << 0 << 0;
        QTest::newRow("missing closing braces") << "[game]\n{\nmapname=m;\n[modoptions]\n{\na=1;"
                                                << "m" << 0 << 0;
        QTest::newRow("spectator needs no team")
            << Script("[PLAYER0]\n{\nName=s;\nSpectator=1;\n}\n") << "" << 0 << 1;
        QTest::newRow("leaves named like players")
            << Script("player0=1;\nPlayers_Names=a,b;\nai1=x;\n" + TeamZero) << "" << 0 << 0;
    }

    void OddButReadable()
    {
        QFETCH(QString, text);
        QFETCH(QString, map);
        QFETCH(int, players);
        QFETCH(int, spectators);
        DataReplayScript record;
        QVERIFY(ReplayScriptParser().ParseScript(text, record));
        QCOMPARE(record.mapName, map);
        QCOMPARE(record.players.size(), players);
        QCOMPARE(record.spectators.size(), spectators);
    }

    void ValuesKeepBlanksAndKeysKeepInnerBlanks()
    {
        ReplayScriptParser parser;
        DataReplayScript record;
        QVERIFY(
            parser.ParseScript(Script("MapName=  Two Words ;\n_GameType=g;\nmy key=v;\nEmpty=;\n"), record));
        QCOMPARE(record.mapName, "  Two Words ");
        const VariableHash game = parser.Root().Hash().value("game").Hash();
        QCOMPARE(game.value("gametype").toString(),
                 "g"); // leading "_" dropped
        QCOMPARE(game.value("my key").toString(), "v");
        QVERIFY(game.contains("empty"));
        QCOMPARE(game.value("empty").toString(), QString());
    }

    void SpectatorFlagReading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("spectator");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("false") << "FaLsE" << false;
        QTest::newRow("one") << "1" << true;
        QTest::newRow("true") << "true" << true;
        QTest::newRow("other") << "yes" << true;
    }
    void SpectatorFlagReading()
    {
        QFETCH(QString, text);
        QFETCH(bool, spectator);
        DataReplayScript record;
        const QString body =
            TeamZero + QStringLiteral("[PLAYER0]\n{\nName=x;\nTeam=0;\nSpectator=%1;\n}\n").arg(text);
        QVERIFY(ReplayScriptParser().ParseScript(Script(body), record));
        QCOMPARE(record.spectators.size(), spectator ? 1 : 0);
        QCOMPARE(record.players.size(), spectator ? 0 : 1);
    }

    void BadTeamsFail_data()
    {
        QTest::addColumn<QString>("body");
        QTest::newRow("no team key") << "[PLAYER0]\n{\nName=x;\n}\n" + TeamZero;
        QTest::newRow("team not a number") << "[PLAYER0]\n{\nTeam=x;\n}\n" + TeamZero;
        QTest::newRow("team section missing") << "[PLAYER0]\n{\nTeam=1;\n}\n" + TeamZero;
        QTest::newRow("team section is a leaf") << "[PLAYER0]\n{\nTeam=0;\n}\nteam0=1;\n";
        QTest::newRow("ally team not a number")
            << "[PLAYER0]\n{\nTeam=0;\n}\n[TEAM0]\n{\nRgbColor=1 1 1;\nAllyTeam=;\n}\n";
        QTest::newRow("two colour parts")
            << "[PLAYER0]\n{\nTeam=0;\n}\n[TEAM0]\n{\nRgbColor=1 1;\nAllyTeam=0;\n}\n";
        QTest::newRow("ai without team") << "[AI0]\n{\nShortName=x;\n}\n" + TeamZero;
    }
    void BadTeamsFail()
    {
        QFETCH(QString, body);
        TestEnvironment env;
        DataReplayScript record;
        QVERIFY(!ReplayScriptParser().ParseScript(Script(body), record));
        QVERIFY(record.players.isEmpty());
    }

    void ColourPartsThatDoNotReadGiveZeroAndStayInRange()
    {
        const QString body = "[PLAYER0]\n{\nTeam=0;\n}\n[TEAM0]\n{\nRgbColor=x 7 -2 extra;\nAllyTeam=0;\n}\n";
        DataReplayScript record;
        QVERIFY(ReplayScriptParser().ParseScript(Script(body), record));
        QCOMPARE(record.players.at(0).color, QColor(0, 255, 0));
        // Double blank: an empty part counts, so only "1", "" and "1" are read.
        const QString twoBlanks = "[PLAYER0]\n{\nTeam=0;\n}\n[TEAM0]\n{\nRgbColor=1  1;\nAllyTeam=0;\n}\n";
        DataReplayScript second;
        QVERIFY(ReplayScriptParser().ParseScript(Script(twoBlanks), second));
        QCOMPARE(second.players.at(0).color, QColor(255, 0, 255));
    }

    void BrokenSyntaxFails_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("section without ]") << "[game]{ [player0 { }";
        QTest::newRow("section without {") << "[game]{ [player0] }";
        QTest::newRow("key without =") << "[game]{ mapname }";
        QTest::newRow("value without ;") << "[game]{ mapname=x }";
        QTest::newRow("no game section") << "[game] mapname=x;";
        QTest::newRow("game is a leaf") << "[game]x; game=1;";
        QTest::newRow("blank before game") << " [game]{}";
        QTest::newRow("empty") << QString();
        QTest::newRow("not game") << "[gam]{}";
    }
    void BrokenSyntaxFails()
    {
        QFETCH(QString, text);
        TestEnvironment env;
        DataReplayScript record;
        QVERIFY(!ReplayScriptParser().ParseScript(text, record));
    }

    void DeepNestingIsRefusedNotACrash()
    {
        TestEnvironment env;
        QString text = "[game]{";
        for (int i = 0; i < 200000; ++i)
            text += "[a]{";
        DataReplayScript record;
        QVERIFY(!ReplayScriptParser().ParseScript(text, record));
        QVERIFY(env.LogContains("ReplayScriptParser :: sections nested too deep"));

        QString allowed = "[game]{";
        for (int i = 0; i < ReplayScriptParser::MaxDepth - 1; ++i)
            allowed += "[a]{";
        QVERIFY(ReplayScriptParser().ParseScript(allowed, record));
    }

    // The parser and the byte counter the demo reader runs first refuse the same scripts.
    void CountLimitsOnTextAndBytes_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("refusal");
        const QByteArray game = "[game]{";
        QTest::newRow("1268 sections") << game + QByteArray("[s]{}").repeated(1267) + "}"
                                       << "more than 1267 sections";
        QTest::newRow("keys starting beyond ASCII") << game + QByteArray("\xc3\xa9=1;").repeated(131073) + "}"
                                                    << "more than 131072 keys";
        QTest::newRow("symbols beyond ASCII")
            << game + QByteArray("\xe2\x82\xac").repeated(131073) + "}" << QString();
        QTest::newRow("overlong letters")
            << game + QByteArray("\xc1\x81").repeated(131073) + "}" << QString();
    }
    void CountLimitsOnTextAndBytes()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, refusal);
        ReplayScriptParser parser;
        DataReplayScript record;
        QCOMPARE(parser.ParseScript(QString::fromUtf8(script), record), refusal.isEmpty());
        QCOMPARE(parser.Refusal(), refusal);
        ReplayScriptCounter counter;
        QCOMPARE(counter.Feed(script.constData(), script.size()), refusal.isEmpty());
        QCOMPARE(counter.Refusal(), refusal);
    }

    // Keeping only what the record reads gives the very record the whole tree gives, also where
    // a later entry of the same name hides an earlier one, and drops the rest of the script.
    void RecordOnlyReadsTheSame_data()
    {
        QTest::addColumn<QString>("text");
        const QString player = "[PLAYER0]\n{\nName=ann;\nTeam=0;\nCountryCode=de;\nRank=2;\n}\n";
        QTest::newRow("real demo") << RealDemoScript();
        QTest::newRow("options dropped")
            << Script(player + TeamZero + "[MODOPTIONS]\n{\nname=opt;\nteam=7;\nmaxunits=500;\n[deep]\n{\nside=x;\n}\n}\n");
        QTest::newRow("a leaf hides a player") << Script(player + TeamZero + "player0=1;\n");
        QTest::newRow("a player after a leaf") << Script("player0=1;\n" + player + TeamZero);
        QTest::newRow("a leaf hides a team") << Script(player + TeamZero + "team0=1;\n");
        QTest::newRow("a leaf hides the game") << "[game]{" + player + TeamZero + "}\ngame=1;";
        QTest::newRow("a section hides a name")
            << Script("[PLAYER0]\n{\nName=ann;\nTeam=0;\n[name]\n{\n}\n}\n" + TeamZero);
        QTest::newRow("a name after a section")
            << Script("[PLAYER0]\n{\n[name]\n{\n}\nName=ann;\nTeam=0;\n}\n" + TeamZero);
        QTest::newRow("a section hides the ally team")
            << Script(player + "[TEAM0]\n{\nAllyTeam=3;\nRgbColor=1 0 0;\n[allyteam]\n{\n}\n}\n");
        QTest::newRow("keys deep in a player") << Script(
            "[PLAYER0]\n{\nTeam=0;\n[x]\n{\nname=deep;\n[y]\n{\nname=deeper;\n}\n}\n}\n" + TeamZero);
        QTest::newRow("a second game section") << Script(player + TeamZero) + "[game]{mapname=m;}";
        QTest::newRow("sections beside the game")
            << "[other]{[player0]{name=x;}}" + Script(player + TeamZero);
        QTest::newRow("long name") << Script("[PLAYER0]\n{\nName=" + QString(257, 'n') + ";\nTeam=0;\n}\n" +
                                             TeamZero);
        QTest::newRow("spectators and AIs")
            << Script(player + TeamZero +
                      "[PLAYER1]\n{\nName=sid;\nSpectator=1;\n}\n[AI0]\n{\nShortName=b;\n"
                      "Version=2;\nTeam=0;\n[OPTIONS]\n{\nshortname=no;\n}\n}\n");
    }

    void RecordOnlyReadsTheSame()
    {
        QFETCH(QString, text);
        TestEnvironment env;
        ReplayScriptParser whole;
        ReplayScriptParser lean(ReplayScriptParser::Keep::RecordOnly);
        DataReplayScript a;
        DataReplayScript b;
        const bool wholeOk = whole.ParseScript(text, a);
        QCOMPARE(lean.ParseScript(text, b), wholeOk);
        QCOMPARE(lean.Refusal(), whole.Refusal());
        QCOMPARE(b.gameName, a.gameName);
        QCOMPARE(b.mapName, a.mapName);
        const auto describe = [](const QList<DataPlayer>& players)
        {
            QStringList out;
            for (const DataPlayer& p : players)
                out << QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9")
                           .arg(p.name, p.country, p.rank, p.sideName, p.color.name(), p.aiVersion)
                           .arg(p.team)
                           .arg(p.allyTeam)
                           .arg(p.isAi);
            return out;
        };
        QCOMPARE(describe(b.players), describe(a.players));
        QCOMPARE(describe(b.spectators), describe(a.spectators));
        if (text.contains("MODOPTIONS"))
        {
            const auto options = [](const ReplayScriptParser& parser)
            { return parser.Root().Hash().value("game").Hash().value("modoptions").Hash(); };
            QCOMPARE(options(whole).size(), 4);
            QStringList kept = options(lean).keys();
            kept.sort();
            QCOMPARE(kept, (QStringList{"name", "team"})); // what a record could read
        }
    }

    void PlayersBeforeAFailureStay()
    {
        const QString body =
            TeamZero + "[PLAYER0]\n{\nName=ok;\nTeam=0;\n}\n[PLAYER1]\n{\nName=bad;\nTeam=9;\n}\n";
        DataReplayScript record;
        QVERIFY(!ReplayScriptParser().ParseScript(Script(body), record));
        QCOMPARE(record.players.size(), 1);
        QCOMPARE(record.players.at(0).name, "ok");
    }

    // The value tree the parser builds (and the generator writes from): plain use is driven by the
    // scripts above and the generator's golden files; here its edges.
    void InsertHashEmptiesAnExistingSection_ContainsAddsNothing()
    {
        Variable root(VariableHash{});
        root.Insert("s", VariableHash()).Insert("a", QVariant(1));
        QVERIFY(root.Contains("s") && !root.Contains("t"));
        QCOMPARE(root.Hash().keys(), QStringList{"s"});
        QCOMPARE(root["s"].Hash().size(), 1);
        Variable& again = root.Insert("s", VariableHash());
        QVERIFY(again.IsHash());
        QCOMPARE(again.Hash().size(), 0);
    }

    void SectionOperationsOnLeafReportAndGoOn()
    {
        TestEnvironment env;
        Variable leaf(QVariant("text"));
        Variable& child = leaf["k"];
        child = QVariant(1); // writes to a scratch node, never into the leaf
        QVERIFY(env.LogContains("Variable :: can't convert 'QString' to hash!"));
        QCOMPARE(leaf.toString(), "text");
        QVERIFY(!leaf.Contains("k"));
        QCOMPARE(leaf.Hash().size(), 0);
        QVERIFY(!leaf["k"].isValid());
        leaf.Insert("k", QVariant(2));
        leaf.Insert("k", VariableHash());
        QCOMPARE(leaf.toString(), "text");

        env.ClearLog();
        Variable invalid;
        QVERIFY(!invalid.Contains("k"));
        QVERIFY(env.LogContains("Variable :: can't convert 'Invalid' to hash!"));
        const Variable constLeaf(QVariant(4));
        QCOMPARE(constLeaf.Hash().size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestReplayScriptParser)
#include "tst_ReplayScriptParser.moc"
