#include "ReplaysPage.h"

ReplaysPage::ReplaysPage() : SimplePage(ID_REPLAYS, ID_UNKNOWN, QStringLiteral("Replays"), tr("Replays"))
{
    SetKeepPreviousPage();
}
