// The widget gallery: every label kind and every button kind in each of its states, rendered
// offscreen over a game backdrop into PNG files.
//   qm_gallery <output folder> [game code]
#include "AppDefines.h"
#include "AppSettings.h"
#include "Common.h"
#include "GuiFonts.h"
#include "GuiMetrics.h"
#include "NButtonBase.h"
#include "NButtonOnOff.h"
#include "NFlagButton.h"
#include "NImageButtonAux.h"
#include "NImageLabel.h"
#include "NLabel.h"
#include "NPicture.h"
#include "NReadyButton.h"
#include "PathManager.h"
#include "StyledButton.h"

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

namespace
{
QString g_game = QStringLiteral("zorn");
bool g_failed = false;

// A page with a game backdrop under a dark veil, like every page but the main menu.
class Sheet : public QWidget
{
public:
    Sheet()
    {
        m_back = QPixmap(QStringLiteral(":/Backgrounds/%1/01.unfocus.jpg").arg(g_game));
        m_frame = QPixmap(QStringLiteral(":/Frames/picture_border.png"));
        m_grid = new QGridLayout(this);
        m_grid->setContentsMargins(48, 48, 48, 48);
        m_grid->setHorizontalSpacing(16);
        m_grid->setVerticalSpacing(10);
    }
    QGridLayout* Grid() const { return m_grid; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QSize s = m_back.size().scaled(size(), Qt::KeepAspectRatioByExpanding);
        p.drawPixmap(QRect(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s), m_back);
        p.fillRect(rect(), QColor(0, 0, 0, 200));
        // The window border, cut into 34 px tiles as the background manager does.
        const int b = 34, w = width(), h = height(), fw = m_frame.width(), fh = m_frame.height();
        const int mx = (fw - b) / 2, my = (fh - b) / 2;
        p.drawPixmap(QRect(0, 0, b, b), m_frame, QRect(0, 0, b, b));
        p.drawPixmap(QRect(b, 0, w - 2 * b, b), m_frame, QRect(mx, 0, b, b));
        p.drawPixmap(QRect(w - b, 0, b, b), m_frame, QRect(fw - b, 0, b, b));
        p.drawPixmap(QRect(w - b, b, b, h - 2 * b), m_frame, QRect(fw - b, my, b, b));
        p.drawPixmap(QRect(w - b, h - b, b, b), m_frame, QRect(fw - b, fh - b, b, b));
        p.drawPixmap(QRect(b, h - b, w - 2 * b, b), m_frame, QRect(mx, fh - b, b, b));
        p.drawPixmap(QRect(0, h - b, b, b), m_frame, QRect(0, fh - b, b, b));
        p.drawPixmap(QRect(0, b, b, h - 2 * b), m_frame, QRect(0, my, b, b));
    }

private:
    QPixmap m_back;
    QPixmap m_frame;
    QGridLayout* m_grid = nullptr;
};

enum State
{
    Normal,
    Hover,
    Pressed,
    Disabled,
    Checked,
    HoverChecked
};
const char* const kStateNames[] = {"normal", "hover", "pressed", "disabled", "checked", "hover+checked"};

void ApplyState(QAbstractButton* button, State state)
{
    // Hover is applied after the sheet is shown: showing resets who is under the pointer.
    if (state == Hover || state == HoverChecked)
        button->setProperty("galleryHover", true);
    if (state == Pressed)
        button->setDown(true);
    if (state == Disabled)
        button->setEnabled(false);
    if (state == Checked || state == HoverChecked)
    {
        button->setCheckable(true);
        button->setChecked(true);
    }
}

NImageLabel* Caption(const QString& text, QColor color = QColor(158, 158, 158))
{
    return new NImageLabel(8, text, color);
}

void Header(QGridLayout* grid, int row, int firstColumn, const QList<State>& states)
{
    for (int i = 0; i < states.size(); ++i)
        grid->addWidget(new NImageLabel(15, QLatin1String(kStateNames[states[i]]), QColor(255, 195, 0)), row,
                        firstColumn + i, Qt::AlignCenter);
}

void Save(QWidget* sheet, const QString& file)
{
    sheet->adjustSize();
    sheet->resize(sheet->sizeHint().expandedTo(QSize(640, 200)));
    sheet->show();
    QApplication::processEvents();
    // Let every delayed colour change and layout pass settle.
    QTest::qWait(30);
    QImage image = sheet->grab().toImage();
    // Style sheets show hover only for the widget the pointer really entered: move it over each
    // hover sample in turn and paint that sample's picture into the sheet.
    QPainter painter(&image);
    for (QWidget* child : sheet->findChildren<QWidget*>())
    {
        if (!child->property("galleryHover").toBool())
            continue;
        QTest::mouseMove(child, child->rect().center());
        QTest::qWait(15);
        child->render(&painter, child->mapTo(sheet, QPoint(0, 0)), QRegion(), QWidget::DrawChildren);
    }
    painter.end();
    QTest::mouseMove(sheet, QPoint(1, 1));
    // Sheets are top-level windows at the same place: put this one away before the next.
    sheet->hide();
    if (!image.save(file))
    {
        qCritical("gallery: cannot write %s", qPrintable(file));
        g_failed = true;
    }
    qInfo("gallery: %s", qPrintable(file));
}

template <typename Make>
void ButtonRow(QGridLayout* grid, int row, const QString& name, const QList<State>& states, Make make)
{
    grid->addWidget(Caption(name), row, 0, Qt::AlignRight | Qt::AlignVCenter);
    for (int i = 0; i < states.size(); ++i)
    {
        QAbstractButton* button = make();
        ApplyState(button, states[i]);
        grid->addWidget(button, row, 1 + i, Qt::AlignCenter);
    }
}

void Buttons(const QString& dir)
{
    const QList<State> states = {Normal, Hover, Pressed, Disabled, Checked, HoverChecked};
    const char* colours[] = {"none",        "black", "blue", "brown", "brown_dark",
                             "brown_light", "green", "red",  "silver"};

    Sheet plain;
    Header(plain.Grid(), 0, 1, states);
    int row = 1;
    for (int c = 1; c <= 8; ++c)
        ButtonRow(plain.Grid(), row++, QStringLiteral("NButton %1").arg(QLatin1String(colours[c])), states,
                  [c]
                  {
                      auto* b = new NButton(c);
                      b->SetText(QStringLiteral("Join battle"));
                      return b;
                  });
    ButtonRow(plain.Grid(), row++, QStringLiteral("NButton checkable"), states,
              []
              {
                  auto* b = new NButton(ButtonBlack);
                  b->SetCheckable(true);
                  b->SetText(QStringLiteral("Spectator"));
                  return b;
              });
    ButtonRow(plain.Grid(), row++, QStringLiteral("NButton icon"), states,
              []
              {
                  auto* b = new NButton(ButtonBlue);
                  b->SetIcon(QPixmap(QStringLiteral(":/GamesData/zorn/arm.png")));
                  b->SetText(QStringLiteral("Arm"));
                  return b;
              });
    ButtonRow(plain.Grid(), row++, QStringLiteral("NButton icon only"), states,
              []
              {
                  auto* b = new NButton(ButtonBlack);
                  b->SetIcon(QPixmap(QStringLiteral(":/MapData/split_h.png"))
                                 .scaled(24, 24, Qt::KeepAspectRatio, Qt::SmoothTransformation));
                  return b;
              });
    for (int c : {3, 2, 6, 7})
        ButtonRow(plain.Grid(), row++, QStringLiteral("NButtonAction %1").arg(QLatin1String(colours[c])),
                  states,
                  [c]
                  {
                      auto* b = new NButtonAction(c);
                      b->SetText(QStringLiteral("Start"));
                      return b;
                  });
    Save(&plain, dir + QStringLiteral("/buttons_plain.png"));

    Sheet menu;
    Header(menu.Grid(), 0, 1, states);
    row = 1;
    for (int c = 1; c <= 8; ++c)
        ButtonRow(menu.Grid(), row++, QStringLiteral("NButtonMenu %1").arg(QLatin1String(colours[c])), states,
                  [c]
                  {
                      auto* b = new NButtonMenu(c);
                      b->SetText(QStringLiteral("Multiplayer"));
                      b->SetMinimumWidth(GuiButtonMinWidth);
                      return b;
                  });
    Save(&menu, dir + QStringLiteral("/buttons_menu.png"));

    Sheet modal;
    Header(modal.Grid(), 0, 1, states);
    row = 1;
    for (int c = 0; c <= 8; ++c)
        ButtonRow(modal.Grid(), row++, QStringLiteral("NButtonModal %1").arg(QLatin1String(colours[c])),
                  states,
                  [c]
                  {
                      auto* b = new NButtonModal(c);
                      b->SetText(c == 7 ? QStringLiteral("Cancel") : QStringLiteral("OK"));
                      b->SetMinimumWidth(GuiButtonMinWidth);
                      return b;
                  });
    Save(&modal, dir + QStringLiteral("/buttons_modal.png"));

    Sheet other;
    const QList<State> auxStates = {Normal, Hover, Pressed, Disabled, Checked};
    Header(other.Grid(), 0, 1, auxStates);
    row = 1;
    const char* auxNames[] = {"NImageButtonAux top", "NImageButtonAux top2", "NImageButtonAux bottom"};
    for (int type = 0; type < 3; ++type)
        ButtonRow(other.Grid(), row++, QLatin1String(auxNames[type]), auxStates,
                  [type]
                  {
                      auto* b = new NImageButtonAux(type);
                      b->setFixedWidth(150);
                      b->SetText(QStringLiteral("Battles"));
                      return b;
                  });
    ButtonRow(other.Grid(), row++, QStringLiteral("NImageButtonAux icon"), auxStates,
              []
              {
                  auto* b = new NImageButtonAux(2);
                  b->setFixedWidth(80);
                  b->SetPixmap(QPixmap(QStringLiteral(":/Common/search.png"))
                                   .scaled(18, 18, Qt::KeepAspectRatio, Qt::SmoothTransformation));
                  return b;
              });
    ButtonRow(other.Grid(), row++, QStringLiteral("NReadyButton synced"), auxStates,
              []
              {
                  auto* b = new NReadyButton();
                  b->setFixedSize(24, 24);
                  return b;
              });
    ButtonRow(other.Grid(), row++, QStringLiteral("NReadyButton not synced"), auxStates,
              []
              {
                  auto* b = new NReadyButton();
                  b->SetSynced(false);
                  b->setFixedSize(24, 24);
                  return b;
              });
    ButtonRow(other.Grid(), row++, QStringLiteral("NFlagButton de"), auxStates,
              [] { return new NFlagButton(QStringLiteral("de")); });
    ButtonRow(other.Grid(), row++, QStringLiteral("StyledButton"), auxStates,
              []
              {
                  auto* b = new StyledButton(QStringLiteral(":/PlayerStatus/player_ready.png"),
                                             QStringLiteral(":/PlayerStatus/player_not_ready.png"));
                  return b;
              });
    // Flag states as the button paints them.
    other.Grid()->addWidget(Caption(QStringLiteral("NFlagButton states")), row, 0, Qt::AlignRight);
    const NFlagButton::FlagState flagStates[] = {NFlagButton::FlagLeave, NFlagButton::FlagEnter,
                                                 NFlagButton::FlagPressed};
    for (int i = 0; i < 3; ++i)
    {
        auto* flag = new NFlagButton(QStringLiteral("ru"));
        auto* label = new QLabel();
        label->setPixmap(QPixmap::fromImage(flag->Render(flagStates[i])));
        delete flag;
        other.Grid()->addWidget(label, row, 1 + i, Qt::AlignCenter);
    }
    ++row;
    other.Grid()->addWidget(Caption(QStringLiteral("NButtonOnOff")), row, 0, Qt::AlignRight);
    for (int i = 0; i < 2; ++i)
    {
        auto* onOff = new NButtonOnOff();
        onOff->SetValue(i == 0);
        other.Grid()->addWidget(onOff, row, 1 + i, Qt::AlignCenter);
    }
    Save(&other, dir + QStringLiteral("/buttons_other.png"));
}

void Labels(const QString& dir, bool cyrillic)
{
    SetGuiLanguage(cyrillic ? QStringLiteral("RU") : QStringLiteral("EN"));
    const QString sample =
        cyrillic ? QStringLiteral("Битва начнётся скоро 42") : QStringLiteral("Battle starts soon 42");
    Sheet sheet;
    for (int kind = 0; kind <= 18; ++kind)
    {
        const NFontSpec spec = NImageLabel::FontSpec(kind, cyrillic, GuiMetrics::UiScale);
        sheet.Grid()->addWidget(
            Caption(QStringLiteral("kind %1  %2 %3px").arg(kind).arg(spec.family).arg(spec.pixelSize)), kind,
            0, Qt::AlignRight | Qt::AlignVCenter);
        sheet.Grid()->addWidget(new NImageLabel(kind, sample, Qt::white), kind, 1);
        sheet.Grid()->addWidget(new NImageLabel(kind, sample, QColor(255, 195, 0)), kind, 2);
    }
    sheet.Grid()->addWidget(Caption(QStringLiteral("NLabel")), 19, 0, Qt::AlignRight);
    sheet.Grid()->addWidget(new NLabel(sample, Qt::white), 19, 1);
    sheet.Grid()->addWidget(Caption(QStringLiteral("Chinese fallback")), 20, 0, Qt::AlignRight);
    sheet.Grid()->addWidget(new NImageLabel(3, QStringLiteral("多人游戏 单人游戏"), Qt::white), 20, 1);
    Save(&sheet, dir + (cyrillic ? QStringLiteral("/labels_cyrillic.png") : QStringLiteral("/labels.png")));
    SetGuiLanguage(QString());
}

void Pictures(const QString& dir)
{
    Sheet sheet;
    const QPixmap wide(QStringLiteral(":/Backgrounds/%1/02.jpg").arg(g_game));
    const QString names[] = {QStringLiteral("plain"), QStringLiteral("checkable"),
                             QStringLiteral("checkable hovered"), QStringLiteral("checked")};
    for (int i = 0; i < 4; ++i)
    {
        auto* picture = new NPicture();
        picture->setFixedSize(180, 120);
        picture->SetPixmap(i == 0 ? QPixmap(QStringLiteral(":/AI/rav.png")) : wide);
        if (i > 0)
            picture->SetCheckable(true);
        if (i == 2)
        {
            QEvent enter(QEvent::Enter);
            QApplication::sendEvent(picture, &enter);
        }
        if (i == 3)
            picture->SetChecked(true);
        sheet.Grid()->addWidget(Caption(names[i]), 0, i, Qt::AlignCenter);
        sheet.Grid()->addWidget(picture, 1, i);
    }
    auto* empty = new NPicture();
    empty->setFixedSize(120, 120);
    empty->SetPixmap(QPixmap(QStringLiteral(":/PlayerStatus/player_no_photo.png")));
    sheet.Grid()->addWidget(Caption(QStringLiteral("no photo")), 0, 4, Qt::AlignCenter);
    sheet.Grid()->addWidget(empty, 1, 4);
    // The framed panel of the map views and the band behind dialogs.
    auto* panel = new QFrame();
    panel->setObjectName(QStringLiteral("MapFrame"));
    panel->setStyleSheet(Common::FrameImageStyle(QStringLiteral("MapFrame"), false));
    panel->setFixedSize(360, 200);
    sheet.Grid()->addWidget(Caption(QStringLiteral("map frame")), 2, 0, 1, 2, Qt::AlignCenter);
    sheet.Grid()->addWidget(panel, 3, 0, 1, 2, Qt::AlignCenter);
    auto* band = new QFrame();
    band->setObjectName(QStringLiteral("ModalPageFrame"));
    band->setStyleSheet(
        QStringLiteral("QFrame#ModalPageFrame{background-image: url(:/Back/back_dark.png);}"));
    band->setFixedSize(520, 200);
    auto* bandLayout = new QVBoxLayout(band);
    bandLayout->addWidget(new NImageLabel(3, QStringLiteral("Modal band"), QColor(255, 195, 0)), 0,
                          Qt::AlignCenter);
    auto* ok = new NButtonModal(ButtonBlue);
    ok->SetText(QStringLiteral("OK"));
    ok->SetMinimumWidth(GuiButtonMinWidth);
    bandLayout->addWidget(ok, 0, Qt::AlignCenter);
    sheet.Grid()->addWidget(Caption(QStringLiteral("modal band")), 2, 2, 1, 3, Qt::AlignCenter);
    sheet.Grid()->addWidget(band, 3, 2, 1, 3, Qt::AlignCenter);
    Save(&sheet, dir + QStringLiteral("/pictures.png"));
}
} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString dir = QDir(args.value(1, QStringLiteral("gallery"))).absolutePath();
    g_game = args.value(2, g_game);
    QDir().mkpath(dir);

    // Sounds and settings read folders; keep them away from the user's.
    QTemporaryDir data;
    AppDefines::Instance()->SelectGame(g_game);
    PathManager::Instance()->Initialize(data.path(), g_game);
    CreateAppSettingsGroups();
    GuiFonts::LoadFonts();

    Buttons(dir);
    Labels(dir, false);
    Labels(dir, true);
    Pictures(dir);
    DestroyAppSettingsGroups();
    return g_failed ? 1 : 0;
}
