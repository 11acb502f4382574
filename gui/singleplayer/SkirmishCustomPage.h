#pragma once

#include "SimplePage.h"

// The custom skirmish.
class SkirmishCustomPage : public SimplePage
{
    Q_OBJECT

public:
    SkirmishCustomPage();
};
