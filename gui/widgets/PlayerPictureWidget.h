#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;

// A player's photo (or the placeholder) centred in an area of fixed size on a transparent ground.
// Clickable ones show a pointing hand and report presses.
class PlayerPictureWidget final : public QWidget
{
    Q_OBJECT

public:
    // A null or invalid size gives 64 x 64.
    explicit PlayerPictureWidget(const QSize& size, bool clickable = false, QWidget* parent = nullptr);

    // A null picture shows the placeholder at its own size.
    void SetPicture(const QPixmap& picture);
    QPixmap Picture() const;

signals:
    void OnClick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QLabel* m_picture = nullptr;
    bool m_clickable = false;
};
