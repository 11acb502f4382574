#pragma once

#include <QDateTime>
#include <QFrame>
#include <QTimer>

class NImageLabel;

// A small clock: a title over the time in hours and minutes, the date as its tooltip. Kind 0 is
// Central European Time (UTC + 1 h, no summer time), 1 UTC, 2 and any other the local time.
// It redraws just after each minute turns.
class UTCTimeWidget final : public QFrame
{
    Q_OBJECT

public:
    explicit UTCTimeWidget(int kind, QWidget* parent = nullptr);

    // The time a clock of that kind shows, given the current UTC time.
    static QDateTime TimeOfKind(int kind, const QDateTime& utcNow);
    NImageLabel* TimeLabel() const { return m_time; }
    // The timer of the next redraw (one at a time).
    const QTimer& UpdateTimer() const { return m_timer; }

public slots:
    void DoUpdateTime();

private:
    int m_kind = 0;
    NImageLabel* m_time = nullptr;
    QTimer m_timer;
};
