// Buttons: the plain and menu families in every colour, the auxiliary tabs in their four states.
#include "ArtKit.h"

using namespace Art;

namespace
{
struct Tint
{
    const char* name;
    QColor top;
    QColor bottom;
    QColor rim;
    QColor light; // the small lamps in the corners
};

const Tint kTints[] = {
    {"black", QColor(44, 49, 58), QColor(12, 14, 18), QColor(88, 98, 112), QColor(140, 150, 165)},
    {"blue", QColor(34, 92, 160), QColor(10, 30, 62), QColor(92, 160, 240), QColor(150, 210, 255)},
    {"brown", QColor(124, 84, 32), QColor(44, 27, 8), QColor(214, 150, 60), Accent},
    {"brown_dark", QColor(74, 50, 22), QColor(24, 15, 6), QColor(150, 100, 40), AccentDeep},
    {"brown_light", QColor(170, 122, 52), QColor(80, 52, 18), QColor(246, 196, 100), QColor(255, 226, 140)},
    {"green", QColor(46, 128, 54), QColor(12, 46, 16), QColor(110, 220, 110), QColor(170, 255, 160)},
    {"red", QColor(150, 38, 36), QColor(52, 10, 10), QColor(240, 100, 86), QColor(255, 160, 140)},
    {"silver", QColor(128, 138, 150), QColor(52, 58, 68), QColor(226, 234, 244), QColor(255, 255, 255)},
};

// Plain button: 96 x 40, slices of 12 px. Corners cut at top-left and bottom-right.
void PlainButton(QPainter& p, const Tint& t)
{
    const QRectF r(1, 1, 94, 38);
    const QPainterPath shape = Chamfer(r, 7, 2, 7, 2);
    Plate(p, shape, t.top, t.bottom, t.rim);
    // Corner lamps: short bright strokes along the cuts, inside the 12 px corners.
    p.setPen(QPen(WithAlpha(t.light, 230), 1.4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(3.2, 6.5), QPointF(6.5, 3.2));
    p.drawLine(QPointF(92.8, 33.5), QPointF(89.5, 36.8));
    // A thin inner line under the sheen, stretched along the whole button.
    p.setPen(QPen(QColor(255, 255, 255, 26), 1.0));
    p.drawLine(QPointF(10, 4.5), QPointF(86, 4.5));
}

// Menu button: 240 x 72, slices of 34 px. Angled ends, inner inset line and corner brackets.
void MenuButton(QPainter& p, const Tint* t)
{
    const QRectF r(2, 3, 236, 66);
    const QPainterPath shape = Chamfer(r, 16, 16, 16, 16);
    if (!t)
    {
        // "none": dark glass with a cold outline, for dialogs that want a quiet button.
        p.setPen(Qt::NoPen);
        QLinearGradient glass(r.topLeft(), r.bottomLeft());
        glass.setColorAt(0, QColor(40, 46, 56, 170));
        glass.setColorAt(1, QColor(8, 10, 14, 200));
        p.setBrush(glass);
        p.drawPath(shape);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(WithAlpha(Steel, 170), 1.2));
        p.drawPath(shape);
        p.setPen(QPen(QColor(255, 255, 255, 30), 1.0));
        p.drawLine(QPointF(20, 6.5), QPointF(220, 6.5));
        return;
    }
    Glow(p, shape, WithAlpha(t->rim, 90), 6);
    Plate(p, shape, t->top, t->bottom, t->rim, 1.4);
    // Inset line following the shape.
    const QPainterPath inset = Chamfer(r.adjusted(6, 6, -6, -6), 11, 11, 11, 11);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 90), 1.0));
    p.drawPath(inset.translated(0, 1));
    p.setPen(QPen(WithAlpha(Lighter(t->rim, 120), 70), 1.0));
    p.drawPath(inset);
    // Brackets on the angled ends (inside the 34 px corners).
    p.setPen(QPen(WithAlpha(t->light, 235), 2.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPolyline(QPolygonF({QPointF(14, 19), QPointF(8, 25), QPointF(8, 30)}));
    p.drawPolyline(QPolygonF({QPointF(226, 53), QPointF(232, 47), QPointF(232, 42)}));
    p.setPen(QPen(WithAlpha(t->light, 150), 1.0));
    p.drawLine(QPointF(24, 63.5), QPointF(32, 63.5));
    p.drawLine(QPointF(208, 8.5), QPointF(216, 8.5));
}

struct AuxState
{
    const char* suffix;
    QColor top, bottom, rim;
    QColor line; // the lit edge that faces the content
    int alpha;
};

// Auxiliary tab: 120 x 34; slices top 18, right 18, bottom 14, left 12.
void AuxButton(QPainter& p, int type, const AuxState& s)
{
    p.setOpacity(s.alpha / 255.0);
    const QRectF r(1, 1, 118, 32);
    QPainterPath shape;
    if (type == 0)
        shape = Chamfer(r, 0, 14, 0, 0);
    else if (type == 1)
        shape = Chamfer(r, 10, 14, 0, 0);
    else
        shape = Chamfer(r, 0, 0, 12, 0);
    Plate(p, shape, s.top, s.bottom, s.rim);
    // The lit edge: along the bottom of a top tab, along the top of a bottom tab.
    const qreal y = type == 2 ? 2.5 : 31.0;
    QLinearGradient edge(QPointF(0, 0), QPointF(120, 0));
    edge.setColorAt(0.0, WithAlpha(s.line, 0));
    edge.setColorAt(0.1, s.line);
    edge.setColorAt(0.9, s.line);
    edge.setColorAt(1.0, WithAlpha(s.line, 0));
    p.setPen(QPen(QBrush(edge), 2.0));
    p.drawLine(QPointF(2, y), QPointF(118, y));
    p.setPen(QPen(WithAlpha(s.line, 200), 1.5));
    if (type == 2)
        p.drawLine(QPointF(111, 27), QPointF(116, 22));
    else
        p.drawLine(QPointF(108, 4), QPointF(114, 10));
}
} // namespace

