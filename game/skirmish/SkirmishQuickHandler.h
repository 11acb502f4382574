#pragma once

#include "Singleton.h"
#include "SkirmishHandler.h"

// The quick skirmish: Me against one AI.
class SkirmishQuickHandler : public SkirmishHandler, public Singleton<SkirmishQuickHandler>
{
    Q_OBJECT
    friend class Singleton<SkirmishQuickHandler>;

public:
    void JoinBattle() override;
    void LeaveBattle() override;
    bool IsAILimitReached() const override { return m_ais->Count() >= 1; }

    DataPlayer PlayerAI() const;
    QString AIDisplayName() const;
    // Replaces the one AI.
    void SetAI(const DataPlayer& ai);

protected:
    AppSettingsSkirmish* MySettings() const override;

private:
    SkirmishQuickHandler();
    ~SkirmishQuickHandler() override;

    int m_myTeam = 0;
    int m_aiTeam = 1;
    int m_aiSide = 0;
};
