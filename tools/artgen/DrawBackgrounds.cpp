// Main-menu backdrops: one alien landscape per game and picture, and its defocused variant.
#include "ArtKit.h"

#include <QtMath>

using namespace Art;

namespace
{
struct Theme
{
    const char* code;
    QColor skyTop, skyHorizon, nebula, ground, lights;
    int seed;
};

const Theme kThemes[] = {
    {"zorn", QColor(10, 8, 20), QColor(170, 78, 30), QColor(230, 120, 40), QColor(22, 14, 10), Accent, 11},
    {"gvm", QColor(4, 10, 22), QColor(30, 110, 150), QColor(60, 170, 230), QColor(8, 16, 22),
     QColor(120, 220, 255), 23},
    {"vq", QColor(12, 4, 20), QColor(120, 40, 120), QColor(200, 80, 220), QColor(16, 8, 20),
     QColor(255, 120, 220), 37},
    {"yx", QColor(4, 14, 16), QColor(40, 130, 100), QColor(90, 230, 170), QColor(6, 18, 16),
     QColor(160, 255, 200), 51},
};

constexpr int W = 1280;
constexpr int H = 800;

// Height of a ridge line at x (0..1), fractal.
double Ridge(double x, int seed, double base, double amp, double freq)
{
    // Ridged noise: sharp peaks and soft valleys, like eroded rock.
    double h = 0, a = 1, f = freq, norm = 0;
    for (int i = 0; i < 6; ++i)
    {
        const double n = 1.0 - qAbs(Noise(x * f, seed * 0.37 + i * 3.1, seed + i) * 2.0 - 1.0);
        h += a * n * n;
        norm += a;
        a *= 0.5;
        f *= 2.1;
    }
    return base - amp * (h / norm);
}

QImage Landscape(const Theme& t, int variant)
{
    const int seed = t.seed + variant * 101;
    QImage image(W, H, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Sky.
    QLinearGradient sky(0, 0, 0, H * 0.75);
    sky.setColorAt(0, t.skyTop);
    sky.setColorAt(0.65, Mix(t.skyTop, t.skyHorizon, 0.55));
    sky.setColorAt(1, t.skyHorizon);
    p.fillRect(image.rect(), sky);

    // Nebula clouds, computed small and scaled up.
    {
        const int sw = W / 4, sh = H / 4;
        QImage clouds(sw, sh, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < sh; ++y)
        {
            QRgb* line = reinterpret_cast<QRgb*>(clouds.scanLine(y));
            for (int x = 0; x < sw; ++x)
            {
                const double n = Fbm(x / 60.0, y / 60.0, seed, 6);
                const double band =
                    qExp(-qPow((y / double(sh) - 0.3 - 0.15 * qSin(x / 70.0 + seed)) * 3.2, 2));
                const double v = qBound(0.0, (n - 0.42) * 2.2, 1.0) * band;
                const int a = int(v * 190);
                const QColor c = Mix(t.nebula, QColor(255, 255, 255), v * 0.35);
                line[x] = qPremultiply(qRgba(c.red(), c.green(), c.blue(), a));
            }
        }
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(image.rect(), clouds);
    }

    // Stars.
    for (int i = 0; i < 900; ++i)
    {
        const double x = Noise(i * 1.31, 0.5, seed) * W;
        const double y = Noise(0.5, i * 1.77, seed + 3) * H * 0.7;
        const double b = Noise(i * 0.7, i * 0.3, seed + 5);
        const int alpha = int(60 + b * 195);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 250, 240, alpha));
        p.drawEllipse(QPointF(x, y), b > 0.93 ? 1.4 : 0.6, b > 0.93 ? 1.4 : 0.6);
    }

