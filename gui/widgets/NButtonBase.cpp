#include "NButtonBase.h"

#include "GuiMetrics.h"
#include "NImageLabel.h"
#include "SoundManager.h"

#include <QEvent>
#include <QResizeEvent>

namespace
{
const char* const kButtonTemplate =
    "QPushButton{border-image: url(:/Buttons/%1.png);border-top:\t\t%8px;border-right:\t\t%8px;"
    "border-bottom:\t\t%8px;border-left:\t\t%8px;padding:\t\t\t0px;}"
    "QPushButton:pressed{border-image:\t\turl(:/Buttons/%2.png);padding-left:\t\t%9px;padding-right:\t\t%9px;"
    "padding:\t\t\t0px;}"
    "QPushButton::disabled{border-image:\t\turl(:/Buttons/%3.png);}"
    "QPushButton:hover{border-image:\t\turl(:/Buttons/%4.png);}"
    "QPushButton:hover:pressed{border-image:\t\turl(:/Buttons/%5.png);}"
    "QPushButton:checked{border-image:\t\turl(:/Buttons/%6.png);padding-left:\t\t%9px;padding-right:\t\t%9px;"
    "padding:\t\t\t0px;}"
    "QPushButton:hover:checked{border-image:\t\turl(:/Buttons/%7.png);}";

// Colour words in ButtonColor order, from 1 (black).
const char* const kColorWords[] = {"black",       "blue",  "brown", "brown_dark",
                                   "brown_light", "green", "red",   "silver"};

QString ColorWord(int color)
{
    if (color < ButtonBlack || color > ButtonSilver)
        return QString();
    return QLatin1String(kColorWords[color - 1]);
}

QString WithScale(const QString& name, double scale)
{
    if (name.isEmpty() || scale <= 1.0)
        return name;
    return name + QStringLiteral("_2x");
}

int Scaled(int px)
{
    return int(px * GuiMetrics::UiScale);
}
} // namespace

QString NButtonBase::PlainImageName(int color, double scale)
{
    const QString word = ColorWord(color);
    return WithScale(word.isEmpty() ? QString() : QStringLiteral("button_") + word, scale);
}

QString NButtonBase::MenuImageName(int color, double scale)
{
    const QString word = ColorWord(color);
    return WithScale(word.isEmpty() ? QString() : QStringLiteral("button_menu_") + word, scale);
}

QString NButtonBase::ModalImageName(int color, double scale)
{
    const QString word = ColorWord(color);
    return WithScale(QStringLiteral("button_menu_") + (word.isEmpty() ? QStringLiteral("none") : word),
                     scale);
}

NButtonBase::NButtonBase(int fontKind, bool withClickSound, QWidget* parent) : QPushButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_LayoutUsesWidgetRect);

    m_icon = new QLabel(this);
    m_icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_caption = new NImageLabel(fontKind, QString(), Qt::white, this);
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_caption->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);

    m_template = QLatin1String(kButtonTemplate);
    if (withClickSound)
        connect(this, &QPushButton::clicked, this, &NButtonBase::DoClicked);

    m_padding = Scaled(14);
    UpdateFixedHeight();
    installEventFilter(this);
}

QString NButtonBase::ImageName(int color) const
{
    return PlainImageName(color, GuiMetrics::UiScale);
}

void NButtonBase::ApplyStyle()
{
    QString sheet = m_template;
    for (int i = 0; i < 7; ++i)
        sheet.replace(QStringLiteral("%%1").arg(i + 1), m_images[i]);
    sheet.replace(QStringLiteral("%8"), QString::number(m_borderWidth));
    sheet.replace(QStringLiteral("%9"), QString::number(m_padding));
    setStyleSheet(sheet);
}

void NButtonBase::SetBorderWidth(int px)
{
    m_borderWidth = int(px * GuiMetrics::UiScale);
}

void NButtonBase::SetVerticalPadding(int px)
{
    m_padding = Scaled(px);
    UpdateFixedHeight();
}

void NButtonBase::UpdateFixedHeight()
{
    setFixedHeight(m_caption->GetSpec().pixelSize + 2 * m_padding - Scaled(2));
}

void NButtonBase::SetText(const QString& text)
{
    m_caption->SetText(text.toUpper());
    Relayout();
}

QString NButtonBase::GetText() const
{
    return m_caption->text();
}

void NButtonBase::SetIcon(const QPixmap& pixmap)
{
    m_icon->setPixmap(pixmap);
    m_icon->setFixedSize(pixmap.size());
    Relayout();
}

void NButtonBase::UpdateIcon(const QIcon& icon)
{
    const int extent = height();
    SetIcon(icon.pixmap(extent, QIcon::Normal, QIcon::Off));
}

void NButtonBase::Relayout()
{
    QResizeEvent event(size(), size());
    resizeEvent(&event);
}

void NButtonBase::SetFixedSize(int w, int h)
{
    m_sizeLocked = true;
    setFixedSize(w, h);
}

void NButtonBase::SetFixedWidth(int w)
{
    m_sizeLocked = true;
    setFixedWidth(w);
}

