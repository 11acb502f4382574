#include "MissionsCampaignHandler.h"

#include "PathManager.h"
#include "SevenZManager.h"

#include <QDebug>

MissionsCampaignHandler::MissionsCampaignHandler()
    : MissionsHandler(PathManager::Instance()->GetCampaignMissionsDir(), QStringLiteral("missions/campaign"),
                      QStringLiteral("campaign"))
{
    AppendMission(QStringLiteral("01"), QStringLiteral("1.0"), tr("First Light"));
    AppendMission(QStringLiteral("02"), QStringLiteral("1.0"), tr("The Iron Ford"));
    AppendMission(QStringLiteral("03"), QStringLiteral("1.0"), tr("Ashes of Morvantis"));
}

MissionsCampaignHandler::~MissionsCampaignHandler()
{
    qDebug() << "Destroy :: MissionsCampaignHandler";
}

void MissionsCampaignHandler::Initialize()
{
    qDebug() << "Initialize :: MissionsCampaignHandler";
    // The archive manager is shared by both lists: make it here, on the GUI thread, never
    // from two workers at once.
    SevenZManager::Instance();
    Instance()->Queue("DoInitialize");
}

void MissionsCampaignHandler::Destroy()
{
    Instance()->InvokeBlocking("DoDestroy");
    Singleton<MissionsCampaignHandler>::Destroy();
}

MissionsTutorialHandler::MissionsTutorialHandler()
    : MissionsHandler(PathManager::Instance()->GetTutorialMissionsDir(), QStringLiteral("missions/tutorial"),
                      QStringLiteral("tutorial"))
{
    AppendMission(QStringLiteral("01"), QStringLiteral("1.0"), tr("Test"));
}

MissionsTutorialHandler::~MissionsTutorialHandler()
{
    qDebug() << "MissionsTutorialHandler :: Destroy";
}

void MissionsTutorialHandler::Initialize()
{
    qDebug() << "MissionsTutorialHandler :: Initialize";
    // The archive manager is shared by both lists: make it here, on the GUI thread, never
    // from two workers at once.
    SevenZManager::Instance();
    Instance()->Queue("DoInitialize");
}

void MissionsTutorialHandler::Destroy()
{
    Instance()->InvokeBlocking("DoDestroy");
    Singleton<MissionsTutorialHandler>::Destroy();
}
