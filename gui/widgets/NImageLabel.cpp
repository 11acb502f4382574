#include "NImageLabel.h"

#include "GuiMetrics.h"

#include <QGraphicsDropShadowEffect>
#include <QTimer>

namespace
{
struct KindRow
{
    int size;
    double spacing;
    bool upperCase;
    int cyrillicReduce; // -1: no change with the Cyrillic fonts
};

// Index = font kind.
const KindRow kKinds[] = {
    {24, 2.0, false, 4},  {22, 2.0, false, 4},  {22, 2.0, false, -1}, {16, 2.0, false, 2},
    {16, 1.0, false, -1}, {22, 2.0, false, -1}, {24, 2.0, false, 2},  {16, 2.0, false, 2},
    {12, 1.2, false, 2},  {12, 1.2, false, -1}, {12, 1.5, false, 2},  {18, 2.0, false, 3},
    {26, 2.0, false, 5},  {16, 2.0, false, 5},  {16, 2.0, true, 2},   {12, 2.0, true, -1},
    {12, 1.2, false, 2},  {10, 1.0, false, -1}, {12, 1.2, false, -1},
};
constexpr int kKindCount = int(sizeof(kKinds) / sizeof(kKinds[0]));
} // namespace

NFontSpec NImageLabel::FontSpec(int kind, bool cyrillic, double scale)
{
    NFontSpec spec;
    spec.family = GuiFontMain;
    if (kind >= 0 && kind < kKindCount)
    {
        const KindRow& row = kKinds[kind];
        spec.pixelSize = row.size;
        spec.spacing = row.spacing;
        spec.upperCase = row.upperCase;
        if (cyrillic && row.cyrillicReduce >= 0)
        {
            spec.pixelSize -= row.cyrillicReduce;
            spec.spacing = 1.0;
        }
    }
    if (kind == 17)
    {
        spec.family = GuiFontPixel;
        spec.bold = false;
        spec.shadow = 0;
    }
    if (kind >= 11 && kind <= 13)
    {
        spec.hasPadding = true;
        spec.paddingTop = kind == 11 ? int(-4 * scale) : kind == 12 ? int(-2 * scale) : 0;
    }
    spec.pixelSize = int(spec.pixelSize * scale);
    spec.shadow = int(spec.shadow * scale);
    if (cyrillic)
        spec.family = kind == 18 ? GuiFontArial : GuiFontCyrillic;
    return spec;
}

NImageLabel::NImageLabel(int kind, const QString& text, const QColor& color, QWidget* parent)
    : QLabel(parent), m_kind(kind), m_color(color), m_scale(GuiMetrics::UiScale), m_cyrillic(GuiCyrillicFonts)
{
    m_spec = FontSpec(kind, m_cyrillic, m_scale);

    QFont labelFont = font();
    labelFont.setWeight(m_spec.bold ? 75 : 50);
    labelFont.setFamily(m_spec.family);
    labelFont.setPixelSize(m_spec.pixelSize);
    labelFont.setLetterSpacing(QFont::AbsoluteSpacing, m_spec.spacing);
    setFont(labelFont);
    if (m_spec.hasPadding)
        setStyleSheet(
            QStringLiteral("QLabel{padding-top: %1px;padding-bottom: 0px;}").arg(m_spec.paddingTop));

    ApplyPalette();

    auto* shadow = new QGraphicsDropShadowEffect(this);
    shadow->setOffset(m_spec.shadow, m_spec.shadow);
    shadow->setBlurRadius(m_scale > 1.0 ? 4 : 3);
    shadow->setColor(Qt::black);
    setGraphicsEffect(shadow);

    SetText(text);
}

void NImageLabel::SetText(const QString& text)
{
    setText(m_spec.upperCase ? text.toUpper() : text);
}

void NImageLabel::SetColor(const QColor& color)
{
    m_color = color;
    QTimer::singleShot(10, this, &NImageLabel::DoSetColor);
}

int NImageLabel::GetTextWidth() const
{
    return fontMetrics().horizontalAdvance(text());
}

void NImageLabel::DoSetColor()
{
    ApplyPalette();
}

void NImageLabel::ApplyPalette()
{
    QPalette pal = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    {
        pal.setColor(group, QPalette::WindowText, m_color);
        pal.setColor(group, QPalette::ButtonText, m_color);
    }
    setPalette(pal);
}
