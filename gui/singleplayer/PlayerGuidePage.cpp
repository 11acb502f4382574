#include "PlayerGuidePage.h"

#include "CommonWidgets.h"

#include <QFrame>

PlayerGuidePage::PlayerGuidePage()
    : SimplePage(ID_PLAYER_GUIDE, ID_ABOUT, QStringLiteral("Player Guide"), tr("Player Guide"))
{
    SetKeepPreviousPage();
}

QFrame* PlayerGuidePage::WrapInBorderFrame(QLayout* layout)
{
    return Common::CreateBorderFrame(layout);
}
