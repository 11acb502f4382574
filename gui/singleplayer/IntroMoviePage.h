#pragma once

#include "NPage.h"

#include <QMediaPlayer>

class QVideoWidget;

// Plays the "introduction" media file, then goes on to the main menu; a key or a click skips
// it, and without the file it goes on at once.
class IntroMoviePage : public NPage
{
    Q_OBJECT

public:
    IntroMoviePage();
    ~IntroMoviePage() override;

    void EnterPage() override;
    void ExitPage() override;
    void keyPress(QKeyEvent* event) override;
    void mousePress(QMouseEvent* event) override;

    bool IsPlaying() const { return m_player != nullptr; }

private slots:
    void DoMediaStatusChanged(QMediaPlayer::MediaStatus status);
    void DoMediaError(QMediaPlayer::Error error);
    void DoFinish();

private:
    void StopPlayer();

    QVideoWidget* m_video = nullptr;
    QMediaPlayer* m_player = nullptr;
    bool m_finishing = false;
};
