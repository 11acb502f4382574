// Emblems and icons: AI portraits and levels, game and engine emblems, side icons, lobby badges,
// map and sync pictures, team flags and links, title pictures, the program icon, language flags.
#include "ArtKit.h"

#include <QBuffer>
#include <QtMath>

using namespace Art;

namespace
{
void Title(Output& out, const QString& code, const QString& name, const QColor& hue)
{
    out.Save(Paint(640, 200, 1,
                   [&](QPainter& p)
                   {
                       // A dark plate behind the title: the splash shows on whatever desktop is there.
                       const QPainterPath plate = Chamfer(QRectF(4, 4, 632, 192), 24, 24, 24, 24);
                       Glow(p, plate, WithAlpha(hue, 90), 8);
                       Plate(p, plate, QColor(34, 40, 50), QColor(8, 10, 13), WithAlpha(hue, 200), 1.5);
                       p.save();
                       p.setClipPath(plate);
                       QRadialGradient light(QPointF(320, 90), 300);
                       light.setColorAt(0, WithAlpha(hue, 60));
                       light.setColorAt(1, WithAlpha(hue, 0));
                       p.fillRect(QRectF(0, 0, 640, 200), light);
                       ScanLines(p, QRectF(0, 0, 640, 200), 50, 3);
                       p.restore();

                       const QFont font = Font(64, true, 6);
                       QPainterPath text;
                       text.addText(0, 0, font, name.toUpper());
                       QRectF b = text.boundingRect();
                       // Long names are narrowed to fit the plate.
                       if (b.width() > 560)
                       {
                           QTransform squeeze;
                           squeeze.scale(560 / b.width(), 1.0);
                           text = squeeze.map(text);
                           b = text.boundingRect();
                       }
                       text.translate(320 - b.center().x(), 96 - b.center().y());
                       Glow(p, text, WithAlpha(hue, 170), 18);
                       QLinearGradient g(0, 60, 0, 140);
                       g.setColorAt(0, QColor(255, 255, 255));
                       g.setColorAt(0.5, Lighter(hue, 140));
                       g.setColorAt(0.52, hue);
                       g.setColorAt(1, hue.darker(200));
                       p.setPen(QPen(QColor(0, 0, 0, 230), 3));
                       p.drawPath(text);
                       p.setPen(Qt::NoPen);
                       p.setBrush(g);
                       p.drawPath(text);
                       // Underline with a centre notch.
                       QLinearGradient line(0, 0, 640, 0);
                       line.setColorAt(0, WithAlpha(hue, 0));
                       line.setColorAt(0.5, WithAlpha(Lighter(hue, 140), 255));
                       line.setColorAt(1, WithAlpha(hue, 0));
                       p.setBrush(line);
                       p.drawRect(QRectF(60, 140, 520, 3));
                       p.setBrush(WithAlpha(Lighter(hue, 150), 255));
                       p.drawPath(Chamfer(QRectF(300, 137, 40, 9), 0, 0, 4, 4));
                       p.setPen(QPen(WithAlpha(SteelLight, 200), 1));
                       p.setFont(Font(14, true, 8));
                       p.drawText(QRectF(0, 160, 640, 30), Qt::AlignCenter,
                                  QStringLiteral("QUILLMERE  LOBBY"));
                   }),
             QStringLiteral("Main/text.%1.png").arg(code));
}

QImage LanguageFlag(const QString& code)
{
    return Paint(64, 44, 1,
                 [&](QPainter& p)
                 {
                     const QRectF r(2, 2, 60, 40);
                     p.save();
                     QPainterPath clip = Chamfer(r, 5, 0, 5, 0);
                     p.setClipPath(clip);
                     if (code == QLatin1String("CZ"))
                     {
                         p.fillRect(QRectF(2, 2, 60, 20), QColor(240, 240, 240));
                         p.fillRect(QRectF(2, 22, 60, 20), QColor(215, 20, 26));
                         p.setBrush(QColor(17, 69, 126));
                         p.setPen(Qt::NoPen);
                         p.drawPolygon(QPolygonF({QPointF(2, 2), QPointF(32, 22), QPointF(2, 42)}));
                     }
                     else if (code == QLatin1String("RU"))
                     {
                         p.fillRect(QRectF(2, 2, 60, 14), QColor(240, 240, 240));
                         p.fillRect(QRectF(2, 15.3, 60, 14), QColor(0, 57, 166));
                         p.fillRect(QRectF(2, 28.6, 60, 14), QColor(213, 43, 30));
                     }
                     else if (code == QLatin1String("DE"))
                     {
                         p.fillRect(QRectF(2, 2, 60, 14), QColor(20, 20, 20));
                         p.fillRect(QRectF(2, 15.3, 60, 14), QColor(221, 0, 0));
                         p.fillRect(QRectF(2, 28.6, 60, 14), QColor(255, 206, 0));
                     }
                     else if (code == QLatin1String("ZH"))
                     {
                         p.fillRect(r, QColor(222, 41, 16));
                         p.setPen(Qt::NoPen);
                         p.setBrush(QColor(255, 222, 0));
                         auto star = [&](QPointF c, qreal rad, qreal rot)
                         {
                             QPolygonF poly;
                             for (int i = 0; i < 10; ++i)
                             {
                                 const qreal a = qDegreesToRadians(rot + 36.0 * i - 90);
                                 const qreal rr = i % 2 ? rad * 0.38 : rad;
                                 poly << QPointF(c.x() + rr * qCos(a), c.y() + rr * qSin(a));
                             }
                             p.drawPolygon(poly);
                         };
                         star(QPointF(12, 12), 6, 0);
                         star(QPointF(22, 6), 2, 20);
                         star(QPointF(25.5, 10), 2, 40);
                         star(QPointF(25.5, 15), 2, 0);
                         star(QPointF(22, 19), 2, 20);
                     }
                     else
                     {
                         // EN: the Union flag.
                         p.fillRect(r, QColor(1, 33, 105));
                         p.setPen(QPen(QColor(240, 240, 240), 8));
                         p.drawLine(r.topLeft(), r.bottomRight());
                         p.drawLine(r.bottomLeft(), r.topRight());
                         p.setPen(QPen(QColor(200, 16, 46), 2.6));
                         p.drawLine(r.topLeft(), r.bottomRight());
                         p.drawLine(r.bottomLeft(), r.topRight());
                         p.fillRect(QRectF(26, 2, 12, 40), QColor(240, 240, 240));
                         p.fillRect(QRectF(2, 16, 60, 12), QColor(240, 240, 240));
                         p.fillRect(QRectF(28.5, 2, 7, 40), QColor(200, 16, 46));
                         p.fillRect(QRectF(2, 18.5, 60, 7), QColor(200, 16, 46));
                     }
                     // Sheen and a steel rim.
                     QLinearGradient sheen(0, 2, 0, 42);
                     sheen.setColorAt(0, QColor(255, 255, 255, 70));
                     sheen.setColorAt(0.5, QColor(255, 255, 255, 0));
                     sheen.setColorAt(1, QColor(0, 0, 0, 70));
                     p.fillRect(r, sheen);
                     p.restore();
                     p.setBrush(Qt::NoBrush);
                     p.setPen(QPen(QColor(0, 0, 0, 220), 2));
                     p.drawPath(clip);
                     p.setPen(QPen(WithAlpha(SteelLight, 200), 1));
                     p.drawPath(clip);
                 });
}

void AiPictures(Output& out)
{
    const QColor ravHue(70, 150, 255), veskaHue(190, 90, 255), queenHue(110, 220, 80), missionHue = Accent;
    out.Save(Paint(160, 160, 1,
                   [&](QPainter& p)
                   {
                       Badge(p, 160, ravHue,
                             [&](QPainter& g)
                             {
                                 // A raven's head in profile: beak forward, eye lit.
                                 QPainterPath head;
                                 head.moveTo(-0.6, 0.45);
                                 head.cubicTo(-0.7, -0.1, -0.35, -0.55, 0.05, -0.5);
                                 head.lineTo(0.75, -0.1);
                                 head.lineTo(0.1, -0.02);
                                 head.cubicTo(0.05, 0.25, -0.1, 0.45, -0.6, 0.45);
                                 g.setPen(GlyphPen(QColor(0, 0, 0), 0.04));
                                 QLinearGradient f(0, -0.5, 0, 0.5);
                                 f.setColorAt(0, Lighter(ravHue, 140));
                                 f.setColorAt(1, ravHue.darker(180));
                                 g.setBrush(f);
                                 g.drawPath(head);
                                 g.setBrush(QColor(255, 240, 200));
                                 g.drawEllipse(QPointF(-0.08, -0.25), 0.08, 0.08);
                             });
                   }),
             QStringLiteral("AI/rav.png"));
    out.Save(Paint(160, 160, 1,
                   [&](QPainter& p)
                   {
                       Badge(p, 160, veskaHue,
                             [&](QPainter& g)
                             {
                                 // An eye with a slit pupil.
                                 QPainterPath eye;
                                 eye.moveTo(-0.75, 0);
                                 eye.quadTo(0, -0.7, 0.75, 0);
                                 eye.quadTo(0, 0.7, -0.75, 0);
                                 g.setPen(GlyphPen(Lighter(veskaHue, 150), 0.06));
                                 g.setBrush(veskaHue.darker(250));
                                 g.drawPath(eye);
                                 QRadialGradient iris(QPointF(0, 0), 0.32);
                                 iris.setColorAt(0, QColor(255, 230, 255));
                                 iris.setColorAt(1, veskaHue);
                                 g.setBrush(iris);
                                 g.drawEllipse(QPointF(0, 0), 0.3, 0.3);
                                 g.setBrush(QColor(10, 0, 20));
                                 g.setPen(Qt::NoPen);
                                 g.drawEllipse(QPointF(0, 0), 0.07, 0.24);
                             });
                   }),
             QStringLiteral("AI/veska.png"));
    out.Save(Paint(160, 160, 1,
                   [&](QPainter& p)
                   {
                       Badge(p, 160, queenHue,
                             [&](QPainter& g)
                             {
                                 // A hive queen: crowned insect head with mandibles.
                                 g.setPen(GlyphPen(QColor(0, 0, 0), 0.04));
                                 g.setBrush(queenHue.darker(160));
                                 g.drawEllipse(QPointF(0, 0.1), 0.42, 0.38);
                                 g.setBrush(Lighter(queenHue, 130));
                                 g.drawPolygon(
                                     QPolygonF({QPointF(-0.45, -0.2), QPointF(-0.3, -0.7),
                                                QPointF(-0.12, -0.3), QPointF(0, -0.78), QPointF(0.12, -0.3),
                                                QPointF(0.3, -0.7), QPointF(0.45, -0.2)}));
                                 g.setPen(GlyphPen(Lighter(queenHue, 150), 0.08));
                                 g.drawArc(QRectF(-0.55, 0.2, 0.5, 0.6), 90 * 16, 120 * 16);
                                 g.drawArc(QRectF(0.05, 0.2, 0.5, 0.6), 90 * 16, -120 * 16);
                                 g.setPen(Qt::NoPen);
                                 g.setBrush(QColor(255, 60, 40));
                                 g.drawEllipse(QPointF(-0.17, 0.02), 0.08, 0.1);
                                 g.drawEllipse(QPointF(0.17, 0.02), 0.08, 0.1);
                             });
                   }),
             QStringLiteral("AI/queen.png"));
    out.Save(Paint(160, 160, 1,
                   [&](QPainter& p)
                   {
                       Badge(p, 160, missionHue,
                             [&](QPainter& g)
                             {
                                 // A target reticle.
                                 g.setBrush(Qt::NoBrush);
                                 g.setPen(GlyphPen(Lighter(missionHue, 120), 0.07));
                                 g.drawEllipse(QPointF(0, 0), 0.55, 0.55);
                                 g.drawEllipse(QPointF(0, 0), 0.25, 0.25);
                                 for (int i = 0; i < 4; ++i)
                                 {
                                     g.save();
                                     g.rotate(90 * i);
                                     g.drawLine(QPointF(0, -0.8), QPointF(0, -0.38));
                                     g.restore();
                                 }
                                 g.setPen(Qt::NoPen);
                                 g.setBrush(QColor(255, 80, 40));
                                 g.drawEllipse(QPointF(0, 0), 0.08, 0.08);
                             });
                   }),
             QStringLiteral("AI/mission.png"));

    // Levels: 1 to 4 lit chevrons, 24 x 24.
    const char* levels[] = {"l_easy", "l_normal", "l_hard", "l_insane"};
    const QColor levelColor[] = {QColor(90, 220, 100), Accent, QColor(255, 130, 40), QColor(240, 50, 50)};
    for (int level = 0; level < 4; ++level)
    {
        out.Save(Paint(24, 24, 1,
                       [&](QPainter& p)
                       {
                           for (int i = 0; i < 4; ++i)
                           {
                               const qreal y = 19 - i * 5;
                               const QPolygonF chevron(
                                   {QPointF(4, y + 2), QPointF(12, y - 2.5), QPointF(20, y + 2)});
                               p.setPen(GlyphPen(QColor(0, 0, 0, 220), 4.2));
                               p.drawPolyline(chevron);
                               p.setPen(GlyphPen(i <= level ? levelColor[level] : QColor(70, 76, 86), 2.2));
                               p.drawPolyline(chevron);
                           }
                       }),
                 QStringLiteral("AI/%1.png").arg(QLatin1String(levels[level])));
    }
}

void GameEmblems(Output& out)
{
    struct Game
    {
        const char* code;
        const char* name;
        QColor hue;
    };
    const Game games[] = {{"zorn", "Morvantis", Accent},
                          {"gvm", "Galvanic Marches", QColor(80, 190, 255)},
                          {"vq", "Vesquard", QColor(210, 100, 240)},
                          {"yx", "Yxelder", QColor(110, 240, 170)}};
    for (const Game& g : games)
    {
        const QString letter = QString(QLatin1Char(g.name[0]));
        out.Save(Paint(96, 96, 1,
                       [&](QPainter& p)
                       {
                           Badge(p, 96, g.hue,
                                 [&](QPainter& q)
                                 {
                                     QPainterPath text;
                                     text.addText(0, 0, Font(100, true, 0), letter);
                                     const QRectF b = text.boundingRect();
                                     q.scale(0.011, 0.011);
                                     text.translate(-b.center());
                                     q.setPen(GlyphPen(QColor(0, 0, 0), 6));
                                     QLinearGradient f(0, -50, 0, 50);
                                     f.setColorAt(0, QColor(255, 255, 255));
                                     f.setColorAt(1, g.hue);
                                     q.setBrush(f);
                                     q.drawPath(text);
                                 });
                       }),
                 QStringLiteral("Extras/game.%1.png").arg(QLatin1String(g.code)));
        Title(out, QLatin1String(g.code), QLatin1String(g.name), g.hue);
    }

    // Engine: a cog.
    out.Save(Paint(96, 96, 1,
                   [&](QPainter& p)
                   {
                       Badge(p, 96, QColor(150, 165, 185),
                             [&](QPainter& q)
                             {
                                 QPainterPath cog;
                                 for (int i = 0; i < 8; ++i)
                                 {
                                     QPainterPath tooth;
                                     tooth.addRect(QRectF(-0.12, -0.72, 0.24, 0.3));
                                     QTransform rot;
                                     rot.rotate(45 * i);
                                     cog = cog.united(rot.map(tooth));
                                 }
                                 QPainterPath ring;
                                 ring.addEllipse(QPointF(0, 0), 0.5, 0.5);
                                 cog = cog.united(ring);
                                 QPainterPath hole;
                                 hole.addEllipse(QPointF(0, 0), 0.2, 0.2);
                                 cog = cog.subtracted(hole);
                                 QLinearGradient f(0, -0.7, 0, 0.7);
                                 f.setColorAt(0, QColor(235, 240, 248));
                                 f.setColorAt(1, QColor(90, 100, 116));
                                 q.setPen(GlyphPen(QColor(0, 0, 0), 0.04));
                                 q.setBrush(f);
                                 q.drawPath(cog);
                             });
                   }),
             QStringLiteral("Extras/engine.png"));

    // Sides of the own game, and the mission AI, as 24 x 24 icons.
    auto sideIcon = [&](const QString& file, const QColor& hue, int shape)
    {
        out.Save(Paint(24, 24, 1,
                       [&](QPainter& p)
                       {
                           QPainterPath path;
                           if (shape == 0) // shield
                           {
                               path.moveTo(12, 2);
                               path.lineTo(21, 5);
                               path.cubicTo(21, 14, 17, 19, 12, 22);
                               path.cubicTo(7, 19, 3, 14, 3, 5);
                               path.closeSubpath();
                           }
                           else if (shape == 1) // spiked diamond
                               path.addPolygon(QPolygonF({QPointF(12, 1), QPointF(16, 8), QPointF(23, 12),
                                                          QPointF(16, 16), QPointF(12, 23), QPointF(8, 16),
                                                          QPointF(1, 12), QPointF(8, 8), QPointF(12, 1)}));
                           else
                               path = Hexagon(QPointF(12, 12), 10.5);
                           Plate(p, path, Lighter(hue, 110), hue.darker(300), Lighter(hue, 140));
                           p.setPen(Qt::NoPen);
                           p.setBrush(QColor(255, 255, 255, 200));
                           p.drawEllipse(QPointF(12, 11), 2.4, 2.4);
                       }),
                 file);
    };
    sideIcon(QStringLiteral("GamesData/zorn/arm.png"), QColor(70, 140, 240), 0);
    sideIcon(QStringLiteral("GamesData/zorn/core.png"), QColor(220, 60, 50), 1);
    sideIcon(QStringLiteral("GamesData/zorn/mission.png"), Accent, 2);

    // The sides of the other games, named as their rows of the game table name them (lower case).
    struct Side
    {
        const char* file;
        QColor hue;
        int shape;
    };
    const Side otherSides[] = {
        {"gvm/aegis", QColor(70, 150, 240), 0},    {"gvm/brood", QColor(120, 190, 60), 1},
        {"gvm/cinder", QColor(230, 90, 40), 2},    {"gvm/dusk", QColor(130, 90, 200), 0},
        {"gvm/ember", QColor(240, 150, 40), 1},    {"gvm/fathom", QColor(40, 170, 180), 2},
        {"gvm/gale", QColor(170, 210, 230), 0},    {"gvm/hollow", QColor(120, 120, 130), 1},
        {"gvm/ivory", QColor(235, 225, 200), 2},   {"vq/legion", QColor(200, 50, 50), 0},
        {"vq/syndicate", QColor(60, 120, 220), 1}, {"vq/nomads", QColor(200, 170, 80), 2},
        {"yx/north", QColor(90, 170, 240), 0},     {"yx/south", QColor(230, 110, 60), 1},
    };
    for (const Side& side : otherSides)
        sideIcon(QStringLiteral("GamesData/%1.png").arg(QLatin1String(side.file)), side.hue, side.shape);
}

void LobbyBadges(Output& out)
{
    auto badge = [&](const QString& file, const QColor& hue, const std::function<void(QPainter&)>& glyph)
    {
        out.Save(Paint(16, 16, 1,
                       [&](QPainter& p)
                       {
                           const QPainterPath shape = Chamfer(QRectF(0.5, 0.5, 15, 15), 3, 3, 3, 3);
                           Plate(p, shape, Lighter(hue, 100).darker(140), hue.darker(400), Lighter(hue, 120));
                           glyph(p);
                       }),
                 file);
    };
    badge(QStringLiteral("Lobby/zorn_linux.png"), QColor(230, 180, 40),
          [](QPainter& p)
          {
              // A penguin-like egg with a beak.
              p.setPen(Qt::NoPen);
              p.setBrush(QColor(20, 20, 20));
              p.drawEllipse(QPointF(8, 8.5), 4.2, 5.2);
              p.setBrush(QColor(245, 245, 245));
              p.drawEllipse(QPointF(8, 9.6), 2.6, 3.4);
              p.setBrush(Accent);
              p.drawPolygon(QPolygonF({QPointF(6.8, 6.2), QPointF(9.2, 6.2), QPointF(8, 7.6)}));
          });
    badge(QStringLiteral("Lobby/zorn_windows.png"), QColor(60, 140, 230),
          [](QPainter& p)
          {
              p.setPen(Qt::NoPen);
              const QColor c(220, 238, 255);
              p.setBrush(c);
              p.drawRect(QRectF(4, 4, 3.6, 3.6));
              p.drawRect(QRectF(8.4, 4, 3.6, 3.6));
              p.drawRect(QRectF(4, 8.4, 3.6, 3.6));
              p.drawRect(QRectF(8.4, 8.4, 3.6, 3.6));
          });
    badge(QStringLiteral("Lobby/zorn_osx.png"), QColor(150, 160, 175),
          [](QPainter& p)
          {
              p.setPen(Qt::NoPen);
              p.setBrush(QColor(245, 248, 252));
              QPainterPath apple;
              apple.addEllipse(QPointF(6.6, 9.2), 2.8, 3.4);
              apple.addEllipse(QPointF(9.4, 9.2), 2.8, 3.4);
              p.drawPath(apple.simplified());
              p.drawEllipse(QPointF(9.2, 4.4), 1.2, 0.8);
          });
    badge(QStringLiteral("Lobby/spring.png"), QColor(90, 200, 110),
          [](QPainter& p)
          {
              // A coil.
              p.setPen(GlyphPen(QColor(230, 255, 230), 1.3));
              p.setBrush(Qt::NoBrush);
              for (int i = 0; i < 3; ++i)
                  p.drawArc(QRectF(4, 3 + i * 3, 8, 4), 0, 180 * 16);
              p.drawLine(QPointF(4, 5), QPointF(12, 8));
              p.drawLine(QPointF(4, 8), QPointF(12, 11));
          });
}

void MapAndSync(Output& out)
{
    // A small map tile used under the map glyphs.
    auto terrain = [](QPainter& p, const QRectF& r, int seed)
    {
        const int n = 12;
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x)
            {
                const double v = Fbm(x / 4.0, y / 4.0, seed, 3);
                const QColor c = v < 0.42   ? QColor(30, 60, 90)
                                 : v < 0.55 ? QColor(70, 90, 50)
                                            : QColor(110, 100, 70);
                p.fillRect(QRectF(r.left() + r.width() * x / n, r.top() + r.height() * y / n,
                                  r.width() / n + 0.5, r.height() / n + 0.5),
                           c);
            }
    };

