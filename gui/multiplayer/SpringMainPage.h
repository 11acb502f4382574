#pragma once

#include "SimplePage.h"

// The lobby: battles, players and chat.
class SpringMainPage : public SimplePage
{
    Q_OBJECT

public:
    SpringMainPage();
};
