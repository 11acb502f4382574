#pragma once

#include "SimplePage.h"

// The mission editor; shown by page id only.
class MissionEditorPage : public SimplePage
{
    Q_OBJECT

public:
    MissionEditorPage();
};
