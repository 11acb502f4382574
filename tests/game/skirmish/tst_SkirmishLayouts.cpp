// Start boxes, mission name, start position and AI teams of the skirmish handler, and its AI
// roster and catalogue.

#include "AIHandler.h"
#include "AppSettings.h"
#include "SkirmishHandler.h"
#include "TestEnvironment.h"
#include "helper_SkirmishContent.h"

#include <QSignalSpy>
#include <QtTest>

namespace
{
// A bare mode: Me and, for tests, other human players.
class PlainHandler : public SkirmishHandler
{
public:
    int limit = 100;

    void JoinBattle() override
    {
        JoinMe();
        emit OnJoin();
    }
    void LeaveBattle() override
    {
        ResetBattle();
        emit OnLeave();
    }
    bool IsAILimitReached() const override { return m_ais->Count() >= limit; }

    void AddHuman(const QString& name, int team)
    {
        DataPlayer p(name, true, false);
        p.team = team;
        m_players.insert(name, p);
    }
};

QRect Box(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(x1, y1), QPoint(x2, y2));
}

using Boxes = QList<QRect>;
DataPlayer OwnedAi(const QString& owner)
{
    DataPlayer ai = AIHandler::MakeRavAI(0);
    ai.aiOwner = owner;
    return ai;
}

QStringList Names(const QList<DataPlayer>& list)
{
    QStringList names;
    for (const DataPlayer& p : list)
        names << p.name;
    return names;
}
} // namespace

