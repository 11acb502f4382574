#include "SpringMainPage.h"

SpringMainPage::SpringMainPage()
    : SimplePage(ID_SPRING_MAIN, ID_MAIN_MENU, QStringLiteral("M_SPRING_MAIN"), tr("Lobby"))
{
}
