#pragma once

// Page identifiers. 2..23 are the main pages, which replace one another and are destroyed when
// left; 24 is the one modal page that shows dialogs over the last main page.
enum NPageID : int
{
    ID_UNKNOWN = 0,
    ID_EMPTY = 1,
    ID_INTRO_MOVIE = 2,
    ID_MAIN_MENU = 3,
    ID_PLAYER_GUIDE = 4,
    ID_GAME_SETTINGS = 5,
    ID_EXTRAS = 6,
    ID_ABOUT = 7,
    ID_UPDATES = 8,
    ID_CAMPAIGN_MISSION_LIST = 9,
    ID_CAMPAIGN_MISSION_DATA = 10,
    ID_TUTORIAL_MISSION_LIST = 11,
    ID_TUTORIAL_MISSION_DATA = 12,
    ID_SKIRMISH_SIMPLE = 13,
    ID_SKIRMISH_CUSTOM = 14,
    ID_SPRING_LOGIN = 15,
    ID_SPRING_LOGIN_CUSTOM = 16,
    ID_SPRING_MAIN = 17,
    ID_STEAM_LOGIN = 18,
    ID_REPLAYS = 19,
    ID_AI_PROJECTS = 20,
    ID_MISSION_EDITOR = 21,
    ID_GAME_TESTS = 22,
    ID_AI_EDITOR = 23,
    ID_MODAL = 24
};
