#include "MissionListPage.h"

MissionListPage::MissionListPage(int ownId, const QString& name, const QString& title, int dataPageId)
    : SimplePage(ownId, ID_MAIN_MENU, name, title)
{
    AddPageButton(tr("Mission"), dataPageId);
}

CampaignMissionListPage::CampaignMissionListPage()
    : MissionListPage(ID_CAMPAIGN_MISSION_LIST, QStringLiteral("Campaign Mission List"), tr("Campaign"),
                      ID_CAMPAIGN_MISSION_DATA)
{
}

TutorialMissionListPage::TutorialMissionListPage()
    : MissionListPage(ID_TUTORIAL_MISSION_LIST, QStringLiteral("Tutorial Mission List"), tr("Tutorials"),
                      ID_TUTORIAL_MISSION_DATA)
{
}
