#include "helper_SkirmishContent.h"

#include "AppSettings.h"
#include "SkirmishCustomHandler.h"
#include "SkirmishMissionHandler.h"
#include "SkirmishQuickHandler.h"
#include "SkirmishSpringTestsHandler.h"
#include "SpringLaunchManager.h"
#include "SyncManager.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>

namespace
{
void Touch(const QString& path, const QByteArray& content = QByteArray("x"), bool executable = false)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeUser);
}

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
    Touch(data + "/maps/Skirmish Map A.sd7");
    Touch(data + "/maps/Skirmish Map B.sdz");
    Touch(data + "/games/Skirmish Game 2.sdz");
    Touch(data + "/engines/" + engineVersion + "/spring", "#!/bin/sh\nexit 0\n", true);
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
