// Clocks, the player picture and the group check widget.
#include "Common.h"
#include "GroupCheckWidget.h"
#include "GuiFonts.h"
#include "NImageLabel.h"
#include "PlayerPictureWidget.h"
#include "UTCTimeWidget.h"
#include "helper_Sounds.h"

#include <QSignalSpy>
#include <QTest>

class TestSmallWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiFonts::LoadFonts(); }

    void ClockKinds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QDateTime>("utc");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("date");
        const QDateTime lateEvening(QDate(2026, 12, 31), QTime(23, 30), Qt::UTC);
        const QDateTime local = lateEvening.toLocalTime();
        QTest::newRow("CET, past midnight") << 0 << lateEvening << "00:30"
                                            << "01 January 2027";
        QTest::newRow("CET in summer, still +1 h")
            << 0 << QDateTime(QDate(2026, 7, 1), QTime(12, 5), Qt::UTC) << "13:05"
            << "01 July 2026";
        QTest::newRow("UTC") << 1 << lateEvening << "23:30"
                             << "31 December 2026";
        QTest::newRow("local") << 2 << lateEvening << local.toString("hh:mm")
                               << local.toString("dd MMMM yyyy");
        QTest::newRow("other kind: local")
            << 5 << lateEvening << local.toString("hh:mm") << local.toString("dd MMMM yyyy");
    }

    void ClockKinds()
    {
        QFETCH(int, kind);
        QFETCH(QDateTime, utc);
        QFETCH(QString, time);
        QFETCH(QString, date);
        const QDateTime shown = UTCTimeWidget::TimeOfKind(kind, utc);
        QCOMPARE(shown.toString("hh:mm"), time);
        QCOMPARE(shown.toString("dd MMMM yyyy"), date);
    }

    void ClockShowsNowAndRedrawsAfterTheMinute()
    {
        const qint64 before = Common::MsecsToNextMinute(QDateTime::currentDateTime());
        UTCTimeWidget clock(1);
        const qint64 after = Common::MsecsToNextMinute(QDateTime::currentDateTime());
        const QString now = QDateTime::currentDateTimeUtc().toString("hh:mm");
        const QString minuteBefore = QDateTime::currentDateTimeUtc().addSecs(-60).toString("hh:mm");
        QVERIFY(clock.TimeLabel()->text() == now || clock.TimeLabel()->text() == minuteBefore);
        QCOMPARE(clock.TimeLabel()->toolTip(), QDateTime::currentDateTimeUtc().toString("dd MMMM yyyy"));
        // Precise: a coarse timer may fire up to 5 % early, still in the old minute.
        QCOMPARE(clock.UpdateTimer().timerType(), Qt::PreciseTimer);
        QVERIFY(clock.UpdateTimer().isActive() && clock.UpdateTimer().isSingleShot());
        const int remaining = clock.UpdateTimer().remainingTime();
        QVERIFY2(remaining >= after - 100 && remaining <= before, qPrintable(QString::number(remaining)));

        UTCTimeWidget other(5);
        const QList<NImageLabel*> labels = other.findChildren<NImageLabel*>();
        QCOMPARE(labels.size(), 2);
        QVERIFY(labels.first()->text().isEmpty());
        QVERIFY(labels.first()->toolTip().isEmpty());
    }

    void PictureSizes_data()
    {
        QTest::addColumn<QSize>("asked");
        QTest::addColumn<QSize>("size");
        QTest::newRow("null") << QSize(0, 0) << QSize(64, 64);
        QTest::newRow("invalid") << QSize(-1, -1) << QSize(64, 64);
        QTest::newRow("given") << QSize(120, 80) << QSize(120, 80);
    }

    void PictureSizes()
    {
        QFETCH(QSize, asked);
        QFETCH(QSize, size);
        PlayerPictureWidget picture(asked);
        QCOMPARE(picture.size(), size);
        QCOMPARE(picture.Picture().size(), size);
    }

    void PictureCentredOnTransparentGround()
    {
        PlayerPictureWidget picture(QSize(64, 64));
        QPixmap wide(200, 100);
        wide.fill(Qt::red);
        picture.SetPicture(wide);
        const QImage shown = picture.Picture().toImage();
        QCOMPARE(shown.pixelColor(32, 32), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(0, 32), QColor(Qt::red)); // full width
        QCOMPARE(shown.pixelColor(63, 32), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(32, 10).alpha(), 0); // transparent above and below
        QCOMPARE(shown.pixelColor(32, 54).alpha(), 0);

        // The placeholder keeps its own size: in a small widget only its centre shows.
        const QImage placeholder(QStringLiteral(":/PlayerStatus/player_no_photo.png"));
        QVERIFY(placeholder.width() > 16);
        PlayerPictureWidget small(QSize(16, 16));
        const QImage centre =
            placeholder.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                .copy((placeholder.width() - 16) / 2, (placeholder.height() - 16) / 2, 16, 16);
        QCOMPARE(small.Picture().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), centre);
    }

    void PictureClicks_data()
    {
        QTest::addColumn<bool>("clickable");
        QTest::newRow("clickable") << true;
        QTest::newRow("not clickable") << false;
    }

    void PictureClicks()
    {
        QFETCH(bool, clickable);
        PlayerPictureWidget picture(QSize(48, 48), clickable);
        picture.show();
        QSignalSpy clicked(&picture, &PlayerPictureWidget::OnClick);
        Enter(&picture);
        QCOMPARE(picture.cursor().shape(), clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
        QTest::mouseClick(&picture, Qt::RightButton);
        QCOMPARE(clicked.count(), clickable ? 1 : 0);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&picture, &leave);
        QCOMPARE(picture.cursor().shape(), Qt::ArrowCursor);
    }

    void GroupReportsOnlyChanges()
    {
        GroupCheckWidget group;
        QSignalSpy clicked(&group, &GroupCheckWidget::OnButtonClicked);
        for (int id : {3, 3, 4, 4, 3})
            group.ButtonClicked(id);
        QCOMPARE(clicked.count(), 3);
        QCOMPARE(clicked.last().first().toInt(), 3);
        group.Clear();
        group.ButtonClicked(3); // after a clear the same id is a change again
        QCOMPARE(clicked.count(), 4);
    }
};

QTEST_MAIN(TestSmallWidgets)
#include "tst_SmallWidgets.moc"
