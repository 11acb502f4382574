#pragma once

#include "SimplePage.h"

// Optional packs of the current game; back returns to the page it was opened from.
class ExtrasPage : public SimplePage
{
    Q_OBJECT

public:
    ExtrasPage();
};
