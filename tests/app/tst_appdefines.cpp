// The game table and the start-up choice of the game.
#include "AppDefines.h"
#include "TestEnvironment.h"

#include <QtTest>

class TestAppDefines : public QObject
{
    Q_OBJECT

private slots:
    void Table()
    {
        for (const GameDefinition& game : AppDefines::GameTable())
            QVERIFY(!game.shortCode.isEmpty() && !game.namePattern.isEmpty() && !game.defaultMap.isEmpty() &&
                    !game.gameVersion.isEmpty() && !game.engineVersion.isEmpty() &&
                    !game.sideNames.isEmpty());
    }

    void SelectedRow()
    {
        TestEnvironment env("gvm");
        auto* d = AppDefines::Instance();
        QCOMPARE(d->GetGameIndex(), 1);
        QCOMPARE(d->GetShortCode(), "gvm");
        QVERIFY(!d->SelectGame("nothing"));
        QCOMPARE(d->GetGameIndex(), 1);
        d->SelectGameIndex(7);
        QCOMPARE(d->GetGameIndex(), 1);
        d->SelectGameIndex(-1);
        QCOMPARE(d->GetGameIndex(), 1);
        QVERIFY(d->SelectGame(" YX "));
        QCOMPARE(d->GetGameIndex(), 3);
    }

    void ChoiceOrder_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("unknown");
        QTest::newRow("nothing: row 0") << QString() << QString() << 0 << false;
        QTest::newRow("file only") << QString() << QStringLiteral("vq\n") << 2 << false;
        QTest::newRow("option beats file") << QStringLiteral("gvm") << QStringLiteral("vq") << 1 << false;
        QTest::newRow("unknown option: row 0, file ignored")
            << QStringLiteral("xx") << QStringLiteral("vq") << 0 << true;
        QTest::newRow("unknown file: row 0") << QString() << QStringLiteral("Not A Game") << 0 << true;
        QTest::newRow("blank file") << QString() << QStringLiteral("  \n") << 0 << false;
        QTest::newRow("option by name") << QStringLiteral("MORVANTIS") << QString() << 0 << false;
        QTest::newRow("option by name, row 3")
            << AppDefines::GameTable()[3].namePattern.toLower() << QString() << 3 << false;
        QTest::newRow("prefix only") << QStringLiteral("zor") << QString() << 0 << true;
        QTest::newRow("path") << QString() << QStringLiteral("../zorn") << 0 << true;
    }

    void ChoiceOrder()
    {
        QFETCH(QString, option);
        QFETCH(QString, file);
        QFETCH(int, index);
        QFETCH(bool, unknown);
        QString reason;
        bool isUnknown = !unknown;
        QCOMPARE(AppDefines::ChooseGameIndex(option, file, &reason, &isUnknown), index);
        QCOMPARE(isUnknown, unknown);
        QVERIFY(!reason.isEmpty());
        if (unknown)
            QVERIFY(reason.contains(option.isEmpty() ? file.trimmed() : option));
        QCOMPARE(AppDefines::ChooseGameIndex(option, file), index); // no out-parameters
    }
};

QTEST_GUILESS_MAIN(TestAppDefines)
#include "tst_appdefines.moc"