    out.Save(Paint(128, 128, 1,
                   [&](QPainter& p)
                   {
                       const QRectF r(8, 8, 112, 112);
                       p.fillRect(r, QColor(14, 16, 20));
                       p.setPen(QPen(QColor(60, 70, 84), 1));
                       for (int i = 1; i < 8; ++i)
                       {
                           p.drawLine(QPointF(8 + i * 14, 8), QPointF(8 + i * 14, 120));
                           p.drawLine(QPointF(8, 8 + i * 14), QPointF(120, 8 + i * 14));
                       }
                       p.setPen(QPen(QColor(220, 60, 50), 6, Qt::SolidLine, Qt::RoundCap));
                       p.drawLine(QPointF(40, 40), QPointF(88, 88));
                       p.drawLine(QPointF(88, 40), QPointF(40, 88));
                       p.setPen(QPen(WithAlpha(Steel, 200), 2));
                       p.setBrush(Qt::NoBrush);
                       p.drawRect(r);
                       p.setPen(WithAlpha(SteelLight, 220));
                       p.setFont(Font(11, true, 2));
                       p.drawText(QRectF(8, 100, 112, 18), Qt::AlignCenter, QStringLiteral("NO MINIMAP"));
                   }),
             QStringLiteral("MapData/not_found.png"));
    out.Save(Paint(64, 64, 1,
                   [&](QPainter& p)
                   {
                       p.setBrush(Qt::NoBrush);
                       for (int k = 0; k < 2; ++k)
                       {
                           p.save();
                           p.translate(32, 32);
                           p.rotate(180 * k);
                           QPainterPath arc;
                           arc.arcMoveTo(QRectF(-20, -20, 40, 40), 20);
                           arc.arcTo(QRectF(-20, -20, 40, 40), 20, 140);
                           p.setPen(GlyphPen(QColor(0, 0, 0, 200), 9));
                           p.drawPath(arc);
                           p.setPen(GlyphPen(Accent, 5));
                           p.drawPath(arc);
                           const QPointF end = arc.currentPosition();
                           p.setPen(QPen(QColor(0, 0, 0, 200), 1.5));
                           p.setBrush(Accent);
                           p.drawPolygon(QPolygonF(
                               {end + QPointF(-8, -4), end + QPointF(4, -6), end + QPointF(-1, 7)}));
                           p.setBrush(Qt::NoBrush);
                           p.restore();
                       }
                   }),
             QStringLiteral("MapData/refresh.png"));

