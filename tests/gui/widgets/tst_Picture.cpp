#include "AppSettings.h"
#include "NPicture.h"
#include "TestEnvironment.h"
#include "helper_Sounds.h"

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

} // namespace

class TestPicture : public QObject
{
    Q_OBJECT

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

    void CheckedPictureIsHatched()
    {
        QImage white(40, 40, QImage::Format_RGB32);
        white.fill(Qt::white);
        const QImage rendered = NPicture::Render(QPixmap::fromImage(white), QSize(80, 80), true).toImage();
        int black = 0, light = 0;
        for (int y = 30; y < 50; ++y)
            for (int x = 30; x < 50; ++x)
                (qRed(rendered.pixel(x, y)) < 20 ? black : light)++;
        QVERIFY(black > 100 && light > 100);
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
        QVERIFY(QColor(choice.grab().toImage().pixel(1, 20)) != QColor(Qt::white));

        // A checked choice is quiet and shows no outline.
        choice.SetChecked(true);
        sounds.Clear();
        Enter(&choice);
        QVERIFY(sounds.Played().isEmpty());
        QVERIFY(QColor(choice.grab().toImage().pixel(1, 20)) != QColor(Qt::white));
    }

private:
    QScopedPointer<TestEnvironment> m_env;
};

QTEST_MAIN(TestPicture)
#include "tst_Picture.moc"
