// The AI catalogue's pictures kept under Extras: the mission AI and custom AIs, in the badge style
// of the other AI portraits and in the colours the catalogue gives those AIs.
#include "ArtKit.h"

#include <QtMath>

using namespace Art;

namespace
{
// A shape lit from above in the hue, outlined in black.
void LitShape(QPainter& g, const QPainterPath& shape, const QColor& hue)
{
    const QRectF box = shape.boundingRect();
    QLinearGradient fill(0, box.top(), 0, box.bottom());
    fill.setColorAt(0, Lighter(hue, 150));
    fill.setColorAt(1, hue.darker(180));
    g.setPen(GlyphPen(QColor(0, 0, 0), 0.05));
    g.setBrush(fill);
    g.drawPath(shape);
}

// A banner on a pole with a star: the mission's objective.
void MissionGlyph(QPainter& g, const QColor& hue)
{
    g.setPen(GlyphPen(QColor(0, 0, 0), 0.16));
    g.drawLine(QPointF(-0.42, -0.62), QPointF(-0.42, 0.66));
    g.setPen(GlyphPen(SteelLight, 0.08));
    g.drawLine(QPointF(-0.42, -0.62), QPointF(-0.42, 0.66));

    QPainterPath banner;
    banner.moveTo(-0.38, -0.58);
    banner.cubicTo(-0.1, -0.7, 0.2, -0.42, 0.62, -0.56);
    banner.lineTo(0.62, 0.04);
    banner.cubicTo(0.2, 0.18, -0.1, -0.1, -0.38, 0.02);
    banner.closeSubpath();
    LitShape(g, banner, hue);

    QPolygonF star;
    for (int i = 0; i < 10; ++i)
    {
        const qreal a = qDegreesToRadians(36.0 * i - 90);
        const qreal radius = i % 2 == 0 ? 0.2 : 0.085;
        star << QPointF(0.12 + radius * qCos(a), -0.27 + radius * qSin(a));
    }
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(255, 244, 214));
    g.drawPolygon(star);

    // The ground the banner stands on.
    g.setPen(GlyphPen(WithAlpha(hue, 200), 0.06));
    g.drawLine(QPointF(-0.7, 0.68), QPointF(-0.14, 0.68));
}

// A speech bubble with an exclamation mark: an AI of the player's own that talks back.
void CustomGlyph(QPainter& g, const QColor& hue)
{
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(-0.66, -0.6, 1.32, 0.96), 0.3, 0.3);
    QPainterPath tail;
    tail.moveTo(-0.3, 0.3);
    tail.lineTo(-0.46, 0.72);
    tail.lineTo(0.04, 0.3);
    tail.closeSubpath();
    bubble = bubble.united(tail);
    LitShape(g, bubble, hue);

    g.setPen(GlyphPen(QColor(24, 16, 6), 0.17));
    g.drawLine(QPointF(0, -0.4), QPointF(0, -0.02));
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(24, 16, 6));
    g.drawEllipse(QPointF(0, 0.17), 0.09, 0.09);
}
} // namespace

void DrawAiExtras(Output& out)
{
    // The catalogue's colours: the mission AI 0, 160, 255; custom AIs 255, 160, 0.
    const QColor missionHue(0, 160, 255), customHue(255, 160, 0);
    out.Save(Paint(160, 160, 1,
                   [&](QPainter& p)
                   { Badge(p, 160, missionHue, [&](QPainter& g) { MissionGlyph(g, missionHue); }); }),
             QStringLiteral("Extras/mission.png"));
    out.Save(Paint(160, 160, 1,
                   [&](QPainter& p)
                   { Badge(p, 160, customHue, [&](QPainter& g) { CustomGlyph(g, customHue); }); }),
             QStringLiteral("Extras/taunts.png"));
}
