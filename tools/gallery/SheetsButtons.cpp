// Every button kind in each of its states.
#include "GalleryKit.h"
#include "GuiMetrics.h"
#include "NButtonBase.h"
#include "NButtonOnOff.h"
#include "NFlagButton.h"
#include "NImageButtonAux.h"
#include "NImageLabel.h"
#include "NReadyButton.h"
#include "StyledButton.h"

#include <QLabel>

using namespace Gallery;

namespace
{
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
    Save(&plain, dir, QStringLiteral("buttons_plain"));

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
    Save(&menu, dir, QStringLiteral("buttons_menu"));

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
    Save(&modal, dir, QStringLiteral("buttons_modal"));

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
                  // The sheet checks its cells in code, which clicks nothing: show the picture a
                  // click to that state would.
                  QObject::connect(b, &QAbstractButton::toggled, b, &StyledButton::DoClicked);
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
    Save(&other, dir, QStringLiteral("buttons_other"));
}
} // namespace

static Registration s_buttons("buttons", Buttons);
