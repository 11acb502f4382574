#pragma once

#include <QStringList>

// The interface fonts: compiled-in faces under ":/Fonts/", and the family names the widgets ask
// for mapped onto them.
namespace GuiFonts
{
// Registers the compiled-in faces and the substitutions; returns the families that were added.
// The Chinese face (several megabytes) waits for UseLanguage.
QStringList LoadFonts();
// Registers the faces a language needs beyond those of LoadFonts (the Chinese face for "ZH"),
// once; returns the families that were added.
QStringList UseLanguage(const QString& languageCode);
// The faces a family name is drawn with, first choice first.
QStringList Substitutes(const QString& family);
} // namespace GuiFonts
