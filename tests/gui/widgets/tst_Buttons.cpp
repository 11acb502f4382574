// The button family and the small widgets beside them: clocks, the player picture, the group
// check widget (their drawing is the gallery's).
#include "AppSettings.h"
#include "Common.h"
#include "GroupCheckWidget.h"
#include "GuiFonts.h"
#include "GuiMetrics.h"
#include "NButtonBase.h"
#include "NButtonOnOff.h"
#include "NFlagButton.h"
#include "NImageButtonAux.h"
#include "NImageLabel.h"
#include "NReadyButton.h"
#include "PlayerPictureWidget.h"
#include "StyledButton.h"
#include "TestEnvironment.h"
#include "UTCTimeWidget.h"
#include "helper_Sounds.h"

#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

class TestButtons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiFonts::LoadFonts(); }
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

    // Every picture a button's style names loads, in each family, colour and scale; no colour
    // gives no plain or menu picture and the dialogs' own one.
    void StylePicturesLoad()
    {
        const QRegularExpression url("url\\((:/[^)]*)\\)");
        for (int c = ButtonBlack; c <= ButtonSilver; ++c)
        {
            QStringList paths;
            for (const QString& sheet : {NButton(c).styleSheet(), NButtonAction(c).styleSheet(),
                                         NButtonMenu(c).styleSheet(), NButtonModal(c).styleSheet()})
                for (auto it = url.globalMatch(sheet); it.hasNext();)
                    paths << it.next().captured(1);
            QCOMPARE(paths.size(), 4 * 7);
            for (double scale : {1.0, 2.0})
                for (const QString& name :
                     {NButtonBase::PlainImageName(c, scale), NButtonBase::MenuImageName(c, scale),
                      NButtonBase::ModalImageName(c, scale)})
                    paths << ":/Buttons/" + name + ".png";
            for (const QString& path : paths)
                QVERIFY2(!QImage(path).isNull(), qPrintable(path));
        }
        for (int c : {0, 9, -1})
        {
            QVERIFY(NButtonBase::PlainImageName(c, 1.0).isEmpty() &&
                    NButtonBase::MenuImageName(c, 2.0).isEmpty());
            QCOMPARE(NButtonBase::ModalImageName(c, 2.0), "button_menu_none_2x");
        }
        QVERIFY(NButton(ButtonNone).GetImage(0).isEmpty() && NButtonMenu(ButtonNone).GetImage(0).isEmpty());
        QVERIFY(!QImage(":/Buttons/" + NButtonModal(ButtonNone).GetImage(0) + ".png").isNull());
    }

    void MinimumWidthFollowsCaption()
    {
        NButton button;
        button.SetText("abc");
        QCOMPARE(button.GetText(), "ABC");
        QVERIFY(button.minimumWidth() > QFontMetrics(button.CaptionLabel()->font()).horizontalAdvance("ABC"));

        // A stored minimum that is larger wins; a longer caption raises it past the stored minimum.
        button.SetMinimumWidth(GuiButtonMinWidth);
        button.Relayout();
        QCOMPARE(button.minimumWidth(), GuiButtonMinWidth);
        button.SetText("a very long caption indeed");
        QVERIFY(button.minimumWidth() > GuiButtonMinWidth);

        // A locked size never grows with the caption.
        NButton fixedSize, fixedWidth;
        fixedSize.SetFixedSize(40, 30);
        fixedSize.SetText("a much longer caption than forty pixels");
        QVERIFY(fixedSize.size() == QSize(40, 30) && fixedSize.minimumWidth() == 40 &&
                fixedSize.IsSizeLocked());
        fixedWidth.SetFixedWidth(50);
        fixedWidth.SetText("another long caption");
        QVERIFY(fixedWidth.minimumWidth() == 50 && fixedWidth.width() == 50);
    }

    void ClickAndHoverSounds()
    {
        SoundRecorder sounds;
        NButton button;
        button.click();
        QCOMPARE(sounds.Played(), QStringList{"button.click"});
        sounds.Clear();
        NButton silent(ButtonBlack, false);
        silent.click();
        QVERIFY(sounds.Played().isEmpty());

        Enter(&button);
        QCOMPARE(sounds.Played(), QStringList{"button.hover"});
        sounds.Clear();
        button.setEnabled(false);
        Enter(&button);
        QVERIFY(sounds.Played().isEmpty());

        // Hover sounds muted in the settings: nothing is even requested.
        AppSettingsSound::Instance()->ButtonHoverMute = true;
        button.setEnabled(true);
        Enter(&button);
        QVERIFY(sounds.Played().isEmpty());
    }

    void OnOffSwitch()
    {
        SoundRecorder sounds;
        NButtonOnOff onOff;
        QStringList order;
        connect(&onOff, &NButtonOnOff::OnValueChanged, this,
                [&](bool value)
                { order << QStringLiteral("%1:%2").arg(value).arg(sounds.Played().join(',')); });
        onOff.SetValue(true);
        QVERIFY(onOff.GetValue() && onOff.OnButton()->isChecked() && !onOff.OffButton()->isChecked());
        onOff.SetValue(false);
        QVERIFY(!onOff.GetValue());
        // Set from code: no signal, no sound.
        QVERIFY(order.isEmpty() && sounds.Played().isEmpty());

        // The on sound follows the signal, the off sound comes before it; the halves make no click.
        onOff.OnButton()->click();
        onOff.OffButton()->click();
        QVERIFY(!onOff.GetValue());
        QCOMPARE(order, (QStringList{"1:", "0:button.on,button.off"}));
        QCOMPARE(sounds.Played(), (QStringList{"button.on", "button.off"}));
    }

    // The tab and ready buttons click unless made silent; they sound a hover even when disabled.
    void AuxAndReadyButtons()
    {
        SoundRecorder sounds;
        NImageButtonAux top(0);
        NReadyButton ready;
        NImageButtonAux silentAux(2, true);
        NReadyButton silentReady(true);
        for (QPushButton* button : QList<QPushButton*>{&top, &silentAux, &ready, &silentReady})
            button->click();
        QCOMPARE(sounds.Played(), (QStringList{"button.click", "button.click"}));
        QVERIFY(ready.isCheckable() && ready.isChecked());
        sounds.Clear();
        for (QPushButton* button : QList<QPushButton*>{&top, &ready})
        {
            button->setEnabled(false);
            Enter(button);
        }
        QCOMPARE(sounds.Played(), (QStringList{"button.hover", "button.hover"}));
    }

    // The states' looks are the gallery's; the dimming must cover the flag's box only: pixels of
    // Nepal's pennant outside it stay as they were.
    void FlagButtonDimsOnlyTheFlag()
    {
        SoundRecorder sounds;
        NFlagButton pennant("np");
        const QImage plain = pennant.Render(NFlagButton::FlagEnter);
        const QImage covered = pennant.Render(NFlagButton::FlagLeave);
        const int midY = plain.height() / 2;
        int right = plain.width() - 1;
        while (right > 0 && qAlpha(plain.pixel(right, midY)) == 0)
            --right;
        QVERIFY(right < plain.width() - 1);
        for (int y = 0; y < plain.height(); ++y)
            for (int x = right + 1; x < plain.width(); ++x)
                QCOMPARE(covered.pixel(x, y), plain.pixel(x, y));
        QVERIFY(covered.pixel(right, midY) != plain.pixel(right, midY));

        Enter(&pennant);
        pennant.click();
        QCOMPARE(sounds.Played(), (QStringList{"button.hover", "button.click"}));
        // An unknown country still gets a flag picture.
        QVERIFY(!NFlagButton("XX").icon().isNull());
    }

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

private:
    QScopedPointer<TestEnvironment> m_env;
};

QTEST_MAIN(TestButtons)
#include "tst_Buttons.moc"
