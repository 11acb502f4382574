#include "NLabel.h"

#include "GuiMetrics.h"

#include <QGraphicsDropShadowEffect>

NLabel::NLabel(const QString& text, const QColor& color, QWidget* parent) : QLabel(text, parent)
{
    QFont labelFont = font();
    labelFont.setWeight(75);
    labelFont.setFamily(GuiFontMain);
    labelFont.setPixelSize(int(12 * GuiMetrics::UiScale));
    labelFont.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    setFont(labelFont);

    QPalette pal = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    {
        pal.setColor(group, QPalette::WindowText, color);
        pal.setColor(group, QPalette::ButtonText, color);
    }
    setPalette(pal);

    auto* shadow = new QGraphicsDropShadowEffect(this);
    const int offset = int(2 * GuiMetrics::UiScale);
    shadow->setOffset(offset, offset);
    shadow->setBlurRadius(GuiMetrics::UiScale > 1.0 ? 4 : 3);
    shadow->setColor(Qt::black);
    setGraphicsEffect(shadow);
}
