#include "MissionEditorPage.h"

MissionEditorPage::MissionEditorPage()
    : SimplePage(ID_MISSION_EDITOR, ID_MAIN_MENU, QStringLiteral("MissionEditor"), tr("Mission Editor"))
{
}
