// The picture widget, the frame animation and the wizard's step marks.
#include "AppSettings.h"
#include "GIFWidget.h"
#include "NImageLabel.h"
#include "NPicture.h"
#include "NProgressPage.h"
#include "TestEnvironment.h"
#include "helper_Sounds.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace
{
// 200 x 50: green ends of 50 px, red then blue in the middle.
QPixmap Striped()
{
    QImage image(200, 50, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, 200, 50, Qt::green);
    p.fillRect(50, 0, 50, 50, Qt::red);
    p.fillRect(100, 0, 50, 50, Qt::blue);
    p.end();
    return QPixmap::fromImage(image);
}

void Press(QWidget* widget, Qt::MouseButton button)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

QImage Shown(const QLabel* label)
{
    return label->pixmap(Qt::ReturnByValue).toImage();
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

class TestPicture : public QObject
{
    Q_OBJECT

    QScopedPointer<TestEnvironment> m_env;

private slots:
    void init()
    {
        m_env.reset(new TestEnvironment());
        AppSettingsSound::Instance()->ButtonHoverMute = false;
    }
    void cleanup()
    {
        SoundManager::DestroyInstance();
        m_env.reset();
    }

    void CoversAreaAndCropsLongSideEqually()
    {
        NPicture picture;
        picture.resize(100, 50);
        picture.SetPixmap(Striped());
        const QImage rendered = picture.Rendered().toImage();
        QCOMPARE(rendered.size(), QSize(100, 50));
        // Inside the 16 px frame: red on the left half, blue on the right, no green anywhere.
        QCOMPARE(QColor(rendered.pixel(25, 25)), QColor(Qt::red));
        QCOMPARE(QColor(rendered.pixel(75, 25)), QColor(Qt::blue));
        QCOMPARE(QColor(rendered.pixel(49, 25)), QColor(Qt::red));
        QCOMPARE(QColor(rendered.pixel(50, 25)), QColor(Qt::blue));
    }

    void ClickTogglesCheckableAndAlwaysEmits()
    {
        NPicture picture;
        QSignalSpy clicked(&picture, &NPicture::OnClicked);
        picture.SetChecked(true);
        picture.Click();
        QVERIFY(!picture.IsChecked());
        picture.SetCheckable(true);
        picture.Click();
        QVERIFY(picture.IsChecked());
        picture.Click();
        QVERIFY(!picture.IsChecked());
        QCOMPARE(clicked.count(), 3);
    }

    void PressesOnlyChooseAnUncheckedCheckablePicture()
    {
        SoundRecorder sounds;
        NPicture picture;
        QSignalSpy clicked(&picture, &NPicture::OnClicked);
        Press(&picture, Qt::LeftButton);
        QCOMPARE(clicked.count(), 0);

        picture.SetCheckable(true);
        Press(&picture, Qt::RightButton);
        QCOMPARE(clicked.count(), 0);
        Press(&picture, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(sounds.Played(), QStringList{"button.click"});
        // The press leaves the state to the owner.
        QVERIFY(!picture.IsChecked());

        picture.SetChecked(true);
        Press(&picture, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
    }

    void HoverOutlineAndSound()
    {
        SoundRecorder sounds;
        NPicture plain;
        plain.resize(60, 40);
        plain.SetPixmap(Striped());
        Enter(&plain);
        QVERIFY(plain.IsHovered());
        QVERIFY(sounds.Played().isEmpty());

        NPicture choice;
        choice.resize(60, 40);
        choice.SetPixmap(Striped());
        choice.SetCheckable(true);
        Enter(&choice);
        QCOMPARE(sounds.Played(), QStringList{"button.hover"});
        QCOMPARE(QColor(choice.grab().toImage().pixel(1, 20)), QColor(Qt::white));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&choice, &leave);
        QVERIFY(!choice.IsHovered());

        // A checked choice is quiet and shows no outline.
        choice.SetChecked(true);
        sounds.Clear();
        Enter(&choice);
        QVERIFY(sounds.Played().isEmpty());
        QVERIFY(QColor(choice.grab().toImage().pixel(1, 20)) != QColor(Qt::white));
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

    // Unknown kinds have no pictures; the timer must not index into them.
    void NoFramesSurvivesTheTimer()
    {
        for (int kind : {-1, 3})
        {
            GIFWidget gif(kind, false);
            QCOMPARE(gif.FrameCount(), 0);
            gif.Start();
            QTest::qWait(120);
            gif.DoTimerUpdate();
            QVERIFY(Shown(&gif).isNull());
            gif.Stop();
        }
    }

    // Which mark lights for each step is the gallery's; steps outside the row must not index
    // past it: a negative one keeps what was lit, one beyond lights every dot and no number.
    void StepsOutsideTheRow()
    {
        const QImage on = Resource(":/Progress/progress_page_active.png");
        for (int mode : {0, 1})
        {
            NProgressPage page(4, mode);
            const auto lit = [&]
            {
                QList<int> list;
                for (int i = 0; i < 4; ++i)
                    if (mode ? page.Numbers()[i]->GetColor() != QColor(Qt::white)
                             : Shown(page.Dots()[i]) == on)
                        list << i;
                return list;
            };
            page.SetCurrentStep(1);
            const QList<int> before = lit();
            QCOMPARE(before, (mode ? QList<int>{1} : QList<int>{0, 1}));
            page.SetCurrentStep(-1);
            QCOMPARE(lit(), before);
            page.SetCurrentStep(4);
            QCOMPARE(lit(), (mode ? QList<int>{} : QList<int>{0, 1, 2, 3}));
        }
        NProgressPage none(0, 1);
        none.SetCurrentStep(2);
        QVERIFY(none.Numbers().isEmpty() && none.Dots().isEmpty());
    }
};

QTEST_MAIN(TestPicture)
#include "tst_Picture.moc"
