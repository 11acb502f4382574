// Player status marks, progress bars and slider parts, step dots, animation frames.
#include "ArtKit.h"

#include <QtMath>

using namespace Art;

namespace
{
// A round lamp in a steel socket, 24 x 24.
void Lamp(QPainter& p, const QColor& color, bool lit, bool hover)
{
    const QPointF c(12, 12);
    QRadialGradient socket(c, 11.5);
    socket.setColorAt(0.0, QColor(20, 23, 28));
    socket.setColorAt(0.8, QColor(46, 52, 62));
    socket.setColorAt(1.0, QColor(110, 122, 138));
    p.setPen(QPen(QColor(0, 0, 0, 220), 1.0));
    p.setBrush(socket);
    p.drawEllipse(c, 11, 11);
    if (hover)
    {
        p.setPen(QPen(WithAlpha(SteelLight, 200), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 10.4, 10.4);
    }
    QRadialGradient glass(c - QPointF(2, 2.5), 9);
    const QColor core = lit ? Lighter(color, hover ? 150 : 125) : color.darker(hover ? 150 : 230);
    glass.setColorAt(0.0, Lighter(core, 160));
    glass.setColorAt(0.5, core);
    glass.setColorAt(1.0, core.darker(220));
    p.setPen(QPen(QColor(0, 0, 0, 180), 1.0));
    p.setBrush(glass);
    p.drawEllipse(c, 7.5, 7.5);
    if (lit)
    {
        QRadialGradient halo(c, 12);
        halo.setColorAt(0.5, WithAlpha(color, 0));
        halo.setColorAt(0.75, WithAlpha(color, hover ? 110 : 70));
        halo.setColorAt(1.0, WithAlpha(color, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(c, 12, 12);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, lit ? 150 : 60));
    p.drawEllipse(QPointF(9.6, 9.2), 2.2, 1.6);
}

void Glyph(QPainter& p, const QString& kind, const QColor& color)
{
    p.setPen(QPen(color, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (kind == QLatin1String("check"))
        p.drawPolyline(QPolygonF({QPointF(8.5, 12.2), QPointF(11, 14.8), QPointF(15.8, 9.2)}));
    else if (kind == QLatin1String("cross"))
    {
        p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
        p.drawLine(QPointF(14.5, 9.5), QPointF(9.5, 14.5));
    }
    else
    {
        // Down arrow: content missing, downloading.
        p.drawLine(QPointF(12, 8), QPointF(12, 15));
        p.drawPolyline(QPolygonF({QPointF(9, 12.5), QPointF(12, 15.5), QPointF(15, 12.5)}));
    }
}

void PlayerStatus(Output& out)
{
    const QColor green(80, 230, 90), red(220, 70, 60), amber = Accent;
    for (bool hover : {false, true})
    {
        const QString h = hover ? QStringLiteral("_hover") : QString();
        out.Save(Paint(24, 24, 1,
                       [&](QPainter& p)
                       {
                           Lamp(p, green, true, hover);
                           Glyph(p, QStringLiteral("check"), QColor(10, 40, 10, 220));
                       }),
                 QStringLiteral("PlayerStatus/player_ready%1.png").arg(h));
        out.Save(Paint(24, 24, 1,
                       [&](QPainter& p)
                       {
                           Lamp(p, red, hover, hover);
                           Glyph(p, QStringLiteral("cross"), QColor(255, 200, 190, hover ? 230 : 150));
                       }),
                 QStringLiteral("PlayerStatus/player_not_ready%1.png").arg(h));
        out.Save(Paint(24, 24, 1,
                       [&](QPainter& p)
                       {
                           Lamp(p, amber, true, hover);
                           Glyph(p, QStringLiteral("arrow"), QColor(60, 30, 0, 230));
                       }),
                 QStringLiteral("PlayerStatus/player_not_sync%1.png").arg(h));
    }

    // No photo: a helmeted silhouette on a dark screen.
    out.Save(Paint(128, 128, 1,
                   [&](QPainter& p)
                   {
                       QLinearGradient back(0, 0, 0, 128);
                       back.setColorAt(0, QColor(36, 44, 56));
                       back.setColorAt(1, QColor(10, 12, 16));
                       p.fillRect(QRectF(0, 0, 128, 128), back);
                       QRadialGradient light(64, 40, 80);
                       light.setColorAt(0, QColor(90, 140, 200, 70));
                       light.setColorAt(1, QColor(90, 140, 200, 0));
                       p.fillRect(QRectF(0, 0, 128, 128), light);
                       QPainterPath body;
                       body.moveTo(18, 128);
                       body.cubicTo(20, 96, 40, 86, 64, 86);
                       body.cubicTo(88, 86, 108, 96, 110, 128);
                       body.closeSubpath();
                       body.addEllipse(QPointF(64, 54), 24, 27);
                       p.setPen(Qt::NoPen);
                       QLinearGradient fill(0, 30, 0, 128);
                       fill.setColorAt(0, QColor(92, 104, 120));
                       fill.setColorAt(1, QColor(38, 44, 54));
                       p.setBrush(fill);
                       p.drawPath(body.simplified());
                       // Visor.
                       p.setBrush(WithAlpha(Accent, 200));
                       p.drawPath(Chamfer(QRectF(46, 48, 36, 9), 3, 3, 3, 3));
                       ScanLines(p, QRectF(0, 0, 128, 128), 40, 3);
                       p.setPen(QPen(WithAlpha(Steel, 180), 2));
                       p.setBrush(Qt::NoBrush);
                       p.drawRect(QRectF(1, 1, 126, 126));
                   }),
             QStringLiteral("PlayerStatus/player_no_photo.png"));
}

void Progress(Output& out)
{
    // Trough of the progress bar: 32 x 11, slices of 3 px.
    out.Save(Paint(32, 11, 1,
                   [&](QPainter& p)
                   {
                       p.setPen(QPen(QColor(0, 0, 0, 230), 1));
                       QLinearGradient g(0, 0, 0, 11);
                       g.setColorAt(0, QColor(6, 7, 9));
                       g.setColorAt(1, QColor(30, 34, 40));
                       p.setBrush(g);
                       p.drawRect(QRectF(0.5, 0.5, 31, 10));
                       p.setPen(QPen(QColor(120, 134, 150, 120), 1));
                       p.drawLine(QPointF(1, 10.5), QPointF(31, 10.5));
                   }),
             QStringLiteral("Progress/progress_back.png"));

    struct Chunk
    {
        const char* name;
        QColor color;
    };
    const Chunk chunks[] = {{"blue", QColor(60, 150, 255)},
                            {"green", QColor(80, 220, 90)},
                            {"red", QColor(235, 70, 60)},
                            {"gray", QColor(150, 156, 164)}};
    for (const Chunk& c : chunks)
    {
        // Chunk: 16 x 9, slices of 2 px: a lit bar with a bright core line.
        out.Save(Paint(16, 9, 1,
                       [&](QPainter& p)
                       {
                           QLinearGradient g(0, 0, 0, 9);
                           g.setColorAt(0, Lighter(c.color, 150));
                           g.setColorAt(0.45, c.color);
                           g.setColorAt(1, c.color.darker(250));
                           p.setPen(Qt::NoPen);
                           p.setBrush(g);
                           p.drawRect(QRectF(0, 0, 16, 9));
                           p.setPen(QPen(QColor(255, 255, 255, 110), 1));
                           p.drawLine(QPointF(0, 2.5), QPointF(16, 2.5));
                       }),
                 QStringLiteral("Progress/progress_chunk_%1.png").arg(QLatin1String(c.name)));
    }

    // Slider grooves: 40 x 10, slices of 5 px.
    const Chunk grooves[] = {
        {"white", QColor(150, 160, 172)}, {"green", QColor(80, 220, 90)}, {"red", QColor(220, 70, 60)}};
    for (const Chunk& c : grooves)
    {
        const bool neutral = QLatin1String(c.name) == QLatin1String("white");
        out.Save(Paint(40, 10, 1,
                       [&](QPainter& p)
                       {
                           const QRectF r(0.5, 2.5, 39, 5);
                           p.setPen(QPen(QColor(0, 0, 0, 220), 1));
                           QLinearGradient g(0, 2, 0, 8);
                           if (neutral)
                           {
                               g.setColorAt(0, QColor(10, 12, 15));
                               g.setColorAt(1, QColor(52, 58, 68));
                           }
                           else
                           {
                               g.setColorAt(0, Lighter(c.color, 140));
                               g.setColorAt(1, c.color.darker(220));
                           }
                           p.setBrush(g);
                           p.drawRoundedRect(r, 2, 2);
                       }),
                 QStringLiteral("Progress/progress_back_%1.png").arg(QLatin1String(c.name)));
    }

    // Slider handles: 20 x 20 knobs with a coloured core.
    const Chunk knobs[] = {{"green", QColor(80, 220, 90)}, {"red", QColor(220, 70, 60)}};
    for (const Chunk& c : knobs)
    {
        out.Save(Paint(20, 20, 1,
                       [&](QPainter& p)
                       {
                           const QPointF m(10, 10);
                           QRadialGradient metal(QPointF(8, 7), 11);
                           metal.setColorAt(0, QColor(220, 228, 238));
                           metal.setColorAt(0.6, QColor(110, 122, 138));
                           metal.setColorAt(1, QColor(40, 46, 56));
                           p.setPen(QPen(QColor(0, 0, 0, 220), 1));
                           p.setBrush(metal);
                           p.drawEllipse(m, 8.5, 8.5);
                           QRadialGradient core(QPointF(9, 9), 5);
                           core.setColorAt(0, Lighter(c.color, 160));
                           core.setColorAt(1, c.color.darker(160));
                           p.setBrush(core);
                           p.setPen(QPen(QColor(0, 0, 0, 160), 1));
                           p.drawEllipse(m, 4, 4);
                       }),
                 QStringLiteral("Progress/progress_control_%1.png").arg(QLatin1String(c.name)));
    }

    // Wizard step marks, 24 x 24: a hollow diamond, and a lit amber one.
    for (bool active : {false, true})
    {
        out.Save(
            Paint(24, 24, 1,
                  [&](QPainter& p)
                  {
                      QPolygonF diamond({QPointF(12, 3), QPointF(21, 12), QPointF(12, 21), QPointF(3, 12)});
                      QPainterPath path;
                      path.addPolygon(diamond);
                      path.closeSubpath();
                      if (active)
                      {
                          Glow(p, path, WithAlpha(Accent, 200), 6);
                          QLinearGradient g(0, 3, 0, 21);
                          g.setColorAt(0, QColor(255, 236, 150));
                          g.setColorAt(1, AccentDeep);
                          p.setBrush(g);
                          p.setPen(QPen(QColor(60, 30, 0), 1));
                      }
                      else
                      {
                          p.setBrush(QColor(12, 14, 18, 200));
                          p.setPen(QPen(WithAlpha(Steel, 200), 1.5));
                      }
                      p.drawPath(path);
                  }),
            QStringLiteral("Progress/progress_page_%1.png")
                .arg(active ? QStringLiteral("active") : QStringLiteral("inactive")));
    }
}

void Animations(Output& out)
{
    // Spinner: 11 frames of a ring of segments with a travelling bright head, 32 x 32.
    for (int n = 1; n <= 11; ++n)
    {
        out.Save(Paint(32, 32, 1,
                       [&](QPainter& p)
                       {
                           p.translate(16, 16);
                           for (int i = 0; i < 11; ++i)
                           {
                               const int age = (n - 1 - i + 11) % 11;
                               const int alpha = age == 0 ? 255 : qMax(40, 220 - age * 40);
                               p.save();
                               p.rotate(i * 360.0 / 11);
                               p.setPen(Qt::NoPen);
                               p.setBrush(age == 0 ? QColor(255, 236, 160) : WithAlpha(Accent, alpha));
                               p.drawPath(Chamfer(QRectF(-2, -14, 4, 7), 1, 1, 1, 1));
                               p.restore();
                           }
                       }),
                 QStringLiteral("GIF/InProgress/in_progress_%1.png").arg(n, 2, 10, QLatin1Char('0')));
    }
    // Bar of five cells with a bright runner, 8 frames, 60 x 12.
    for (int n = 1; n <= 8; ++n)
    {
        out.Save(Paint(60, 12, 1,
                       [&](QPainter& p)
                       {
                           for (int i = 0; i < 5; ++i)
                           {
                               const double d = qAbs((n - 1) * 5.0 / 7.0 - i);
                               const int alpha = int(qBound(50.0, 255 - d * 90, 255.0));
                               p.setPen(QPen(QColor(0, 0, 0, 200), 1));
                               p.setBrush(WithAlpha(d < 0.6 ? QColor(255, 230, 140) : Accent, alpha));
                               p.drawPath(Chamfer(QRectF(1.5 + i * 12, 2.5, 9, 7), 2, 0, 2, 0));
                           }
                       }),
                 QStringLiteral("GIF/InProgress2/in_progress2_0%1.png").arg(n));
    }
    // Blink: a dot that swells and fades, up and back down, 10 frames, 16 x 16.
    for (int n = 1; n <= 10; ++n)
    {
        const int step = n <= 5 ? n : 11 - n;
        out.Save(Paint(16, 16, 1,
                       [&](QPainter& p)
                       {
                           const double r = 2.0 + step * 1.1;
                           QRadialGradient g(QPointF(8, 8), r + 2);
                           g.setColorAt(0, QColor(255, 240, 180, 255));
                           g.setColorAt(0.5, WithAlpha(Accent, 60 + step * 35));
                           g.setColorAt(1, WithAlpha(Accent, 0));
                           p.setPen(Qt::NoPen);
                           p.setBrush(g);
                           p.drawEllipse(QPointF(8, 8), r + 2, r + 2);
                       }),
                 QStringLiteral("GIF/Blink/blink_%1.png").arg(n, 2, 10, QLatin1Char('0')));
    }
}
} // namespace

void DrawStatusAndProgress(Output& out)
{
    PlayerStatus(out);
    Progress(out);
    Animations(out);
}
