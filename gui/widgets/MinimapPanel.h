#pragma once

#include "DataMisc.h"

#include <QString>

class MinimapWidget;
class NImageLabel;
class QFont;

// What both map panels do with their minimap and their name bar: ask the minimap service for the
// current map and show its answer. Only answers of the panels' request kind for the current map
// with a picture are taken; without a picture the panel keeps showing that it loads.
class MinimapPanel final
{
public:
    static constexpr int RequestKind = 0;

    // `nameWidth`: the pixels the name bar's text may take. `upperCaseSize`: "( 16 X 8 )".
    MinimapPanel(MinimapWidget* minimap, NImageLabel* nameLabel, int nameWidth, bool upperCaseSize);

    QString GetMapName() const { return m_mapName; }
    // A new current map: its information text, the loading state, a request.
    void Change(const QString& mapName);
    // The current map's minimap is asked for again (its cache has come).
    void Reload(const QString& mapName);
    // Shows the answer when it is one for this panel; true when it was.
    bool Take(const DataMinimap& minimap);
    void Fail(const QString& mapName);

    // The name bar's rich text, escaped, so a map's own texts are never markup: the information text
    // upper-cased in the main colour, then, unless `sizePart` is empty, " - " and the size part in
    // white. A long information text (map descriptions can be sentences) is cut with "…" so that the
    // whole line fits into `width` pixels of `font`.
    static QString BarText(const QString& infoText, const QString& sizePart, const QFont& font, int width);
    // "( 16 x 8 )" for a map of 8192 x 4096 map units.
    static QString SizeText(int width, int height);

private:
    MinimapWidget* m_minimap;
    NImageLabel* m_nameLabel;
    int m_nameWidth;
    bool m_upperCaseSize;
    QString m_mapName;
};
