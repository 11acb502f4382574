// Text fields, the search field, sliders and settings rows, driven by real key and
// mouse events; the progress bar and the context menu as they draw.
#define QTEST_QPA_MOUSE_HANDLING // presses, moves and releases go through the window like real ones
#include "AppSettings.h"
#include "GuiFonts.h"
#include "NButtonBase.h"
#include "NImageLabel.h"
#include "NLineEdit.h"
#include "NProgressBar.h"
#include "NSearchWidget.h"
#include "NSettingsOnOff.h"
#include "NSettingsSlider.h"
#include "NSettingsSliderOnOff.h"
#include "NSlider.h"
#include "StyledMenu.h"
#include "TestEnvironment.h"
#include "helper_Sounds.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTest>
#include <QVBoxLayout>

namespace
{
// Counts the keys that reach it: the dialog under a search field.
class KeySink final : public QWidget
{
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override { keys << event->key(); }
};

QPoint HandleCentre(QSlider* slider)
{
    // What QSlider's own (protected) initStyleOption fills in.
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.subControls = QStyle::SC_All;
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    if (slider->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    return slider->style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
        .center();
}
// The mean colour of the opaque pixels of a rectangle.
QColor Mean(const QImage& image, const QRect& area)
{
    qint64 r = 0, g = 0, b = 0, n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
        {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) < 128)
                continue;
            r += qRed(pixel), g += qGreen(pixel), b += qBlue(pixel), ++n;
        }
    return n ? QColor(int(r / n), int(g / n), int(b / n)) : QColor();
}

int Distance(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue());
}

// Which chunk picture the bar draws between 10 % and 30 % of its width: the one whose own mean
// colour is nearest, or "none" when that part looks as the empty part (80 % to 95 %) does.
QString ChunkDrawn(QWidget* bar)
{
    const QImage image = bar->grab().toImage();
    const int w = image.width(), y = image.height() / 2;
    const QColor filled = Mean(image, QRect(w / 10, y - 1, w / 5, 3));
    const QColor empty = Mean(image, QRect(w * 8 / 10, y - 1, w * 15 / 100, 3));
    if (Distance(filled, empty) < 30)
        return "none";
    QString nearest;
    int best = INT_MAX;
    for (const char* name : {"blue", "green", "red", "gray"})
    {
        const QImage picture(QStringLiteral(":/Progress/progress_chunk_%1.png").arg(name));
        const QColor own = Mean(picture, picture.rect().adjusted(2, 2, -2, -2));
        if (Distance(filled, own) < best)
            best = Distance(filled, own), nearest = name;
    }
    return nearest;
}
} // namespace

