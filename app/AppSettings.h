#pragma once

// The settings groups. Their keys and the two files they live in: AppSettingsBase.h and
// AppSettingsFiles.h.
#include "AppSettingsBase.h"
#include "AppSettingsFiles.h"
#include "DataPlayer.h"
#include "Singleton.h"

#include <QColor>
#include <QMap>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class AppSettingsMain : public AppSettingsBase, public Singleton<AppSettingsMain>
{
    friend class Singleton<AppSettingsMain>;

public:
    int WindowState = 0;
    QPoint WindowPos = QPoint(-1, -1);
    QSize WindowSize = QSize(-1, -1);
    bool ShowIntroMovie = true;
    bool UseGamesDirSDD = false;
    QString CustomSyncFolder;
    QString LocaleName;
    // What the engines said their versions were, so that an unchanged engine is not started again
    // just to ask (see SyncManager::KnownEngineVersions).
    QStringList EngineVersions;

private:
    AppSettingsMain();
    ~AppSettingsMain() override;
};

class AppSettingsSound : public AppSettingsBase, public Singleton<AppSettingsSound>
{
    friend class Singleton<AppSettingsSound>;

public:
    int MusicVolume = 50;
    bool MusicMute = false;
    int SoundsVolume = 70;
    bool SoundsMute = false;
    int TauntsVolume = 60;
    bool TauntsMute = false;
    bool ButtonHoverMute = true;

private:
    AppSettingsSound();
    ~AppSettingsSound() override;
};

class AppSettingsSpringConnection : public AppSettingsBase, public Singleton<AppSettingsSpringConnection>
{
    friend class Singleton<AppSettingsSpringConnection>;

public:
    QString Login;
    QString Server;
    int Port = 8200;

private:
    AppSettingsSpringConnection();
    ~AppSettingsSpringConnection() override;
};

class AppSettingsSpringMyPersonal : public AppSettingsBase, public Singleton<AppSettingsSpringMyPersonal>
{
    friend class Singleton<AppSettingsSpringMyPersonal>;

public:
    bool IsAdmin = false;

private:
    AppSettingsSpringMyPersonal();
    ~AppSettingsSpringMyPersonal() override;
};

// Shared keys and codecs of the skirmish groups.
class AppSettingsSkirmish : public AppSettingsBase
{
public:
    static constexpr int AiSlots = 8;
    static constexpr int MaxRects = 64; // more teams than any battle has

    int TeamID = 0;
    QColor Color = QColor(0, 160, 255);
    int Side = 0;
    QString SavedMapName;
    QString SavedGameVersion;
    QString SavedEngineVersion;
    QString SavedMissionName;
    QString SavedStartPosition;
    int MapRectAreaSize = 20;
    QString Rects;
    QString AI[AiSlots];

    // The current game's defaults; not stored.
    QString DefaultMapName;
    QString DefaultGameVersion;
    QString DefaultEngineVersion;

    // "TEAM_ID=..|NAME_DLL=..|NAME_SHORT=..|SIDE_ID=..|SIDE_NAME=..|COLOR=.." to and from an AI.
    // Only a text with an AI kind (NAME_SHORT) reads back as an AI: an empty player's text, like
    // the empty text of earlier versions, reads as none.
    static QString AiToString(const DataPlayer& ai);
    static bool AiFromString(const QString& text, DataPlayer* ai);
    // "x,y,w,h|x,y,w,h|..." to and from boxes by team; the team is the box's position.
    static QString RectsToString(const QMap<int, QRect>& rects);
    static QMap<int, QRect> RectsFromString(const QString& text);

protected:
    explicit AppSettingsSkirmish(const QString& group);
};

class AppSettingsSkirmishCustom : public AppSettingsSkirmish, public Singleton<AppSettingsSkirmishCustom>
{
    friend class Singleton<AppSettingsSkirmishCustom>;

private:
    AppSettingsSkirmishCustom();
    ~AppSettingsSkirmishCustom() override;
};

class AppSettingsSkirmishQuick : public AppSettingsSkirmish, public Singleton<AppSettingsSkirmishQuick>
{
    friend class Singleton<AppSettingsSkirmishQuick>;

private:
    AppSettingsSkirmishQuick();
    ~AppSettingsSkirmishQuick() override;
};

class AppSettingsSpringTests : public AppSettingsBase, public Singleton<AppSettingsSpringTests>
{
    friend class Singleton<AppSettingsSpringTests>;

public:
    QString SavedEngineVersion;
    QString SavedGameVersion;

private:
    AppSettingsSpringTests();
    ~AppSettingsSpringTests() override;
};

// Creates every group (so each registers itself) — call once before AppSettings::Load.
void CreateAppSettingsGroups();
void DestroyAppSettingsGroups();
