// Every dialog class of the program in the states a player meets it. The gallery draws each on
// the modal page; a test checks that each fits the smallest window in every language.
#pragma once

#include "NModalWidget.h"

#include <QList>
#include <QString>
#include <functional>

namespace Gallery
{
struct DialogState
{
    QString caption;
    std::function<NModalWidget*()> make;
    // Runs once the dialog is laid out on the page (button presses, answers arriving).
    std::function<void(NModalWidget*)> after;
    // How long the gallery lets it settle before the shot (pictures and answers on their way).
    int settleMs = 0;
};

// One sheet: a dialog class (its name) and its states.
struct DialogStates
{
    QString name;
    QList<DialogState> states;
};

// What the dialogs show comes from the program's folders (PathManager) and services, whatever
// content they hold; a dialog that needs a service starts it.
QList<DialogStates> AllDialogStates();
} // namespace Gallery
