#include "SkirmishCustomPage.h"

SkirmishCustomPage::SkirmishCustomPage()
    : SimplePage(ID_SKIRMISH_CUSTOM, ID_MAIN_MENU, QStringLiteral("Skirmish_CUSTOM"), tr("Custom Skirmish"))
{
}
