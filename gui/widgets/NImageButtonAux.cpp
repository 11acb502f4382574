#include "NImageButtonAux.h"

#include "GuiMetrics.h"
#include "NImageLabel.h"
#include "SoundManager.h"

#include <QEvent>
#include <QResizeEvent>

namespace
{
const char* const kAuxTemplate =
    "QPushButton{border-image: url(:/Buttons/%1.png);border-top:\t18px;border-right:\t18px;border-bottom: "
    "14px;border-left:\t12px;padding: 0px;}"
    "QPushButton:pressed{border-image: url(:/Buttons/%1_pressed.png);padding: 0px;padding-left: "
    "4px;padding-right: "
    "4px;}"
    "QPushButton::disabled{border-image: url(:/Buttons/%1_disable.png);}"
    "QPushButton:hover{border-image: url(:/Buttons/%1_hover.png);}"
    "QPushButton:hover:pressed{border-image: url(:/Buttons/%1_pressed.png);}"
    "QPushButton:checked{border-image: url(:/Buttons/%1_hover.png);padding: 0px;padding-left: "
    "4px;padding-right: "
    "4px;}"
    "QPushButton:hover:checked{border-image: url(:/Buttons/%1_hover.png);}";
} // namespace

QString NImageButtonAux::PictureName(int type)
{
    switch (type)
    {
    case 1:
        return QStringLiteral("button_aux_top2");
    case 2:
        return QStringLiteral("button_aux_bottom");
    default:
        return QStringLiteral("button_aux_top");
    }
}

int NImageButtonAux::GetDefaultHeight()
{
    return GuiAuxButtonHeight;
}

NImageButtonAux::NImageButtonAux(int type, bool silent, QWidget* parent) : QPushButton(parent), m_type(type)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_LayoutUsesWidgetRect);
    setStyleSheet(QString::fromLatin1(kAuxTemplate).arg(PictureName(type)));

    m_icon = new QLabel(this);
    m_icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_caption = new NImageLabel(8, QString(), Qt::white, this);
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_caption->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    setFixedHeight(GetDefaultHeight());
    if (!silent)
        connect(this, &QPushButton::clicked, this, &NImageButtonAux::DoClicked);
    installEventFilter(this);
}

void NImageButtonAux::SetPixmap(const QPixmap& pixmap)
{
    m_icon->setPixmap(pixmap);
    m_icon->setFixedSize(pixmap.size());
}

void NImageButtonAux::SetText(const QString& text)
{
    m_caption->SetText(text);
}

void NImageButtonAux::DoClicked()
{
    SoundManager::PlayButtonClick();
}

bool NImageButtonAux::eventFilter(QObject* watched, QEvent* event)
{
    // Also when disabled: the pointer over a greyed tab still answers.
    if (watched == this && event->type() == QEvent::Enter)
        SoundManager::PlayButtonHover();
    return QPushButton::eventFilter(watched, event);
}

void NImageButtonAux::resizeEvent(QResizeEvent* event)
{
    QPushButton::resizeEvent(event);
    const int w = event->size().width();
    const int h = event->size().height();
    const int fontPx = m_caption->GetSpec().pixelSize;
    const bool bottom = m_type == 2;

    const QPixmap pixmap = m_icon->pixmap(Qt::ReturnByValue);
    if (!pixmap.isNull())
    {
        const int iw = m_icon->width();
        const int ih = m_icon->height();
        const int y = bottom ? int(int((h - ih) * 0.5) + 1.0) : int((h - ih) * 0.5 - 1.0);
        m_icon->move(int((w - iw) * 0.5), y);
    }
    m_caption->setFixedSize(w, h);
    m_caption->move(0, bottom ? int((h - fontPx) * 0.5) : int(int((h - fontPx) * 0.5) - 3.0));
}
