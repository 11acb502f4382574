#include "SpringLoginPageCustom.h"

SpringLoginPageCustom::SpringLoginPageCustom()
    : SimplePage(ID_SPRING_LOGIN_CUSTOM, ID_MAIN_MENU, QStringLiteral("M_SPRING_LOGIN_CUSTOM"),
                 tr("Custom Server"))
{
    AddPageButton(tr("Log In"), ID_SPRING_MAIN);
}
