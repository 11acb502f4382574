#pragma once

#include "MinimapWidget.h"

#include <QMap>
#include <QRect>
#include <QRectF>

// The minimap on which a battle's start boxes are drawn and edited with the mouse. A box is a QRect
// in hundredths of the minimap's width and height (0 to 100, both corners inclusive), keyed by ally
// team. A left drag draws a new box, a click on a box reports it and a right click asks to remove it;
// the widget never changes its boxes on its own, its owner feeds them back through the slots.
class MinimapSkirmishWidget final : public MinimapWidget
{
    Q_OBJECT

public:
    // A drag must cover at least this many pixels each way (inclusive) to become a box.
    static constexpr int MinimumDragPixels = 17;

    explicit MinimapSkirmishWidget(int margin);

    QMap<int, QRect> GetRects() const { return m_rects; }
    int GetHoveredAlly() const { return m_hovered; }
    // A box in picture pixels of the current scaled minimap.
    QRectF PixelRect(const QRect& box) const;
    // A rubber band in picture pixels turned into a box; empty when it covers no part of the picture.
    static QRect BandToBox(const QRect& band, const QSize& picture);

signals:
    void OnTeamRectClicked(int allyNo);
    void OnTeamRectRemove(int allyNo);
    void OnTeamRectAppend(QRect rect);

public slots:
    void DoAddRect(int allyNo, QRect rect);
    void DoRemoveRect(int allyNo);
    void DoClearRectangles();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Mouse input counts only on a shown minimap with a picture of some size.
    bool AcceptsMouse() const;

    QMap<int, QRect> m_rects;
    QRect m_band; // picture pixels; null while no drag is under way
    bool m_banding = false;
    int m_hovered = -1;
};
