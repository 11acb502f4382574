#pragma once

#include "DataMisc.h"
#include "Singleton.h"
#include "SkirmishHandler.h"

// Battles of the game's automated tests: Me watches two test AIs.
class SkirmishSpringTestsHandler : public SkirmishHandler, public Singleton<SkirmishSpringTestsHandler>
{
    Q_OBJECT
    friend class Singleton<SkirmishSpringTestsHandler>;

public:
    void JoinBattle() override;
    void LeaveBattle() override;
    bool IsAILimitReached() const override { return m_ais->Count() >= 2; }

    // Queues DoSetTest on the instance.
    static void SetTest(const DataTest& test, const QString& engineVersion, const QString& gameVersion);

public slots:
    void DoSetTest(DataTest test, QString engineVersion, QString gameVersion);

private:
    SkirmishSpringTestsHandler();
    ~SkirmishSpringTestsHandler() override;
};
