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
    void namesFillGapsInOrder()
    {
        TestEnvironment env;
        AIHandler roster;
        DataPlayer first = OwnedAi(QStringLiteral("Alice"));
        roster.AppendUnique(first);
        roster.AppendUnique(first);
        roster.AppendUnique(first);
        QCOMPARE(Names(roster.GetAIs()), (QStringList{"Alice I", "Alice II", "Alice III"}));
        QCOMPARE(first.name, DataPlayer().name); // the caller's record is untouched

        roster.Remove(QStringLiteral("Alice II"));
        roster.AppendUnique(first);
        QCOMPARE(Names(roster.GetAIs()), (QStringList{"Alice I", "Alice III", "Alice II"}));
    }

    void romanThenDecimalSuffixes()
    {
        TestEnvironment env;
        AIHandler roster;
        for (int i = 0; i < 11; ++i)
            roster.AppendUnique(OwnedAi(QStringLiteral("Bob")));
        QCOMPARE(Names(roster.GetAIs()),
                 (QStringList{"Bob I", "Bob II", "Bob III", "Bob IV", "Bob V", "Bob VI", "Bob VII",
                              "Bob VIII", "Bob IX", "Bob X", "Bob 11"}));
        QCOMPARE(AIHandler::NumberSuffix(100), QStringLiteral("100"));
    }

    void emptyOwnerBecomesUnknown()
    {
        TestEnvironment env;
        AIHandler roster;
        QSignalSpy appended(&roster, &AIHandler::OnAppend);
        roster.AppendUnique(OwnedAi(QString()));
        QCOMPARE(appended.count(), 1);
        const DataPlayer ai = appended.first().first().value<DataPlayer>();
        QCOMPARE(ai.name, QStringLiteral("Unknown I"));
        QCOMPARE(ai.aiOwner, QStringLiteral("Unknown"));
        QVERIFY(roster.Contains(QStringLiteral("Unknown I")));
    }

    void allCandidatesTakenKeepsOwnName()
    {
        TestEnvironment env;
        AIHandler roster;
        for (int i = 0; i < 100; ++i)
            roster.AppendUnique(OwnedAi(QStringLiteral("Cy")));
        QCOMPARE(roster.Count(), 100);
        QVERIFY(roster.Contains(QStringLiteral("Cy 100")));

        DataPlayer own = OwnedAi(QStringLiteral("Cy"));
        own.name = QStringLiteral("Lone Wolf");
        roster.AppendUnique(own);
        QVERIFY(roster.Contains(QStringLiteral("Lone Wolf")));

        QSignalSpy appended(&roster, &AIHandler::OnAppend);
        roster.AppendUnique(own); // same name again: refused
        QCOMPARE(appended.count(), 0);
        QCOMPARE(roster.Count(), 101);
        QVERIFY(env.LogContains(
            QStringLiteral("AIManager :: DoAppend --- There is already such an AI Lone Wolf")));
    }

    void appendUpdateRemoveSignalsAndWarnings()
    {
        TestEnvironment env;
        AIHandler roster;
        QSignalSpy appended(&roster, &AIHandler::OnAppend);
        QSignalSpy updated(&roster, &AIHandler::OnUpdate);
        QSignalSpy removed(&roster, &AIHandler::OnRemove);

        DataPlayer ai = AIHandler::MakeVeskaAI(1);
        ai.name = QStringLiteral("Exact");
        roster.DoAppend(ai);
        roster.DoAppend(ai);
        QCOMPARE(appended.count(), 1);
        QCOMPARE(roster.GetAI(QStringLiteral("Exact")).name, QStringLiteral("Exact")); // used unchanged

        ai.color = Qt::red;
        roster.DoUpdate(ai);
        QCOMPARE(updated.count(), 1);
        QCOMPARE(roster.GetAI(QStringLiteral("Exact")).color, QColor(Qt::red));

        DataPlayer stranger = ai;
        stranger.name = QStringLiteral("Nobody");
        roster.DoUpdate(stranger);
        roster.DoRemove(QStringLiteral("Nobody"));
        QCOMPARE(updated.count(), 1);
        QCOMPARE(removed.count(), 0);
        QVERIFY(env.LogContains(QStringLiteral("AIManager :: DoUpdate --- There is NO such an AI Nobody")));
        QVERIFY(env.LogContains(QStringLiteral("AIManager :: DoRemove --- There is NO such an AI Nobody")));

        roster.DoRemove(QStringLiteral("Exact"));
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.first().first().value<DataPlayer>().color, QColor(Qt::red));
        QCOMPARE(roster.Count(), 0);

        const DataPlayer dummy = roster.GetAI(QStringLiteral("Exact"));
        QCOMPARE(dummy.name, QStringLiteral("PlayerDummy"));
        QVERIFY(dummy.isAi);
        QVERIFY(!dummy.plays);
        QVERIFY(env.LogContains(QStringLiteral("AIManager :: There is NO such an AI Exact")));
    }

    void clearIsSilentAndRestartsOrder()
    {
        TestEnvironment env;
        AIHandler roster;
        roster.AppendUnique(OwnedAi(QStringLiteral("D")));
        roster.AppendUnique(OwnedAi(QStringLiteral("D")));
        QSignalSpy removed(&roster, &AIHandler::OnRemove);
        roster.Clear();
        QCOMPARE(removed.count(), 0);
        QCOMPARE(roster.Count(), 0);
        QVERIFY(roster.GetAIs().isEmpty());
        roster.AppendUnique(OwnedAi(QStringLiteral("D")));
        QCOMPARE(Names(roster.GetAIs()), QStringList{"D I"});
    }

    // The catalogue's rows as the start scripts carry them (short name, colour, side) are checked
    // by the golden mode scripts and the AI dialogs; here the rows' edges.
    void catalogue()
    {
        TestEnvironment env; // game row 0: sides Arm, Core
        const DataPlayer rav = AIHandler::MakeAI(QStringLiteral("AI: R.A.V."), 3, 1);
        QVERIFY(rav.isAi && rav.aiKind == QLatin1String("AI: R.A.V."));
        QCOMPARE(rav.sideName, QStringLiteral("Core"));
        // The Skitterhive ignores the side; an unknown level is the easy one.
        const DataPlayer skitter = AIHandler::MakeAI(QStringLiteral("AI: SKITTERS"), 0, 3);
        QCOMPARE(skitter.aiShortName, QStringLiteral("Skitter: Easy"));
        QCOMPARE(skitter.side, DataPlayer().side);
        QCOMPARE(skitter.sideName, DataPlayer().sideName);
        QCOMPARE(AIHandler::MakeSkitterhiveAI(4).aiShortName, QStringLiteral("Skitter: Easy"));
        const DataPlayer custom = AIHandler::MakeAI(QStringLiteral("MyBot"), 2, 1);
        QCOMPARE(custom.aiShortName, QStringLiteral("MyBot"));
        QCOMPARE(custom.aiKind, QStringLiteral("AI: CUSTOM - MyBot"));
        QCOMPARE(custom.color, QColor(255, 160, 0));
        QCOMPARE(custom.side, 1);
        // Kinds are matched exactly: a lower-case key is a custom AI.
        QCOMPARE(AIHandler::MakeAI(QStringLiteral("ai: r.a.v."), 0, 0).aiKind,
                 QStringLiteral("AI: CUSTOM - ai: r.a.v."));
        QCOMPARE(AIHandler::SideName(7), QStringLiteral("NONE"));
    }

    void descriptionSetters()
    {
        TestEnvironment env;
        DataPlayer ai = AIHandler::MakeCustomAI(QStringLiteral("NullAI"), 0);
        AIHandler::SetAIDescription(ai, QStringLiteral("NullAI"), 2);
        QCOMPARE(ai.aiShortName, QStringLiteral("NullAI"));
        AIHandler::SetAIDescription(ai, QStringLiteral("AI: SKITTERS"), 2);
        QCOMPARE(ai.aiShortName, QStringLiteral("Skitter: Hard"));
        QCOMPARE(ai.aiKind, QStringLiteral("AI: CUSTOM - NullAI")); // only the short name changes
        AIHandler::SetAIDescription(ai, QStringLiteral("AI: R.A.V."), 0);
        QCOMPARE(ai.aiShortName, QStringLiteral("R.A.V. - Normal"));
    }
};

QTEST_GUILESS_MAIN(TestAIHandler)
#include "tst_AIHandler.moc"
