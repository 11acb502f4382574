#include "AIEditorPage.h"

AIEditorPage::AIEditorPage()
    : SimplePage(ID_AI_EDITOR, ID_MAIN_MENU, QStringLiteral("AIEditor"), tr("AI Editor"))
{
}
