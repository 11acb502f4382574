#pragma once

#include "SimplePage.h"

// The game settings; back returns to the page it was opened from.
class GameSettingsPage : public SimplePage
{
    Q_OBJECT

public:
    GameSettingsPage();
};
