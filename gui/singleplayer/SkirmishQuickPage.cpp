#include "SkirmishQuickPage.h"

SkirmishQuickPage::SkirmishQuickPage()
    : SimplePage(ID_SKIRMISH_SIMPLE, ID_MAIN_MENU, QStringLiteral("Skirmish_QUICK"), tr("Quick Skirmish"))
{
}