void DrawButtons(Output& out)
{
    for (double scale : {1.0, 2.0})
    {
        const QString suffix = scale > 1.0 ? QStringLiteral("_2x") : QString();
        for (const Tint& t : kTints)
        {
            const QString word = QLatin1String(t.name);
            out.Save(Paint(96, 40, scale, [&](QPainter& p) { PlainButton(p, t); }),
                     QStringLiteral("Buttons/button_%1%2.png").arg(word, suffix));
            out.Save(Paint(240, 72, scale, [&](QPainter& p) { MenuButton(p, &t); }),
                     QStringLiteral("Buttons/button_menu_%1%2.png").arg(word, suffix));
        }
        out.Save(Paint(240, 72, scale, [&](QPainter& p) { MenuButton(p, nullptr); }),
                 QStringLiteral("Buttons/button_menu_none%1.png").arg(suffix));
    }

    const AuxState states[] = {
        {"", QColor(40, 46, 56), QColor(14, 16, 20), QColor(86, 96, 110), WithAlpha(Steel, 160), 255},
        {"_hover", QColor(64, 72, 84), QColor(22, 25, 31), QColor(150, 160, 175), Accent, 255},
        {"_pressed", QColor(22, 25, 31), QColor(8, 9, 12), QColor(120, 90, 40), AccentDeep, 255},
        {"_disable", QColor(34, 36, 40), QColor(16, 17, 19), QColor(60, 62, 66), QColor(70, 72, 76), 150},
    };
    const char* names[] = {"button_aux_top", "button_aux_top2", "button_aux_bottom"};
    for (int type = 0; type < 3; ++type)
        for (const AuxState& s : states)
            out.Save(
                Paint(120, 34, 1.0, [&](QPainter& p) { AuxButton(p, type, s); }),
                QStringLiteral("Buttons/%1%2.png").arg(QLatin1String(names[type]), QLatin1String(s.suffix)));
}
