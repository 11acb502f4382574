#include "EngineSettingsHandler.h"

#include "AppSettings.h"
#include "Common.h"
#include "PathManager.h"
#include "StartActionsHandler.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMetaObject>

namespace
{
std::mutex g_screenMutex;
QSize g_screenSize;

const char* const PresetFiles[EngineSettingsHandler::PresetCount] = {
    "/minimal.txt", "/low.txt", "/medium.txt", "/high.txt", "/ultra.txt", "/safemode.txt"};

// Screens may only be asked on the GUI thread; elsewhere use the size it handed over.
QSize ScreenSizeForWorker()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (qobject_cast<QGuiApplication*>(app) && QThread::currentThread() == app->thread())
        return Common::GetScreenSize();
    std::lock_guard<std::mutex> lock(g_screenMutex);
    if (g_screenSize.isValid() && !g_screenSize.isEmpty())
        return g_screenSize;
    qDebug() << "EngineSettingsHandler :: NO screen size --- using 1024x768";
    return QSize(1024, 768);
}
} // namespace

void EngineSettingsHandler::SetScreenSize(const QSize& size)
{
    std::lock_guard<std::mutex> lock(g_screenMutex);
    g_screenSize = size;
}

void EngineSettingsHandler::AddStartAction()
{
    const QSize screen = Common::GetScreenSize();
    StartActionsHandler::Instance()->AddAction(
        QStringLiteral("EngineSettings"),
        [screen]
        {
            qDebug() << "StartActionsHandler :: Saves Engine Settings for Play and Replay";
            SetScreenSize(screen);
            Instance()->SaveSpringDataDirToConfig();
            Destroy();
        });
}

EngineSettingsHandler::EngineSettingsHandler()
{
    RegisterEngineSettingsMetaTypes();
    m_screenSize = ScreenSizeForWorker();
    const PathManager* paths = PathManager::Instance();
    m_presetDir = PathManager::GetEngineSettingsResourceDir();
    m_springDataDir = paths->GetSpringDataDir();
    m_customSyncFolder = AppSettingsMain::Instance()->CustomSyncFolder;
    m_playFile = paths->GetEngineSettingsFile(false);
    m_replayFile = paths->GetEngineSettingsFile(true);
    qDebug() << "Initialize :: EngineSettingsHandler";

    // Read before the thread starts, so GetPreset never sees a preset that is not there yet.
    {
        std::lock_guard<std::mutex> lock(m_presetsMutex);
        for (int i = 0; i < PresetCount; ++i)
        {
            m_presets[i] = NewRecord();
            ParseSettings(m_presets[i], m_presetDir + QLatin1String(PresetFiles[i]));
        }
    }
    StartWorker();
}

EngineSettingsHandler::~EngineSettingsHandler()
{
    qDebug() << "Destroy :: EngineSettingsHandler";
    StopWorker();
}

void EngineSettingsHandler::LoadEngineSettings(bool replay, bool noSignal)
{
    Queue("DoLoadEngineSettings", Q_ARG(bool, replay), Q_ARG(bool, noSignal));
}

void EngineSettingsHandler::SaveEngineSettings(const DataEngineSettings& es, bool replay, bool noSignal)
{
    Queue("DoSaveEngineSettings", Q_ARG(DataEngineSettings, es), Q_ARG(bool, replay), Q_ARG(bool, noSignal));
}

void EngineSettingsHandler::SaveSpringDataDirToConfig()
{
    InvokeBlocking("DoSaveSpringDataDirToConfig");
}

DataEngineSettings EngineSettingsHandler::GetPreset(int index) const
{
    if (index < 0 || index >= PresetSafeMode)
        index = PresetSafeMode;
    std::lock_guard<std::mutex> lock(m_presetsMutex);
    return m_presets[index];
}

bool EngineSettingsHandler::MatchesPreset(const DataEngineSettings& es, int index) const
{
    return GetPreset(index).SameGraphics(es);
}

void EngineSettingsHandler::DoInitialize()
{
    // The presets are read by the constructor; nothing else to prepare.
}

void EngineSettingsHandler::DoLoadEngineSettings(bool replay, bool no_signal)
{
    DataEngineSettings es = NewRecord();
    QString path;
    if (SelectSettingsFile(path, replay))
        ParseSettings(es, path);
    if (!no_signal)
        emit OnLoadEngineSettings(es);
}

void EngineSettingsHandler::DoSaveEngineSettings(DataEngineSettings es, bool replay, bool no_signal)
{
    QString error;
    const bool saved = SaveSettings(es, replay, &error);
    if (no_signal)
        return;
    if (!saved)
        emit OnSaveEngineSettingsError(error);
    emit OnSaveEngineSettings();
}

void EngineSettingsHandler::DoSaveSpringDataDirToConfig()
{
    // Parsing fills in the current SpringData and any missing key; saving writes them back and
    // keeps the keys the record does not know.
    for (const bool replay : {false, true})
    {
        DataEngineSettings es = NewRecord();
        QString path;
        if (SelectSettingsFile(path, replay) && ParseSettings(es, path))
            SaveSettings(es, replay);
    }
}

