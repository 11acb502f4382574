#pragma once

#include "DataPlayer.h"
#include "Singleton.h"

#include <QColor>
#include <QDebug>
#include <QHash>
#include <QList>
#include <QMap>
#include <QPoint>
#include <QRect>
#include <QSettings>
#include <QSize>
#include <QString>
#include <QVariant>
#include <memory>

// One key of a settings group, bound to a member of the group.
class IAppSettingsParam
{
public:
    virtual ~IAppSettingsParam() = default;
    virtual QString Key() const = 0;
    // False when the stored value was unusable (and the default was taken).
    virtual bool Load(const QSettings& settings) = 0;
    virtual void Save(QSettings& settings) const = 0;
    virtual void Reset() = 0;
    // The value as it is written.
    virtual QVariant Stored() const = 0;
};

// The member's value at registration is the key's default.
template <typename T>
class AppSettingsParam : public IAppSettingsParam
{
public:
    AppSettingsParam(const QString& key, T& value) : m_key(key), m_value(value), m_default(value) {}

    QString Key() const override { return m_key; }
    const T& Default() const { return m_default; }

    bool Load(const QSettings& settings) override
    {
        QVariant stored = settings.value(m_key);
        if (!stored.isValid())
        {
            m_value = m_default;
            return true;
        }
        if (ToValue(stored, &m_value))
            return true;
        qWarning().noquote() << "AppSettings :: BAD VALUE ---" << settings.group() + QLatin1Char('/') + m_key
                             << "--- default used";
        m_value = m_default;
        return false;
    }

    void Save(QSettings& settings) const override { settings.setValue(m_key, FromValue(m_value)); }
    void Reset() override { m_value = m_default; }
    QVariant Stored() const override { return FromValue(m_value); }

private:
    template <typename U>
    static bool ToValue(QVariant stored, U* value)
    {
        if (stored.userType() != qMetaTypeId<U>() && !stored.convert(qMetaTypeId<U>()))
            return false;
        *value = stored.value<U>();
        return true;
    }
    // Colours are stored as readable "#aarrggbb" text.
    static bool ToValue(QVariant stored, QColor* value)
    {
        const QColor color =
            stored.userType() == QMetaType::QColor ? stored.value<QColor>() : QColor(stored.toString());
        if (!color.isValid())
            return false;
        *value = color;
        return true;
    }
    template <typename U>
    static QVariant FromValue(const U& value)
    {
        return QVariant::fromValue(value);
    }
    static QVariant FromValue(const QColor& value) { return value.name(QColor::HexArgb); }

    QString m_key;
    T& m_value;
    T m_default;
};

// A settings group: an INI group and its keys.
class AppSettingsBase
{
public:
    enum class File
    {
        Lobby, // "/lobby.settings.txt" in the lobby data folder
        Game   // "/lobby.settings.game.txt" in the lobby game data folder
    };

    AppSettingsBase(const QString& group, File file);
    virtual ~AppSettingsBase();

    QString GetGroup() const { return m_group; }
    File GetFile() const { return m_file; }
    QStringList GetKeys() const;

    // False when a stored value was unusable.
    bool Load(QSettings& settings);
    void Save(QSettings& settings) const;
    void ResetToDefaults();
    // Every key with the value it is written as.
    QVariantMap Values() const;

protected:
    template <typename T>
    void Register(const QString& key, T& member)
    {
        m_params.emplace_back(std::make_unique<AppSettingsParam<T>>(key, member));
    }

private:
    QString m_group;
    File m_file;
    std::vector<std::unique_ptr<IAppSettingsParam>> m_params;
};

// Owns the list of groups and the two INI files.
class AppSettings : public Singleton<AppSettings>
{
    friend class Singleton<AppSettings>;

public:
    void Register(AppSettingsBase* group);
    void Unregister(AppSettingsBase* group);

    // Points the two files somewhere (tests); Load uses the PathManager files otherwise.
    void SetFiles(const QString& lobbyFile, const QString& gameFile);
    QString GetFilePath(AppSettingsBase::File file) const;

    // Reads every registered group. A corrupt file (one QSettings cannot parse, or one holding NUL
    // bytes) is logged and kept aside as "<file>.corrupt" so the user's data is not lost; it and an
    // unreadable file give the defaults.
    void Load();
    // Each file is replaced in one atomic write holding all its groups; keys and groups of the
    // file that are not ours survive. Only a real failure is logged.
    void SaveAll();
    // Writes that group's file the same way, with only this group's values changed.
    static void Save(AppSettingsBase* group);

private:
    AppSettings();
    ~AppSettings() override;

    enum class FileState
    {
        Missing,
        Readable,
        Unreadable,
        Corrupt
    };
    static FileState Inspect(const QString& path, QByteArray* content);
    bool WriteFile(AppSettingsBase::File file, const QList<AppSettingsBase*>& groups);
    static void KeepCorruptCopy(const QString& path);

    QList<AppSettingsBase*> m_groups;
    // Each group's values as last read from or written to its file: a group that has not changed
    // since is not written again.
    QHash<AppSettingsBase*, QVariantMap> m_inFile;
    QString m_lobbyFile;
    QString m_gameFile;
};

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