class TestSkirmishLayouts : public QObject
{
    Q_OBJECT

private slots:
    void layouts_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("percent");
        QTest::addColumn<Boxes>("expected");
        const QRect all = Box(0, 0, 100, 100);
        QTest::newRow("top-bottom 0") << 0 << 0 << Boxes{Box(0, 0, 100, 1), Box(0, 99, 100, 100)};
        QTest::newRow("top-bottom 25") << 0 << 25 << Boxes{Box(0, 0, 100, 25), Box(0, 75, 100, 100)};
        QTest::newRow("top-bottom 100") << 0 << 100 << Boxes{all, all};
        QTest::newRow("left-right 0") << 1 << 0 << Boxes{Box(0, 0, 1, 100), Box(99, 0, 100, 100)};
        QTest::newRow("left-right 25") << 1 << 25 << Boxes{Box(0, 0, 25, 100), Box(75, 0, 100, 100)};
        QTest::newRow("left-right 250") << 1 << 250 << Boxes{all, all};
        QTest::newRow("corners 0") << 2 << 0
                                   << Boxes{Box(0, 0, 1, 1), Box(99, 99, 100, 100), Box(99, 0, 100, 1),
                                            Box(0, 99, 1, 100)};
        QTest::newRow("corners 25") << 2 << 25
                                    << Boxes{Box(0, 0, 25, 25), Box(75, 75, 100, 100), Box(75, 0, 100, 25),
                                             Box(0, 75, 25, 100)};
        QTest::newRow("corners 250") << 2 << 250 << Boxes{all, all, all, all};
        QTest::newRow("edges 0") << 3 << 0
                                 << Boxes{Box(49, 0, 50, 1), Box(49, 99, 50, 100), Box(0, 49, 1, 50),
                                          Box(99, 49, 100, 50)};
        QTest::newRow("edges 25") << 3 << 25
                                  << Boxes{Box(37, 0, 62, 25), Box(37, 75, 62, 100), Box(0, 37, 25, 62),
                                           Box(75, 37, 100, 62)};
        QTest::newRow("edges 250") << 3 << 250 << Boxes{all, all, all, all};
        QTest::newRow("none") << 4 << 25 << Boxes{};
        QTest::newRow("negative layout") << -1 << 25 << Boxes{};
    }

    void layouts()
    {
        QFETCH(int, layout);
        QFETCH(int, percent);
        QFETCH(Boxes, expected);
        TestEnvironment env;
        SkirmishContent content(env);
        PlainHandler handler;
        handler.JoinBattle();
        handler.ApplyStartRectsLayout(1, 10); // something to replace
        QSignalSpy removed(&handler, &SkirmishHandler::OnRemoveStartRect);
        handler.ApplyStartRectsLayout(layout, percent);
        QCOMPARE(removed.count(), 2);
        QCOMPARE(handler.StartRects().values(), expected);
        QCOMPARE(SkirmishHandler::MakeStartRectsLayout(layout, percent), expected);
        QVERIFY(!env.LogContains("Out of area"));
    }

    void boxesStayOnTheMap()
    {
        TestEnvironment env;
        SkirmishContent content(env);
        PlainHandler handler;
        QSignalSpy appended(&handler, &SkirmishHandler::OnAppendStartRect);

        handler.AppendRect(0, QRect(0, 0, 101, 101)); // ends at 100: fine
        handler.AppendRect(1, QRect(0, 0, 102, 50));  // reaches 101
        handler.AppendRect(2, QRect(-5, 0, 20, 20));  // starts left of the map
        handler.AppendRect(3, QRect(10, -1, 20, 20));
        handler.AppendRect(4, QRect(10, 10, 0, 0)); // nothing
        QCOMPARE(appended.count(), 1);
        QCOMPARE(handler.StartRects().keys(), QList<int>{0});
        QCOMPARE(env.LogLines().filter("SkirmishHandler :: AppendRect --- Out of area").size(), 4);
        QVERIFY(env.LogContains("SkirmishHandler :: AppendRect --- Out of area 101 49"));

        // The editor's boxes are clipped to the map, never stored outside it.
        handler.DoAppendRect(5, QRect(90, -10, 30, 30));
        QCOMPARE(handler.StartRects().value(5), Box(90, 0, 100, 19));
        handler.DoAppendRect(6, QRect(200, 200, 10, 10));
        QVERIFY(!handler.StartRects().contains(6));
        for (const QRect& r : handler.StartRects())
            QVERIFY(SkirmishHandler::Area().contains(r));

        QSignalSpy removed(&handler, &SkirmishHandler::OnRemoveStartRect);
        handler.DoRemoveRect(42); // unknown team: still announced
        QCOMPARE(removed.count(), 1);
    }

    void setStartRectsReplacesAll()
    {
        TestEnvironment env;
        SkirmishContent content(env);
        PlainHandler handler;
        for (int i = 0; i < 5; ++i)
            handler.AppendRect(i, QRect(i, i, 10, 10));
        QSignalSpy removed(&handler, &SkirmishHandler::OnRemoveStartRect);
        QSignalSpy appended(&handler, &SkirmishHandler::OnAppendStartRect);
        handler.SetStartRects({QRect(0, 0, 10, 10), QRect(0, 0, 200, 10), QRect(50, 50, 10, 10)});
        QCOMPARE(removed.count(), 5);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(removed.at(i).first().toInt(), i);
        QCOMPARE(appended.count(), 2); // the middle one is off the map
        QCOMPARE(handler.StartRects().keys(), (QList<int>{0, 2}));
    }

    void missionNameAndStartPosition()
    {
        TestEnvironment env;
        SkirmishContent content(env);
        PlainHandler handler;
        QCOMPARE(handler.MissionName(), "none");
        handler.SetMissionName("m1");
        handler.SetMissionName("m1");
        int count = 0;
        for (const DataBattleOption& o : handler.Battle().options.options)
            count += o.key == QLatin1String("mission_name");
        QCOMPARE(count, 1);
        QCOMPARE(handler.MissionName(), "m1");
        handler.SetMissionName(QString());
        QCOMPARE(handler.MissionName(), "none");

        QCOMPARE(handler.StartPosType(), "2");
        handler.SetStartPosType(QString());
        handler.SetStartPosType("fixed");
        QCOMPARE(handler.StartPosType(), "2");
        QVERIFY(env.LogContains("SkirmishHandler :: SetStartPosType --- not a start position:"));
        handler.SetStartPosType(" 0 ");
        QCOMPARE(handler.StartPosType(), "0");

        // A left battle still names no mission in its next script.
        handler.JoinBattle();
        handler.LeaveBattle();
        QCOMPARE(handler.MissionName(), "none");
    }

    void aiTeamsAndLimit()
    {
        TestEnvironment env;
        SkirmishContent content(env);
        PlainHandler handler;
        handler.JoinBattle(); // Me on team 0
        handler.AddHuman("Other", 2);
        handler.AppendAI(AIHandler::MakeRavAI(0), true);
        QCOMPARE(handler.AIs()->GetAIs().first().team, 1);
        QCOMPARE(handler.AIs()->GetAIs().first().aiOwner, handler.MeKey());
        QCOMPARE(handler.AIs()->GetAIs().first().name, handler.MeKey() + " I");
        handler.AppendAI(AIHandler::MakeRavAI(0), true);
        QCOMPARE(handler.AIs()->GetAIs().last().team, 3);

        DataPlayer fixed = AIHandler::MakeRavAI(0);
        fixed.team = 7;
        handler.AppendAI(fixed, false);
        QCOMPARE(handler.AIs()->GetAIs().last().team, 7);

        handler.limit = 3;
        QSignalSpy joined(&handler, &SkirmishHandler::OnPlayerJoined);
        handler.AppendAI(AIHandler::MakeRavAI(0), true);
        QCOMPARE(joined.count(), 0);
        QCOMPARE(handler.AIs()->Count(), 3);

        QCOMPARE(handler.PlayerData("Other").team, 2);
        QCOMPARE(handler.PlayerData(handler.MeKey() + " II").team, 3);
        QCOMPARE(handler.PlayerData("ghost").name, "DummyPlayer");
        QVERIFY(env.LogContains("SkirmishHandler :: PlayerData --- No such player ghost"));
    }

    void contentChoicesMustBeInstalled()
    {
        TestEnvironment env;
        SkirmishContent content(env);
        PlainHandler handler;
        handler.JoinBattle();
        QSignalSpy mapChanged(&handler, &SkirmishHandler::OnMapChanged);

        handler.SetMapName("Nowhere");
        QCOMPARE(handler.MapName(), QString());
        QVERIFY(env.LogContains("SkirmishHandler :: SetMapName --- NO such a map Nowhere"));
        handler.SetMapName(content.mapName);
        handler.SetMapName(content.mapName); // unchanged: no second signal
        QCOMPARE(mapChanged.count(), 1);
        QCOMPARE(mapChanged.first().first().toString(), content.mapName);

        handler.SetGameVersion("Old Game 0");
        QVERIFY(env.LogContains("SkirmishHandler :: SetGameVersion --- NO such game Old Game 0"));
        QCOMPARE(handler.GameVersion(), QString());
        handler.SetGameVersion(content.gameVersion);
        QCOMPARE(handler.GameVersion(), content.gameVersion);
        QCOMPARE(handler.Battle().gameName, content.gameEntry);

        handler.SetEngineVersion("1.0");
        QVERIFY(env.LogContains("SkirmishHandler :: SetEngineVersion --- NO such engine 1.0"));
        handler.SetEngineVersion(content.engineVersion);
        QCOMPARE(handler.EngineVersion(), content.engineVersion);
    }

    void meIsAlwaysThere()
    {
        TestEnvironment env;
        SkirmishContent content(env);
        PlainHandler handler;
        DataPlayer& me = handler.GetMe();
        QVERIFY(env.LogContains("SkirmishHandler :: ME --- There is no ME in the list"));
        me.name = "changed";
        QCOMPARE(handler.GetMe().name, "changed");

        QSignalSpy meChanged(&handler, &SkirmishHandler::OnMeChanged);
        handler.SetMyTeam(-1);
        QVERIFY(handler.GetMe().spectator);
        QVERIFY(!handler.GetMe().plays);
        handler.SetMyTeam(-1); // no change, no signal
        handler.SetMyTeam(3, true);
        QVERIFY(handler.GetMe().plays);
        QCOMPARE(meChanged.count(), 1);
    }

    // The AI roster and catalogue.
    // Names and order. Roman numbers up to ten, then decimals; a freed name is the next one given;
    // the roster lists in the order of adding, also when the AI added last was removed and the next
    // one takes its appending number; a clear is silent and starts again.
    void namesFillGapsInOrder_data()
    {
        // "+Owner": an AI of that owner through AppendUnique; "-Name": removed; "clear".
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("names"); // the roster's AIs in order
        QStringList eleven;
        for (int i = 0; i < 11; ++i)
            eleven << "+Bob";
        const QStringList bobs{"Bob I",   "Bob II",   "Bob III", "Bob IV", "Bob V", "Bob VI",
                               "Bob VII", "Bob VIII", "Bob IX",  "Bob X",  "Bob 11"};
        QStringList freed = bobs;
        freed.move(1, freed.size() - 1);
        QTest::newRow("eleven of one owner") << eleven << bobs;
        QTest::newRow("a freed name is given next") << eleven + QStringList{"-Bob II", "+Bob"} << freed;
        QTest::newRow("a clear starts again")
            << QStringList{"+Bob", "+Bob", "clear", "+Bob"} << QStringList{"Bob I"};
        QTest::newRow("the AI added last removed")
            << QStringList{"+Bob", "+Bob", "-Bob II", "+Ann"} << QStringList{"Bob I", "Ann I"};
        QTest::newRow("the two added last removed")
            << QStringList{"+Bob", "+Bob", "+Bob", "-Bob III", "-Bob II", "+Ann", "+Bob"}
            << QStringList{"Bob I", "Ann I", "Bob II"};
        QTest::newRow("the only AI removed")
            << QStringList{"+Bob", "-Bob I", "+Ann", "+Bob"} << QStringList{"Ann I", "Bob I"};
        QTest::newRow("the AI added first removed")
            << QStringList{"+Bob", "+Ann", "-Bob I", "+Cy", "+Bob"} << QStringList{"Ann I", "Cy I", "Bob I"};
    }

    void namesFillGapsInOrder()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, names);
        TestEnvironment env;
        AIHandler roster;
        QSignalSpy removed(&roster, &AIHandler::OnRemove);
        int removes = 0;
        for (const QString& step : steps)
        {
            if (step == "clear")
                roster.Clear();
            else if (step.startsWith('+'))
                roster.AppendUnique(OwnedAi(step.mid(1)));
            else
            {
                roster.Remove(step.mid(1));
                ++removes;
            }
        }
        QCOMPARE(Names(roster.GetAIs()), names);
        QCOMPARE(roster.Count(), names.size());
        QCOMPARE(removed.count(), removes);
        QVERIFY2(env.LogLines().filter("WARNING").isEmpty(), qPrintable(env.LogLines().join('\n')));
        QCOMPARE(AIHandler::NumberSuffix(100), "100");
    }

    void emptyOwnerBecomesUnknown()
    {
        TestEnvironment env;
        AIHandler roster;
        QSignalSpy appended(&roster, &AIHandler::OnAppend);
        roster.AppendUnique(OwnedAi(QString()));
        QCOMPARE(appended.count(), 1);
        const DataPlayer ai = appended.first().first().value<DataPlayer>();
        QCOMPARE(ai.name, "Unknown I");
        QCOMPARE(ai.aiOwner, "Unknown");
        QVERIFY(roster.Contains("Unknown I"));
    }

    void allCandidatesTakenKeepsOwnName()
    {
        TestEnvironment env;
        AIHandler roster;
        for (int i = 0; i < 100; ++i)
            roster.AppendUnique(OwnedAi("Cy"));
        QCOMPARE(roster.Count(), 100);
        QVERIFY(roster.Contains("Cy 100"));

        DataPlayer own = OwnedAi("Cy");
        own.name = "Lone Wolf";
        roster.AppendUnique(own);
        QVERIFY(roster.Contains("Lone Wolf"));

        QSignalSpy appended(&roster, &AIHandler::OnAppend);
        roster.AppendUnique(own); // same name again: refused
        QCOMPARE(appended.count(), 0);
        QCOMPARE(roster.Count(), 101);
        QVERIFY(env.LogContains("AIManager :: DoAppend --- There is already such an AI Lone Wolf"));
    }

    void appendUpdateRemoveSignalsAndWarnings()
    {
        TestEnvironment env;
        AIHandler roster;
        QSignalSpy appended(&roster, &AIHandler::OnAppend);
        QSignalSpy updated(&roster, &AIHandler::OnUpdate);
        QSignalSpy removed(&roster, &AIHandler::OnRemove);

        DataPlayer ai = AIHandler::MakeVeskaAI(1);
        ai.name = "Exact";
        roster.DoAppend(ai);
        roster.DoAppend(ai);
        QCOMPARE(appended.count(), 1);
        QCOMPARE(roster.GetAI("Exact").name, "Exact"); // used unchanged

        ai.color = Qt::red;
        roster.DoUpdate(ai);
        QCOMPARE(updated.count(), 1);
        QCOMPARE(roster.GetAI("Exact").color, QColor(Qt::red));

        DataPlayer stranger = ai;
        stranger.name = "Nobody";
        roster.DoUpdate(stranger);
        roster.DoRemove("Nobody");
        QCOMPARE(updated.count(), 1);
        QCOMPARE(removed.count(), 0);
        QVERIFY(env.LogContains("AIManager :: DoUpdate --- There is NO such an AI Nobody"));
        QVERIFY(env.LogContains("AIManager :: DoRemove --- There is NO such an AI Nobody"));

        roster.DoRemove("Exact");
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.first().first().value<DataPlayer>().color, QColor(Qt::red));
        QCOMPARE(roster.Count(), 0);

        const DataPlayer dummy = roster.GetAI("Exact");
        QCOMPARE(dummy.name, "PlayerDummy");
        QVERIFY(dummy.isAi);
        QVERIFY(!dummy.plays);
        QVERIFY(env.LogContains("AIManager :: There is NO such an AI Exact"));
    }

    // The catalogue's rows as the start scripts carry them (short name, colour, side) are checked
    // by the golden mode scripts and the AI dialogs; here the rows' edges.
    void catalogue()
    {
        TestEnvironment env; // game row 0: sides Arm, Core
        const DataPlayer rav = AIHandler::MakeAI("AI: R.A.V.", 3, 1);
        QVERIFY(rav.isAi && rav.aiKind == QLatin1String("AI: R.A.V."));
        QCOMPARE(rav.sideName, "Core");
        // The Skitterhive ignores the side; an unknown level is the easy one.
        const DataPlayer skitter = AIHandler::MakeAI("AI: SKITTERS", 0, 3);
        QCOMPARE(skitter.aiShortName, "Skitter: Easy");
        QCOMPARE(skitter.side, DataPlayer().side);
        QCOMPARE(skitter.sideName, DataPlayer().sideName);
        QCOMPARE(AIHandler::MakeSkitterhiveAI(4).aiShortName, "Skitter: Easy");
        const DataPlayer custom = AIHandler::MakeAI("MyBot", 2, 1);
        QCOMPARE(custom.aiShortName, "MyBot");
        QCOMPARE(custom.aiKind, "AI: CUSTOM - MyBot");
        QCOMPARE(custom.color, QColor(255, 160, 0));
        QCOMPARE(custom.side, 1);
        // Kinds are matched exactly: a lower-case key is a custom AI.
        QCOMPARE(AIHandler::MakeAI("ai: r.a.v.", 0, 0).aiKind, "AI: CUSTOM - ai: r.a.v.");
        QCOMPARE(AIHandler::SideName(7), "NONE");
        QCOMPARE(AIHandler::SideName(-1), "NONE");
    }
};

QTEST_MAIN(TestSkirmishLayouts)
#include "tst_SkirmishLayouts.moc"
