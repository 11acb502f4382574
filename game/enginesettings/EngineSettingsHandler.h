#pragma once

#include "DataEngineSettings.h"
#include "EngineSettingsFile.h"
#include "Singleton.h"
#include "WorkerThread.h"

#include <QSize>
#include <QString>
#include <array>
#include <mutex>

// Owns the play and replay engine config files and the six graphics presets. File work runs on
// the worker's own thread; results come back through queued signals.
class EngineSettingsHandler final : public WorkerThread, public Singleton<EngineSettingsHandler>
{
    Q_OBJECT
    friend class Singleton<EngineSettingsHandler>;

public:
    enum Preset
    {
        PresetMinimal = 0,
        PresetLow,
        PresetMedium,
        PresetHigh,
        PresetUltra,
        PresetSafeMode,
        PresetCount
    };

    // The screen size a worker made off the GUI thread uses; read it on the GUI thread and hand
    // it over before the worker is created there.
    static void SetScreenSize(const QSize& size);
    // Adds the start-up refresh of both files to StartActionsHandler. Call on the GUI thread.
    static void AddStartAction();

    // Queued: loads the play or replay file and emits OnLoadEngineSettings unless noSignal.
    void LoadEngineSettings(bool replay, bool noSignal);
    // Queued: saves into the play or replay file and, unless noSignal, emits OnSaveEngineSettings
    // (after OnSaveEngineSettingsError when the save failed).
    void SaveEngineSettings(const DataEngineSettings& es, bool replay, bool noSignal);
    // Blocking: writes the current engine data folder into both files. Never from the worker.
    void SaveSpringDataDirToConfig();

    // Any thread. Indices 0..4 are the graphics presets; anything else gives safe mode.
    DataEngineSettings GetPreset(int index) const;
    bool MatchesPreset(const DataEngineSettings& es, int index) const;

    QString PlayFile() const { return m_playFile; }
    QString ReplayFile() const { return m_replayFile; }

signals:
    void OnLoadEngineSettings(DataEngineSettings es);
    // A save has ended, whether or not it succeeded.
    void OnSaveEngineSettings();
    // A save failed, and why (the file and what went wrong); emitted just before its
    // OnSaveEngineSettings.
    void OnSaveEngineSettingsError(QString reason);

public slots:
    void DoInitialize();
    void DoLoadEngineSettings(bool replay, bool no_signal);
    void DoSaveEngineSettings(DataEngineSettings es, bool replay, bool no_signal);
    void DoSaveSpringDataDirToConfig();

private:
    EngineSettingsHandler();
    ~EngineSettingsHandler() override;

    bool ReadSettingsFile(const QString& path);
    bool ParseSettings(DataEngineSettings& es, const QString& path);
    bool WriteSettingsFile(const QString& path, QString* error = nullptr);
    bool SaveSettings(const DataEngineSettings& es, bool replay, QString* error = nullptr);
    bool CreateSettingsFile(const QString& path);
    bool SelectSettingsFile(QString& path, bool replay);
    static bool IsThere(const QString& path);
    DataEngineSettings NewRecord() const;

    QSize m_screenSize;
    QString m_presetDir;
    QString m_springDataDir;
    QString m_customSyncFolder;
    QString m_playFile;
    QString m_replayFile;
    EngineSettingsFile::Values m_values;

    // A std::mutex, so that race checkers see the lock.
    mutable std::mutex m_presetsMutex;
    std::array<DataEngineSettings, PresetCount> m_presets;
};
