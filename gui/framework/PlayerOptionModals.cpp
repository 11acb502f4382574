#include "PlayerOptionModals.h"

#include "AIHandler.h"
#include "AppDefines.h"
#include "Common.h"
#include "CommonWidgets.h"
#include "DialogKit.h"
#include "GuiMetrics.h"
#include "NButtonBase.h"
#include "NImageLabel.h"
#include "SelectAIModal.h"
#include "SyncManager.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QVariant>

namespace
{
QVBoxLayout* Plain(QWidget* dialog)
{
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}
} // namespace

SelectSideModal::SelectSideModal(const DataPlayer& player)
    : NModalWidget(tr("Select Player's Side").toUpper(), MODAL_CLOSE), m_player(player)
{
    Plain(this)->addLayout(CreateSideButtons(this));
}

QLayout* SelectSideModal::CreateSideButtons(QObject* receiver)
{
    const bool large = AppDefines::Instance()->GetGameIndex() == 0;
    const int buttonSize = Common::Scale(large ? 200 : 48);
    const int iconSize = Common::Scale(large ? 140 : 32);
    auto* row = new QHBoxLayout();
    // The names are often wider than the small buttons: room between them keeps them apart.
    row->setSpacing((large ? 2 : 4) * GuiUnit);
    row->addStretch();
    for (int side = 0; side < SyncManager::GetSideCount(); ++side)
    {
        const QString name = SyncManager::GetSideName(side);
        auto* button = new NButton(ButtonBlue, true);
        button->SetIcon(QPixmap::fromImage(SyncManager::GetAiSideIcon(name))
                            .scaled(iconSize, iconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        button->SetFixedSize(buttonSize, buttonSize);
        button->setProperty("SIDE", side);
        button->setProperty("SIDE_NAME", name);
        QObject::connect(button, SIGNAL(clicked()), receiver, SLOT(DoButtonClick()));
        auto* column = new QVBoxLayout();
        column->setSpacing(GuiUnitHalf);
        // The button over the middle of its name, the name right under it.
        column->addWidget(button, 0, Qt::AlignHCenter);
        column->addWidget(DialogKit::Label(2, name, Common::ColorWhite()));
        row->addLayout(column);
    }
    row->addStretch();
    return row;
}

void SelectSideModal::DoButtonClick()
{
    const QObject* button = sender();
    m_player.side = button->property("SIDE").toInt();
    m_player.sideName = button->property("SIDE_NAME").toString();
    emit OnSideClick(m_player);
    emit OnModalExit();
}

SelectAISideModal::SelectAISideModal(const DataPlayer& ai)
    : NModalWidget(tr("Select AI's side").toUpper(), MODAL_CLOSE), m_ai(ai)
{
    QWidget* column = nullptr;
    switch (AppDefines::Instance()->GetGameIndex())
    {
    case 0:
        column = SelectAIModal::CreateRavButtons(this);
        break;
    case 1:
        column = SelectAIModal::CreateVeskaButtons(this);
        break;
    default:
        column = SelectAIModal::CreateMissionButtons(this);
        break;
    }
    Plain(this)->addLayout(DialogKit::Centred(column));
}

void SelectAISideModal::DoButtonClick()
{
    const int side = SelectAIModal::GetButtonSideId(sender());
    m_ai.side = side;
    m_ai.sideName = DataPlayer::GetSideName(side);
    emit OnSideClick(m_ai);
    emit OnModalExit();
}

SelectColorModal::SelectColorModal(const DataPlayer& player)
    : NModalWidget(player.isAi ? tr("Select AI's color").toUpper() : tr("Select Player's color").toUpper(),
                   MODAL_CLOSE),
      m_player(player)
{
    auto* grid = new QGridLayout();
    const QList<QColor> colors = Common::GetTeamColors().mid(0, MaxColors);
    for (int i = 0; i < colors.size(); ++i)
    {
        auto* button = new NButton(ButtonSilver, true);
        button->SetIcon(Common::ColorSwatchPixmap(colors[i], QSize(22, 18)));
        button->SetFixedWidth(Common::Scale(46));
        button->setProperty("COLOR", uint(colors[i].rgb()));
        connect(button, &QPushButton::clicked, this, &SelectColorModal::DoButtonClick);
        grid->addWidget(button, i / 5, i % 5);
    }
    Plain(this)->addLayout(DialogKit::Centred(grid));
}

void SelectColorModal::DoButtonClick()
{
    m_player.color = QColor::fromRgb(QRgb(sender()->property("COLOR").toUInt()));
    emit OnColorClick(m_player);
    emit OnModalExit();
}

SelectDifficultModal::SelectDifficultModal(const DataPlayer& ai)
    : NModalWidget(tr("Select AI's Difficult").toUpper(), MODAL_CLOSE), m_ai(ai)
{
    Plain(this)->addWidget(SelectAIModal::CreateSkitterhiveButtons(this));
}

void SelectDifficultModal::DoButtonClick()
{
    const QObject* button = sender();
    AIHandler::SetAIDescription(m_ai, SelectAIModal::GetButtonNameShort(button),
                                SelectAIModal::GetButtonLevel(button));
    emit OnDifficultClick(m_ai);
    emit OnModalExit();
}

SelectStartPositionModal::SelectStartPositionModal()
    : NModalWidget(tr("Select Start Position").toUpper(), MODAL_CLOSE)
{
    auto* row = new QHBoxLayout();
    row->setSpacing(GuiUnitHalf);
    const QString captions[] = {tr("Fixed"), tr("Random"), tr("Choose In Game")};
    void (SelectStartPositionModal::*handlers[])() = {&SelectStartPositionModal::Do0Click,
                                                      &SelectStartPositionModal::Do1Click,
                                                      &SelectStartPositionModal::Do2Click};
    for (int i = 0; i < 3; ++i)
    {
        NButton* button = DialogKit::ChoiceButton(captions[i]);
        connect(button, &QPushButton::clicked, this, handlers[i]);
        row->addWidget(button);
    }
    Plain(this)->addLayout(DialogKit::Centred(row));
}

void SelectStartPositionModal::Return(const QString& value)
{
    emit OnReturnValue(value);
    emit OnModalExit();
}

void SelectStartPositionModal::Do0Click()
{
    Return(QStringLiteral("0"));
}

void SelectStartPositionModal::Do1Click()
{
    Return(QStringLiteral("1"));
}

void SelectStartPositionModal::Do2Click()
{
    Return(QStringLiteral("2"));
}
