#include "UnitSync.h"

#include <QByteArray>
#include <QDir>

#include <atomic>

namespace
{
// Only one library instance may be started at a time in a process. A flag rather than a mutex: the
// instance may be stopped by another thread than the one that started it, once that one has ended.
std::atomic<bool> g_started{false};

// Sets an environment variable for the lifetime of the object, then restores it.
class ScopedEnv final
{
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_wasSet;
    QByteArray m_old;
};
} // namespace

QString UnitSync::DefaultLibraryPath()
{
#ifdef Q_OS_WIN
    return QStringLiteral("unitsync.dll");
#else
    return QStringLiteral("/usr/lib/spring/libunitsync.so");
#endif
}

UnitSync::UnitSync(const QString& libraryPath) : m_library(libraryPath) {}

UnitSync::~UnitSync()
{
    // The library stays mapped: its static destructors don't cope with being unloaded and reloaded.
    UnInit();
}

template <typename Function>
bool UnitSync::Resolve(Function& function, const char* name, QString* error)
{
    function = reinterpret_cast<Function>(m_library.resolve(name));
    if (!function && error)
        *error = QStringLiteral("no export %1 in %2").arg(QLatin1String(name), m_library.fileName());
    return function != nullptr;
}

bool UnitSync::Load(QString* error)
{
    if (!m_library.isLoaded() && !m_library.load())
    {
        if (error)
            *error = m_library.errorString();
        return false;
    }
    return Resolve(m_getNextError, "GetNextError", error) && Resolve(m_init, "Init", error) &&
           Resolve(m_unInit, "UnInit", error) && Resolve(m_getMapCount, "GetMapCount", error) &&
           Resolve(m_getMapName, "GetMapName", error) &&
           Resolve(m_getMapInfoCount, "GetMapInfoCount", error) &&
           Resolve(m_getInfoKey, "GetInfoKey", error) && Resolve(m_getInfoType, "GetInfoType", error) &&
           Resolve(m_getInfoValueString, "GetInfoValueString", error) &&
           Resolve(m_getInfoValueInteger, "GetInfoValueInteger", error) &&
           Resolve(m_getInfoValueFloat, "GetInfoValueFloat", error) &&
           Resolve(m_getMinimap, "GetMinimap", error);
}

bool UnitSync::Init(const QStringList& dataDirs, QString* error)
{
    if (!m_init)
    {
        if (error)
            *error = QStringLiteral("library not loaded");
        return false;
    }
    UnInit();
    bool expected = false;
    if (!g_started.compare_exchange_strong(expected, true))
    {
        if (error)
            *error = QStringLiteral("the library is already in use");
        return false;
    }
    QStringList native;
    for (const QString& dir : dataDirs)
        native << QDir::toNativeSeparators(dir);
    // The library finds its folders through the environment and moves the process into the folder it
    // writes to; both are put back at once, since the rest of the program relies on them.
    const QString workingDir = QDir::currentPath();
    int result = 0;
    {
        ScopedEnv dataDir("SPRING_DATADIR", native.join(QDir::listSeparator()).toLocal8Bit());
        ScopedEnv writeDir("SPRING_WRITEDIR", native.value(0).toLocal8Bit());
        result = m_init(false, 0);
    }
    QDir::setCurrent(workingDir);
    const QString errors = TakeErrors();
    if (result == 0)
    {
        m_unInit();
        g_started = false;
        if (error)
            *error = errors.isEmpty() ? QStringLiteral("Init failed") : errors;
        return false;
    }
    m_initialized = true;
    return true;
}

void UnitSync::UnInit()
{
    if (!m_initialized)
        return;
    m_unInit();
    m_initialized = false;
    g_started = false;
}

QString UnitSync::TakeErrors()
{
    QStringList errors;
    // The queue is short; the bound guards against a library that never empties it.
    for (int i = 0; i < 100 && m_getNextError; ++i)
    {
        const char* text = m_getNextError();
        if (!text)
            break;
        errors << QString::fromUtf8(text);
    }
    return errors.join(QStringLiteral("; "));
}

QStringList UnitSync::MapNames()
{
    QStringList names;
    if (!m_initialized)
        return names;
    const int count = m_getMapCount();
    for (int i = 0; i < count; ++i)
        names << QString::fromUtf8(m_getMapName(i));
    return names;
}

int UnitSync::MapIndex(const QString& mapName)
{
    return MapNames().indexOf(mapName);
}

bool UnitSync::HasMap(const QString& mapName)
{
    // The library knows a map by its own name only: what it calls a map's archives are names too,
    // never file names.
    return !mapName.isEmpty() && MapNames().contains(mapName);
}

bool UnitSync::ReadMapInfo(const QString& mapName, MapInfo& info, QString* error)
{
    const int index = MapIndex(mapName);
    const int count = index < 0 ? -1 : m_getMapInfoCount(index);
    if (count < 0)
    {
        if (error)
            *error = index < 0 ? QStringLiteral("unknown map") : TakeErrors();
        return false;
    }
    info = MapInfo();
    info.name = mapName;
    for (int i = 0; i < count; ++i)
    {
        const QByteArray key = m_getInfoKey(i);
        const QByteArray type = m_getInfoType(i);
        if (type == "string" && key == "description")
            info.description = QString::fromUtf8(m_getInfoValueString(i));
        else if (type == "integer")
        {
            const int value = m_getInfoValueInteger(i);
            if (key == "width")
                info.width = value;
            else if (key == "height")
                info.height = value;
            else if (key == "minWind")
                info.minWind = value;
            else if (key == "maxWind")
                info.maxWind = value;
            else if (key == "tidalStrength")
                info.tidalStrength = value;
        }
        else if (type == "float" && key == "maxMetal")
            info.maxMetal = m_getInfoValueFloat(i);
    }
    return true;
}

QImage UnitSync::ReadMinimap(const QString& mapName, int mipLevel, QString* error)
{
    if (!m_initialized || mipLevel < 0 || mipLevel > 8)
    {
        if (error)
            *error = QStringLiteral("not started");
        return QImage();
    }
    const unsigned short* pixels = m_getMinimap(mapName.toUtf8().constData(), mipLevel);
    if (!pixels)
    {
        if (error)
            *error = TakeErrors();
        return QImage();
    }
    // 5-6-5 pixels in the library's own buffer, which the next call overwrites: copy at once.
    const int side = 1024 >> mipLevel;
    return QImage(reinterpret_cast<const uchar*>(pixels), side, side, side * 2, QImage::Format_RGB16)
        .convertToFormat(QImage::Format_RGB32);
}
