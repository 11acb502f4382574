#include "IntroMoviePage.h"

#include "FrameKit.h"

#include <QDebug>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

IntroMoviePage::IntroMoviePage() : NPage(ID_INTRO_MOVIE, ID_MAIN_MENU, QStringLiteral("Intro Movie"))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The video widget comes with the first movie: without one the page is only passed through.
}

IntroMoviePage::~IntroMoviePage()
{
    StopPlayer();
}

void IntroMoviePage::EnterPage()
{
    m_finishing = false;
    const QString file = FrameKit::GetTrack(QStringLiteral("introduction"));
    if (file.isEmpty() || !QFileInfo(file).isFile())
    {
        qDebug() << "IntroMoviePage :: NO MOVIE";
        // Not from inside the switch that entered this page.
        QTimer::singleShot(0, this, &IntroMoviePage::DoFinish);
        return;
    }
    qDebug().noquote() << "IntroMoviePage :: PLAY ---" << file;
    if (!m_video)
    {
        m_video = new QVideoWidget(this);
        m_video->setStyleSheet(QStringLiteral("background-color: black;"));
        layout()->addWidget(m_video);
    }
    m_player = new QMediaPlayer(this, QMediaPlayer::VideoSurface);
    m_player->setVideoOutput(m_video);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, &IntroMoviePage::DoMediaStatusChanged,
            Qt::QueuedConnection);
    connect(m_player, QOverload<QMediaPlayer::Error>::of(&QMediaPlayer::error), this,
            &IntroMoviePage::DoMediaError, Qt::QueuedConnection);
    m_video->show();
    m_player->setMedia(QUrl::fromLocalFile(file));
    m_player->play();
}

void IntroMoviePage::ExitPage()
{
    StopPlayer();
}

void IntroMoviePage::StopPlayer()
{
    if (!m_player)
        return;
    QMediaPlayer* player = m_player;
    m_player = nullptr;
    disconnect(player, nullptr, this, nullptr);
    player->stop();
    player->deleteLater();
    m_video->hide();
}

void IntroMoviePage::DoMediaStatusChanged(QMediaPlayer::MediaStatus status)
{
    if (status == QMediaPlayer::EndOfMedia || status == QMediaPlayer::InvalidMedia)
        DoFinish();
}

void IntroMoviePage::DoMediaError(QMediaPlayer::Error error)
{
    qWarning().noquote() << "IntroMoviePage :: ERROR ---" << int(error);
    DoFinish();
}

void IntroMoviePage::DoFinish()
{
    if (m_finishing)
        return;
    m_finishing = true;
    StopPlayer();
    emit OnExitPageClick();
}

void IntroMoviePage::keyPress(QKeyEvent*)
{
    DoFinish();
}

void IntroMoviePage::mousePress(QMouseEvent*)
{
    DoFinish();
}
