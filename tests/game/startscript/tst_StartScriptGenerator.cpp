#include "StartScriptGenerator.h"
#include "TestEnvironment.h"
#include "helper_Records.h"

#include <QtTest>

using namespace TestRecords;

namespace
{
// The expected script, byte for byte, from the golden folder.
QString Golden(const QString& name)
{
    QFile file(QFINDTESTDATA(QStringLiteral("golden/") + name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
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
        const QString expected = Golden(QStringLiteral("host_one_against_ai.txt"));
        QCOMPARE(generator.Script(), expected);
        QVERIFY(generator.LaunchProblems().isEmpty());
        QVERIFY(env.LogContains(QStringLiteral("StartScriptGenerator :: AppendOptionsList")));
        QVERIFY(env.LogContains(QStringLiteral("StartScriptGenerator :: HOST SCRIPT GENERATED")));
    }

    void HostScript_SpectatorsSharedTeamsAllyTeams3And7_Golden()
    {
        DataStartScript r = OneAgainstAi();
        r.options = DataBattleOptions();
        r.options.section = QStringLiteral("mapoptions");
        r.options.SetValue(QStringLiteral("water"), QStringLiteral("low"));
        r.options.SetValue(QStringLiteral("Fog"), QStringLiteral("1"));
        r.options.SetValue(QStringLiteral("water"), QStringLiteral("high")); // the last value wins
        r.startRects.clear();
        r.startRects.insert(7, QRect(50, 0, 50, 100));
        r.startRects.insert(3, QRect(0, 0, 20, 20));
        r.players.clear();
        r.ais.clear();
        DataPlayer a = Player(QStringLiteral("Alpha"), 4, 7, QColor(0, 128, 255), QStringLiteral("Arm"));
        a.password = QStringLiteral("pw");
        r.players << a;
        r.players << Spectator(QStringLiteral("Watcher"));
        r.players << Player(QStringLiteral("Beta"), 4, 7, Qt::white,
                            QStringLiteral("Other side")); // shares Alpha's team
        r.players << Player(QStringLiteral("Gamma"), 2, 3, Qt::green, QStringLiteral("Core"));
        r.ais << Ai(QStringLiteral("Helper"), QStringLiteral("NullAI"), QStringLiteral("Gamma"), 9, 3);
        const StartScriptGenerator generator(r);
        const QString expected = Golden(QStringLiteral("host_teams_and_spectators.txt"));
        QCOMPARE(generator.Script(), expected);
        QVERIFY(generator.LaunchProblems().isEmpty());
    }

    void HostScript_ElevenPlayers_Player10BetweenPlayer1And2()
    {
        DataStartScript r = OneAgainstAi();
        r.players.clear();
        for (int i = 0; i < 11; ++i)
            r.players << Player(QStringLiteral("P%1").arg(i), i, i % 2);
        r.ais.first().aiOwner = QStringLiteral("P10");
        const StartScriptGenerator generator(r);
        const QStringList sections = RootSections(generator.Script());
        QCOMPARE(sections.mid(0, 3), QStringList({"AI11", "ALLYTEAM0", "ALLYTEAM1"}));
        QCOMPARE(sections.mid(3, 11),
                 QStringList({"PLAYER0", "PLAYER1", "PLAYER10", "PLAYER2", "PLAYER3", "PLAYER4", "PLAYER5",
                              "PLAYER6", "PLAYER7", "PLAYER8", "PLAYER9"}));
        QCOMPARE(sections.mid(14, 3), QStringList({"TEAM0", "TEAM1", "TEAM10"}));
        QVERIFY(generator.Script().contains(QStringLiteral("\t[AI11]\n\t{\n\t\tHost=10;\n")));
    }

    void HostScript_NoOptions_NoSectionNoLogLine()
    {
        TestEnvironment env;
        DataStartScript r = OneAgainstAi();
        r.options = DataBattleOptions();
        const StartScriptGenerator generator(r);
        QVERIFY(!generator.Script().contains(QStringLiteral("modoptions")));
        QVERIFY(!env.LogContains(QStringLiteral("AppendOptionsList")));
        QVERIFY(generator.Script().endsWith(QStringLiteral("\tstartpostype=2;\n}\n")));
    }

    void HostScript_EmptyFieldsAreEmptyValues()
    {
        DataStartScript r = OneAgainstAi();
        r.mapName.clear();
        const StartScriptGenerator generator(r);
        QVERIFY(generator.Script().contains(QStringLiteral("\n\tMapName=;\n")));
    }

    void HostScript_AiOwnerMissing_HostMinusOneAndLaunchProblem()
    {
        TestEnvironment env;
        DataStartScript r = OneAgainstAi();
        r.ais.first().aiOwner = QStringLiteral("Nobody");
        const StartScriptGenerator generator(r);
        QVERIFY(
            env.LogContains(QStringLiteral("StartScriptGenerator :: script not contains AI owner: Nobody")));
        QVERIFY(generator.Script().contains(QStringLiteral("\t[AI1]\n\t{\n\t\tHost=-1;\n")));
        QVERIFY(generator.Script().contains(QStringLiteral("\t\tSide=Core;\n\t\tTeamLeader=-1;\n")));
        QCOMPARE(generator.LaunchProblems().size(), 1);
        QVERIFY(generator.LaunchProblems().first().contains(QStringLiteral("Nobody")));
    }

    void HostScript_DuplicatePlayerNames_LaunchProblem()
    {
        DataStartScript r = OneAgainstAi();
        r.players << Spectator(QStringLiteral("Commander"));
        const StartScriptGenerator generator(r);
        QCOMPARE(generator.LaunchProblems().size(), 1);
        QVERIFY(generator.LaunchProblems().first().contains(QStringLiteral("Commander")));
    }

    void UnsafeCharactersNeverReachTheText()
    {
        TestEnvironment env;
        DataStartScript r = OneAgainstAi();
        r.players.first().name = QStringLiteral("[Clan]Name;x");
        r.ais.first().aiOwner = r.players.first().name;
        r.players.first().rank = QStringLiteral("a]]]b");
        r.mapName = QStringLiteral("Map {1}\tx\nline2\r");
        r.options.SetValue(QStringLiteral("bad=key]{x}\n"), QStringLiteral("v;[x]"));
        r.options.SetValue(QStringLiteral(" a b "), QStringLiteral("1"));
        r.options.SetValue(QStringLiteral("a_b"), QStringLiteral("2")); // comes out like " a b "
        r.options.SetValue(QStringLiteral(" \t"), QStringLiteral("3"));
        r.options.section = QStringLiteral("mod[options]");
        const StartScriptGenerator generator(r);
        const QString script = generator.Script();
        QVERIFY(script.contains(QStringLiteral("\t\tName=[Clan]Name,x;\n"))); // clan tags stay
        QVERIFY(script.contains(QStringLiteral("\t\tRank=a])]b;\n")));
        QVERIFY(script.contains(QStringLiteral("\tMapName=Map {1}\tx line2 ;\n"))); // tabs stay
        QVERIFY(script.contains(QStringLiteral("\t[mod(options)]\n")));
        QVERIFY(script.contains(QStringLiteral("\t\tbad-key)(x)=v,[x];\n")));
        QVERIFY(script.contains(QStringLiteral("\t\ta_b=1;\n")));
        QVERIFY(!script.contains(QStringLiteral("a_b=2;")));
        QVERIFY(!script.contains(QStringLiteral("\t=3;")));
        QVERIFY(env.LogContains(QStringLiteral(
            "StartScriptGenerator :: name the script can't carry renamed in mod(options) \" a b \" -> a_b")));
        QVERIFY(env.LogContains(QStringLiteral(
            "StartScriptGenerator :: name the script can't carry dropped in mod(options) \" \\x09\"")));
        QVERIFY(script.contains(QStringLiteral("\t\tHost=0;\n"))); // the owner is still found
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
            QVERIFY2(!key.contains(QRegularExpression(QStringLiteral("[\\[\\]{}]"))), qPrintable(t));
        }
        QVERIFY(env.LogContains(
            QStringLiteral("StartScriptGenerator :: characters the script can't carry replaced in")));
    }

    void ClientScript_Golden_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("expected");
        QTest::newRow("with password")
            << QStringLiteral("secret")
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
        QVERIFY(env.LogContains(QStringLiteral("StartScriptGenerator :: CLIENT SCRIPT GENERATED")));
    }

    void ClientScript_UnsafePasswordReplaced()
    {
        const StartScriptGenerator generator(Client(QStringLiteral("a;b\n")));
        QVERIFY(generator.Script().contains(QStringLiteral("\tMyPasswd=a,b ;\n")));
    }

    void FounderNotHost_NoScriptAndAProblem()
    {
        DataStartScript r = Client(QString());
        r.me.isBattleFounder = true;
        const StartScriptGenerator generator(r);
        QVERIFY(generator.Script().isEmpty());
        QCOMPARE(generator.LaunchProblems().size(), 1);
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
        QTest::newRow("text") << QVariant(QStringLiteral(" a b ")) << " a b ";
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
