#pragma once

#include <QLabel>
#include <QList>
#include <QPixmap>
#include <QTimer>

// A small busy or attention indicator: cycles through compiled-in pictures every 50 ms.
// Kinds: 0 spinner, 1 running bar, 2 blink.
class GIFWidget final : public QLabel
{
    Q_OBJECT

public:
    // When not visibleWhenStopped, the widget shows only while it animates.
    GIFWidget(int kind, bool visibleWhenStopped);

    // Neither resets the frame: a restarted animation goes on where it stopped.
    void Start();
    void Stop();

    bool IsRunning() const { return m_timer.isActive(); }
    int FrameCount() const { return m_frames.size(); }

public slots:
    void DoTimerUpdate();

private:
    void LoadFrames(int kind);

    QTimer m_timer;
    int m_frameIndex = 0;
    bool m_hideWhenStopped = false;
    QList<QPixmap> m_frames;
};
