#pragma once

#include "NModalWidget.h"

// The interface language choice. A choice is stored and the program restarts to apply it.
class SelectLanguageModal final : public NModalWidget
{
    Q_OBJECT

public:
    SelectLanguageModal();

public slots:
    void DoLanguageClick();
};
