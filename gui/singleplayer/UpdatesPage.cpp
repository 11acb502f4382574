#include "UpdatesPage.h"

UpdatesPage::UpdatesPage() : SimplePage(ID_UPDATES, ID_MAIN_MENU, QStringLiteral("Updates"), tr("Updates")) {}