bool EngineSettingsHandler::ReadSettingsFile(const QString& path)
{
    return EngineSettingsFile::Read(path, m_values);
}

bool EngineSettingsHandler::ParseSettings(DataEngineSettings& es, const QString& path)
{
    if (!ReadSettingsFile(path))
        return false;
    es = EngineSettingsFile::ToRecord(
        m_values, m_screenSize, EngineSettingsFile::SpringDataFolders(m_springDataDir, m_customSyncFolder));
    return true;
}

bool EngineSettingsHandler::WriteSettingsFile(const QString& path, QString* error)
{
    return EngineSettingsFile::Write(path, m_values, error);
}

bool EngineSettingsHandler::SaveSettings(const DataEngineSettings& es, bool replay, QString* error)
{
    const QString path = replay ? m_replayFile : m_playFile;
    QByteArray raw;
    // A file that is not there yet, or was just set aside as damaged, starts empty; one that can
    // not be read is left alone.
    QString reason;
    const CommonIO::ReadStatus read = EngineSettingsFile::ReadFile(path, m_values, &raw, &reason);
    if (read == CommonIO::ReadStatus::Unreadable && error)
        *error = QStringLiteral("%1 can NOT be opened --- %2").arg(path, reason);
    bool saved = false;
    if (read != CommonIO::ReadStatus::Unreadable)
    {
        // What the rewrite would drop of a damaged file is kept, and its garbage is not carried on.
        const bool setAside =
            read == CommonIO::ReadStatus::Ok && EngineSettingsFile::SetAsideIfGarbage(path, raw, m_values);
        EngineSettingsFile::FromRecord(es, m_values);
        saved = WriteSettingsFile(path, &reason);
        if (!saved && error)
            *error = QStringLiteral("%1 can NOT be saved --- %2").arg(path, reason);
        // The player's file is not lost to a failed write.
        if (!saved && setAside && !QFileInfo::exists(path))
            QFile::rename(CommonIO::CorruptPath(path), path);
    }
    if (!QFileInfo::exists(path))
        qWarning().noquote() << "EngineSettingsHandler :: Engine Settings file does NOT exist" << path;
    if (!saved)
        qWarning().noquote() << "EngineSettingsHandler :: Engine Settings --- NOT saved" << path;
    return saved;
}

bool EngineSettingsHandler::CreateSettingsFile(const QString& path)
{
    const DataEngineSettings safeMode = GetPreset(PresetSafeMode);
    // Only the record's keys: the preset's own extras never reach a user file.
    m_values.clear();
    DataEngineSettings es = safeMode;
    es.SpringData = EngineSettingsFile::SpringDataFolders(m_springDataDir, m_customSyncFolder);
    EngineSettingsFile::FromRecord(es, m_values);
    return WriteSettingsFile(path);
}

bool EngineSettingsHandler::IsThere(const QString& path)
{
    // Reading sets a damaged file aside: then it is made anew like a missing one.
    EngineSettingsFile::Values values;
    const CommonIO::ReadStatus read = EngineSettingsFile::ReadFile(path, values);
    return read == CommonIO::ReadStatus::Ok || read == CommonIO::ReadStatus::Unreadable;
}

bool EngineSettingsHandler::SelectSettingsFile(QString& path, bool replay)
{
    if (!replay)
    {
        path = m_playFile;
        if (IsThere(path))
            return true;
        qDebug().noquote() << "EngineSettingsHandler :: PLAY Graphic Settings file does NOT exist" << path;
        qDebug().noquote() << "EngineSettingsHandler :: PLAY Graphic Settings --- Making new one" << path;
        return CreateSettingsFile(path);
    }

    path = m_replayFile;
    if (IsThere(path))
        return true;
    // The replay file starts as a copy of the play file, read with the same limits.
    EngineSettingsFile::Values values;
    QByteArray raw;
    const CommonIO::ReadStatus play = EngineSettingsFile::ReadFile(m_playFile, values, &raw);
    if (play != CommonIO::ReadStatus::Ok || !CommonIO::SaveFile(m_replayFile, raw))
    {
        qWarning().noquote() << "EngineSettingsHandler :: Can NOT copy Engine Settings file";
        qWarning().noquote() << "EngineSettingsHandler :: From" << m_playFile;
        qWarning().noquote() << "EngineSettingsHandler :: To  " << m_replayFile;
        // The play file may be fine (the replay side is what failed): never replace the user's.
        if (play == CommonIO::ReadStatus::Missing || play == CommonIO::ReadStatus::Damaged)
            CreateSettingsFile(m_playFile);
    }
    qDebug().noquote() << "EngineSettingsHandler :: REPLAY Graphic Settings file does NOT exist" << path;
    qDebug().noquote() << "EngineSettingsHandler :: REPLAY Graphic Settings --- Making new one" << path;
    return CreateSettingsFile(path);
}

DataEngineSettings EngineSettingsHandler::NewRecord() const
{
    DataEngineSettings es = DataEngineSettings::Defaults(m_screenSize);
    es.SpringData = EngineSettingsFile::SpringDataFolders(m_springDataDir, m_customSyncFolder);
    return es;
}
