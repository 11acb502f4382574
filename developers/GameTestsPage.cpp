#include "GameTestsPage.h"

GameTestsPage::GameTestsPage()
    : SimplePage(ID_GAME_TESTS, ID_MAIN_MENU, QStringLiteral("GameTests"), tr("Game Tests"))
{
}
