#pragma once

#include "SimplePage.h"

// Program updates.
class UpdatesPage : public SimplePage
{
    Q_OBJECT

public:
    UpdatesPage();
};
