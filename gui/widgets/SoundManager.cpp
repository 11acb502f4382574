#include "SoundManager.h"

#include "AppDefines.h"
#include "AppSettings.h"
#include "PathManager.h"
#include "ThreadHandOff.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMetaEnum>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QUrl>

namespace
{
SoundManager::RequestHook& Hook()
{
    static SoundManager::RequestHook hook;
    return hook;
}

AppSettingsSound* Settings()
{
    return AppSettingsSound::Instance();
}

// The instance must be made on the GUI thread: its players and timers live there. A call from
// another thread hands the whole request over to the GUI thread instead of creating it here.
void RunOnGuiThread(std::function<void()> work)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        work();
    else
        ThreadHandOff::Post(app, std::move(work));
}
} // namespace

// ---- static requests ---------------------------------------------------------------------------

void SoundManager::SetRequestHook(RequestHook hook)
{
    Hook() = std::move(hook);
}

template <typename... Args>
void SoundManager::Post(const SoundRequest& request, Args... args)
{
    if (Hook())
        Hook()(request);
    const QByteArray slot = request.slot.toLatin1();
    RunOnGuiThread(
        [slot, args...]
        {
            SoundManager* sound = Instance();
            QMetaObject::invokeMethod(
                sound, slot.constData(), Qt::QueuedConnection,
                QArgument<std::decay_t<decltype(args)>>(
                    QMetaType::typeName(qMetaTypeId<std::decay_t<decltype(args)>>()), args)...);
        });
}

void SoundManager::MediaPlay(const QString& fileName, int volume, int type)
{
    Post(SoundRequest{QStringLiteral("DoMediaPlay"), fileName, volume, type}, fileName, volume, type);
}

void SoundManager::PlayButtonClick()
{
    MediaPlay(QStringLiteral("button.click"), -1, MediaEffect);
}

void SoundManager::PlayButtonHover()
{
    if (Settings()->ButtonHoverMute)
        return;
    MediaPlay(QStringLiteral("button.hover"), -1, MediaEffect);
}

void SoundManager::PlayButtonOff()
{
    MediaPlay(QStringLiteral("button.off"), -1, MediaEffect);
}

void SoundManager::PlayButtonOn()
{
    MediaPlay(QStringLiteral("button.on"), -1, MediaEffect);
}

void SoundManager::PlayDownloadFinished()
{
    MediaPlay(QStringLiteral("download.finished"), -1, MediaEffect);
}

void SoundManager::PlayStart()
{
    MediaPlay(QStringLiteral("start"), -1, MediaEffect);
}

void SoundManager::PlayNewMessage()
{
    MediaPlay(QStringLiteral("new.message"), -1, MediaEffect);
}

void SoundManager::PlayPlayerJoined()
{
    MediaPlay(QStringLiteral("player.joined"), -1, MediaEffect);
}

void SoundManager::PlayPlayerLeft()
{
    MediaPlay(QStringLiteral("player.left"), -1, MediaEffect);
}

void SoundManager::PlayRingMe()
{
    MediaPlay(QStringLiteral("ring.me"), -1, MediaEffect);
}

void SoundManager::PlayTakePicture()
{
    MediaPlay(QStringLiteral("take.picture"), -1, MediaEffect);
}

void SoundManager::PlaySoundFile(const QString& file)
{
    MediaPlay(file, Settings()->TauntsVolume, MediaTaunt);
}

void SoundManager::PlayMenuMusic()
{
    if (!Settings()->MusicMute)
        Post(SoundRequest{QStringLiteral("DoMenuPlay"), QStringLiteral("menu")});
}

void SoundManager::StopMenuMusic()
{
    Post(SoundRequest{QStringLiteral("DoMenuStop"), QStringLiteral("menu")});
}

void SoundManager::PauseMenuMusic()
{
    Post(SoundRequest{QStringLiteral("DoMenuPause"), QStringLiteral("menu")});
}

void SoundManager::PlayAboutMusic()
{
    if (!Settings()->MusicMute)
        Post(SoundRequest{QStringLiteral("DoAboutPlay"), QStringLiteral("about")});
}

void SoundManager::StopAboutMusic()
{
    Post(SoundRequest{QStringLiteral("DoAboutStop"), QStringLiteral("about")});
}

