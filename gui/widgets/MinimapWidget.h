#pragma once

#include <QFrame>
#include <QPixmap>
#include <QPoint>
#include <QTimer>

// What a minimap widget shows.
enum class MapState : int
{
    None = 0,     // nothing; a paint in this state also drops the pictures
    NotFound = 1, // ":/MapData/not_found.png"
    Loading = 2,  // ":/MapData/refresh.png"
    Ready = 3     // the minimap, scaled to fit and framed
};

// One map's minimap, fitted into the widget with a margin, framed and centred. While a picture is
// awaited it shows nothing at first and the loading picture after 400 ms; without a picture it shows
// the not-found picture. It never fetches pictures: its owner sets the state and hands it the picture.
class MinimapWidget : public QFrame
{
    Q_OBJECT

public:
    explicit MinimapWidget(int margin);

    void SetPixmap(const QPixmap& picture);
    MapState GetState() const { return m_state; }
    const QPixmap& GetScaledPixmap() const { return m_scaled; }
    // The top-left corner of the scaled picture inside the widget, where it is drawn.
    QPoint GetPictureOffset() const { return CentredCorner(m_scaled.size()); }
    int GetMargin() const { return m_margin; }

signals:
    void OnResize(QSize size);
    // The centred position and size of the scaled picture, after each refit.
    void OnOffset(QPoint point, QSize size);

public slots:
    void MapStateChanged(MapState state);
    void TimerScale();
    void TimerLoading();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    MapState m_state = MapState::None;
    QPixmap m_scaled;

private:
    void UpdateScaledPixmap();
    QPoint CentredCorner(const QSize& picture) const;

    QPixmap m_source;
    QTimer m_scaleTimer;
    QTimer m_loadingTimer;
    int m_margin = 0;
};

Q_DECLARE_METATYPE(MapState)
