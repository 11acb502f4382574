#pragma once

#include <QImage>
#include <QLibrary>
#include <QString>
#include <QStringList>

// The engine's unitsync library, loaded at run time and resolved export by export. Only the calls
// the lobby needs are bound. The library is not thread-safe: one thread owns an instance and makes
// every call; there is never more than one instance at a time.
class UnitSync final
{
public:
    // What a map's information says about it.
    struct MapInfo
    {
        QString name;
        QString description;
        int width = 0;  // map units
        int height = 0; // map units
        int minWind = 0;
        int maxWind = 0;
        int tidalStrength = 0;
        float maxMetal = 0.0f;
    };

    // Debian's /usr/lib/spring/libunitsync.so; "unitsync.dll" beside the engine on Windows.
    static QString DefaultLibraryPath();

    explicit UnitSync(const QString& libraryPath);
    ~UnitSync();
    UnitSync(const UnitSync&) = delete;
    UnitSync& operator=(const UnitSync&) = delete;

    // Loads the library and resolves every export; false with the reason when one is missing.
    bool Load(QString* error);
    // Starts the library on the given content folders (the first one is where it writes its own
    // cache and log). A second call starts it afresh, so newly installed maps are seen.
    bool Init(const QStringList& dataDirs, QString* error);
    void UnInit();
    bool IsInitialized() const { return m_initialized; }

    QStringList MapNames();
    // Whether the library knows a map of that name (the name the map gives itself).
    bool HasMap(const QString& mapName);
    bool ReadMapInfo(const QString& mapName, MapInfo& info, QString* error);
    // The minimap at a detail level (0 is 1024 x 1024, each level halves it); null on failure.
    QImage ReadMinimap(const QString& mapName, int mipLevel, QString* error);

private:
    template <typename Function>
    bool Resolve(Function& function, const char* name, QString* error);
    // Every error the library has queued since the last call, joined.
    QString TakeErrors();
    int MapIndex(const QString& mapName);

    QLibrary m_library;
    bool m_initialized = false;

    const char* (*m_getNextError)() = nullptr;
    int (*m_init)(bool isServer, int id) = nullptr;
    void (*m_unInit)() = nullptr;
    int (*m_getMapCount)() = nullptr;
    const char* (*m_getMapName)(int index) = nullptr;
    int (*m_getMapInfoCount)(int index) = nullptr;
    const char* (*m_getInfoKey)(int index) = nullptr;
    const char* (*m_getInfoType)(int index) = nullptr;
    const char* (*m_getInfoValueString)(int index) = nullptr;
    int (*m_getInfoValueInteger)(int index) = nullptr;
    float (*m_getInfoValueFloat)(int index) = nullptr;
    unsigned short* (*m_getMinimap)(const char* mapName, int mipLevel) = nullptr;
};
