#include "TestEnvironment.h"
#include "Variable.h"

#include <QAssociativeIterable>
#include <QtTest>

class TestVariable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Variable::RegisterMetaTypes(); }

    void DefaultIsInvalidAndNotASection()
    {
        const Variable v;
        QVERIFY(!v.isValid());
        QVERIFY(!v.IsHash());
        QVERIFY(Variable(VariableHash()).IsHash());
        QVERIFY(!Variable(QVariant(5)).IsHash());
    }

    void SectionAccess_GrowsOnceKeepsCaseAndContainsDoesNotInsert()
    {
        Variable root(VariableHash{});
        QVERIFY(!root.Contains(QStringLiteral("key")));
        QCOMPARE(root.Hash().size(), 0);
        Variable& a = root[QStringLiteral("key")];
        QCOMPARE(root.Hash().size(), 1);
        QVERIFY(!a.isValid());
        a = QVariant(7);
        Variable& b = root[QStringLiteral("key")];
        QCOMPARE(root.Hash().size(), 1);
        QCOMPARE(&a, &b);
        root.Insert(QStringLiteral("Key"), QVariant(2));
        QCOMPARE(root.Hash().size(), 2);
        QCOMPARE(root[QStringLiteral("key")].toInt(), 7);
        QCOMPARE(root[QStringLiteral("Key")].toInt(), 2);
        QVERIFY(!root.Contains(QStringLiteral("KEY")));
    }

    void LeafAndSectionTurnIntoEachOther()
    {
        Variable root(VariableHash{});
        root.Insert(QStringLiteral("x"), QVariant(QStringLiteral("leaf")));
        root[QStringLiteral("x")] = Variable(VariableHash());
        QVERIFY(root[QStringLiteral("x")].IsHash());
        root[QStringLiteral("x")].Insert(QStringLiteral("child"), QVariant(3));
        QCOMPARE(root[QStringLiteral("x")][QStringLiteral("child")].toInt(), 3);

        root[QStringLiteral("x")] = QVariant(2.5);
        QVERIFY(!root[QStringLiteral("x")].IsHash());
        QCOMPARE(root[QStringLiteral("x")].toDouble(), 2.5);
    }

    void InsertHashEmptiesAnExistingSection()
    {
        Variable root(VariableHash{});
        root.Insert(QStringLiteral("s"), VariableHash()).Insert(QStringLiteral("a"), QVariant(1));
        QCOMPARE(root[QStringLiteral("s")].Hash().size(), 1);
        Variable& again = root.Insert(QStringLiteral("s"), VariableHash());
        QVERIFY(again.IsHash());
        QCOMPARE(again.Hash().size(), 0);
    }

    void CopiesAreIndependent()
    {
        Variable root(VariableHash{});
        root.Insert(QStringLiteral("s"), VariableHash()).Insert(QStringLiteral("a"), QVariant(1));
        Variable copy = root;
        copy[QStringLiteral("s")][QStringLiteral("a")] = QVariant(2);
        copy[QStringLiteral("s")][QStringLiteral("b")] = QVariant(3);
        QCOMPARE(root[QStringLiteral("s")][QStringLiteral("a")].toInt(), 1);
        QVERIFY(!root[QStringLiteral("s")].Contains(QStringLiteral("b")));
        QCOMPARE(copy[QStringLiteral("s")][QStringLiteral("a")].toInt(), 2);
    }

    void SectionOperationsOnLeafReportAndGoOn()
    {
        TestEnvironment env;
        Variable leaf(QVariant(QStringLiteral("text")));
        Variable& child = leaf[QStringLiteral("k")];
        child = QVariant(1); // writes to a scratch node, never into the leaf
        QVERIFY(env.LogContains(QStringLiteral("Variable :: can't convert 'QString' to hash!")));
        QCOMPARE(leaf.toString(), QStringLiteral("text"));
        QVERIFY(!leaf.Contains(QStringLiteral("k")));
        QCOMPARE(leaf.Hash().size(), 0);
        QVERIFY(!leaf[QStringLiteral("k")].isValid());
        leaf.Insert(QStringLiteral("k"), QVariant(2));
        leaf.Insert(QStringLiteral("k"), VariableHash());
        QCOMPARE(leaf.toString(), QStringLiteral("text"));

        env.ClearLog();
        Variable invalid;
        QVERIFY(!invalid.Contains(QStringLiteral("k")));
        QVERIFY(env.LogContains(QStringLiteral("Variable :: can't convert 'Invalid' to hash!")));
        const Variable constLeaf(QVariant(4));
        QCOMPARE(constLeaf.Hash().size(), 0);
    }

    void TravelsInsideQVariantAndIterates()
    {
        VariableHash hash;
        hash.insert(QStringLiteral("a"), Variable(QVariant(1)));
        hash.insert(QStringLiteral("b"), Variable(QVariant(2)));
        const QVariant boxed = QVariant::fromValue(hash);
        const QAssociativeIterable iterable = boxed.value<QAssociativeIterable>();
        int sum = 0;
        for (auto it = iterable.begin(); it != iterable.end(); ++it)
            sum += it.value().value<Variable>().toInt();
        QCOMPARE(sum, 3);
        Variable::RegisterMetaTypes(); // a second registration is harmless
    }
};

QTEST_GUILESS_MAIN(TestVariable)
#include "tst_Variable.moc"
