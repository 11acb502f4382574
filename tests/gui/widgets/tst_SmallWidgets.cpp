// Clocks, the player picture, the group check widget and the widget helpers of Common (their
// drawing is the gallery's).
#include "Common.h"
#include "CommonWidgets.h"
#include "GroupCheckWidget.h"
#include "GuiFonts.h"
#include "NImageLabel.h"
#include "PlayerPictureWidget.h"
#include "UTCTimeWidget.h"
#include "helper_Sounds.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QVBoxLayout>

class TestSmallWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiFonts::LoadFonts(); }
    void cleanup() { Common::SetMainWindow(nullptr); }

    // Kind 0 is CET all year round (no summer time), kind 1 UTC, every other kind local time.
    void ClockKinds()
    {
        const QString format = "hh:mm dd MMMM yyyy";
        const QDateTime evening(QDate(2026, 12, 31), QTime(23, 30), Qt::UTC);
        const QDateTime summer(QDate(2026, 7, 1), QTime(12, 5), Qt::UTC);
        QCOMPARE(UTCTimeWidget::TimeOfKind(0, evening).toString(format), "00:30 01 January 2027");
        QCOMPARE(UTCTimeWidget::TimeOfKind(0, summer).toString(format), "13:05 01 July 2026");
        QCOMPARE(UTCTimeWidget::TimeOfKind(1, evening).toString(format), "23:30 31 December 2026");
        for (int kind : {2, 5})
            QCOMPARE(UTCTimeWidget::TimeOfKind(kind, evening).timeSpec(), Qt::LocalTime);
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

    // The frames take the widget they are given into their layout; a missing one leaves it empty.
    void FramesHoldTheirWidget()
    {
        auto* content = new QLabel("dark");
        QScopedPointer<QFrame> box(Common::CreateBlackBoxFrame(content));
        QVERIFY(content->parentWidget() == box.data() && box->layout()->indexOf(content) >= 0);
        QScopedPointer<QFrame> empty(Common::CreateBlackBoxFrame(nullptr));
        QCOMPARE(empty->layout()->count(), 0);
        QVERIFY(QScopedPointer<QTextBrowser>(Common::TextBrowserStyle())->isReadOnly());
    }

    void MainFrameFollowsTheMainWindow()
    {
        QWidget window;
        window.setMinimumSize(1024, 768);
        window.resize(1152, 960);
        Common::SetMainWindow(&window);
        QCOMPARE(Common::GetMainWindow(), &window);
        QScopedPointer<QHBoxLayout> outer(Common::CreateMainFrame(new QVBoxLayout()));
        QScopedPointer<QWidget> frame(outer->itemAt(0)->widget());
        QCOMPARE(frame->minimumSize(), QSize(1024, 768));
        QCOMPARE(frame->maximumSize(), QSize(1152, 960));

        // A window that went away is forgotten.
        auto* gone = new QWidget();
        Common::SetMainWindow(gone);
        delete gone;
        QVERIFY(Common::GetMainWindow() == nullptr);
        auto* inner = new QVBoxLayout();
        QScopedPointer<QHBoxLayout> again(Common::CreateMainFrame(inner));
        QCOMPARE(again->count(), 1);
        QScopedPointer<QWidget> fallback(again->itemAt(0)->widget());
        QCOMPARE(fallback->layout(), inner);
        QCOMPARE(fallback->minimumSize(), QSize(1024, 768));
    }
};

QTEST_MAIN(TestSmallWidgets)
#include "tst_SmallWidgets.moc"
