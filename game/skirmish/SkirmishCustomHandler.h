#pragma once

#include "Singleton.h"
#include "SkirmishHandler.h"

// The custom skirmish: up to eight AIs, everything remembered in the custom settings group.
class SkirmishCustomHandler : public SkirmishHandler, public Singleton<SkirmishCustomHandler>
{
    Q_OBJECT
    friend class Singleton<SkirmishCustomHandler>;

public:
    static constexpr int MaxAIs = 8;

    void JoinBattle() override;
    void LeaveBattle() override;
    bool IsAILimitReached() const override { return m_ais->Count() >= MaxAIs; }

protected:
    AppSettingsSkirmish* MySettings() const override;

private:
    SkirmishCustomHandler();
    ~SkirmishCustomHandler() override;
};
