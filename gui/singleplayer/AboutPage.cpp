#include "AboutPage.h"

AboutPage::AboutPage() : SimplePage(ID_ABOUT, ID_UNKNOWN, QStringLiteral("About"), tr("About"))
{
    SetKeepPreviousPage();
    AddPageButton(tr("Player Guide"), ID_PLAYER_GUIDE);
}