void SoundManager::PlayMissionMusic(const QString& themePath)
{
    if (!Settings()->MusicMute)
        Post(SoundRequest{QStringLiteral("DoMissionPlay"), themePath}, themePath);
}

void SoundManager::StopMissionMusic()
{
    Post(SoundRequest{QStringLiteral("DoMissionStop")});
}

void SoundManager::SetMuteMusic(bool muted)
{
    Settings()->MusicMute = muted;
    Post(SoundRequest{QStringLiteral("DoMuteMusic")}, muted);
}

void SoundManager::SetMusicVolume(int value)
{
    Settings()->MusicVolume = value;
    Post(SoundRequest{QStringLiteral("DoSetMusicVolume"), QString(), value}, value);
}

void SoundManager::SetMuteTaunts(bool muted)
{
    Settings()->TauntsMute = muted;
}

void SoundManager::Reload()
{
    Post(SoundRequest{QStringLiteral("DoDestroy")});
    Post(SoundRequest{QStringLiteral("DoInitialize")});
}

void SoundManager::ReloadNow()
{
    Post(SoundRequest{QStringLiteral("DoDestroy")});
    QCoreApplication::processEvents();
    Post(SoundRequest{QStringLiteral("DoInitialize")});
    QCoreApplication::processEvents();
}

void SoundManager::DestroyInstance()
{
    if (!Exists())
        return;
    Instance()->DeleteMusicPlayers();
    Destroy();
}

QString SoundManager::GetTrack(const QString& name)
{
    return Instance()->m_tracks.value(name);
}

// ---- the service -------------------------------------------------------------------------------

SoundManager::SoundManager()
{
    m_tauntsDir = PathManager::Instance()->GetTauntsDir();
    m_mediaDir = PathManager::Instance()->GetMediaDir();
    m_skipText = AppDefines::Instance()->GetExtrasVersion();
    qDebug().noquote() << "Initialize :: SoundManager";
    // The players are made at the first sound: the first one starts GStreamer, which costs memory
    // and time that a start without music has no use for.
    LoadMusicLists();
}

SoundManager::~SoundManager()
{
    DeleteMusicPlayers();
    const QSet<QMediaPlayer*> left = m_oneShots;
    for (QMediaPlayer* player : left)
        ReleasePlayer(player);
    qDebug().noquote() << "Destroy :: SoundManager";
}

QMediaPlayer* SoundManager::MusicPlayer(QMediaPlayer** player)
{
    if (!*player)
    {
        *player = new QMediaPlayer(nullptr, QMediaPlayer::StreamPlayback);
        (*player)->setVolume(Settings()->MusicVolume);
        // A player made after the user muted the music starts muted.
        (*player)->setMuted(Settings()->MusicMute);
    }
    return *player;
}

void SoundManager::DeleteMusicPlayers()
{
    for (QMediaPlayer** player : {&m_menuPlayer, &m_aboutPlayer, &m_missionPlayer})
    {
        if (*player)
        {
            (*player)->stop();
            delete *player;
            *player = nullptr;
        }
    }
}

void SoundManager::LoadMusicLists()
{
    m_tracks.clear();
    QDir dir(m_mediaDir);
    if (!dir.exists())
        return;
    const QStringList files = dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& file : files)
    {
        if (!m_skipText.isEmpty() && file.contains(m_skipText))
            continue;
        const int dot = file.lastIndexOf(QLatin1Char('.'));
        const QString name = dot < 0 ? file : file.left(dot);
        m_tracks.insert(name, m_mediaDir + QDir::separator() + file);
    }
}

void SoundManager::DoInitialize()
{
    LoadMusicLists();
}

void SoundManager::DoDestroy()
{
    DeleteMusicPlayers();
}

void SoundManager::DoSetMusicVolume(int value)
{
    for (QMediaPlayer* player : {m_menuPlayer, m_aboutPlayer, m_missionPlayer})
        if (player)
            player->setVolume(value);
}

void SoundManager::DoMuteMusic(bool muted)
{
    for (QMediaPlayer* player : {m_menuPlayer, m_aboutPlayer, m_missionPlayer})
        if (player)
            player->setMuted(muted);
}

void SoundManager::DoMenuPlay()
{
    if (m_menuPlayer && m_menuPlayer->state() == QMediaPlayer::PlayingState)
        return;
    const QString path = m_tracks.value(QStringLiteral("menu"));
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    MusicPlayer(&m_menuPlayer)->setMedia(QUrl::fromLocalFile(path));
    m_menuPlayer->play();
}

