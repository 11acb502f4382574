#include "ArtKit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtMath>

namespace Art
{
namespace
{
QString g_family = QStringLiteral("Play");
}

void Output::Save(const QImage& image, const QString& relative, const char* format, int quality)
{
    const QString path = m_root + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, format, quality))
        qFatal("artgen: cannot write %s", qPrintable(path));
    m_files << relative;
}

void Output::SaveRaw(const QByteArray& bytes, const QString& relative)
{
    const QString path = m_root + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        qFatal("artgen: cannot write %s", qPrintable(path));
    m_files << relative;
}

bool Output::WriteQrc(const QString& fileName) const
{
    QByteArray body = "<RCC>\n  <qresource prefix=\"/\">\n";
    QStringList files = m_files;
    files.sort();
    for (const QString& file : files)
        body += "    <file>" + file.toUtf8() + "</file>\n";
    body += "  </qresource>\n</RCC>\n";
    QFile existing(fileName);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == body)
        return true;
    existing.close();
    QSaveFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(body) == body.size() && file.commit();
}

QImage NewImage(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage Paint(int w, int h, double scale, const std::function<void(QPainter&)>& draw)
{
    QImage image = NewImage(qRound(w * scale), qRound(h * scale));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
    draw(p);
    p.end();
    return image;
}

QPainterPath Chamfer(const QRectF& r, qreal tl, qreal tr, qreal br, qreal bl)
{
    QPainterPath path;
    path.moveTo(r.left() + tl, r.top());
    path.lineTo(r.right() - tr, r.top());
    path.lineTo(r.right(), r.top() + tr);
    path.lineTo(r.right(), r.bottom() - br);
    path.lineTo(r.right() - br, r.bottom());
    path.lineTo(r.left() + bl, r.bottom());
    path.lineTo(r.left(), r.bottom() - bl);
    path.lineTo(r.left(), r.top() + tl);
    path.closeSubpath();
    return path;
}

QColor Mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t,
                            a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

QColor WithAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

QColor Lighter(const QColor& c, int percent)
{
    return c.lighter(percent);
}

void Glow(QPainter& p, const QPainterPath& path, const QColor& color, qreal width)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    const int steps = 6;
    for (int i = steps; i >= 1; --i)
    {
        const qreal w = width * i / steps;
        p.setPen(QPen(WithAlpha(color, int(color.alpha() * 0.22 * (steps - i + 1) / steps)), w, Qt::SolidLine,
                      Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
    }
    p.restore();
}

void Plate(QPainter& p, const QPainterPath& shape, const QColor& top, const QColor& bottom, const QColor& rim,
           qreal rimWidth)
{
    const QRectF r = shape.boundingRect();
    p.save();
    // Dark outline first, the body inside it.
    p.setPen(QPen(QColor(0, 0, 0, 220), 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);

    QLinearGradient body(r.topLeft(), r.bottomLeft());
    body.setColorAt(0.0, Lighter(top, 118));
    body.setColorAt(0.48, top);
    body.setColorAt(0.52, Mix(top, bottom, 0.6));
    body.setColorAt(1.0, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawPath(shape);

    // Sheen on the upper half.
    p.setClipPath(shape);
    QLinearGradient sheen(r.topLeft(), QPointF(r.left(), r.center().y()));
    sheen.setColorAt(0.0, QColor(255, 255, 255, 46));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 4));
    p.setBrush(sheen);
    p.drawRect(QRectF(r.left(), r.top(), r.width(), r.height() / 2));
    // A faint dark band at the bottom gives the plate some depth.
    QLinearGradient shade(QPointF(r.left(), r.bottom() - r.height() * 0.3), r.bottomLeft());
    shade.setColorAt(0.0, QColor(0, 0, 0, 0));
    shade.setColorAt(1.0, QColor(0, 0, 0, 70));
    p.setBrush(shade);
    p.drawRect(r);
    p.setClipping(false);

    // Rim: bright on top, the rim colour all round.
    p.setBrush(Qt::NoBrush);
    QLinearGradient rimGrad(r.topLeft(), r.bottomLeft());
    rimGrad.setColorAt(0.0, Lighter(rim, 150));
    rimGrad.setColorAt(0.5, rim);
    rimGrad.setColorAt(1.0, WithAlpha(rim.darker(160), rim.alpha()));
    QPainterPathStroker stroker;
    stroker.setWidth(rimWidth * 2);
    stroker.setJoinStyle(Qt::MiterJoin);
    const QPainterPath ring = stroker.createStroke(shape).intersected(shape);
    p.fillPath(ring, rimGrad);
    p.restore();
}

void ScanLines(QPainter& p, const QRectF& r, int alpha, int period)
{
    p.save();
    p.setPen(QPen(QColor(0, 0, 0, alpha), 1.0));
    for (qreal y = r.top() + 0.5; y < r.bottom(); y += period)
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    p.restore();
}

namespace
{
double Hash(int x, int y, int seed)
{
    quint32 h = quint32(x) * 374761393u + quint32(y) * 668265263u + quint32(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0xFFFFFF);
}

double Smooth(double t)
{
    return t * t * (3 - 2 * t);
}
} // namespace

double Noise(double x, double y, int seed)
{
    const int xi = int(qFloor(x));
    const int yi = int(qFloor(y));
    const double fx = Smooth(x - xi);
    const double fy = Smooth(y - yi);
    const double a = Hash(xi, yi, seed), b = Hash(xi + 1, yi, seed);
    const double c = Hash(xi, yi + 1, seed), d = Hash(xi + 1, yi + 1, seed);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

double Fbm(double x, double y, int seed, int octaves)
{
    double sum = 0, amp = 0.5, norm = 0;
    for (int i = 0; i < octaves; ++i)
    {
        sum += amp * Noise(x, y, seed + i * 31);
        norm += amp;
        x *= 2.03;
        y *= 2.03;
        amp *= 0.5;
    }
    return sum / norm;
}

QImage Blur(const QImage& image, int radius)
{
    // Shrink and grow again: cheap, smooth, good enough for a defocused backdrop.
    const QSize size = image.size();
    const QSize small(qMax(1, size.width() / radius), qMax(1, size.height() / radius));
    QImage tiny = image.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    tiny = tiny.scaled(small * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return tiny.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QFont Font(int pixelSize, bool bold, double spacing)
{
    QFont font(g_family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void SetFontFamily(const QString& family)
{
    g_family = family;
}

QPainterPath Hexagon(const QPointF& c, qreal r)
{
    QPainterPath path;
    for (int i = 0; i < 6; ++i)
    {
        const qreal a = qDegreesToRadians(60.0 * i - 90);
        const QPointF pt(c.x() + r * qCos(a), c.y() + r * qSin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

// A hexagonal badge in a hue with a dark face; `glyph` draws on top, centred on (0, 0), unit 1 = r.
void Badge(QPainter& p, qreal size, const QColor& hue, const std::function<void(QPainter&)>& glyph)
{
    const QPointF c(size / 2, size / 2);
    const qreal r = size * 0.46;
    const QPainterPath outer = Hexagon(c, r);
    Glow(p, outer, WithAlpha(hue, 120), size * 0.06);
    Plate(p, outer, Lighter(hue, 110).darker(150), hue.darker(500), Lighter(hue, 130), qMax(1.0, size / 60));
    const QPainterPath inner = Hexagon(c, r * 0.8);
    QRadialGradient face(c - QPointF(0, r * 0.3), r);
    face.setColorAt(0, QColor(30, 36, 46));
    face.setColorAt(1, QColor(6, 7, 10));
    p.setPen(QPen(WithAlpha(hue, 160), qMax(1.0, size / 90)));
    p.setBrush(face);
    p.drawPath(inner);
    p.save();
    p.translate(c);
    p.scale(r * 0.8, r * 0.8);
    glyph(p);
    p.restore();
}

QPen GlyphPen(const QColor& c, qreal w)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}
} // namespace Art
