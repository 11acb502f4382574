#pragma once

#include "SimplePage.h"

// Login to the lobby server.
class SpringLoginPage : public SimplePage
{
    Q_OBJECT

public:
    SpringLoginPage();
};
