#include "AiProjectsPage.h"

AiProjectsPage::AiProjectsPage()
    : SimplePage(ID_AI_PROJECTS, ID_MAIN_MENU, QStringLiteral("AI Projects"), tr("AI Projects"))
{
}
