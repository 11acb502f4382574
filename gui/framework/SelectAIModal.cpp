#include "SelectAIModal.h"

#include "AIHandler.h"
#include "AppDefines.h"
#include "AppSettings.h"
#include "Common.h"
#include "CommonIcon.h"
#include "CustomAITreeView.h"
#include "DialogKit.h"
#include "GuiMetrics.h"
#include "NButtonBase.h"
#include "NImageLabel.h"
#include "SyncManager.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QVariant>

namespace
{
NButton* AIButton(QObject* receiver, const QString& caption, const QString& icon, const QString& key)
{
    auto* button = new NButton(ButtonBlue, true);
    if (!icon.isEmpty())
        button->SetIcon(QPixmap(icon));
    if (!caption.isEmpty())
        button->SetText(caption);
    button->setProperty("NAME_SHORT", key);
    QObject::connect(button, SIGNAL(clicked()), receiver, SLOT(DoButtonClick()));
    return button;
}

// Picture, caption and the row of buttons, stacked and framed.
QWidget* Column(const QString& picture, const QString& caption, QLayout* buttons)
{
    auto* stack = new QVBoxLayout();
    stack->setSpacing(GuiUnitOneAndHalf);
    if (!picture.isEmpty())
        stack->addWidget(DialogKit::Picture(picture));
    stack->addWidget(DialogKit::Label(1, caption, Common::ColorMain()));
    stack->addLayout(DialogKit::Centred(buttons));
    auto* outer = new QVBoxLayout();
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addStretch();
    outer->addLayout(stack);
    outer->addStretch();
    return DialogKit::Framed(outer);
}

// Buttons of one row as wide as the widest caption needs, and at least `least`: a longer
// translation widens them all alike instead of running over their edges.
void SameWidth(const QList<NButton*>& buttons, int least)
{
    int width = least;
    for (NButton* button : buttons)
    {
        button->SetMinimumWidth(least);
        button->Relayout();
        width = qMax(width, button->minimumWidth());
    }
    for (NButton* button : buttons)
    {
        button->SetMinimumWidth(width);
        button->Relayout();
    }
}

QHBoxLayout* Row(int spacing = -1)
{
    auto* row = new QHBoxLayout();
    row->setContentsMargins(0, 0, 0, 0);
    if (spacing >= 0)
        row->setSpacing(spacing);
    return row;
}
} // namespace

SelectAIModal::SelectAIModal(int allyTeam)
    : NModalWidget(tr("Select AI to play with").toUpper(), MODAL_CLOSE), m_allyTeam(allyTeam)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4 * GuiUnit);
    layout->addStretch();
    if (AppDefines::Instance()->GetGameIndex() == 0)
    {
        auto* row = Row();
        row->addStretch(2);
        row->addWidget(CreateRavButtons(this));
        if (AppSettingsSpringMyPersonal::Instance()->IsAdmin)
        {
            row->addStretch(1);
            row->addWidget(CreateMissionButtons(this));
            row->addStretch(1);
            row->addWidget(CreateCustomButtons());
        }
        row->addStretch(2);
        layout->addLayout(row);
        layout->addWidget(CreateSkitterhiveButtons(this));
    }
    else
    {
        layout->addLayout(DialogKit::Centred(CreateVeskaButtons(this)));
    }
    layout->addStretch();
}

QString SelectAIModal::GetButtonNameShort(const QObject* button)
{
    return button ? button->property("NAME_SHORT").toString() : QString();
}

int SelectAIModal::GetButtonLevel(const QObject* button)
{
    return button ? button->property("LEVEL").toInt() : 0;
}

int SelectAIModal::GetButtonSideId(const QObject* button)
{
    return button ? button->property("SIDE_ID").toInt() : 0;
}

QWidget* SelectAIModal::CreateRavButtons(QObject* receiver)
{
    auto* buttons = Row();
    const QString icons[] = {QStringLiteral(":/GamesData/zorn/arm.png"),
                             QStringLiteral(":/GamesData/zorn/core.png")};
    QList<NButton*> sides;
    for (int side = 0; side < 2; ++side)
    {
        NButton* button = AIButton(receiver, AIHandler::SideName(side), icons[side], AIHandler::KindRav());
        button->setProperty("LEVEL", 0);
        button->setProperty("SIDE_ID", side);
        buttons->addWidget(button);
        sides << button;
    }
    SameWidth(sides, Common::Scale(100));
    return Column(QStringLiteral(":/AI/rav.png"), QStringLiteral("R.A.V."), buttons);
}

