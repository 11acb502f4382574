// Helpers and value types whose results other parts of the program rely on.
#include "Common.h"
#include "CommonIcon.h"
#include "DataBattle.h"
#include "DataPlayer.h"
#include "DataStartScript.h"
#include "TestEnvironment.h"

#include <QPainter>
#include <QtTest>

class TestCommon : public QObject
{
    Q_OBJECT

private slots:
    void ColourTexts()
    {
        QCOMPARE(Common::ColorToHex(QColor(1, 2, 3)), "#010203");
        QCOMPARE(Common::ColorToHex(QColor(255, 195, 0)), "#ffc300");
        QCOMPARE(Common::ColorToHex(QColor(10, 160, 255, 7)), "#0aa0ff"); // alpha left out
        QCOMPARE(Common::ColorToRgbText(QColor(255, 195, 0)), "255,195,0");
        QCOMPARE(Common::ColorToRgbText(QColor(0, 0, 0)), "0,0,0");
        QCOMPARE(Common::ColoredHtml(QColor(255, 195, 0), "<b>Dunes</b> & \"Rocks\""),
                 "<font color=#ffc300>&lt;b&gt;Dunes&lt;/b&gt; &amp; &quot;Rocks&quot;</font>");
    }

    // The player colours by index, as battles and start scripts number them; black outside.
    void Palettes_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QColor>("colour");
        const QList<QColor> palette = {{0, 128, 0},   {255, 0, 0},     {255, 128, 0}, {0, 0, 255},
                                       {255, 0, 255}, {128, 128, 128}, {255, 255, 0}, {0, 255, 0},
                                       {0, 0, 128},   {128, 128, 0},   {128, 0, 128}, {160, 160, 164},
                                       {0, 255, 255}, {255, 255, 255}, {0, 0, 0},     {128, 0, 0}};
        for (int i = 0; i < palette.size(); ++i)
            QTest::addRow("%d", i) << i << palette.at(i);
        for (int black : {-1, 16, 1000})
            QTest::addRow("outside: %d", black) << black << QColor(Qt::black);
    }

    void Palettes()
    {
        QFETCH(int, index);
        QFETCH(QColor, colour);
        QCOMPARE(Common::GetPlayerColor(index), colour);
        QCOMPARE(Common::GetPlayerColor(index).alpha(), 255);
        QCOMPARE(Common::PlayerColorCount(), 16);
        QCOMPARE(Common::GetTeamColors().size(), 20);
    }

    void FormatClock_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "00:00";
        QTest::newRow("seconds") << qint64(7) << "00:07";
        QTest::newRow("minutes") << qint64(754) << "12:34";
        QTest::newRow("just below an hour") << qint64(3599) << "59:59";
        QTest::newRow("an hour") << qint64(3600) << "01:00:00";
        QTest::newRow("hours") << qint64(3 * 3600 + 5 * 60 + 9) << "03:05:09";
        QTest::newRow("a long replay") << qint64(125 * 3600) << "125:00:00";
        QTest::newRow("negative") << qint64(-5) << "00:00";
    }

    void FormatClock()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(Common::FormatClock(seconds), text);
    }

    void FormatDate()
    {
        const QDateTime now = QDateTime::currentDateTime();
        QCOMPARE(Common::FormatDate(now), "Today");
        QCOMPARE(Common::FormatDate(QDateTime(now.date(), QTime(0, 0))), "Today");
        QCOMPARE(Common::FormatDate(now.addDays(-1)), "Yesterday");
        QCOMPARE(Common::FormatDate(QDateTime(QDate(2019, 2, 3), QTime(23, 59))), "03.02.2019");
        QCOMPARE(Common::FormatDate(QDateTime(now.date().addDays(-2), QTime(12, 0))),
                 now.date().addDays(-2).toString("dd.MM.yyyy"));
        // Against a given today.
        const QDateTime then(QDate(2019, 2, 3), QTime(23, 59));
        QCOMPARE(Common::FormatDate(then, QDate(2019, 2, 3)), "Today");
        QCOMPARE(Common::FormatDate(then, QDate(2019, 2, 4)), "Yesterday");
        QCOMPARE(Common::FormatDate(then, QDate(2019, 2, 5)), "03.02.2019");
    }

    void FormatSize_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << qint64(0) << "0 Bytes";
        QTest::newRow("1023") << qint64(1023) << "1023 Bytes";
        QTest::newRow("1024") << qint64(1024) << "1.0 KB";
        QTest::newRow("1536") << qint64(1536) << "1.5 KB";
        QTest::newRow("5 MB") << qint64(5) * 1024 * 1024 << "5.0 MB";
        QTest::newRow("3 GB") << qint64(3) * 1024 * 1024 * 1024 << "3.00 GB";
        QTest::newRow("above 4 GB") << qint64(6) * 1024 * 1024 * 1024 + 5 << "6.00 GB";
    }

    void FormatSize()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(Common::FormatSize(bytes), text);
    }

    void MsecsToNextMinute()
    {
        const QDate day(2026, 5, 6);
        QCOMPARE(Common::MsecsToNextMinute(QDateTime(day, QTime(10, 0, 0, 0))), qint64(60010));
        QCOMPARE(Common::MsecsToNextMinute(QDateTime(day, QTime(10, 0, 59, 0))), qint64(1010));
        // The milliseconds of the current second are not taken off.
        QCOMPARE(Common::MsecsToNextMinute(QDateTime(day, QTime(10, 0, 30, 999))), qint64(30010));
        QCOMPARE(Common::MsecsToNextMinute(QDateTime(day, QTime(23, 59, 45, 500))), qint64(15010));
    }

    void RandomRange()
    {
        Common::InitRandomSeed();
        QSet<int> seen;
        for (int i = 0; i < 2000; ++i)
            seen.insert(Common::RandomInt(-2, 3));
        QCOMPARE(seen, (QSet<int>{-2, -1, 0, 1, 2, 3}));
        QCOMPARE(Common::RandomInt(4, 4), 4);
        const int swapped = Common::RandomInt(9, 1);
        QVERIFY(swapped >= 1 && swapped <= 9);
        Common::RandomInt(INT_MIN, INT_MAX); // the widest range must not overflow
    }

    void WindowSizeForScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("window");
        QTest::newRow("1920x1080") << QSize(1920, 1080) << QSize(1152, 960);
        QTest::newRow("2560x1440") << QSize(2560, 1440) << QSize(1152, 1200);
        QTest::newRow("1280x850") << QSize(1280, 850) << QSize(1152, 840);
        QTest::newRow("1200x801") << QSize(1200, 801) << QSize(1200, 800);
        QTest::newRow("1024x768") << QSize(1024, 768) << QSize(1024, 768);
        // Never below the main window's minimum size.
        QTest::newRow("800x600") << QSize(800, 600) << QSize(1024, 768);
    }

    void WindowSizeForScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, window);
        QCOMPARE(Common::WindowSizeForScreen(screen), window);
    }

    void ScaleImageFileToFill()
    {
        TestEnvironment env;
        // A wide picture: left third red, middle blue, right third green.
        QImage source(300, 100, QImage::Format_ARGB32);
        QPainter painter(&source);
        painter.fillRect(0, 0, 100, 100, Qt::red);
        painter.fillRect(100, 0, 100, 100, Qt::blue);
        painter.fillRect(200, 0, 100, 100, Qt::green);
        painter.end();
        const QString file = env.Path("wide.png");
        QVERIFY(source.save(file));
        QImage target(100, 100, QImage::Format_ARGB32);
        target.fill(Qt::white);
        Common::ScaleImageFileToFill(target, file);
        // Covered, centred: the middle part fills the square.
        QCOMPARE(target.pixelColor(50, 50), QColor(Qt::blue));
        QCOMPARE(target.pixelColor(2, 2), QColor(Qt::blue));
        QCOMPARE(target.pixelColor(97, 97), QColor(Qt::blue));
        // A missing file leaves it transparent.
        Common::ScaleImageFileToFill(target, env.Path("none.png"));
        QCOMPARE(target.pixelColor(50, 50).alpha(), 0);
    }

    void CountryNames()
    {
        QCOMPARE(CommonIcon::GetCountryName("XX"), "Unknown");
        QCOMPARE(CommonIcon::GetCountryName(""), "Unknown");
    }

    // AIs need no content of their own to count as synced.
    void PlayerSync()
    {
        DataPlayer p;
        QVERIFY(!p.IsSynced());
        p.SetSyncStatus(1, QString());
        QVERIFY(p.synced && p.IsSynced());
        p.SetSyncStatus(2, "missing map");
        QVERIFY(!p.IsSynced());
        QCOMPARE(p.syncText, "missing map");
        p.isAi = true;
        QVERIFY(p.IsSynced());
    }

    void StartScriptFromBattle()
    {
        DataBattle battle;
        battle.options.SetValue("mission_name", "a");
        battle.options.SetValue("mission_name", "b"); // replaces
        QCOMPARE(battle.options.options.size(), 1);
        battle.hostedHere = true;
        battle.gameHash = 4294967295u;
        battle.mapHash = 7;
        const DataStartScript script(battle);
        QVERIFY(script.isHost);
        QCOMPARE(script.gameHash, "4294967295"); // unsigned
        QCOMPARE(script.mapHash, "7");
        QCOMPARE(script.options.Value("mission_name"), "b");
    }
};

QTEST_MAIN(TestCommon)
#include "tst_common.moc"
