#include "AIHandler.h"
#include "TestEnvironment.h"

#include <QSignalSpy>
#include <QtTest>

namespace
{
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

class TestAIHandler : public QObject
{
    Q_OBJECT

private slots:
    // Roman numbers up to ten, then decimals; a freed name is the next one given; a clear is
    // silent and starts again.
    void namesFillGapsInOrder()
    {
        TestEnvironment env;
        AIHandler roster;
        for (int i = 0; i < 11; ++i)
            roster.AppendUnique(OwnedAi("Bob"));
        QStringList names{"Bob I",   "Bob II",   "Bob III", "Bob IV", "Bob V", "Bob VI",
                          "Bob VII", "Bob VIII", "Bob IX",  "Bob X",  "Bob 11"};
        QCOMPARE(Names(roster.GetAIs()), names);
        QCOMPARE(AIHandler::NumberSuffix(100), "100");
        roster.Remove("Bob II");
        roster.AppendUnique(OwnedAi("Bob"));
        names.move(1, names.size() - 1);
        QCOMPARE(Names(roster.GetAIs()), names);

        QSignalSpy removed(&roster, &AIHandler::OnRemove);
        roster.Clear();
        QCOMPARE(removed.count(), 0);
        QCOMPARE(roster.Count(), 0);
        roster.AppendUnique(OwnedAi("Bob"));
        QCOMPARE(Names(roster.GetAIs()), QStringList{"Bob I"});
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

QTEST_GUILESS_MAIN(TestAIHandler)
#include "tst_AIHandler.moc"