    // Start-box layouts: a map with two team areas.
    const char* splits[] = {"split_h", "split_v", "split_c", "split_s"};
    for (int kind = 0; kind < 4; ++kind)
    {
        out.Save(Paint(48, 48, 1,
                       [&](QPainter& p)
                       {
                           const QRectF r(4, 4, 40, 40);
                           terrain(p, r, 7);
                           p.fillRect(r, QColor(0, 0, 0, 90));
                           const QColor a(60, 200, 90, 150), b(230, 70, 60, 150);
                           p.setPen(Qt::NoPen);
                           if (kind == 0)
                           {
                               p.fillRect(QRectF(4, 4, 40, 12), a);
                               p.fillRect(QRectF(4, 32, 40, 12), b);
                           }
                           else if (kind == 1)
                           {
                               p.fillRect(QRectF(4, 4, 12, 40), a);
                               p.fillRect(QRectF(32, 4, 12, 40), b);
                           }
                           else if (kind == 2)
                           {
                               p.fillRect(QRectF(4, 4, 14, 14), a);
                               p.fillRect(QRectF(30, 30, 14, 14), b);
                           }
                           else
                           {
                               p.fillRect(QRectF(18, 18, 12, 12), a);
                               p.fillRect(QRectF(4, 4, 8, 8), b);
                               p.fillRect(QRectF(36, 4, 8, 8), b);
                               p.fillRect(QRectF(4, 36, 8, 8), b);
                               p.fillRect(QRectF(36, 36, 8, 8), b);
                           }
                           p.setBrush(Qt::NoBrush);
                           p.setPen(QPen(QColor(0, 0, 0, 230), 3));
                           p.drawRect(r);
                           p.setPen(QPen(WithAlpha(SteelLight, 220), 1.2));
                           p.drawRect(r);
                       }),
                 QStringLiteral("MapData/%1.png").arg(QLatin1String(splits[kind])));
    }

