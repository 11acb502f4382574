#pragma once

#include "SimplePage.h"

class QFrame;
class QLayout;

// The player guide; opened from the About page, back leads there.
class PlayerGuidePage : public SimplePage
{
    Q_OBJECT

public:
    PlayerGuidePage();

    // A frame that centres the layout between black lines on all four sides.
    static QFrame* WrapInBorderFrame(QLayout* layout);
};
