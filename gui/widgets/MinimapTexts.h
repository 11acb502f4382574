#pragma once

#include "DataMisc.h"

#include <QString>

// What the map panels show in their name bars, and which minimap answers they take.
namespace MinimapTexts
{
// The request kind of the map panels.
constexpr int PanelRequestKind = 0;

// "<font color=main>TEXT</font>": the text upper-cased and escaped, so a map's own texts are never markup.
QString NameText(const QString& text);
// "( 16 x 8 )" for a map of 8192 x 4096 map units.
QString SizeText(int width, int height);
// The information text the content index holds for a map, before its minimap arrives.
QString InfoTextOf(const QString& mapName);
// An answer for the panel showing `mapName`: its kind, its name, and with a picture.
bool IsPanelAnswer(const DataMinimap& minimap, const QString& mapName);
} // namespace MinimapTexts
