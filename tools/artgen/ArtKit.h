#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QStringList>
#include <functional>

// Shared drawing helpers of the art generator: one look for every picture of the interface.
namespace Art
{
// The interface palette.
const QColor Accent(255, 195, 0);       // amber: the main accent colour of the captions
const QColor AccentDeep(214, 128, 20);  // darker amber for rims and glows
const QColor Steel(120, 134, 150);      // cold metal edges
const QColor SteelLight(196, 208, 222); // highlights on metal
const QColor Night(14, 17, 22);         // the darkest panel colour
const QColor Panel(30, 35, 43);         // panel body

// Where pictures go and what the resource list holds.
class Output
{
public:
    explicit Output(const QString& root) : m_root(root) {}
    // Saves `image` as <root>/<relative> and records it for the resource list.
    void Save(const QImage& image, const QString& relative, const char* format = nullptr, int quality = -1);
    void SaveRaw(const QByteArray& bytes, const QString& relative);
    bool WriteQrc(const QString& fileName) const;
    int Count() const { return m_files.size(); }
    const QString& Root() const { return m_root; }

private:
    QString m_root;
    QStringList m_files;
};

QImage NewImage(int w, int h);
// Draws into a picture of w x h logical pixels rendered at `scale` (2 for the "_2x" pictures).
QImage Paint(int w, int h, double scale, const std::function<void(QPainter&)>& draw);

// A polygon with cut corners: cut[0..3] = top-left, top-right, bottom-right, bottom-left.
QPainterPath Chamfer(const QRectF& r, qreal tl, qreal tr, qreal br, qreal bl);
QColor Mix(const QColor& a, const QColor& b, double t);
QColor WithAlpha(QColor c, int alpha);
QColor Lighter(const QColor& c, int percent);

// A soft glow behind a shape: the path stroked several times with falling alpha.
void Glow(QPainter& p, const QPainterPath& path, const QColor& color, qreal width);
// A bevelled metal plate: body gradient, top sheen, inner rim, dark outline.
void Plate(QPainter& p, const QPainterPath& shape, const QColor& top, const QColor& bottom, const QColor& rim,
           qreal rimWidth = 1.0);
// Fine horizontal scan lines over a rectangle.
void ScanLines(QPainter& p, const QRectF& r, int alpha, int period = 3);
// Deterministic value noise 0..1 (same picture on every build).
double Noise(double x, double y, int seed);
double Fbm(double x, double y, int seed, int octaves = 5);
QImage Blur(const QImage& image, int radius);
QFont Font(int pixelSize, bool bold = true, double spacing = 1.0);
void SetFontFamily(const QString& family);

// A regular hexagon around c with corner radius r, a corner at the top.
QPainterPath Hexagon(const QPointF& c, qreal r);
// A hexagonal badge in a hue with a dark face; `glyph` draws on top, centred on (0, 0), unit 1 = r.
void Badge(QPainter& p, qreal size, const QColor& hue, const std::function<void(QPainter&)>& glyph);
// A pen with round caps and joins, for the glyphs on badges.
QPen GlyphPen(const QColor& c, qreal w);
} // namespace Art

void DrawButtons(Art::Output& out);
void DrawStatusAndProgress(Art::Output& out);
void DrawFramesAndCommon(Art::Output& out);
void DrawBackgrounds(Art::Output& out);
void DrawEmblems(Art::Output& out);
void DrawAiExtras(Art::Output& out);
void DrawFlags(Art::Output& out, const QString& flagsDir);