void NButtonBase::SetMinimumWidth(int w)
{
    m_minimumWidth = w;
    setMinimumWidth(w);
}

void NButtonBase::DoClicked()
{
    SoundManager::PlayButtonClick();
}

bool NButtonBase::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == this && event->type() == QEvent::Enter && isEnabled())
        SoundManager::PlayButtonHover();
    return QPushButton::eventFilter(watched, event);
}

void NButtonBase::resizeEvent(QResizeEvent* event)
{
    QPushButton::resizeEvent(event);
    const int gap = Scaled(6);
    int w = event->size().width();
    const int h = event->size().height();
    const QFontMetrics metrics(m_caption->font());
    const QString text = m_caption->text();
    // Measured as the label measures it: rounded up, so its last glyph is never cut off.
    const int textWidth = metrics.boundingRect(QRect(0, 0, 2000, 2000), Qt::AlignLeft, text).width();
    const int textHeight = metrics.height();
    const QPixmap pixmap = m_icon->pixmap(Qt::ReturnByValue);
    const bool hasIcon = !pixmap.isNull();
    const int iconWidth = hasIcon ? m_icon->width() : 0;
    const int iconHeight = hasIcon ? m_icon->height() : 0;

    if (!m_sizeLocked)
    {
        int content = textWidth;
        if (hasIcon && !text.isEmpty())
            content = iconWidth + textWidth + gap;
        else if (hasIcon)
            content = iconWidth;
        w = qMax(m_minimumWidth, content + 3 * textHeight);
        setMinimumWidth(w);
    }

    // Centre in the space the button really has, which a layout may make wider than its minimum.
    w = qMax(w, event->size().width());
    m_caption->setFixedHeight(h);
    if (hasIcon && !text.isEmpty())
    {
        const int x = int((w - textWidth - gap - iconWidth) / 2 - 2 * GuiMetrics::UiScale);
        m_caption->setFixedWidth(textWidth);
        m_caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        m_icon->move(x, (h - iconHeight) / 2);
        m_caption->move(x + iconWidth + gap, 0);
    }
    else if (hasIcon)
    {
        m_caption->setFixedWidth(0);
        m_icon->move((w - iconWidth) / 2, (h - iconHeight) / 2);
    }
    else
    {
        m_caption->setFixedWidth(w);
        m_caption->setAlignment(Qt::AlignCenter);
        m_caption->move(0, 0);
    }
}

// ---- the four kinds ----------------------------------------------------------------------------

namespace
{
struct Preset
{
    int border;
    int padding;
    int pressed, disabled, hover, hoverPressed, checked, hoverChecked;
};

void ApplyPreset(NButtonBase* button, int normal, const Preset& preset)
{
    button->SetBorderWidth(preset.border);
    button->SetVerticalPadding(preset.padding);
    button->SetImageNormal(normal);
    button->SetImagePressed(preset.pressed);
    button->SetImageDisabled(preset.disabled);
    button->SetImageHover(preset.hover);
    button->SetImageHoverPressed(preset.hoverPressed);
    button->SetImageChecked(preset.checked);
    button->SetImageHoverChecked(preset.hoverChecked);
    button->ApplyStyle();
}
} // namespace

NButton::NButton(int color, bool withClickSound, QWidget* parent) : NButtonBase(10, withClickSound, parent)
{
    ApplyPreset(this, color,
                {12, 14, ButtonBrown, ButtonBlack, ButtonSilver, ButtonBlack, ButtonGreen, ButtonGreen});
}

void NButton::SetCheckable(bool checkable)
{
    SetImageChecked(ButtonGreen);
    SetImageHoverChecked(ButtonGreen);
    ApplyStyle();
    setCheckable(checkable);
}

NButtonAction::NButtonAction(int color, bool withClickSound, QWidget* parent)
    : NButtonBase(13, withClickSound, parent)
{
    ApplyPreset(
        this, color,
        {12, 14, ButtonBrown, ButtonBlack, ButtonBrownLight, ButtonBrownDark, ButtonBrown, ButtonBrown});
}

NButtonMenu::NButtonMenu(int color, bool withClickSound, QWidget* parent)
    : NButtonBase(12, withClickSound, parent)
{
    ApplyPreset(this, color,
                {34, 22, ButtonBrown, ButtonBlack, ButtonBlack, ButtonSilver, ButtonBlack, ButtonBlack});
}

QString NButtonMenu::ImageName(int color) const
{
    return MenuImageName(color, GuiMetrics::UiScale);
}

NButtonModal::NButtonModal(int color, bool withClickSound, QWidget* parent)
    : NButtonBase(11, withClickSound, parent)
{
    ApplyPreset(this, color,
                {34, 24, ButtonBrown, ButtonSilver, ButtonSilver, ButtonBlack, ButtonBlack, ButtonBlack});
}

QString NButtonModal::ImageName(int color) const
{
    return ModalImageName(color, GuiMetrics::UiScale);
}

void NButtonModal::SetCheckable(bool checkable)
{
    SetImageChecked(ButtonBlack);
    SetImageHoverChecked(ButtonBlack);
    ApplyStyle();
    setCheckable(checkable);
}