class TestInputs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiFonts::LoadFonts(); }
    void init() { m_env.reset(new TestEnvironment()); }
    void cleanup()
    {
        SoundManager::DestroyInstance();
        m_env.reset();
    }

    void SearchReportsOnceAfterTypingPauses()
    {
        NSearchWidget search;
        search.show();
        QSignalSpy filter(&search, &NSearchWidget::OnFilterChanged);
        QTest::keyClicks(search.LineEdit(), "arm");
        // Nothing while typing; once after the pause, with all that was typed.
        QCOMPARE(filter.count(), 0);
        QTRY_COMPARE(filter.count(), 1);
        QCOMPARE(filter.first().first().toString(), "arm");
        QTest::qWait(400);
        QCOMPARE(filter.count(), 1);
    }

    void SearchKeys_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("filters"); // filter texts reported, at once and later
        QTest::addColumn<int>("escapes");
        QTest::addColumn<int>("enters");
        QTest::addColumn<int>("nexts");
        QTest::newRow("escape while typing") << "ab" << int(Qt::Key_Escape) << QStringList{""} << 0 << 0 << 0;
        QTest::newRow("escape when empty") << "" << int(Qt::Key_Escape) << QStringList() << 1 << 0 << 0;
        QTest::newRow("return") << "" << int(Qt::Key_Return) << QStringList() << 0 << 1 << 0;
        QTest::newRow("enter") << "" << int(Qt::Key_Enter) << QStringList() << 0 << 1 << 0;
        QTest::newRow("down") << "" << int(Qt::Key_Down) << QStringList() << 0 << 0 << 1;
        QTest::newRow("up after text") << "x" << int(Qt::Key_Up) << QStringList{"x"} << 0 << 0 << 1;
    }

    void SearchKeys()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QStringList, filters);
        QFETCH(int, escapes);
        QFETCH(int, enters);
        QFETCH(int, nexts);
        KeySink dialog;
        auto* search = new NSearchWidget(&dialog);
        (new QVBoxLayout(&dialog))->addWidget(search);
        dialog.show();
        QSignalSpy filter(search, &NSearchWidget::OnFilterChanged);
        QSignalSpy esc(search, &NSearchWidget::OnKeyEsc);
        QSignalSpy enter(search, &NSearchWidget::OnKeyEnter);
        QSignalSpy next(search, &NSearchWidget::OnFocusNextWidget);
        QTest::keyClicks(search->LineEdit(), typed);
        QTest::keyClick(search->LineEdit(), Qt::Key(key));
        QTest::qWait(400); // a pending filter would have fired by now
        QStringList reported;
        for (const QList<QVariant>& args : filter)
            reported << args.first().toString();
        QCOMPARE(reported, filters);
        QCOMPARE(esc.count(), escapes);
        QCOMPARE(enter.count(), enters);
        QCOMPARE(next.count(), nexts);
        QVERIFY(dialog.keys.isEmpty()); // no key reaches the dialog a second time
        QCOMPARE(search->GetText(), key == Qt::Key_Escape ? QString() : typed);
    }

    void SliderDraggedToZeroAndReleased()
    {
        SoundRecorder sounds;
        NSettingsSlider row("Volume", 0, 100, true);
        row.resize(400, 30);
        row.SetValue(60);
        row.show();
        QVERIFY(QTest::qWaitForWindowExposed(&row));
        QSignalSpy moved(&row, &NSettingsSlider::OnValueChanged);
        QSignalSpy released(&row, &NSettingsSlider::OnValueSoundChange);
        NSlider* slider = row.Slider();
        QTest::mousePress(slider, Qt::LeftButton, {}, HandleCentre(slider));
        QTest::mouseMove(slider, QPoint(1, slider->height() / 2));
        QVERIFY(!moved.isEmpty());
        QCOMPARE(moved.last().first().toInt(), 0);
        QVERIFY(row.OffLabel()->isVisible());
        QVERIFY(!row.ValueLabel()->isVisible());
        QCOMPARE(released.count(), 0); // tracking is off: nothing until release
        QVERIFY(sounds.Played().isEmpty());
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(1, slider->height() / 2));
        QTRY_COMPARE(released.count(), 1);
        QCOMPARE(released.first().first().toInt(), 0);
        QTRY_COMPARE(sounds.Played(), QStringList{"button.off"});
        QCOMPARE(row.GetValue(), 0);

        // Dragged back up: the number returns, the release sounds "on".
        sounds.Clear();
        QTest::mousePress(slider, Qt::LeftButton, {}, HandleCentre(slider));
        QTest::mouseMove(slider, QPoint(slider->width() - 1, slider->height() / 2));
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->width() - 1, slider->height() / 2));
        QCOMPARE(row.GetValue(), 100);
        QCOMPARE(row.ValueLabel()->text(), "100");
        QVERIFY(row.ValueLabel()->isVisible() && !row.OffLabel()->isVisible());
        QTRY_COMPARE(sounds.Played(), QStringList{"button.on"});
    }

    // However the player changes a settings row, it shows the value it has (or "OFF") and reports
    // it once, before the sound of that value plays: a drag as it moves, a key, the wheel or a
    // click beside the handle at once. Each row starts at 60.
    void SliderRowFollowsEveryChange_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("value");
        QTest::newRow("end key") << "End" << 100;
        QTest::newRow("home key: OFF") << "Home" << 0;
        QTest::newRow("right arrow") << "Right" << 61;
        QTest::newRow("down arrow") << "Down" << 59;
        QTest::newRow("page up") << "PageUp" << 70;
        QTest::newRow("page down") << "PageDown" << 50;
        QTest::newRow("wheel up") << "WheelUp" << 60 + QApplication::wheelScrollLines();
        QTest::newRow("wheel down") << "WheelDown" << 60 - QApplication::wheelScrollLines();
        QTest::newRow("click right of the handle") << "ClickRight" << 70;
        QTest::newRow("drag to the start: OFF") << "Drag" << 0;
    }

    void SliderRowFollowsEveryChange()
    {
        QFETCH(QString, action);
        QFETCH(int, value);
        SoundRecorder sounds;
        NSettingsSlider row("Volume", 0, 100, true);
        row.resize(400, 30);
        row.SetValue(60);
        row.show();
        QVERIFY(QTest::qWaitForWindowExposed(&row));
        QSignalSpy changed(&row, &NSettingsSlider::OnValueChanged);
        QSignalSpy settled(&row, &NSettingsSlider::OnValueSoundChange);
        QStringList shownAtSound;
        connect(&row, &NSettingsSlider::OnValueSoundChange, this,
                [&row, &shownAtSound] {
                    shownAtSound << (row.OffLabel()->isVisible() ? row.OffLabel()->text()
                                                                 : row.ValueLabel()->text());
                });
        NSlider* slider = row.Slider();
        const QPoint middle(slider->width() / 2, slider->height() / 2);
        const QMap<QString, int> keys = {{"End", Qt::Key_End},       {"Home", Qt::Key_Home},
                                         {"Right", Qt::Key_Right},   {"Down", Qt::Key_Down},
                                         {"PageUp", Qt::Key_PageUp}, {"PageDown", Qt::Key_PageDown}};
        if (keys.contains(action))
            QTest::keyClick(slider, Qt::Key(keys.value(action)));
        else if (action.startsWith("Wheel"))
        {
            const QPoint notch(0, action == "WheelUp" ? 120 : -120);
            QWheelEvent wheel(middle, slider->mapToGlobal(middle), QPoint(), notch, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(slider, &wheel);
        }
        else if (action == "ClickRight")
        {
            const QPoint beside(slider->width() - 10, slider->height() / 2);
            QTest::mouseClick(slider, Qt::LeftButton, {}, beside);
        }
        else
        {
            QTest::mousePress(slider, Qt::LeftButton, {}, HandleCentre(slider));
            QTest::mouseMove(slider, QPoint(1, slider->height() / 2));
            QCOMPARE(changed.count(), 1);
            QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(1, slider->height() / 2));
        }
        QCOMPARE(row.GetValue(), value);
        QCOMPARE(row.ValueLabel()->text(), QString::number(value));
        QCOMPARE(row.ValueLabel()->isVisible(), value != 0);
        QCOMPARE(row.OffLabel()->isVisible(), value == 0);
        // Reported once, also for a drag, whose release changes nothing more.
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toInt(), value);
        QCOMPARE(settled.count(), 1);
        QCOMPARE(settled.first().first().toInt(), value);
        QCOMPARE(shownAtSound, QStringList{value == 0 ? QString("OFF") : QString::number(value)});
        QTRY_COMPARE(sounds.Played(), QStringList{value == 0 ? "button.off" : "button.on"});
    }

    void PlainSliderSoundsOncePerRelease()
    {
        SoundRecorder sounds;
        NSlider slider;
        slider.resize(300, 20);
        slider.setRange(0, 10);
        slider.show();
        QVERIFY(QTest::qWaitForWindowExposed(&slider));
        QTest::mousePress(&slider, Qt::LeftButton, {}, HandleCentre(&slider));
        for (int x : {60, 120, 200})
            QTest::mouseMove(&slider, QPoint(x, 10));
        QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(200, 10));
        QVERIFY(slider.value() > 0);
        QTRY_COMPARE(sounds.Played(), QStringList{"button.on"});
    }

    void RowsSetFromCodeEmitNothing()
    {
        SoundRecorder sounds;
        NSettingsSlider slider("Music", 10, 90, false);
        NSettingsOnOff onOff("Intro", "Show the intro movie");
        NSettingsSliderOnOff sliderOnOff("Sounds");
        QSignalSpy s1(&slider, &NSettingsSlider::OnValueChanged);
        QSignalSpy s2(&slider, &NSettingsSlider::OnValueSoundChange);
        QSignalSpy o1(&onOff, &NSettingsOnOff::OnValueChanged);
        QSignalSpy b1(&sliderOnOff, &NSettingsSliderOnOff::OnEnableChange);
        QSignalSpy b2(&sliderOnOff, &NSettingsSliderOnOff::OnValueChange);
        QSignalSpy b3(&sliderOnOff, &NSettingsSliderOnOff::OnValueSoundChange);
        slider.SetValue(-3); // clamped, silently
        QCOMPARE(slider.GetValue(), 10);
        slider.SetValue(200);
        QCOMPARE(slider.GetValue(), 90);
        QCOMPARE(slider.ValueLabel()->text(), "90");
        onOff.SetValue(true);
        QVERIFY(onOff.GetValue());
        onOff.SetValue(false);
        QVERIFY(!onOff.GetValue());
        sliderOnOff.SetOn(true);
        sliderOnOff.SetValue(0);
        sliderOnOff.SetSliderEnabled(false);
        QVERIFY(!sliderOnOff.SliderRow()->isEnabled());
        QTest::qWait(20);
        for (QSignalSpy* spy : {&s1, &s2, &o1, &b1, &b2, &b3})
            QCOMPARE(spy->count(), 0);
        QVERIFY(sounds.Requests().isEmpty());
    }

    void OffLabelFollowsValue()
    {
        NSettingsSlider row("Taunts", 0, 100, false);
        row.show();
        row.SetLabelsVisible(false);
        row.SetValue(0);
        QVERIFY(!row.OffLabel()->isVisible() && !row.ValueLabel()->isVisible());
        row.SetLabelsVisible(true); // never "OFF" beside a number
        QVERIFY(row.OffLabel()->isVisible() && !row.ValueLabel()->isVisible());
    }

    // The chunk picture of each colour, also after a change of colour, which keeps the value; never
    // a percentage text.
    void ProgressBarColours_data()
    {
        QTest::addColumn<int>("made");
        QTest::addColumn<int>("set");
        QTest::addColumn<QString>("chunk");
        QTest::newRow("blue") << 0 << -1 << "blue";
        QTest::newRow("green") << 1 << -1 << "green";
        QTest::newRow("green, then red") << 1 << 2 << "red";
        QTest::newRow("red, then gray") << 2 << 3 << "gray";
        QTest::newRow("unknown colour draws no chunk") << 7 << -1 << "none";
        QTest::newRow("blue, then unknown") << 0 << 9 << "none";
    }
    void ProgressBarColours()
    {
        QFETCH(int, made);
        QFETCH(int, set);
        QFETCH(QString, chunk);
        NProgressBar bar(made);
        QCOMPARE(bar.minimum(), 0);
        QCOMPARE(bar.maximum(), 100);
        QCOMPARE(bar.value(), 0);
        QCOMPARE(bar.height(), 11);
        bar.resize(300, bar.height());
        bar.SetValue(60);
        if (set >= 0)
            bar.SetColor(set);
        QCOMPARE(bar.value(), 60);
        QVERIFY(!bar.isTextVisible());
        QCOMPARE(ChunkDrawn(&bar), chunk);
        // Nothing filled, nothing drawn.
        bar.SetValue(0);
        QCOMPARE(ChunkDrawn(&bar), QString("none"));
    }

    // The lists' context menu: dark, from grey on the left to a lighter grey on the right, white
    // bold captions, silver ones for what can't be chosen.
    void ContextMenuLooks()
    {
        QWidget owner;
        auto* menu = new StyledMenu(&owner);
        menu->addAction("Remove from the list");
        menu->addAction("Nothing to do")->setEnabled(false);
        menu->ensurePolished();
        QVERIFY(menu->font().bold());
        menu->adjustSize();
        const QImage image = menu->grab().toImage();
        const QRect inside = image.rect().adjusted(4, 4, -4, -4);
        QVERIFY2(Distance(image.pixel(inside.left(), inside.center().y()), QColor(0x44, 0x44, 0x44)) < 24,
                 qPrintable(QColor(image.pixel(inside.left(), inside.center().y())).name()));
        QVERIFY2(Distance(image.pixel(inside.right(), inside.center().y()), QColor(0x6F, 0x6F, 0x6F)) < 24,
                 qPrintable(QColor(image.pixel(inside.right(), inside.center().y())).name()));
        // The brightest pixel of each caption.
        const auto brightest = [&](const QAction* action)
        {
            const QRect row = menu->actionGeometry(const_cast<QAction*>(action)).intersected(image.rect());
            int most = 0;
            for (int y = row.top(); y <= row.bottom(); ++y)
                for (int x = row.left(); x <= row.right(); ++x)
                    most = qMax(most, qGray(image.pixel(x, y)));
            return most;
        };
        QVERIFY2(brightest(menu->actions().at(0)) > 240,
                 qPrintable(QString::number(brightest(menu->actions().at(0)))));
        const int silver = brightest(menu->actions().at(1));
        QVERIFY2(silver > 150 && silver < 215, qPrintable(QString::number(silver)));
    }

private:
    QScopedPointer<TestEnvironment> m_env;
};

QTEST_MAIN(TestInputs)
#include "tst_Inputs.moc"
