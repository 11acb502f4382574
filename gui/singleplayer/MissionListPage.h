#pragma once

#include "SimplePage.h"

// A list of missions; back leads to the main menu.
class MissionListPage : public SimplePage
{
    Q_OBJECT

public:
    MissionListPage(int ownId, const QString& name, const QString& title, int dataPageId);
};

class CampaignMissionListPage : public MissionListPage
{
    Q_OBJECT

public:
    CampaignMissionListPage();
};

class TutorialMissionListPage : public MissionListPage
{
    Q_OBJECT

public:
    TutorialMissionListPage();
};
