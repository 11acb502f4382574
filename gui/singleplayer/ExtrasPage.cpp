#include "ExtrasPage.h"

ExtrasPage::ExtrasPage() : SimplePage(ID_EXTRAS, ID_UNKNOWN, QStringLiteral("Extras"), tr("Extras"))
{
    SetKeepPreviousPage();
}
