#include "PlayerPictureWidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

PlayerPictureWidget::PlayerPictureWidget(const QSize& size, bool clickable, QWidget* parent)
    : QWidget(parent), m_picture(new QLabel()), m_clickable(clickable)
{
    const QSize fixed = size.isNull() || !size.isValid() ? QSize(64, 64) : size;
    setFixedSize(fixed);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_picture->setFixedSize(fixed);
    layout->addWidget(m_picture);
    SetPicture(QPixmap());
}

void PlayerPictureWidget::SetPicture(const QPixmap& picture)
{
    const QPixmap source =
        picture.isNull() ? QPixmap(QStringLiteral(":/PlayerStatus/player_no_photo.png"))
                         : picture.scaled(width(), height(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPixmap canvas(size());
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    painter.drawPixmap((width() - source.width()) / 2, (height() - source.height()) / 2, source);
    painter.end();
    m_picture->setPixmap(canvas);
}

QPixmap PlayerPictureWidget::Picture() const
{
    return m_picture->pixmap(Qt::ReturnByValue);
}

void PlayerPictureWidget::mousePressEvent(QMouseEvent* event)
{
    if (m_clickable)
        emit OnClick();
    QWidget::mousePressEvent(event);
}

void PlayerPictureWidget::enterEvent(QEvent* event)
{
    if (m_clickable)
        setCursor(Qt::PointingHandCursor);
    QWidget::enterEvent(event);
}

void PlayerPictureWidget::leaveEvent(QEvent* event)
{
    if (m_clickable)
        setCursor(Qt::ArrowCursor);
    QWidget::leaveEvent(event);
}
