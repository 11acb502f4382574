#pragma once

#include "NModalWidget.h"

class NImageLabel;
class QHBoxLayout;

// The game choice: writes the chosen game to the run-game file and restarts the program, which
// then starts with that game.
class SelectPlayGameModal final : public NModalWidget
{
    Q_OBJECT

public:
    SelectPlayGameModal();

    // The line that says the program restarts after a choice.
    static QHBoxLayout* CreateInfoLayout(int unit);
    // Where the choice is written.
    static QString RunGameFilePath();

    // Shown when the choice could not be written (and nothing restarted).
    NImageLabel* ErrorLabel() const { return m_error; }

public slots:
    void DoGameClick();

private:
    NImageLabel* m_error = nullptr;
};
