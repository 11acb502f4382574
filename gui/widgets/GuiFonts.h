#pragma once

#include <QStringList>

// The interface fonts: compiled-in faces under ":/Fonts/", and the family names the widgets ask
// for mapped onto them.
namespace GuiFonts
{
// Registers every compiled-in face and the substitutions; returns the families that were added.
QStringList LoadFonts();
// The faces a family name is drawn with, first choice first.
QStringList Substitutes(const QString& family);
} // namespace GuiFonts