    out.Save(Paint(64, 64, 1,
                   [&](QPainter& p)
                   {
                       Badge(p, 64, QColor(80, 170, 255),
                             [](QPainter& q)
                             {
                                 q.setPen(Qt::NoPen);
                                 q.setBrush(QColor(220, 240, 255));
                                 q.drawEllipse(QPointF(0, -0.45), 0.12, 0.12);
                                 q.drawPath(Chamfer(QRectF(-0.11, -0.2, 0.22, 0.7), 0.03, 0.03, 0.03, 0.03));
                             });
                   }),
             QStringLiteral("Sync/sync_info.png"));
    out.Save(Paint(64, 64, 1,
                   [&](QPainter& p)
                   {
                       Badge(p, 64, QColor(110, 220, 120),
                             [&](QPainter& q)
                             {
                                 // A folded map.
                                 q.setPen(GlyphPen(QColor(0, 0, 0), 0.05));
                                 const QColor panels[] = {QColor(120, 170, 100), QColor(90, 140, 80),
                                                          QColor(120, 170, 100)};
                                 for (int i = 0; i < 3; ++i)
                                 {
                                     const qreal x = -0.6 + i * 0.4;
                                     q.setBrush(panels[i]);
                                     q.drawPolygon(QPolygonF({QPointF(x, i % 2 ? -0.4 : -0.5),
                                                              QPointF(x + 0.4, i % 2 ? -0.5 : -0.4),
                                                              QPointF(x + 0.4, i % 2 ? 0.5 : 0.6),
                                                              QPointF(x, i % 2 ? 0.6 : 0.5)}));
                                 }
                                 q.setPen(GlyphPen(QColor(230, 60, 50), 0.07));
                                 q.drawLine(QPointF(-0.35, -0.1), QPointF(-0.2, 0.05));
                                 q.drawLine(QPointF(-0.2, -0.1), QPointF(-0.35, 0.05));
                             });
                   }),
             QStringLiteral("Sync/sync_maps.png"));
}

