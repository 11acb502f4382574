#pragma once

#include "SimplePage.h"

// One mission's briefing; keeps its list alive so that back returns to it as it was.
class MissionDataPage : public SimplePage
{
    Q_OBJECT

public:
    MissionDataPage(int ownId, int listPageId, const QString& name, const QString& title);
};

class CampaignMissionDataPage : public MissionDataPage
{
    Q_OBJECT

public:
    CampaignMissionDataPage();
};

class TutorialMissionDataPage : public MissionDataPage
{
    Q_OBJECT

public:
    TutorialMissionDataPage();
};
