#pragma once

#include "SimplePage.h"

// The AI editor; shown by page id only.
class AIEditorPage : public SimplePage
{
    Q_OBJECT

public:
    AIEditorPage();
};
