#include "SpringLoginPage.h"

SpringLoginPage::SpringLoginPage()
    : SimplePage(ID_SPRING_LOGIN, ID_MAIN_MENU, QStringLiteral("M_SPRING_LOGIN"), tr("Multiplayer"))
{
    AddPageButton(tr("Log In"), ID_SPRING_MAIN);
}
