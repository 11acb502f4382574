#include "PlayerGuidePage.h"

#include "Common.h"

#include <QFrame>
#include <QGridLayout>

PlayerGuidePage::PlayerGuidePage()
    : SimplePage(ID_PLAYER_GUIDE, ID_ABOUT, QStringLiteral("Player Guide"), tr("Player Guide"))
{
    SetKeepPreviousPage();
}

QFrame* PlayerGuidePage::WrapInBorderFrame(QLayout* layout)
{
    const int width = Common::Scale(4);
    auto line = []
    {
        auto* frame = new QFrame();
        frame->setStyleSheet(QStringLiteral("background-color: black; border: none;"));
        return frame;
    };
    auto* frame = new QFrame();
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    QFrame* top = line();
    QFrame* bottom = line();
    QFrame* left = line();
    QFrame* right = line();
    top->setFixedHeight(width);
    bottom->setFixedHeight(width);
    left->setFixedWidth(width);
    right->setFixedWidth(width);
    grid->addWidget(top, 0, 0, 1, 3);
    grid->addWidget(left, 1, 0);
    grid->addLayout(layout, 1, 1, Qt::AlignCenter);
    grid->addWidget(right, 1, 2);
    grid->addWidget(bottom, 2, 0, 1, 3);
    return frame;
}
