#include "helper_SkirmishContent.h"

#include "AppSettings.h"
#include "SkirmishCustomHandler.h"
#include "SkirmishMissionHandler.h"
#include "SkirmishQuickHandler.h"
#include "SkirmishSpringTestsHandler.h"
#include "SpringLaunchManager.h"
#include "SyncManager.h"
#include "TestArchive.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>

namespace
{
void DestroyIndex()
{
    if (SyncManager::Exists())
    {
        SyncManager::Instance()->InvokeBlocking("DoDestroy");
        SyncManager::Destroy();
    }
}
} // namespace

SkirmishContent::SkirmishContent(TestEnvironment& env, const QString& version) : engineVersion(version)
{
    const QString data = env.SpringDataDir();
    for (const char* archive :
         {"maps/Skirmish Map A.sd7", "maps/Skirmish Map B.sdz", "games/Skirmish Game 2.sdz"})
        TestArchive::WriteNamedContent(data + '/' + archive);
    TestFiles::Write(data + "/engines/" + engineVersion + "/spring", "#!/bin/sh\nexit 0\n", true);
    SyncManager::SetSystemEnginePath(QString());
    Rescan();
}

SkirmishContent::~SkirmishContent()
{
    SkirmishCustomHandler::Destroy();
    SkirmishQuickHandler::Destroy();
    SkirmishMissionHandler::Destroy();
    SkirmishSpringTestsHandler::Destroy();
    SpringLaunchManager::Destroy();
    DestroyIndex();
}

void SkirmishContent::Rescan()
{
    // A fresh index scans the folders of this test, not of an earlier one.
    DestroyIndex();
    SyncManager::Instance();
}

void SkirmishContent::UseAsDefaults(AppSettingsSkirmish* group) const
{
    group->DefaultMapName = mapName;
    group->DefaultGameVersion = gameVersion;
    group->DefaultEngineVersion = engineVersion;
}
