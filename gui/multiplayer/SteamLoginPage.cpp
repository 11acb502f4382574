#include "SteamLoginPage.h"

SteamLoginPage::SteamLoginPage()
    : SimplePage(ID_STEAM_LOGIN, ID_MAIN_MENU, QStringLiteral("M_STEAM_LOGIN"), tr("Steam Login"))
{
    AddPageButton(tr("Log In"), ID_SPRING_MAIN);
}
