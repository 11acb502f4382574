#pragma once

#include "DataStartScript.h"
#include "Singleton.h"

#include <QDateTime>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

// Starts the engine for a lobby battle (client script), a local skirmish (host script) or a
// replay, hides the unpacked ".sdd" game folders while it runs, and tells the program when it
// has started and stopped. At most one engine runs at a time. Lives on the GUI thread.
//
// A second launch while the engine runs is refused with a warning and leaves everything as it is.
// Any other launch that does not reach the engine (a script the engine is sure to refuse, a script
// file that can't be written, an engine that can't be started) logs why, gives the hidden folders
// back and emits OnSpringFailed, so no caller waits for a start that never comes.
class SpringLaunchManager : public QObject, public Singleton<SpringLaunchManager>
{
    Q_OBJECT
    friend class Singleton<SpringLaunchManager>;

public:
    void StartBattle(const DataStartScript& record);
    void StartSkirmish(const DataStartScript& record);
    void StartReplay(const QString& replayFile, const QString& engineVersion);

    // Writes the launch script file ("spring.start.script.txt" in the lobby's game data folder).
    bool WriteStartScript(const QString& text);
    bool IsRunning() const;

    // Renames every games sub-folder ending in ".sdd" to "<name>.useless", so that the engine
    // plays the packed games; RestoreDevGameFolders undoes it (only ".sdd.useless" folders).
    void HideDevGameFolders();
    void RestoreDevGameFolders();

    // The command line of the last launch as the log shows it.
    QString GetCommandLine() const { return m_commandLine; }
    QDateTime GetStartedAt() const { return m_startedAt; }
    QDateTime GetStoppedAt() const { return m_stoppedAt; }

signals:
    void OnReplayStarted(QString filePath);
    void OnReplayStopped(QString filePath);
    void OnBattleStarted();
    void OnBattleStopped();
    void OnSkirmishStarted();
    void OnSkirmishStopped();
    void OnSpringStarted();
    void OnSpringStopped();
    // A launch did not reach the engine; `reason` says why (for the log and the user).
    void OnSpringFailed(QString reason);

public slots:
    void DoStartedSpring();
    void DoStoppedSpring();

private slots:
    void DoProcessError(QProcess::ProcessError error);

private:
    SpringLaunchManager();
    ~SpringLaunchManager() override;

    void StartScripted(const DataStartScript& record, bool isSkirmish);
    void Start(const QString& file, const QString& engineVersion, bool isReplay, bool isSkirmish);
    void Fail(const QString& reason);
    bool RefuseWhileRunning();

    QProcess* m_process = nullptr;
    QString m_file;
    bool m_isReplay = false;
    bool m_isSkirmish = false;
    QDateTime m_startedAt;
    QDateTime m_stoppedAt;
    QString m_commandLine;
};
