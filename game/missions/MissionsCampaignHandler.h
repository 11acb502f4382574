#pragma once

#include "MissionsHandler.h"
#include "Singleton.h"

class MissionsCampaignHandler : public MissionsHandler, public Singleton<MissionsCampaignHandler>
{
    Q_OBJECT
    friend class Singleton<MissionsCampaignHandler>;

public:
    static void Initialize();
    static void Destroy();

private:
    MissionsCampaignHandler();
    ~MissionsCampaignHandler() override;
};

class MissionsTutorialHandler : public MissionsHandler, public Singleton<MissionsTutorialHandler>
{
    Q_OBJECT
    friend class Singleton<MissionsTutorialHandler>;

public:
    static void Initialize();
    static void Destroy();

private:
    MissionsTutorialHandler();
    ~MissionsTutorialHandler() override;
};
