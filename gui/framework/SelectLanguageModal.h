#pragma once

#include "NModalWidget.h"

class NImageLabel;

// The interface language choice. A choice is stored and the program restarts to apply it.
class SelectLanguageModal final : public NModalWidget
{
    Q_OBJECT

public:
    SelectLanguageModal();

    // Shown when the choice could not be stored (and nothing restarted).
    NImageLabel* ErrorLabel() const { return m_error; }

public slots:
    void DoLanguageClick();

private:
    NImageLabel* m_error = nullptr;
};
