#pragma once

#include "SimplePage.h"

// The replay list; back returns to the page it was opened from.
class ReplaysPage : public SimplePage
{
    Q_OBJECT

public:
    ReplaysPage();
};
