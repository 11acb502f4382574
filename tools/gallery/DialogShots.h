// Dialogs as the program shows them: on the modal page, over the game backdrop of the main
// window. A dialog's sheet holds one shot per state, each captioned.
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
};

// Writes dir/<name>.png with the shots side by side, two to a row.
void DialogSheet(const QString& dir, const QString& name, const QList<DialogState>& states);
} // namespace Gallery
