#pragma once

#include "DataMission.h"
#include "Singleton.h"
#include "SkirmishHandler.h"

// A battle set up from a mission: Me joins, the mission fills in the rest.
class SkirmishMissionHandler : public SkirmishHandler, public Singleton<SkirmishMissionHandler>
{
    Q_OBJECT
    friend class Singleton<SkirmishMissionHandler>;

public:
    void JoinBattle() override;
    void LeaveBattle() override;
    bool IsAILimitReached() const override { return false; }

    void SetMissionData(const DataMission& mission);

public slots:
    void DoSetMissionData(DataMission mission) { SetMissionData(mission); }

private:
    SkirmishMissionHandler();
    ~SkirmishMissionHandler() override;
};