void TeamMarks(Output& out)
{
    struct Named
    {
        const char* word;
        QColor color;
    };
    const Named colours[] = {
        {"blue", QColor(40, 90, 240)},    {"red", QColor(220, 30, 30)},     {"green", QColor(40, 180, 50)},
        {"yellow", QColor(240, 220, 30)}, {"orange", QColor(250, 140, 20)}, {"violet", QColor(150, 60, 220)},
        {"cyan", QColor(30, 220, 230)},   {"pink", QColor(250, 120, 190)},  {"white", QColor(240, 240, 240)},
        {"gray", QColor(130, 130, 130)},  {"navy", QColor(20, 30, 120)},    {"maroon", QColor(120, 20, 30)},
        {"forest", QColor(20, 90, 40)},   {"bronze", QColor(170, 110, 50)}, {"sky", QColor(120, 190, 250)},
        {"lime", QColor(160, 240, 40)},
    };
    for (const Named& n : colours)
    {
        out.Save(Paint(16, 16, 1,
                       [&](QPainter& p)
                       {
                           p.setPen(GlyphPen(QColor(20, 22, 26), 2.2));
                           p.drawLine(QPointF(3, 1.5), QPointF(3, 15));
                           p.setPen(GlyphPen(SteelLight, 1));
                           p.drawLine(QPointF(3, 1.5), QPointF(3, 15));
                           QPainterPath cloth;
                           cloth.moveTo(4, 2);
                           cloth.cubicTo(8, 0.5, 10, 4, 14.5, 2.5);
                           cloth.lineTo(14.5, 9);
                           cloth.cubicTo(10, 10.5, 8, 7, 4, 8.5);
                           cloth.closeSubpath();
                           QLinearGradient g(4, 2, 14, 9);
                           g.setColorAt(0, Lighter(n.color, 130));
                           g.setColorAt(1, n.color.darker(140));
                           p.setPen(QPen(QColor(0, 0, 0, 220), 1));
                           p.setBrush(g);
                           p.drawPath(cloth);
                       }),
                 QStringLiteral("TeamFlags/flag_%1.png").arg(QLatin1String(n.word)));
        out.Save(Paint(16, 16, 1,
                       [&](QPainter& p)
                       {
                           for (int k = 0; k < 2; ++k)
                           {
                               p.save();
                               p.translate(8, 8);
                               p.rotate(-45);
                               const QRectF link(k ? -1 : -7, -2.8, 8, 5.6);
                               p.setBrush(Qt::NoBrush);
                               p.setPen(QPen(QColor(0, 0, 0, 220), 3.4));
                               p.drawRoundedRect(link, 2.8, 2.8);
                               p.setPen(QPen(n.color, 1.8));
                               p.drawRoundedRect(link, 2.8, 2.8);
                               p.restore();
                           }
                       }),
                 QStringLiteral("TeamFlags/link_%1.png").arg(QLatin1String(n.word)));
    }
}

