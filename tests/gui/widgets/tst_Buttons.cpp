#include "AppSettings.h"
#include "GuiFonts.h"
#include "GuiMetrics.h"
#include "NButtonBase.h"
#include "NButtonOnOff.h"
#include "NFlagButton.h"
#include "NImageButtonAux.h"
#include "NImageLabel.h"
#include "NReadyButton.h"
#include "StyledButton.h"
#include "TestEnvironment.h"
#include "helper_Sounds.h"

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

private:
    QScopedPointer<TestEnvironment> m_env;
};

QTEST_MAIN(TestButtons)
#include "tst_Buttons.moc"
