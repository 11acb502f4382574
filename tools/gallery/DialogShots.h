// Dialogs as the program shows them: on the modal page, over the game backdrop of the main
// window at its smallest size. A dialog's sheet holds one shot per state, each captioned.
#pragma once

#include "DialogStates.h"

#include <QList>
#include <QSize>
#include <QString>

namespace Gallery
{
// The smallest main window (and so the full screen of a 1024 x 768 screen): every dialog must
// fit it.
QSize DialogWindowSize();

// Writes dir/<name>.png with the shots side by side, two to a row.
void DialogSheet(const QString& dir, const QString& name, const QList<DialogState>& states);
} // namespace Gallery
