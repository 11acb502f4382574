#include "PageFactory.h"

#include "AIEditorPage.h"
#include "AboutPage.h"
#include "AiProjectsPage.h"
#include "ExtrasPage.h"
#include "GameSettingsPage.h"
#include "GameTestsPage.h"
#include "IntroMoviePage.h"
#include "MainMenuPage.h"
#include "MissionDataPage.h"
#include "MissionEditorPage.h"
#include "MissionListPage.h"
#include "PageStorageManager.h"
#include "PlayerGuidePage.h"
#include "ReplaysPage.h"
#include "SkirmishCustomPage.h"
#include "SkirmishQuickPage.h"
#include "SpringLoginPage.h"
#include "SpringLoginPageCustom.h"
#include "SpringMainPage.h"
#include "SteamLoginPage.h"
#include "UpdatesPage.h"

namespace PageFactory
{
NPage* Create(int id)
{
    switch (id)
    {
    case ID_INTRO_MOVIE:
        return new IntroMoviePage();
    case ID_MAIN_MENU:
        return new MainMenuPage();
    case ID_PLAYER_GUIDE:
        return new PlayerGuidePage();
    case ID_GAME_SETTINGS:
        return new GameSettingsPage();
    case ID_EXTRAS:
        return new ExtrasPage();
    case ID_ABOUT:
        return new AboutPage();
    case ID_UPDATES:
        return new UpdatesPage();
    case ID_CAMPAIGN_MISSION_LIST:
        return new CampaignMissionListPage();
    case ID_CAMPAIGN_MISSION_DATA:
        return new CampaignMissionDataPage();
    case ID_TUTORIAL_MISSION_LIST:
        return new TutorialMissionListPage();
    case ID_TUTORIAL_MISSION_DATA:
        return new TutorialMissionDataPage();
    case ID_SKIRMISH_SIMPLE:
        return new SkirmishQuickPage();
    case ID_SKIRMISH_CUSTOM:
        return new SkirmishCustomPage();
    case ID_SPRING_LOGIN:
        return new SpringLoginPage();
    case ID_SPRING_LOGIN_CUSTOM:
        return new SpringLoginPageCustom();
    case ID_SPRING_MAIN:
        return new SpringMainPage();
    case ID_STEAM_LOGIN:
        return new SteamLoginPage();
    case ID_REPLAYS:
        return new ReplaysPage();
    case ID_AI_PROJECTS:
        return new AiProjectsPage();
    case ID_MISSION_EDITOR:
        return new MissionEditorPage();
    case ID_GAME_TESTS:
        return new GameTestsPage();
    case ID_AI_EDITOR:
        return new AIEditorPage();
    default:
        return nullptr;
    }
}

void Install()
{
    PageStorageManager::SetPageFactory(&Create);
}
} // namespace PageFactory
