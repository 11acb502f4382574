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

#include <QSignalSpy>
#include <QTest>

namespace
{

// The seven state pictures, `prefix` + each word: normal, pressed, disabled, hover, hover+pressed,
// checked, hover+checked.
QString Sheet(const QString& prefix, const QString& words, int border, int padding)
{
    QString sheet = QStringLiteral(
        "QPushButton{border-image: "
        "url(:/Buttons/%1.png);border-top:\t\t%8px;border-right:\t\t%8px;border-bottom:\t\t%"
        "8px;border-left:\t\t%8px;padding:\t\t\t0px;}QPushButton:pressed{border-image:\t\turl(:/Buttons/"
        "%2.png);padding-left:\t\t%9px;padding-right:\t\t%9px;padding:\t\t\t0px;}QPushButton::disabled{"
        "border-image:"
        "\t\turl(:/Buttons/%3.png);}QPushButton:hover{border-image:\t\turl(:/Buttons/"
        "%4.png);}QPushButton:hover:"
        "pressed{border-image:\t\turl(:/Buttons/%5.png);}QPushButton:checked{border-image:\t\turl(:/Buttons/"
        "%6.png);padding-left:\t\t%9px;padding-right:\t\t%9px;padding:\t\t\t0px;}QPushButton:hover:checked{"
        "border-"
        "image:\t\turl(:/Buttons/%7.png);}");
    const QStringList images = words.split(' ');
    for (int i = 0; i < 7; ++i)
        sheet.replace(QStringLiteral("%%1").arg(i + 1), prefix + images[i]);
    return sheet.replace(QStringLiteral("%8"), QString::number(border))
        .replace(QStringLiteral("%9"), QString::number(padding));
}

} // namespace

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

    void PictureNamesByColour()
    {
        const QStringList words = {"black",       "blue",  "brown", "brown_dark",
                                   "brown_light", "green", "red",   "silver"};
        for (int c = 1; c <= 8; ++c)
        {
            QCOMPARE(NButtonBase::PlainImageName(c, 1.0), QStringLiteral("button_") + words[c - 1]);
            QCOMPARE(NButtonBase::ModalImageName(c, 1.0), QStringLiteral("button_menu_") + words[c - 1]);
            QCOMPARE(NButtonBase::PlainImageName(c, 2.0), QStringLiteral("button_%1_2x").arg(words[c - 1]));
            QCOMPARE(NButtonBase::MenuImageName(c, 1.5),
                     QStringLiteral("button_menu_%1_2x").arg(words[c - 1]));
        }
        for (int c : {0, 9, -1})
        {
            QVERIFY(NButtonBase::PlainImageName(c, 1.0).isEmpty());
            QVERIFY(NButtonBase::MenuImageName(c, 2.0).isEmpty());
            QCOMPARE(NButtonBase::ModalImageName(c, 1.0), QStringLiteral("button_menu_none"));
        }
        QCOMPARE(NButtonBase::ModalImageName(0, 2.0), QStringLiteral("button_menu_none_2x"));
    }

    void StyleSheetsByStateAndColour()
    {
        NButton blue(ButtonBlue);
        QCOMPARE(blue.GetImage(0), QStringLiteral("button_blue"));
        QCOMPARE(blue.GetImage(1), QStringLiteral("button_brown"));
        QCOMPARE(blue.styleSheet(), Sheet("button_", "blue brown black silver black green green", 12, 14));
        QCOMPARE(NButtonAction(ButtonRed).styleSheet(),
                 Sheet("button_", "red brown black brown_light brown_dark brown brown", 12, 14));
        QCOMPARE(NButtonMenu(ButtonGreen).styleSheet(),
                 Sheet("button_menu_", "green brown black black silver black black", 34, 22));
        QCOMPARE(NButtonModal(ButtonNone).styleSheet(),
                 Sheet("button_menu_", "none brown silver silver black black black", 34, 24));
        NButton none(ButtonNone);
        QVERIFY(none.GetImage(0).isEmpty());
        NButtonMenu menuNone(ButtonNone);
        QVERIFY(menuNone.GetImage(0).isEmpty());
    }

    void SettersRestyleOnlyOnApply()
    {
        NButton button(ButtonBlack);
        const QString before = button.styleSheet();
        button.SetImageHover(ButtonRed);
        button.SetBorderWidth(5);
        QCOMPARE(button.styleSheet(), before);
        button.ApplyStyle();
        QVERIFY(button.styleSheet().contains(
            QStringLiteral("QPushButton:hover{border-image:\t\turl(:/Buttons/button_red.png);}")));
        QVERIFY(button.styleSheet().contains(QStringLiteral("border-top:\t\t5px;")));
        // Checkable buttons keep their own checked colours.
        button.SetImageChecked(ButtonRed);
        button.SetCheckable(true);
        QVERIFY(button.isCheckable());
        QCOMPARE(button.GetImage(5), QStringLiteral("button_green"));
        NButtonModal modal(ButtonBlue);
        modal.SetCheckable(true);
        QVERIFY(modal.styleSheet().contains(
            QStringLiteral("checked{border-image:\t\turl(:/Buttons/button_menu_black.png)")));
    }

    void FixedHeights()
    {
        // Caption font size + 2 x padding - 2.
        QCOMPARE(NButton().height(), 12 + 2 * 14 - 2);
        QCOMPARE(NButtonAction().height(), 16 + 2 * 14 - 2);
        QCOMPARE(NButtonMenu().height(), 26 + 2 * 22 - 2);
        QCOMPARE(NButtonModal().height(), 18 + 2 * 24 - 2);
        NButton button;
        button.SetVerticalPadding(4);
        QCOMPARE(button.height(), 12 + 8 - 2);
        QCOMPARE(button.minimumHeight(), button.maximumHeight());
    }

    void MinimumWidthFollowsCaption()
    {
        NButton button;
        button.SetText(QStringLiteral("abc"));
        QCOMPARE(button.GetText(), QStringLiteral("ABC"));
        QCOMPARE(button.CaptionLabel()->alignment(), Qt::AlignCenter);
        const QFontMetrics metrics(button.CaptionLabel()->font());
        QCOMPARE(button.minimumWidth(),
                 metrics.horizontalAdvance(QStringLiteral("ABC")) + 3 * metrics.height());

        // A stored minimum that is larger wins; a longer caption raises it past the stored minimum.
        button.SetMinimumWidth(GuiButtonMinWidth);
        button.Relayout();
        QCOMPARE(button.minimumWidth(), GuiButtonMinWidth);
        button.SetText(QStringLiteral("a very long caption indeed"));
        QVERIFY(button.minimumWidth() > GuiButtonMinWidth);
    }

    void LockedSizeNeverGrows()
    {
        NButton fixedSize;
        fixedSize.SetFixedSize(40, 30);
        fixedSize.SetText(QStringLiteral("a much longer caption than forty pixels"));
        QCOMPARE(fixedSize.size(), QSize(40, 30));
        QCOMPARE(fixedSize.minimumWidth(), 40);
        QVERIFY(fixedSize.IsSizeLocked());

        NButton fixedWidth;
        fixedWidth.SetFixedWidth(50);
        fixedWidth.SetText(QStringLiteral("another long caption"));
        QCOMPARE(fixedWidth.minimumWidth(), 50);
        QCOMPARE(fixedWidth.width(), 50);
    }

    void IconLayout()
    {
        NButton button;
        QPixmap icon(20, 10);
        icon.fill(Qt::red);
        button.SetIcon(icon);
        QCOMPARE(button.IconLabel()->size(), QSize(20, 10));
        // Icon only: centred, caption squeezed to nothing.
        button.show();
        button.resize(100, button.height());
        QCOMPARE(button.CaptionLabel()->width(), 0);
        QCOMPARE(button.IconLabel()->pos(), QPoint((100 - 20) / 2, (button.height() - 10) / 2));

        // Icon and caption: both centred as a group, 6 px apart.
        button.SetText(QStringLiteral("Go"));
        button.resize(200, button.height());
        const int textWidth =
            QFontMetrics(button.CaptionLabel()->font()).horizontalAdvance(QStringLiteral("GO"));
        const int x = (200 - textWidth - 6 - 20) / 2 - 2;
        QCOMPARE(button.CaptionLabel()->width(), textWidth);
        QCOMPARE(button.IconLabel()->x(), x);
        QCOMPARE(button.CaptionLabel()->x(), x + 20 + 6);
        QCOMPARE(button.CaptionLabel()->alignment(), Qt::AlignLeft | Qt::AlignVCenter);

        // UpdateIcon renders at the button's height.
        QPixmap big(64, 64);
        big.fill(Qt::blue);
        button.UpdateIcon(QIcon(big));
        QCOMPARE(button.IconLabel()->size(), QSize(button.height(), button.height()));
    }

    void ClickAndHoverSounds()
    {
        SoundRecorder sounds;
        NButton button;
        button.click();
        QCOMPARE(sounds.Played(), QStringList{QStringLiteral("button.click")});
        sounds.Clear();
        NButton silent(ButtonBlack, false);
        silent.click();
        QVERIFY(sounds.Played().isEmpty());

        Enter(&button);
        QCOMPARE(sounds.Played(), QStringList{QStringLiteral("button.hover")});
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
        QCOMPARE(onOff.OnButton()->GetImage(5), QStringLiteral("button_green"));
        QCOMPARE(onOff.OffButton()->GetImage(5), QStringLiteral("button_red"));
    }

    void AuxButton()
    {
        SoundRecorder sounds;
        NImageButtonAux top(0);
        QCOMPARE(top.height(), 34);
        QVERIFY(top.styleSheet().startsWith(QStringLiteral(
            "QPushButton{border-image: url(:/Buttons/button_aux_top.png);border-top:\t18px;")));
        QVERIFY(top.styleSheet().contains(QStringLiteral("url(:/Buttons/button_aux_top_disable.png)")));
        QVERIFY(NImageButtonAux(1).styleSheet().contains(QStringLiteral("button_aux_top2_pressed.png")));
        QVERIFY(NImageButtonAux(2).styleSheet().contains(QStringLiteral("button_aux_bottom_hover.png")));
        QCOMPARE(top.CaptionLabel()->GetKind(), 8);
        QCOMPARE(top.CaptionLabel()->alignment(), Qt::AlignTop | Qt::AlignHCenter);

        top.click();
        NImageButtonAux silent(2, true);
        silent.click();
        QCOMPARE(sounds.Played(), QStringList{QStringLiteral("button.click")});
        sounds.Clear();
        top.setEnabled(false);
        Enter(&top);
        QCOMPARE(sounds.Played(), QStringList{QStringLiteral("button.hover")});

        // Layout: caption across the whole button, raised on top tabs.
        top.setEnabled(true);
        top.show();
        top.resize(120, 34);
        QCOMPARE(top.CaptionLabel()->size(), QSize(120, 34));
        QCOMPARE(top.CaptionLabel()->y(), (34 - 12) / 2 - 3);
        NImageButtonAux bottom(2);
        QPixmap icon(10, 10);
        icon.fill(Qt::red);
        bottom.SetPixmap(icon);
        bottom.show();
        bottom.resize(100, 34);
        QCOMPARE(bottom.IconLabel()->pos(), QPoint(45, 13));
        QCOMPARE(bottom.CaptionLabel()->y(), (34 - 12) / 2);
    }

    void ReadyButton()
    {
        SoundRecorder sounds;
        NReadyButton ready;
        QVERIFY(ready.isCheckable());
        QCOMPARE(ready.styleSheet(), NReadyButton::ReadySheet());
        QVERIFY(ready.styleSheet().contains(
            QStringLiteral("QPushButton:checked{border-image: url(:/PlayerStatus/player_ready.png);}")));
        ready.SetSynced(false);
        QCOMPARE(ready.styleSheet(), NReadyButton::NotSyncedSheet());
        ready.SetSynced(true);
        QCOMPARE(ready.styleSheet(), NReadyButton::ReadySheet());
        ready.click();
        QVERIFY(ready.isChecked());
        ready.setEnabled(false);
        Enter(&ready);
        QCOMPARE(sounds.Played(),
                 (QStringList{QStringLiteral("button.click"), QStringLiteral("button.hover")}));
        NReadyButton silent(true);
        sounds.Clear();
        silent.click();
        QVERIFY(sounds.Played().isEmpty());
    }

    void FlagButtonDimsUnlessCheckedOrHovered()
    {
        SoundRecorder sounds;
        NFlagButton flag(QStringLiteral("DE"));
        const QImage bright = flag.Render(NFlagButton::FlagEnter);
        const QImage dim = flag.Render(NFlagButton::FlagLeave);
        const QImage pressed = flag.Render(NFlagButton::FlagPressed);
        const QPoint mid(bright.width() / 2, bright.height() / 2);
        QVERIFY(qGray(bright.pixel(mid)) > qGray(dim.pixel(mid)));
        QVERIFY(pressed.pixel(mid) != bright.pixel(mid));
        // The dimming covers the flag's box only: pixels of Nepal's pennant outside it stay as they were.
        NFlagButton pennant(QStringLiteral("np"));
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

        flag.setChecked(true);
        QCOMPARE(flag.Render(NFlagButton::FlagLeave), bright);
        Enter(&flag);
        flag.click();
        QCOMPARE(sounds.Played(),
                 (QStringList{QStringLiteral("button.hover"), QStringLiteral("button.click")}));
        // An unknown country still gets a flag picture.
        QVERIFY(!NFlagButton(QStringLiteral("XX")).icon().isNull());
    }

    void StyledButtonSwapsPictures()
    {
        const QString on = ":/PlayerStatus/player_ready.png", off = ":/PlayerStatus/player_not_ready.png";
        StyledButton button(on, off);
        const QImage before = button.icon().pixmap(24).toImage();
        QCOMPARE(before, QImage(off).convertToFormat(before.format()));
        button.click();
        const QImage after = button.icon().pixmap(24).toImage();
        QCOMPARE(after, QImage(on).convertToFormat(after.format()));
    }

private:
    QScopedPointer<TestEnvironment> m_env;
};

QTEST_MAIN(TestButtons)
#include "tst_Buttons.moc"
