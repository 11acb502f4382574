#pragma once

#include "SoundManager.h"

#include <QList>
#include <QStringList>
#include <mutex>

class QWidget;

// Sends the mouse-enter event a hover reacts to.
void Enter(QWidget* widget);
// Writes a mono 16-bit PCM WAV of a sine tone.
void WriteWav(const QString& path, int msecs);

// Records every request the sound service's static functions post, while it lives.
class SoundRecorder
{
public:
    SoundRecorder();
    ~SoundRecorder();

    QList<SoundRequest> Requests() const;
    // The effect, taunt or track names asked for through "DoMediaPlay", in order.
    QStringList Played() const;
    void Clear();

private:
    mutable std::mutex m_mutex;
    QList<SoundRequest> m_requests;
};
