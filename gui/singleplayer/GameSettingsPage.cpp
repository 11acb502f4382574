#include "GameSettingsPage.h"

GameSettingsPage::GameSettingsPage()
    : SimplePage(ID_GAME_SETTINGS, ID_UNKNOWN, QStringLiteral("GameSettings"), tr("Game Settings"))
{
    SetKeepPreviousPage();
}