QWidget* SelectAIModal::CreateVeskaButtons(QObject* receiver)
{
    auto* buttons = Row(4 * GuiUnit);
    for (int side = 0; side < SyncManager::GetSideCount(); ++side)
    {
        const QString name = SyncManager::GetSideName(side);
        NButton* button = AIButton(receiver, QString(), QString(), AIHandler::KindVeska());
        button->SetIcon(
            QPixmap::fromImage(SyncManager::GetAiSideIcon(name))
                .scaled(Common::Scale(32), Common::Scale(32), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        button->SetFixedSize(Common::Scale(48), Common::Scale(48));
        button->setProperty("LEVEL", 0);
        button->setProperty("SIDE_ID", side);
        // The button over the middle of its name, the name right under it.
        auto* side_column = new QVBoxLayout();
        side_column->setSpacing(GuiUnitHalf);
        side_column->addWidget(button, 0, Qt::AlignHCenter);
        side_column->addWidget(DialogKit::Label(2, name, Common::ColorWhite()));
        buttons->addLayout(side_column);
    }
    return Column(QStringLiteral(":/AI/veska.png"), QStringLiteral("V.E.S.K.A."), buttons);
}

QWidget* SelectAIModal::CreateSkitterhiveButtons(QObject* receiver)
{
    auto* buttons = Row();
    const QString captions[] = {tr("Easy"), tr("Normal"), tr("Hard"), tr("Insane")};
    const char* icons[] = {"l_easy", "l_normal", "l_hard", "l_insane"};
    QList<NButton*> levels;
    for (int level = 0; level < 4; ++level)
    {
        NButton* button = AIButton(receiver, captions[level],
                                   QStringLiteral(":/AI/%1.png").arg(QLatin1String(icons[level])),
                                   AIHandler::KindSkitters());
        button->setProperty("LEVEL", level);
        buttons->addWidget(button);
        levels << button;
    }
    SameWidth(levels, Common::Scale(120));
    return Column(QStringLiteral(":/AI/queen.png"), QStringLiteral("Skitterhive"), buttons);
}

QWidget* SelectAIModal::CreateMissionButtons(QObject* receiver)
{
    auto* buttons = Row();
    NButton* button = AIButton(receiver, AIHandler::KindMission(),
                               QStringLiteral(":/GamesData/zorn/mission.png"), AIHandler::KindMission());
    button->setProperty("SIDE_ID", 0);
    buttons->addWidget(button);
    return Column(QStringLiteral(":/AI/mission.png"), QStringLiteral("Mission"), buttons);
}

QWidget* SelectAIModal::CreateCustomButtons()
{
    const QPixmap size(QStringLiteral(":/AI/mission.png"));
    m_customList = new CustomAITreeView();
    m_customList->setFixedSize(size.width() * 3 / 2, size.height());
    connect(m_customList, &CustomAITreeView::OnDoubleClick, this, &SelectAIModal::DoButtonCustomClick,
            Qt::QueuedConnection);

    auto* buttons = Row();
    auto* button = new NButton(ButtonBlue, true);
    button->SetIcon(QPixmap(QStringLiteral(":/GamesData/zorn/mission.png")));
    button->SetText(AIHandler::KindCustom());
    button->setProperty("NAME_SHORT", AIHandler::KindCustom());
    button->setProperty("SIDE_ID", 0);
    connect(button, &QPushButton::clicked, this, &SelectAIModal::DoButtonCustomClick);
    buttons->addWidget(button);

    auto* stack = new QVBoxLayout();
    stack->setSpacing(GuiUnitOneAndHalf);
    stack->addLayout(DialogKit::Centred(m_customList));
    stack->addWidget(DialogKit::Label(1, tr("Custom"), Common::ColorMain()));
    stack->addLayout(DialogKit::Centred(buttons));
    return DialogKit::Framed(stack);
}

void SelectAIModal::DoButtonClick()
{
    const QObject* button = sender();
    DataPlayer ai =
        AIHandler::MakeAI(GetButtonNameShort(button), GetButtonLevel(button), GetButtonSideId(button));
    ai.allyTeam = m_allyTeam;
    emit OnAIClick(ai);
    emit OnModalExit();
}

void SelectAIModal::DoButtonCustomClick()
{
    if (!m_customList)
        return;
    const QString name = m_customList->GetSelectedName();
    if (name.isEmpty())
        return;
    DataPlayer ai = AIHandler::MakeAI(name, 0, m_customList->GetSelectedSide());
    ai.allyTeam = m_allyTeam;
    emit OnAIClick(ai);
    emit OnModalExit();
}
