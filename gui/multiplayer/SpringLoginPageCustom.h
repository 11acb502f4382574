#pragma once

#include "SimplePage.h"

// Login to a lobby server of the player's choice.
class SpringLoginPageCustom : public SimplePage
{
    Q_OBJECT

public:
    SpringLoginPageCustom();
};
