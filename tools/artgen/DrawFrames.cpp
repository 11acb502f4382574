// Frames (nine-slice borders), backdrops of panels and bands, and the small common icons.
#include "ArtKit.h"

#include <QtMath>

using namespace Art;

namespace
{
// A frame of `size` whose slices are `slice` px: an outer metal strip `strip` px thick, a thin
// inner line and corner brackets that fit inside the corner slices.
void FrameBorder(QPainter& p, int size, int slice, qreal strip, bool heavy)
{
    const QRectF outer(0, 0, size, size);
    // Strips along all four sides.
    QPainterPath ring;
    ring.addRect(outer);
    ring.addRect(outer.adjusted(strip, strip, -strip, -strip));
    ring.setFillRule(Qt::OddEvenFill);
    QLinearGradient metal(0, 0, strip, strip);
    metal.setColorAt(0, QColor(70, 80, 94));
    metal.setColorAt(1, QColor(18, 21, 26));
    p.setPen(Qt::NoPen);
    p.fillPath(ring, QColor(16, 19, 24, 235));
    // Lit outer edge and dark inner edge of the strip.
    p.setPen(QPen(QColor(110, 124, 142, 200), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(outer.adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(QPen(QColor(0, 0, 0, 230), 1));
    p.drawRect(outer.adjusted(strip - 0.5, strip - 0.5, -strip + 0.5, -strip + 0.5));
    // Thin amber line inside the strip.
    p.setPen(QPen(WithAlpha(Accent, heavy ? 120 : 90), 1));
    const qreal mid = strip * 0.5;
    p.drawRect(outer.adjusted(mid, mid, -mid, -mid));
    // Soft shade falling inwards from the strip.
    if (heavy)
    {
        for (int i = 0; i < 8; ++i)
        {
            p.setPen(QPen(QColor(0, 0, 0, 70 - i * 8), 1));
            p.drawRect(outer.adjusted(strip + i + 0.5, strip + i + 0.5, -strip - i - 0.5, -strip - i - 0.5));
        }
    }

    // Corner brackets.
    const qreal arm = slice - 4;
    const qreal t = heavy ? 4 : 2.5;
    for (int corner = 0; corner < 4; ++corner)
    {
        p.save();
        p.translate(corner == 1 || corner == 2 ? size : 0, corner >= 2 ? size : 0);
        p.scale(corner == 1 || corner == 2 ? -1 : 1, corner >= 2 ? -1 : 1);
        QPainterPath bracket;
        bracket.moveTo(1, 1);
        bracket.lineTo(arm, 1);
        bracket.lineTo(arm - t, 1 + t);
        bracket.lineTo(1 + t, 1 + t);
        bracket.lineTo(1 + t, arm - t);
        bracket.lineTo(1, arm);
        bracket.closeSubpath();
        QLinearGradient g(0, 0, arm, arm);
        g.setColorAt(0, QColor(255, 226, 130));
        g.setColorAt(1, AccentDeep);
        p.setPen(QPen(QColor(0, 0, 0, 200), 1));
        p.setBrush(g);
        p.drawPath(bracket);
        // Rivet.
        p.setBrush(QColor(150, 162, 178));
        p.setPen(QPen(QColor(0, 0, 0, 200), 0.8));
        p.drawEllipse(QPointF(strip * 0.5 + 0.5, strip * 0.5 + 0.5), heavy ? 1.6 : 1.0, heavy ? 1.6 : 1.0);
        p.restore();
    }
}

// A seamless dark backdrop tile: faint diagonal hatching and a fine grid.
QImage Backdrop(int size, int alpha, int hatchAlpha)
{
    return Paint(size, size, 1,
                 [&](QPainter& p)
                 {
                     p.fillRect(QRectF(0, 0, size, size), QColor(8, 10, 13, alpha));
                     p.setPen(QPen(QColor(120, 140, 170, hatchAlpha), 1));
                     for (int x = -size; x < 2 * size; x += 8)
                         p.drawLine(QPointF(x, 0), QPointF(x + size, size));
                     p.setPen(QPen(QColor(0, 0, 0, hatchAlpha * 2), 1));
                     for (int y = 0; y < size; y += 32)
                         p.drawLine(QPointF(0, y + 0.5), QPointF(size, y + 0.5));
                     for (int x = 0; x < size; x += 32)
                         p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, size));
                 });
}

void Triangle(QPainter& p, const QRectF& r, bool down, const QColor& color)
{
    QPolygonF poly;
    if (down)
        poly << r.topLeft() << r.topRight() << QPointF(r.center().x(), r.bottom());
    else
        poly << r.bottomLeft() << r.bottomRight() << QPointF(r.center().x(), r.top());
    p.setPen(QPen(QColor(0, 0, 0, 200), 1));
    p.setBrush(color);
    p.drawPolygon(poly);
}
} // namespace

void DrawFramesAndCommon(Output& out)
{
    out.Save(Paint(256, 256, 1, [](QPainter& p) { FrameBorder(p, 256, 34, 10, true); }),
             QStringLiteral("Frames/picture_border.png"));
    out.Save(Paint(64, 64, 1, [](QPainter& p) { FrameBorder(p, 64, 16, 4, false); }),
             QStringLiteral("Frames/picture_border_thin.png"));

    // Map panel frame: 256 x 160, slices 36 (top, bottom) and 76 (left, right). The middle is a
    // dark glass; the ends carry angled plates with a lamp strip.
    out.Save(Paint(256, 160, 1,
                   [](QPainter& p)
                   {
                       const QRectF r(2, 2, 252, 156);
                       const QPainterPath shape = Chamfer(r, 22, 22, 22, 22);
                       p.setPen(Qt::NoPen);
                       p.setBrush(QColor(6, 8, 11, 170));
                       p.drawPath(shape);
                       p.setBrush(Qt::NoBrush);
                       p.setPen(QPen(QColor(0, 0, 0, 230), 4));
                       p.drawPath(shape);
                       p.setPen(QPen(QColor(96, 110, 128, 230), 2));
                       p.drawPath(shape);
                       p.setPen(QPen(WithAlpha(Accent, 80), 1));
                       p.drawPath(Chamfer(r.adjusted(7, 7, -7, -7), 17, 17, 17, 17));
                       for (int side = 0; side < 2; ++side)
                       {
                           p.save();
                           if (side)
                           {
                               p.translate(256, 160);
                               p.rotate(180);
                           }
                           QPainterPath plate = Chamfer(QRectF(2, 30, 10, 100), 0, 6, 6, 0);
                           Plate(p, plate, QColor(70, 80, 94), QColor(24, 28, 34), QColor(130, 144, 160));
                           p.setPen(Qt::NoPen);
                           for (int i = 0; i < 5; ++i)
                           {
                               p.setBrush(WithAlpha(Accent, 230 - i * 36));
                               p.drawRect(QRectF(5, 40 + i * 9, 4, 5));
                           }
                           QPainterPath tab = Chamfer(QRectF(28, 2, 44, 6), 0, 0, 4, 4);
                           p.setBrush(WithAlpha(Accent, 200));
                           p.drawPath(tab);
                           p.restore();
                       }
                   }),
             QStringLiteral("Frames/frame_map.png"));
    out.Save(Backdrop(256, 150, 10), QStringLiteral("Frames/frame_page_back_dark.png"));
    out.Save(Backdrop(256, 110, 8), QStringLiteral("Frames/frame_map_back_dark.png"));

    // Band behind the modal dialogs, and the flash laid over the window on a screenshot.
    out.Save(Paint(256, 256, 1,
                   [](QPainter& p)
                   {
                       p.fillRect(QRectF(0, 0, 256, 256), QColor(6, 8, 10, 228));
                       ScanLines(p, QRectF(0, 0, 256, 256), 60, 4);
                       p.setPen(QPen(QColor(120, 140, 170, 9), 1));
                       for (int x = -256; x < 512; x += 6)
                           p.drawLine(QPointF(x, 0), QPointF(x + 256, 256));
                   }),
             QStringLiteral("Back/back_dark.png"));
    out.Save(Paint(256, 256, 1,
                   [](QPainter& p)
                   {
                       p.fillRect(QRectF(0, 0, 256, 256), QColor(255, 250, 235, 120));
                       ScanLines(p, QRectF(0, 0, 256, 256), 24, 4);
                   }),
             QStringLiteral("Back/back_screenshot.png"));

    // Search glass, 28 x 28.
    out.Save(Paint(28, 28, 1,
                   [](QPainter& p)
                   {
                       p.setPen(QPen(QColor(0, 0, 0, 200), 5, Qt::SolidLine, Qt::RoundCap));
                       p.drawLine(QPointF(17, 17), QPointF(24, 24));
                       p.setPen(QPen(Accent, 3, Qt::SolidLine, Qt::RoundCap));
                       p.drawLine(QPointF(17, 17), QPointF(24, 24));
                       QRadialGradient lens(QPointF(10, 10), 9);
                       lens.setColorAt(0, QColor(120, 180, 240, 90));
                       lens.setColorAt(1, QColor(20, 40, 70, 140));
                       p.setBrush(lens);
                       p.setPen(QPen(QColor(0, 0, 0, 200), 4));
                       p.drawEllipse(QPointF(12, 12), 7.5, 7.5);
                       p.setPen(QPen(SteelLight, 2.2));
                       p.drawEllipse(QPointF(12, 12), 7.5, 7.5);
                       p.setPen(QPen(QColor(255, 255, 255, 160), 1.2, Qt::SolidLine, Qt::RoundCap));
                       p.drawArc(QRectF(7.5, 7.5, 9, 9), 100 * 16, 70 * 16);
                   }),
             QStringLiteral("Common/search.png"));
    for (bool down : {true, false})
    {
        const QString dir = down ? QStringLiteral("down") : QStringLiteral("up");
        out.Save(Paint(10, 7, 1, [&](QPainter& p) { Triangle(p, QRectF(1, 1, 8, 5), down, Accent); }),
                 QStringLiteral("Common/tree_arrow_%1.png").arg(dir));
        out.Save(
            Paint(14, 10, 1,
                  [&](QPainter& p)
                  {
                      p.setPen(QPen(QColor(0, 0, 0, 200), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                      QPolygonF chevron = down ? QPolygonF({QPointF(2, 3), QPointF(7, 7.5), QPointF(12, 3)})
                                               : QPolygonF({QPointF(2, 7), QPointF(7, 2.5), QPointF(12, 7)});
                      p.drawPolyline(chevron);
                      p.setPen(QPen(SteelLight, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                      p.drawPolyline(chevron);
                  }),
            QStringLiteral("Common/scroll_arrow_%1.png").arg(dir));
    }
}
