#include "MissionDataPage.h"

MissionDataPage::MissionDataPage(int ownId, int listPageId, const QString& name, const QString& title)
    : SimplePage(ownId, listPageId, name, title)
{
    SetKeepPreviousPage();
}

CampaignMissionDataPage::CampaignMissionDataPage()
    : MissionDataPage(ID_CAMPAIGN_MISSION_DATA, ID_CAMPAIGN_MISSION_LIST,
                      QStringLiteral("Campaign Mission Data"), tr("Campaign Mission"))
{
}

TutorialMissionDataPage::TutorialMissionDataPage()
    : MissionDataPage(ID_TUTORIAL_MISSION_DATA, ID_TUTORIAL_MISSION_LIST,
                      QStringLiteral("Tutorial Mission Data"), tr("Tutorial Mission"))
{
}