    // A planet with an atmosphere rim (left or right, by variant).
    {
        const QPointF c(variant == 0 ? W * 0.74 : W * 0.24, H * (variant == 0 ? 0.26 : 0.2));
        const double r = variant == 0 ? 150 : 90;
        QRadialGradient halo(c, r * 1.5);
        halo.setColorAt(0.6, WithAlpha(t.nebula, 90));
        halo.setColorAt(1.0, WithAlpha(t.nebula, 0));
        p.setBrush(halo);
        p.drawEllipse(c, r * 1.5, r * 1.5);
        QRadialGradient body(c + QPointF(-r * 0.4, -r * 0.4), r * 1.6);
        body.setColorAt(0, Lighter(t.skyHorizon, 170));
        body.setColorAt(0.45, t.skyHorizon.darker(130));
        body.setColorAt(1, QColor(0, 0, 0));
        p.setBrush(body);
        p.drawEllipse(c, r, r);
        // Bands.
        p.save();
        QPainterPath disk;
        disk.addEllipse(c, r, r);
        p.setClipPath(disk);
        for (int i = 0; i < 9; ++i)
        {
            const double y = c.y() - r + i * r * 0.23 + 6 * qSin(i + seed);
            p.setBrush(QColor(0, 0, 0, 20 + (i % 3) * 14));
            p.drawRect(QRectF(c.x() - r, y, 2 * r, r * 0.09));
        }
        p.restore();
        if (variant == 0)
        {
            // Rings.
            p.save();
            p.translate(c);
            p.rotate(-16);
            for (int i = 0; i < 4; ++i)
            {
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(WithAlpha(Mix(t.nebula, QColor(255, 255, 255), 0.4), 90 - i * 18), 5 - i));
                p.drawEllipse(QPointF(0, 0), r * (1.55 + i * 0.12), r * (0.32 + i * 0.025));
            }
            p.restore();
            p.setPen(Qt::NoPen);
        }
    }

    // Three ridges of mountains, far to near, each darker and hazier.
    for (int layer = 0; layer < 3; ++layer)
    {
        const double base = H * (0.7 + layer * 0.1);
        const double amp = H * (0.26 - layer * 0.06);
        QPainterPath ridge;
        ridge.moveTo(0, H);
        for (int x = 0; x <= W; x += 4)
            ridge.lineTo(x, Ridge(x / double(W), seed + layer * 17, base, amp, 3.0 + layer * 2.0));
        ridge.lineTo(W, H);
        ridge.closeSubpath();
        const QColor far = Mix(t.skyHorizon, t.ground, 0.55 + layer * 0.2);
        QLinearGradient g(0, base - amp, 0, H);
        g.setColorAt(0, far);
        g.setColorAt(1, t.ground.darker(120 + layer * 30));
        p.setPen(QPen(WithAlpha(Lighter(t.skyHorizon, 130), 60 - layer * 15), 1.2));
        p.setBrush(g);
        p.drawPath(ridge);
    }

    // A base on the nearest ridge: towers with lit windows and beacons.
    {
        const double baseX = variant == 0 ? W * 0.2 : W * 0.66;
        for (int i = 0; i < 7; ++i)
        {
            const double x = baseX + i * 34 + 10 * Noise(i, 1, seed);
            const double h = 40 + 110 * Noise(i, 2, seed);
            const double ground = Ridge((x + 11) / double(W), seed + 2 * 17, H * 0.9, H * 0.14, 7.0);
            const double y = ground - h;
            QPainterPath tower = Chamfer(QRectF(x, y, 22, h + 60), 6, 6, 0, 0);
            p.setPen(QPen(QColor(0, 0, 0), 1));
            p.setBrush(t.ground.darker(200));
            p.drawPath(tower);
            p.setPen(Qt::NoPen);
            for (int k = 0; k < int(h / 12); ++k)
            {
                if (Noise(i * 7 + k, 3, seed) > 0.55)
                {
                    p.setBrush(WithAlpha(t.lights, 200));
                    p.drawRect(QRectF(x + 5, y + 10 + k * 12, 12, 3));
                }
            }
            QRadialGradient beacon(QPointF(x + 11, y - 4), 10);
            beacon.setColorAt(0, QColor(255, 255, 255, 230));
            beacon.setColorAt(0.3, WithAlpha(t.lights, 200));
            beacon.setColorAt(1, WithAlpha(t.lights, 0));
            p.setBrush(beacon);
            p.drawEllipse(QPointF(x + 11, y - 4), 10, 10);
        }
    }

    // Ground haze and a vignette.
    QLinearGradient haze(0, H * 0.7, 0, H);
    haze.setColorAt(0, WithAlpha(t.skyHorizon, 0));
    haze.setColorAt(0.5, WithAlpha(t.skyHorizon, 40));
    haze.setColorAt(1, QColor(0, 0, 0, 160));
    p.fillRect(image.rect(), haze);
    QRadialGradient vignette(QPointF(W / 2.0, H / 2.0), W * 0.75);
    vignette.setColorAt(0.55, QColor(0, 0, 0, 0));
    vignette.setColorAt(1, QColor(0, 0, 0, 190));
    p.fillRect(image.rect(), vignette);
    p.end();
    return image;
}

QImage Unfocus(const QImage& image)
{
    QImage blurred = Blur(image, 12).convertToFormat(QImage::Format_RGB32);
    QPainter p(&blurred);
    p.fillRect(blurred.rect(), QColor(0, 0, 0, 60));
    p.end();
    return blurred;
}
} // namespace

void DrawBackgrounds(Output& out)
{
    for (const Theme& t : kThemes)
    {
        for (int variant = 0; variant < 2; ++variant)
        {
            const QImage picture = Landscape(t, variant);
            const QString base = QStringLiteral("Backgrounds/%1/%2")
                                     .arg(QLatin1String(t.code))
                                     .arg(variant + 1, 2, 10, QLatin1Char('0'));
            out.Save(picture, base + QStringLiteral(".jpg"), "JPG", 82);
            out.Save(Unfocus(picture), base + QStringLiteral(".unfocus.jpg"), "JPG", 75);
        }
    }
}
