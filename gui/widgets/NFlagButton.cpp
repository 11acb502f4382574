#include "NFlagButton.h"

#include "CommonIcon.h"
#include "SoundManager.h"

#include <QEvent>
#include <QPainter>

namespace
{
// The flag's box on the transparent canvas: the first opaque pixels of the middle row and column.
QRect FlagBox(const QImage& image)
{
    const int w = image.width();
    const int h = image.height();
    if (w == 0 || h == 0)
        return QRect();
    const int midY = h / 2;
    const int midX = w / 2;
    int left = 0, right = w - 1, top = 0, bottom = h - 1;
    while (left < w && qAlpha(image.pixel(left, midY)) == 0)
        ++left;
    while (right > left && qAlpha(image.pixel(right, midY)) == 0)
        --right;
    while (top < h && qAlpha(image.pixel(midX, top)) == 0)
        ++top;
    while (bottom > top && qAlpha(image.pixel(midX, bottom)) == 0)
        --bottom;
    if (left >= w || top >= h)
        return QRect();
    return QRect(QPoint(left, top), QPoint(right, bottom));
}
} // namespace

NFlagButton::NFlagButton(const QString& countryCode, QWidget* parent)
    : QPushButton(parent), m_code(countryCode)
{
    setFocusPolicy(Qt::NoFocus);
    setCheckable(true);
    setFlat(true);
    setStyleSheet(QStringLiteral("QPushButton{border: none; padding: 0px; background: transparent;}"));
    const QPixmap flag = CommonIcon::GetFlagPath(m_code);
    const QSize flagSize = flag.isNull() ? QSize(16, 11) : flag.size();
    setIconSize(flagSize * 2);
    setFixedSize(flagSize * 2 + QSize(4, 4));
    installEventFilter(this);
    connect(this, &QPushButton::toggled, this, &NFlagButton::DoToggle);
    connect(this, &QPushButton::clicked, this, &NFlagButton::DoClicked);
    ApplyState(FlagLeave);
}

QImage NFlagButton::Render(FlagState state) const
{
    const QPixmap flag = CommonIcon::GetFlagPath(m_code);
    const QSize size = iconSize();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (flag.isNull())
        return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize drawn = flag.size().scaled(size, Qt::KeepAspectRatio);
    painter.drawPixmap(
        QRect(QPoint((size.width() - drawn.width()) / 2, (size.height() - drawn.height()) / 2), drawn), flag);
    const QRect box = FlagBox(image);
    if ((state == FlagLeave || state == FlagReleased) && !isChecked())
        painter.fillRect(box, QColor(0, 0, 0, 100));
    else if (state == FlagPressed)
        painter.fillRect(box, QColor(100, 100, 100, 100));
    return image;
}

void NFlagButton::ApplyState(FlagState state)
{
    setIcon(QIcon(QPixmap::fromImage(Render(state))));
}

void NFlagButton::DoToggle(bool)
{
    ApplyState(FlagLeave);
}

void NFlagButton::DoClicked()
{
    SoundManager::PlayButtonClick();
}

bool NFlagButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == this)
    {
        switch (event->type())
        {
        case QEvent::Enter:
            SoundManager::PlayButtonHover();
            ApplyState(FlagEnter);
            break;
        case QEvent::Leave:
            ApplyState(FlagLeave);
            break;
        case QEvent::MouseButtonPress:
            ApplyState(FlagPressed);
            break;
        case QEvent::MouseButtonRelease:
            ApplyState(FlagReleased);
            break;
        default:
            break;
        }
    }
    return QPushButton::eventFilter(watched, event);
}