void SoundManager::DoMenuStop()
{
    if (m_menuPlayer)
        m_menuPlayer->stop();
}

void SoundManager::DoMenuPause()
{
    if (m_menuPlayer)
        m_menuPlayer->pause();
}

void SoundManager::DoAboutPlay()
{
    if (m_aboutPlayer && m_aboutPlayer->state() == QMediaPlayer::PlayingState)
        return;
    const QString path = m_tracks.value(QStringLiteral("about"));
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    MusicPlayer(&m_aboutPlayer)->setMedia(QUrl::fromLocalFile(path));
    m_aboutPlayer->play();
}

void SoundManager::DoAboutStop()
{
    if (m_aboutPlayer)
        m_aboutPlayer->stop();
}

void SoundManager::DoMissionPlay(QString themePath)
{
    if (m_missionPlayer && m_missionPlayer->state() == QMediaPlayer::PlayingState)
        return;
    MusicPlayer(&m_missionPlayer)->setMedia(QUrl::fromLocalFile(themePath));
    m_missionPlayer->play();
}

void SoundManager::DoMissionStop()
{
    if (m_missionPlayer)
        m_missionPlayer->stop();
}

QString SoundManager::TauntPath(const QString& fileName) const
{
    // A taunt list comes from downloaded packs: its file names must stay inside the taunts folder.
    const QString root = QDir::cleanPath(m_tauntsDir);
    const QString path = QDir::cleanPath(root + QLatin1Char('/') + fileName);
    if (QDir::isAbsolutePath(fileName) || !path.startsWith(root + QLatin1Char('/')))
    {
        qDebug().noquote() << "Sound :: Taunt file outside the taunts folder ---" << fileName;
        return QString();
    }
    return path;
}

void SoundManager::DoMediaPlay(QString fileName, int volume, int type)
{
    if (fileName.isEmpty())
        return;
    if ((type == MediaEffect && Settings()->SoundsMute) || (type == MediaTaunt && Settings()->TauntsMute))
        return;
    if (volume == -1)
        volume = Settings()->SoundsVolume;

    QString path;
    if (type == MediaEffect)
        path = m_tracks.value(fileName);
    else if (type == MediaTaunt)
        path = TauntPath(fileName);
    if (path.isEmpty())
        return;

    auto* player = new QMediaPlayer();
    m_oneShots.insert(player);
    ++m_created;
    player->setMedia(QUrl::fromLocalFile(path));
    player->setVolume(volume);
    m_lastVolume = volume;
    connect(player, &QMediaPlayer::stateChanged, this, &SoundManager::DoMediaStoppedPlaying,
            Qt::QueuedConnection);
    connect(player, QOverload<QMediaPlayer::Error>::of(&QMediaPlayer::error), this,
            &SoundManager::DoMediaError, Qt::QueuedConnection);
    // A player whose pipeline stalls would never report "stopped"; don't let it live for ever.
    QPointer<QMediaPlayer> guard(player);
    QTimer::singleShot(m_playerTimeoutMs, this,
                       [this, guard]
                       {
                           if (guard)
                               ReleasePlayer(guard.data());
                       });
    player->play();
}

void SoundManager::DoMediaStoppedPlaying(QMediaPlayer::State state)
{
    if (state != QMediaPlayer::StoppedState)
        return;
    // Queued: the sender may already be gone, so it is looked up, never dereferenced blindly.
    ReleasePlayer(static_cast<QMediaPlayer*>(sender()));
}

void SoundManager::DoMediaError(QMediaPlayer::Error error)
{
    const QMetaObject& metaObject = QMediaPlayer::staticMetaObject;
    const QMetaEnum meta = metaObject.enumerator(metaObject.indexOfEnumerator("Error"));
    const char* key = meta.valueToKey(error);
    qDebug().noquote() << "Sound :: Error"
                       << "QMediaPlayer"
                       << "::" << (key ? key : "UnknownError");
    // A failed player never plays to its end; release it now instead of leaking it.
    ReleasePlayer(static_cast<QMediaPlayer*>(sender()));
}

void SoundManager::ReleasePlayer(QMediaPlayer* player)
{
    if (!player || !m_oneShots.remove(player))
        return;
    ++m_released;
    player->disconnect(this);
    player->stop();
    player->deleteLater();
}
