// Whether a dialog fits the page it is shown on: every button and text whole and in sight.
#pragma once

#include <QStringList>

class QWidget;

namespace Gallery
{
// What is wrong with the page as laid out: a visible button or caption that sticks out of the page
// or out of a widget holding it (which cuts it off), buttons over each other, a caption smaller
// than its text, a button caption closer to its button's edge than a unit, texts less than a unit
// apart, a column header narrower than its text. The rows of a list scroll inside it: they are the list's business.
// Empty when all is well.
QStringList Misfits(QWidget* page);
} // namespace Gallery
