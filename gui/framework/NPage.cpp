#include "NPage.h"

#include "Common.h"
#include "FrameKit.h"

#include <QLabel>

#include <QHBoxLayout>

NPage::NPage(int ownId, int exitId, const QString& name)
    : QFrame(nullptr), m_ownId(ownId), m_exitId(exitId), m_name(name)
{
}

NPage::~NPage() = default;

QString NPage::PageIdToString(int id)
{
    switch (id)
    {
    case ID_UNKNOWN:
        return QStringLiteral("UNKNOWN");
    case ID_EMPTY:
        return QStringLiteral("EMPTY");
    case ID_INTRO_MOVIE:
        return QStringLiteral("Intro Movie");
    case ID_MAIN_MENU:
        return QStringLiteral("Main Menu");
    case ID_PLAYER_GUIDE:
        return QStringLiteral("PlayerGuide");
    case ID_GAME_SETTINGS:
        return QStringLiteral("Game Settings");
    case ID_EXTRAS:
        return QStringLiteral("Extras");
    case ID_ABOUT:
        return QStringLiteral("About");
    case ID_UPDATES:
        return QStringLiteral("Updates");
    case ID_CAMPAIGN_MISSION_LIST:
        return QStringLiteral("Campaign Mission List");
    case ID_CAMPAIGN_MISSION_DATA:
        return QStringLiteral("Campaign Mission Data");
    case ID_TUTORIAL_MISSION_LIST:
        return QStringLiteral("Tutorial Mission List");
    case ID_TUTORIAL_MISSION_DATA:
        return QStringLiteral("Tutorial Mission Data");
    case ID_SKIRMISH_SIMPLE:
        return QStringLiteral("Skirmish SIMPLE");
    case ID_SKIRMISH_CUSTOM:
        return QStringLiteral("Skirmish CUSTOM");
    case ID_SPRING_LOGIN:
        return QStringLiteral("M_SPRING Login");
    case ID_SPRING_LOGIN_CUSTOM:
        return QStringLiteral("M_SPRING Login Custom");
    case ID_SPRING_MAIN:
        return QStringLiteral("M_SPRING Main");
    case ID_STEAM_LOGIN:
        return QStringLiteral("M_STEAM Login");
    case ID_REPLAYS:
        return QStringLiteral("Replays");
    case ID_AI_PROJECTS:
        return QStringLiteral("AI Projects");
    case ID_MISSION_EDITOR:
        return QStringLiteral("Mission Editor");
    case ID_GAME_TESTS:
        return QStringLiteral("Game Tests");
    case ID_MODAL:
        return QStringLiteral("MODAL");
    default:
        // The AI editor has no text of its own.
        return QStringLiteral("NO_SUCH_PAGE");
    }
}

QFrame* NPage::CreateTitle(int unit, const QString& title)
{
    auto* frame = new QFrame();
    // A title bar keeps its height; the page body takes the rest.
    frame->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* layout = new QHBoxLayout(frame);
    layout->setContentsMargins(2 * unit, 0, 2 * unit, unit);
    layout->setSpacing(0);
    QWidget* label = FrameKit::CreateLabel(0, title, Common::ColorMain());
    label->setObjectName(QStringLiteral("PageTitle"));
    layout->addWidget(label, 0, Qt::AlignLeft | Qt::AlignVCenter);
    return frame;
}
