#pragma once

#include "SimplePage.h"

// About the program; leads on to the player guide.
class AboutPage : public SimplePage
{
    Q_OBJECT

public:
    AboutPage();
};
