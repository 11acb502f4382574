#pragma once

#include "SimplePage.h"

// Login through Steam.
class SteamLoginPage : public SimplePage
{
    Q_OBJECT

public:
    SteamLoginPage();
};