void ProgramIcon(Output& out)
{
    QImage icon = Paint(64, 64, 1,
                        [](QPainter& p)
                        {
                            Badge(p, 64, Accent,
                                  [](QPainter& q)
                                  {
                                      // A quill crossing a ring: the lobby's mark.
                                      q.setBrush(Qt::NoBrush);
                                      q.setPen(GlyphPen(QColor(255, 226, 140), 0.1));
                                      q.drawEllipse(QPointF(0, 0), 0.5, 0.5);
                                      QPainterPath quill;
                                      quill.moveTo(-0.55, 0.6);
                                      quill.cubicTo(-0.1, 0.1, 0.3, -0.4, 0.7, -0.7);
                                      quill.cubicTo(0.5, -0.2, 0.1, 0.2, -0.55, 0.6);
                                      q.setPen(GlyphPen(QColor(0, 0, 0), 0.05));
                                      q.setBrush(QColor(240, 244, 250));
                                      q.drawPath(quill);
                                  });
                        });
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!icon.save(&buffer, "ICO"))
        qFatal("artgen: no ICO writer");
    out.SaveRaw(bytes, QStringLiteral("Main/Main.ico"));
}
} // namespace

void DrawEmblems(Output& out)
{
    AiPictures(out);
    GameEmblems(out);
    LobbyBadges(out);
    MapAndSync(out);
    TeamMarks(out);
    ProgramIcon(out);
    for (const char* code : {"CZ", "RU", "EN", "DE", "ZH"})
        out.Save(LanguageFlag(QLatin1String(code)),
                 QStringLiteral("TranslateFlags/%1.png").arg(QLatin1String(code)));
}
