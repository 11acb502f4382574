// The frame animation and the wizard's step marks.
#include "GIFWidget.h"
#include "NImageLabel.h"
#include "NProgressPage.h"

#include <QLabel>
#include <QTest>

namespace
{
QImage Shown(const QLabel* label)
{
    return label->pixmap() ? label->pixmap()->toImage() : QImage();
}

QImage Resource(const QString& path)
{
    return QPixmap(path).toImage();
}

QString Frame1(int n)
{
    return QStringLiteral(":/GIF/InProgress2/in_progress2_0%1.png").arg(n);
}
} // namespace

class TestProgress : public QObject
{
    Q_OBJECT

private slots:
    void Kinds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("frames");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("spinner") << 0 << 11 << ":/GIF/InProgress/in_progress_01.png"
                                 << ":/GIF/InProgress/in_progress_11.png";
        QTest::newRow("bar") << 1 << 8 << Frame1(1) << Frame1(8);
        QTest::newRow("blink") << 2 << 10 << ":/GIF/Blink/blink_01.png"
                               << ":/GIF/Blink/blink_10.png";
        QTest::newRow("unknown") << 3 << 0 << ""
                                 << "";
        QTest::newRow("negative") << -1 << 0 << ""
                                  << "";
    }

    void Kinds()
    {
        QFETCH(int, kind);
        QFETCH(int, frames);
        QFETCH(QString, first);
        QFETCH(QString, last);
        GIFWidget gif(kind, true);
        QCOMPARE(gif.FrameCount(), frames);
        QCOMPARE(Shown(&gif), first.isEmpty() ? QImage() : Resource(first));
        // The first tick shows the first picture again; the last tick of a round shows the last.
        for (int i = 0; i < frames; ++i)
            gif.DoTimerUpdate();
        QCOMPARE(Shown(&gif), last.isEmpty() ? QImage() : Resource(last));
        gif.DoTimerUpdate();
        QCOMPARE(Shown(&gif), first.isEmpty() ? QImage() : Resource(first));
    }

    void RunsAndStopsWhereItWas()
    {
        // Placed in a window that is shown, as every user does.
        QWidget window;
        auto* gifOwned = new GIFWidget(1, false);
        gifOwned->setParent(&window);
        GIFWidget& gif = *gifOwned;
        window.show();
        QVERIFY(!gif.isVisible());
        gif.Start();
        QVERIFY(gif.isVisible());
        QVERIFY(gif.IsRunning());
        // The timer itself drives it.
        QTRY_COMPARE(Shown(&gif), Resource(Frame1(3)));
        gif.Stop();
        QVERIFY(!gif.isVisible());
        QVERIFY(!gif.IsRunning());
        const QImage last = Shown(&gif);
        int at = 0;
        for (int n = 1; n <= 8; ++n)
            at = Resource(Frame1(n)) == last ? n : at;
        QVERIFY(at > 0);
        gif.Start();
        gif.DoTimerUpdate();
        QCOMPARE(Shown(&gif), Resource(Frame1(at % 8 + 1)));
    }

    void NoFramesSurvivesTheTimer()
    {
        GIFWidget gif(7, false);
        gif.Start();
        QTest::qWait(120);
        gif.DoTimerUpdate();
        QVERIFY(Shown(&gif).isNull());
        gif.Stop();
    }

    void Dots_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("active");
        QTest::newRow("third of four") << 4 << 2 << 3;
        QTest::newRow("first") << 4 << 0 << 1;
        QTest::newRow("beyond the last") << 4 << 10 << 4;
        QTest::newRow("negative") << 4 << -1 << 0;
        QTest::newRow("no steps") << 0 << 2 << 0;
    }

    void Dots()
    {
        QFETCH(int, count);
        QFETCH(int, step);
        QFETCH(int, active);
        NProgressPage page(count, 0);
        QCOMPARE(page.Dots().size(), count);
        QVERIFY(page.Numbers().isEmpty());
        const QImage on = Resource(":/Progress/progress_page_active.png");
        const QImage off = Resource(":/Progress/progress_page_inactive.png");
        QVERIFY(on != off);
        page.SetCurrentStep(3);
        page.SetCurrentStep(step);
        int lit = 0;
        for (QLabel* dot : page.Dots())
        {
            QCOMPARE(dot->size(), off.size());
            lit += Shown(dot) == on;
        }
        // A negative step leaves what the step before lit.
        QCOMPARE(lit, step < 0 ? qMin(count, 4) : active);
    }

    void Numbers()
    {
        NProgressPage page(4, 1);
        page.resize(400, 60);
        page.show();
        QVERIFY(page.Dots().isEmpty());
        QStringList texts;
        const QList<NImageLabel*> labels = page.findChildren<NImageLabel*>();
        for (NImageLabel* label : labels)
            texts << label->text();
        QCOMPARE(texts.join(' '), QString("1 - 2 - 3 - 4"));
        for (NImageLabel* label : labels)
            QCOMPARE(label->GetColor(), label->text() == "-" ? QColor(158, 158, 158) : QColor(Qt::white));
        // The row sits in the middle.
        const int left = labels.first()->geometry().left();
        const int right = page.width() - labels.last()->geometry().right();
        QVERIFY2(qAbs(left - right) <= labels.first()->width(),
                 qPrintable(QString("%1 %2").arg(left).arg(right)));

        const auto colours = [&]
        {
            QStringList list;
            for (NImageLabel* number : page.Numbers())
            {
                const QColor shown = number->palette().color(QPalette::WindowText);
                list << (shown == QColor(255, 195, 0) ? "accent" : shown.name());
            }
            return list.join(' ');
        };
        page.SetCurrentStep(1);
        QTRY_COMPARE(colours(), QString("#ffffff accent #ffffff #ffffff"));
        page.SetCurrentStep(-1);
        QTest::qWait(30);
        QCOMPARE(colours(), QString("#ffffff accent #ffffff #ffffff"));
        page.SetCurrentStep(4);
        QTRY_COMPARE(colours(), QString("#ffffff #ffffff #ffffff #ffffff"));
    }
};

QTEST_MAIN(TestProgress)
#include "tst_Progress.moc"
