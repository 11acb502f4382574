#pragma once

#include "SimplePage.h"

// The game's automated tests.
class GameTestsPage : public SimplePage
{
    Q_OBJECT

public:
    GameTestsPage();
};
