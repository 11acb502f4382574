#pragma once

#include "Singleton.h"

#include <QMap>
#include <QMediaPlayer>
#include <QObject>
#include <QSet>
#include <functional>

// One request posted to the sound service (what a static function asked for).
struct SoundRequest
{
    SoundRequest(const QString& slotName, const QString& name = QString(), int volumeValue = -1,
                 int mediaType = -1)
        : slot(slotName), fileName(name), volume(volumeValue), type(mediaType)
    {
    }
    QString slot;     // the slot it invokes, such as "DoMediaPlay"
    QString fileName; // effect or track name, taunt file or theme path
    int volume = -1;
    int type = -1;
};

// All audio of the interface: three music players and one throw-away player per effect or taunt.
// Callers use the static functions from any thread; they only post queued calls, so the work runs
// on the GUI thread at the next turn of its event loop.
class SoundManager : public QObject, public Singleton<SoundManager>
{
    Q_OBJECT
    friend class Singleton<SoundManager>;

public:
    enum MediaType
    {
        MediaTaunt = 0,
        MediaEffect = 1
    };

    static void MediaPlay(const QString& fileName, int volume, int type);
    static void PlayButtonClick();
    static void PlayButtonHover();
    static void PlayButtonOff();
    static void PlayButtonOn();
    static void PlayDownloadFinished();
    static void PlayStart();
    static void PlayNewMessage();
    static void PlayPlayerJoined();
    static void PlayPlayerLeft();
    static void PlayRingMe();
    static void PlayTakePicture();
    static void PlaySoundFile(const QString& file);

    static void PlayMenuMusic();
    static void StopMenuMusic();
    static void PauseMenuMusic();
    static void PlayAboutMusic();
    static void StopAboutMusic();
    static void PlayMissionMusic(const QString& themePath);
    static void StopMissionMusic();

    static void SetMuteMusic(bool muted);
    static void SetMusicVolume(int value);
    static void SetMuteTaunts(bool muted);

    static void Reload();
    static void ReloadNow();
    static void DestroyInstance();

    // GUI thread only.
    static QString GetTrack(const QString& name);

    // Sees every request a static function posts (tests record them through it).
    using RequestHook = std::function<void(const SoundRequest&)>;
    static void SetRequestHook(RequestHook hook);

    // Throw-away players still alive, and how many were made and released since start.
    int ActivePlayers() const { return m_oneShots.size(); }
    int CreatedPlayers() const { return m_created; }
    int ReleasedPlayers() const { return m_released; }
    // A one-shot player that reports neither "stopped" nor an error is released after this long.
    void SetPlayerTimeout(int msecs) { m_playerTimeoutMs = msecs; }
    // The volume the last one-shot player was given.
    int LastVolume() const { return m_lastVolume; }

    // Null until their music first plays.
    QMediaPlayer* MenuPlayer() const { return m_menuPlayer; }
    QMediaPlayer* AboutPlayer() const { return m_aboutPlayer; }
    QMediaPlayer* MissionPlayer() const { return m_missionPlayer; }

public slots:
    void DoInitialize();
    void DoDestroy();
    void DoSetMusicVolume(int value);
    void DoMuteMusic(bool muted);
    void DoMenuPlay();
    void DoMenuStop();
    void DoMenuPause();
    void DoAboutPlay();
    void DoAboutStop();
    void DoMissionPlay(QString themePath);
    void DoMissionStop();
    void DoMediaPlay(QString fileName, int volume, int type);
    void DoMediaStoppedPlaying(QMediaPlayer::State state);
    void DoMediaError(QMediaPlayer::Error error);

private:
    SoundManager();
    ~SoundManager() override;

    // Posts a queued call of `slot` on the instance, creating the instance on the GUI thread first.
    template <typename... Args>
    static void Post(const SoundRequest& request, Args... args);

    // The player in that slot, made on first use with the music settings.
    QMediaPlayer* MusicPlayer(QMediaPlayer** player);
    void DeleteMusicPlayers();
    void LoadMusicLists();
    QString TauntPath(const QString& fileName) const;
    void ReleasePlayer(QMediaPlayer* player);

    QString m_tauntsDir;
    QString m_mediaDir;
    QString m_skipText;
    QMediaPlayer* m_menuPlayer = nullptr;
    QMediaPlayer* m_aboutPlayer = nullptr;
    QMediaPlayer* m_missionPlayer = nullptr;
    QMap<QString, QString> m_tracks;

    QSet<QMediaPlayer*> m_oneShots;
    int m_created = 0;
    int m_released = 0;
    int m_playerTimeoutMs = 120000;
    int m_lastVolume = -1;
};
