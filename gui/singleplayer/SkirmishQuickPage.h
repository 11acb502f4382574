#pragma once

#include "SimplePage.h"

// The quick-skirmish wizard.
class SkirmishQuickPage : public SimplePage
{
    Q_OBJECT

public:
    SkirmishQuickPage();
};
