#pragma once

#include "SimplePage.h"

// AI projects held in git repositories.
class AiProjectsPage : public SimplePage
{
    Q_OBJECT

public:
    AiProjectsPage();
};
