#include "AppDefines.h"
#include "AppSettings.h"
#include "PathManager.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "helper_Sounds.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QtMath>
#include <thread>

namespace
{
bool CanPlay()
{
    QMediaPlayer probe;
    return probe.availability() == QMultimedia::Available;
}
} // namespace

class TestSoundManager : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_env.reset(new TestEnvironment());
        m_media = PathManager::Instance()->GetMediaDir();
        m_taunts = PathManager::Instance()->GetTauntsDir();
        QDir().mkpath(m_media);
        QDir().mkpath(m_taunts);
    }
    void cleanup()
    {
        SoundManager::DestroyInstance();
        m_env.reset();
    }

    // Settings changed before any music played reach the player made later.
    void MusicSettingsReachALaterPlayer()
    {
        SoundManager::SetMuteMusic(true);
        SoundManager::SetMusicVolume(12);
        QVERIFY(AppSettingsSound::Instance()->MusicMute);
        QCOMPARE(AppSettingsSound::Instance()->MusicVolume, 12);
        // The posted calls reach the players at the next turn of the event loop.
        QCoreApplication::processEvents();
        SoundManager* sound = SoundManager::Instance();
        QVERIFY(!sound->MenuPlayer() && !sound->AboutPlayer() && !sound->MissionPlayer());
        sound->DoMissionPlay("/x/theme.ogg");
        QCOMPARE(sound->MissionPlayer()->volume(), 12);
        QVERIFY(sound->MissionPlayer()->isMuted());
    }

    void StaticCallsNeverBlockOrRunInline()
    {
        SoundManager* sound = SoundManager::Instance();
        sound->DoMissionPlay("/x/theme.ogg");
        QSignalSpy volume(sound->MissionPlayer(), &QMediaPlayer::volumeChanged);
        SoundManager::SetMusicVolume(7);
        QCOMPARE(volume.count(), 0);
        QTRY_COMPARE(volume.count(), 1);
        QCOMPARE(sound->MissionPlayer()->volume(), 7);
    }

    void TrackList()
    {
        const QString skip = AppDefines::Instance()->GetExtrasVersion();
        WriteWav(m_media + "/button.click.wav", 50);
        WriteWav(m_media + "/menu.wav", 50);
        WriteWav(m_media + "/pack." + skip + ".wav", 50);
        QDir().mkpath(m_media + "/folder.wav");
        SoundManager::Instance();
        QVERIFY(m_env->LogContains("Initialize :: SoundManager"));
        QCOMPARE(SoundManager::GetTrack("button.click"), m_media + QDir::separator() + "button.click.wav");
        QCOMPARE(SoundManager::GetTrack("menu"), m_media + QDir::separator() + "menu.wav");
        QVERIFY(SoundManager::GetTrack(QStringLiteral("pack.") + skip).isEmpty());
        QVERIFY(SoundManager::GetTrack("folder").isEmpty());
        QVERIFY(SoundManager::GetTrack("nothing").isEmpty());

        // New files are found after a reload.
        WriteWav(m_media + "/about.wav", 50);
        QVERIFY(SoundManager::GetTrack("about").isEmpty());
        SoundManager::ReloadNow();
        QVERIFY(!SoundManager::GetTrack("about").isEmpty());

        SoundManager::DestroyInstance();
        QVERIFY(m_env->LogContains("Destroy :: SoundManager"));
    }

    void EffectsPlayAndPlayersAreReleased()
    {
        QM_REQUIRE(CanPlay(), "GStreamer playback");
        WriteWav(m_media + "/button.click.wav", 300);
        WriteWav(m_media + "/button.on.wav", 300);
        SoundManager* sound = SoundManager::Instance();
        SoundManager::PlayButtonClick();
        SoundManager::PlayButtonOn();
        QCOMPARE(sound->CreatedPlayers(), 0);
        QCoreApplication::processEvents();
        // Posted back to back: two players at the same time.
        QCOMPARE(sound->CreatedPlayers(), 2);
        QCOMPARE(sound->ActivePlayers(), 2);
        QCOMPARE(sound->LastVolume(), AppSettingsSound::Instance()->SoundsVolume);
        QTRY_COMPARE_WITH_TIMEOUT(sound->ActivePlayers(), 0, 10000);
        QCOMPARE(sound->ReleasedPlayers(), 2);
        QVERIFY(!m_env->LogContains("Sound :: Error"));

        // An unknown effect is silent: no player at all.
        SoundManager::MediaPlay("no.such.effect", -1, SoundManager::MediaEffect);
        SoundManager::MediaPlay(QString(), -1, SoundManager::MediaEffect);
        SoundManager::MediaPlay("button.click", -1, 7);
        QCoreApplication::processEvents();
        QCOMPARE(sound->CreatedPlayers(), 2);
    }

    void MutesAndVolumes()
    {
        QM_REQUIRE(CanPlay(), "GStreamer playback");
        WriteWav(m_media + "/button.click.wav", 100);
        WriteWav(m_taunts + "/gg.wav", 100);
        AppSettingsSound* settings = AppSettingsSound::Instance();
        SoundManager* sound = SoundManager::Instance();

        settings->SoundsMute = true;
        SoundManager::PlayButtonClick();
        QCoreApplication::processEvents();
        QCOMPARE(sound->CreatedPlayers(), 0);
        // Taunts still play while effects are muted, at the taunt volume...
        settings->TauntsVolume = 41;
        SoundManager::PlaySoundFile("gg.wav");
        QCoreApplication::processEvents();
        QCOMPARE(sound->CreatedPlayers(), 1);
        QCOMPARE(sound->LastVolume(), 41);
        // ...and at the effects volume when asked with the default volume.
        settings->SoundsVolume = 23;
        SoundManager::MediaPlay("gg.wav", -1, SoundManager::MediaTaunt);
        QCoreApplication::processEvents();
        QCOMPARE(sound->CreatedPlayers(), 2);
        QCOMPARE(sound->LastVolume(), 23);

        settings->TauntsMute = true;
        SoundManager::PlaySoundFile("gg.wav");
        QCoreApplication::processEvents();
        QCOMPARE(sound->CreatedPlayers(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(sound->ActivePlayers(), 0, 10000);
    }

    void BrokenFileLogsOneErrorAndIsReleased()
    {
        QM_REQUIRE(CanPlay(), "GStreamer playback");
        QVERIFY(TestFiles::Write(m_media + "/button.off.wav", QByteArray(4096, '\x5a')));
        SoundManager* sound = SoundManager::Instance();
        SoundManager::PlayButtonOff();
        QTRY_COMPARE_WITH_TIMEOUT(sound->ReleasedPlayers(), 1, 10000);
        QCOMPARE(sound->ActivePlayers(), 0);
        QTest::qWait(100);
        int errors = 0;
        for (const QString& line : m_env->LogLines())
            errors += line.contains(QRegularExpression("Sound :: Error QMediaPlayer :: [A-Za-z]+Error$"));
        QCOMPARE(errors, 1);
    }

    void ErrorLine_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("line");
        QTest::newRow("resource") << int(QMediaPlayer::ResourceError)
                                  << "Sound :: Error QMediaPlayer :: ResourceError";
        QTest::newRow("format") << int(QMediaPlayer::FormatError)
                                << "Sound :: Error QMediaPlayer :: FormatError";
        QTest::newRow("no such value") << 99 << "Sound :: Error QMediaPlayer :: UnknownError";
    }

    void ErrorLine()
    {
        QFETCH(int, error);
        QFETCH(QString, line);
        SoundManager::Instance()->DoMediaError(QMediaPlayer::Error(error));
        QVERIFY(m_env->LogLines().contains(line));
    }

    void StalledPlayersAreReleasedByTimeout()
    {
        QM_REQUIRE(CanPlay(), "GStreamer playback");
        WriteWav(m_media + "/ring.me.wav", 2000);
        SoundManager* sound = SoundManager::Instance();
        sound->SetPlayerTimeout(0);
        SoundManager::PlayRingMe();
        QTRY_COMPARE_WITH_TIMEOUT(sound->ReleasedPlayers(), 1, 10000);
        QCOMPARE(sound->ActivePlayers(), 0);
        // Whatever it reports later does not release it twice.
        QTest::qWait(200);
        QCOMPARE(sound->ReleasedPlayers(), 1);
    }

    void TauntsStayInsideTheirFolder()
    {
        QM_REQUIRE(CanPlay(), "GStreamer playback");
        WriteWav(m_env->Path("outside.wav"), 50);
        WriteWav(m_taunts + "/inside.wav", 50);
        SoundManager* sound = SoundManager::Instance();
        for (const QString& name : {QStringLiteral("../../../outside.wav"), m_env->Path("outside.wav"),
                                    QStringLiteral("sub/../../lobby2/x.wav")})
            SoundManager::PlaySoundFile(name);
        QCoreApplication::processEvents();
        QCOMPARE(sound->CreatedPlayers(), 0);
        QVERIFY(m_env->LogContains("Sound :: Taunt file outside the taunts folder --- ../../../outside.wav"));
        SoundManager::PlaySoundFile("./sub/../inside.wav");
        QCoreApplication::processEvents();
        QCOMPARE(sound->CreatedPlayers(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(sound->ActivePlayers(), 0, 10000);
    }

    void MenuMusic()
    {
        SoundManager* sound = SoundManager::Instance();
        // No "menu" file: silent, no error, and no player started for nothing.
        sound->DoMenuPlay();
        QVERIFY(!sound->MenuPlayer());
        QVERIFY(!m_env->LogContains("Sound :: Error"));

        QM_REQUIRE(CanPlay(), "GStreamer playback");
        WriteWav(m_media + "/menu.wav", 3000);
        SoundManager::ReloadNow();
        sound->DoMenuPlay();
        QVERIFY(sound->MenuPlayer());
        QCOMPARE(sound->MenuPlayer()->state(), QMediaPlayer::PlayingState);
        // A second play keeps the running track instead of starting it again.
        QSignalSpy media(sound->MenuPlayer(), &QMediaPlayer::mediaChanged);
        sound->DoMenuPlay();
        QCOMPARE(media.count(), 0);
        sound->DoMenuPause();
        QCOMPARE(sound->MenuPlayer()->state(), QMediaPlayer::PausedState);
        sound->DoMenuStop();
        QCOMPARE(sound->MenuPlayer()->state(), QMediaPlayer::StoppedState);

        // The mission theme is played from wherever the caller says, unchecked.
        sound->DoMissionPlay(m_media + "/menu.wav");
        QCOMPARE(sound->MissionPlayer()->state(), QMediaPlayer::PlayingState);
        sound->DoMissionStop();
        QCOMPARE(sound->MissionPlayer()->state(), QMediaPlayer::StoppedState);
    }

    void CallsFromOtherThreadsCreateTheServiceOnTheGuiThread()
    {
        QVERIFY(!SoundManager::Exists());
        SoundRecorder sounds;
        std::thread worker(
            []
            {
                SoundManager::PlayButtonClick();
                SoundManager::PlayMenuMusic();
            });
        worker.join();
        QCOMPARE(sounds.Played(), QStringList{QStringLiteral("button.click")});
        // Nothing was made on the worker; the GUI thread makes it on its next turn.
        QTRY_VERIFY(SoundManager::Exists());
        QCOMPARE(SoundManager::Instance()->thread(), QCoreApplication::instance()->thread());
    }

private:
    QScopedPointer<TestEnvironment> m_env;
    QString m_media;
    QString m_taunts;
};

QTEST_MAIN(TestSoundManager)
#include "tst_SoundManager.moc"
