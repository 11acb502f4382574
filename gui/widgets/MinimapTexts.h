#pragma once

#include "DataMisc.h"

#include <QString>

class QFont;

// What the map panels show in their name bars, and which minimap answers they take.
namespace MinimapTexts
{
// The request kind of the map panels.
constexpr int PanelRequestKind = 0;

// The name bar's rich text, escaped, so a map's own texts are never markup: the information text
// upper-cased in the main colour, then, unless `sizePart` is empty, " - " and the size part in white.
// A long information text (map descriptions can be sentences) is cut with "…" so that the whole
// line fits into `width` pixels of `font`.
QString BarText(const QString& infoText, const QString& sizePart, const QFont& font, int width);
// "( 16 x 8 )" for a map of 8192 x 4096 map units.
QString SizeText(int width, int height);
// The information text the content index holds for a map, before its minimap arrives.
QString InfoTextOf(const QString& mapName);
// An answer for the panel showing `mapName`: its kind, its name, and with a picture.
bool IsPanelAnswer(const DataMinimap& minimap, const QString& mapName);
} // namespace MinimapTexts
