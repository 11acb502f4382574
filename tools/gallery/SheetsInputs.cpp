// Inputs, settings rows, progress bars, the context menu and the small widgets, in their states.
#include "CommonWidgets.h"
#include "GalleryKit.h"
#include "GroupCheckWidget.h"
#include "NButtonBase.h"
#include "NImageLabel.h"
#include "NLineEdit.h"
#include "NProgressBar.h"
#include "NSearchWidget.h"
#include "NSettingsOnOff.h"
#include "NSettingsSlider.h"
#include "NSettingsSliderOnOff.h"
#include "NSlider.h"
#include "PlayerPictureWidget.h"
#include "StyledMenu.h"
#include "UTCTimeWidget.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

using namespace Gallery;

namespace
{
// One row per sample: caption on the left, the widget beside it.
class Rows
{
public:
    explicit Rows(Sheet& sheet) : m_grid(sheet.Grid()) {}
    template <typename W>
    W* Add(const QString& caption, W* widget)
    {
        m_grid->addWidget(Caption(caption), m_row, 0, Qt::AlignRight | Qt::AlignVCenter);
        m_grid->addWidget(widget, m_row++, 1, Qt::AlignLeft | Qt::AlignVCenter);
        return widget;
    }

private:
    QGridLayout* m_grid;
    int m_row = 0;
};

void LineEdits(const QString& dir)
{
    Sheet sheet;
    Rows rows(sheet);
    auto edit = [](const QString& text)
    {
        auto* e = new NLineEdit();
        e->setFixedWidth(300);
        e->setText(text);
        return e;
    };
    rows.Add(QStringLiteral("empty"), edit(QString()));
    rows.Add(QStringLiteral("text"), edit(QStringLiteral("Commander Vex")));
    auto* password = rows.Add(QStringLiteral("password"), edit(QStringLiteral("secret")));
    password->setEchoMode(QLineEdit::Password);
    rows.Add(QStringLiteral("disabled"), edit(QStringLiteral("Commander Vex")))->setEnabled(false);
    MarkHover(rows.Add(QStringLiteral("hovered"), edit(QStringLiteral("Commander Vex"))));
    Save(&sheet, dir, QStringLiteral("NLineEdit"));

    Sheet search;
    Rows searchRows(search);
    auto field = [](const QString& text)
    {
        auto* s = new NSearchWidget();
        s->setFixedWidth(320);
        s->LineEdit()->setText(text);
        return s;
    };
    searchRows.Add(QStringLiteral("empty"), field(QString()));
    searchRows.Add(QStringLiteral("typed"), field(QStringLiteral("dune*")));
    searchRows.Add(QStringLiteral("disabled"), field(QStringLiteral("dune*")))->setEnabled(false);
    Save(&search, dir, QStringLiteral("NSearchWidget"));
}

void Sliders(const QString& dir)
{
    Sheet sheet;
    Rows rows(sheet);
    auto slider = [](int value)
    {
        auto* s = new NSlider(Qt::Horizontal, true);
        s->setRange(0, 100);
        s->setFixedWidth(260);
        s->SetValue(value);
        return s;
    };
    rows.Add(QStringLiteral("0"), slider(0));
    rows.Add(QStringLiteral("35"), slider(35));
    rows.Add(QStringLiteral("100"), slider(100));
    rows.Add(QStringLiteral("disabled 60"), slider(60))->setEnabled(false);
    MarkHover(rows.Add(QStringLiteral("hovered 60"), slider(60)));
    Save(&sheet, dir, QStringLiteral("NSlider"));

    Sheet settings;
    Rows settingRows(settings);
    auto row = [](const QString& title, int value, bool highlight)
    {
        auto* r = new NSettingsSlider(title, 0, 100, highlight);
        r->setFixedWidth(460);
        r->SetValue(value);
        return r;
    };
    settingRows.Add(QStringLiteral("value"), row(QStringLiteral("Music"), 70, false));
    settingRows.Add(QStringLiteral("highlighted"), row(QStringLiteral("Sounds"), 45, true));
    settingRows.Add(QStringLiteral("at zero: OFF"), row(QStringLiteral("Taunts"), 0, false));
    settingRows.Add(QStringLiteral("labels hidden"), row(QStringLiteral("Music"), 70, false))
        ->SetLabelsVisible(false);
    settingRows.Add(QStringLiteral("disabled"), row(QStringLiteral("Music"), 70, false))->setEnabled(false);
    // Changed by the player without a drag: the row shows the new value.
    const auto key = [&row](int code)
    {
        NSettingsSlider* r = row(QStringLiteral("Music"), 60, false);
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
        QApplication::sendEvent(r->Slider(), &press);
        return r;
    };
    settingRows.Add(QStringLiteral("60, then End"), key(Qt::Key_End));
    settingRows.Add(QStringLiteral("60, then Home: OFF"), key(Qt::Key_Home));
    NSettingsSlider* wheeled = row(QStringLiteral("Music"), 60, false);
    QWheelEvent wheel(QPointF(), QPointF(), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(wheeled->Slider(), &wheel);
    settingRows.Add(QStringLiteral("60, then the wheel up"), wheeled);
    Save(&settings, dir, QStringLiteral("NSettingsSlider"));

    Sheet onOff;
    Rows onOffRows(onOff);
    auto switchRow = [](bool on)
    {
        auto* r = new NSettingsOnOff(QStringLiteral("Intro movie"),
                                     QStringLiteral("Play it when the lobby starts"));
        r->setFixedWidth(520);
        r->SetValue(on);
        return r;
    };
    onOffRows.Add(QStringLiteral("on"), switchRow(true));
    onOffRows.Add(QStringLiteral("off"), switchRow(false));
    onOffRows.Add(QStringLiteral("disabled"), switchRow(true))->setEnabled(false);
    Save(&onOff, dir, QStringLiteral("NSettingsOnOff"));

    Sheet sliderOnOff;
    Rows sliderOnOffRows(sliderOnOff);
    auto sliderSwitch = [](bool on, int value)
    {
        auto* r = new NSettingsSliderOnOff(QStringLiteral("Music"));
        r->setFixedWidth(560);
        r->SetOn(on);
        r->SetValue(value);
        r->SetSliderEnabled(on);
        return r;
    };
    sliderOnOffRows.Add(QStringLiteral("on, 60"), sliderSwitch(true, 60));
    sliderOnOffRows.Add(QStringLiteral("off, slider disabled"), sliderSwitch(false, 60));
    Save(&sliderOnOff, dir, QStringLiteral("NSettingsSliderOnOff"));
}

void ProgressAndMenu(const QString& dir)
{
    Sheet sheet;
    const char* colours[] = {"blue", "green", "red", "gray"};
    const int values[] = {0, 8, 35, 100};
    for (int v = 0; v < 4; ++v)
        sheet.Grid()->addWidget(
            new NImageLabel(15, QString::number(values[v]) + QLatin1Char('%'), Common::ColorMain()), 0, 1 + v,
            Qt::AlignCenter);
    for (int c = 0; c < 4; ++c)
    {
        sheet.Grid()->addWidget(Caption(QLatin1String(colours[c])), 1 + c, 0, Qt::AlignRight);
        for (int v = 0; v < 4; ++v)
        {
            auto* bar = new NProgressBar(c);
            bar->setFixedWidth(200);
            bar->SetValue(values[v]);
            sheet.Grid()->addWidget(bar, 1 + c, 1 + v);
        }
    }
    sheet.Grid()->addWidget(Caption(QStringLiteral("disabled")), 5, 0, Qt::AlignRight);
    auto* disabled = new NProgressBar(NProgressBar::ChunkGreen);
    disabled->setFixedWidth(200);
    disabled->SetValue(60);
    disabled->setEnabled(false);
    sheet.Grid()->addWidget(disabled, 5, 1);
    Save(&sheet, dir, QStringLiteral("NProgressBar"));

    // Menus are pop-ups: drawn into pictures beside each other.
    Sheet menus;
    const QStringList captions = {"plain", "hovered item", "hovered disabled item"};
    for (int i = 0; i < captions.size(); ++i)
    {
        StyledMenu menu;
        QAction* join =
            menu.addAction(QIcon(QStringLiteral(":/Common/search.png")), QStringLiteral("Join battle"));
        menu.addAction(QStringLiteral("Open chat"));
        QAction* ignore = menu.addAction(QStringLiteral("Ignore player"));
        ignore->setCheckable(true);
        ignore->setChecked(true);
        menu.addSeparator();
        QAction* kick = menu.addAction(QStringLiteral("Kick (host only)"));
        kick->setEnabled(false);
        if (i == 1)
            menu.setActiveAction(join);
        if (i == 2)
            menu.setActiveAction(kick);
        menu.ensurePolished();
        menu.adjustSize();
        auto* picture = new QLabel();
        picture->setPixmap(menu.grab());
        menus.Grid()->addWidget(Caption(captions[i]), 0, i, Qt::AlignCenter);
        menus.Grid()->addWidget(picture, 1, i, Qt::AlignTop | Qt::AlignHCenter);
    }
    Save(&menus, dir, QStringLiteral("StyledMenu"));
}

// The group check widget has no look of its own; a page would put its buttons into it.
class ButtonGroupDemo final : public GroupCheckWidget
{
public:
    explicit ButtonGroupDemo(int chosen)
    {
        auto* layout = new QHBoxLayout(this);
        auto* group = new QButtonGroup(this);
        for (int id = 0; id < 3; ++id)
        {
            auto* button = new NButton(ButtonBlack);
            button->SetCheckable(true);
            button->SetText(QStringLiteral("Team %1").arg(id + 1));
            group->addButton(button, id);
            layout->addWidget(button);
        }
        connect(group, &QButtonGroup::idClicked, this, &GroupCheckWidget::ButtonClicked);
        if (chosen >= 0)
            group->button(chosen)->click();
    }
};

void SmallWidgets(const QString& dir)
{
    Sheet clocks;
    const QStringList kinds = {"kind 0 (CET)", "kind 1 (UTC)", "kind 2 (local)", "kind 5 (no title)"};
    for (int i = 0; i < kinds.size(); ++i)
    {
        clocks.Grid()->addWidget(Caption(kinds[i]), 0, i, Qt::AlignCenter);
        clocks.Grid()->addWidget(new UTCTimeWidget(i < 3 ? i : 5), 1, i, Qt::AlignCenter);
    }
    Save(&clocks, dir, QStringLiteral("UTCTimeWidget"));

    Sheet pictures;
    QPixmap wide(240, 120);
    wide.fill(QColor(60, 120, 200));
    QPainter(&wide).drawPixmap(QRect(80, 0, 80, 120), QPixmap(QStringLiteral(":/AI/rav.png")));
    QPixmap tall = QPixmap(QStringLiteral(":/AI/queen.png")).scaled(60, 120, Qt::IgnoreAspectRatio);
    struct Sample
    {
        QString caption;
        QSize size;
        QPixmap picture;
        bool clickable;
    };
    const Sample samples[] = {{"no photo 64", QSize(), QPixmap(), false},
                              {"no photo in 40 x 40", QSize(40, 40), QPixmap(), false},
                              {"wide photo", QSize(96, 96), wide, false},
                              {"tall photo", QSize(96, 96), tall, false},
                              {"clickable, hovered", QSize(96, 96), wide, true}};
    int column = 0;
    for (const Sample& sample : samples)
    {
        auto* picture = new PlayerPictureWidget(sample.size, sample.clickable);
        picture->SetPicture(sample.picture);
        if (sample.clickable)
            MarkHover(picture);
        // A dashed frame just outside shows the widget's own area around the centred picture.
        auto* frame = new QFrame();
        frame->setObjectName(QStringLiteral("PictureArea"));
        frame->setStyleSheet(QStringLiteral("#PictureArea{border: 1px dashed rgba(255, 255, 255, 90);}"));
        auto* layout = new QHBoxLayout(frame);
        layout->setContentsMargins(1, 1, 1, 1);
        layout->addWidget(picture);
        pictures.Grid()->addWidget(Caption(sample.caption), 0, column, Qt::AlignCenter);
        pictures.Grid()->addWidget(frame, 1, column++, Qt::AlignCenter);
    }
    Save(&pictures, dir, QStringLiteral("PlayerPictureWidget"));

    Sheet groups;
    Rows groupRows(groups);
    groupRows.Add(QStringLiteral("nothing chosen"), new ButtonGroupDemo(-1));
    groupRows.Add(QStringLiteral("team 2 chosen"), new ButtonGroupDemo(1));
    Save(&groups, dir, QStringLiteral("GroupCheckWidget"));

    Sheet palette;
    for (int i = 0; i < Common::PlayerColorCount(); ++i)
    {
        auto* swatch = new QLabel();
        swatch->setPixmap(Common::ColorSwatchPixmap(Common::GetPlayerColor(i), QSize(48, 32)));
        palette.Grid()->addWidget(Caption(QString::number(i)), (i / 8) * 2, i % 8, Qt::AlignCenter);
        palette.Grid()->addWidget(swatch, (i / 8) * 2 + 1, i % 8, Qt::AlignCenter);
    }
    Save(&palette, dir, QStringLiteral("PlayerPalette"));
}

void Inputs(const QString& dir)
{
    LineEdits(dir);
    Sliders(dir);
    ProgressAndMenu(dir);
    SmallWidgets(dir);
}
} // namespace

static Registration s_inputs("inputs", Inputs);
