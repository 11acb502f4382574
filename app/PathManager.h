#pragma once

#include "Singleton.h"

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Every folder and file name the program uses, resolved once at start-up.
class PathManager : public Singleton<PathManager>
{
    friend class Singleton<PathManager>;

public:
    // Resolves every path from the engine data folder and the selected game's short code and
    // creates the folders the lobby writes to. An empty springDataDir uses the platform default.
    void Initialize(const QString& springDataDir, const QString& gameShortCode);

    // Platform default engine data folder: SPRING_WRITEDIR when set; on Linux
    // $HOME/.config/spring, or $HOME/.spring where only that one exists.
    static QString DefaultSpringDataDir();
    // "<date>_<time>_gamelobby.log": the log file name of a run started at `start`; a later copy
    // started in the same second gets "<date>_<time>_<copy + 1>_gamelobby.log".
    static QString LogFileName(const QDateTime& start, int copy = 0);
    // The log file start-up opened before the paths were resolved (one name per run).
    void SetLobbyLogFile(const QString& filePath) { m_lobbyLogFile = filePath; }

    QString GetSpringDataDir() const { return m_springDataDir; }
    QString GetLobbyDataDir() const { return m_lobbyDataDir; }
    QString GetLobbyGameDataDir() const { return m_lobbyGameDataDir; }
    QString GetGamesDir() const { return m_springDataDir + QStringLiteral("/games"); }
    QString GetMapsDir() const { return m_springDataDir + QStringLiteral("/maps"); }
    QString GetEnginesDir() const { return m_springDataDir + QStringLiteral("/engines"); }
    QString GetReplaysDir() const { return m_springDataDir + QStringLiteral("/demos"); }
    QString GetEngineScreenshotsDir() const { return m_springDataDir + QStringLiteral("/screenshots"); }
    QString GetTauntsDir() const { return m_springDataDir + QStringLiteral("/LuaUI/Taunts/lobby"); }
    QString GetMediaDir() const { return m_lobbyGameDataDir + QStringLiteral("/media"); }
    QString GetTempDir() const { return m_lobbyGameDataDir + QStringLiteral("/temp"); }
    QString GetCampaignMissionsDir() const
    {
        return m_lobbyGameDataDir + QStringLiteral("/missions.campaign");
    }
    QString GetTutorialMissionsDir() const
    {
        return m_lobbyGameDataDir + QStringLiteral("/missions.tutorial");
    }
    QString GetLobbyLogsDir() const { return m_lobbyDataDir + QStringLiteral("/_logs"); }
    QString GetLobbyLogFile() const { return m_lobbyLogFile; }
    // "/infolog.txt" in the custom sync folder when it is set, else in the engine data folder.
    QString GetEngineLogFile() const;
    QString GetGameScreenshotFile() const { return m_lobbyDataDir + QStringLiteral("/screenshot.game.jpeg"); }
    QString GetLobbyScreenshotFile() const
    {
        return m_lobbyDataDir + QStringLiteral("/screenshot.lobby.jpeg");
    }
    QString GetLobbySettingsFile() const { return m_lobbyDataDir + QStringLiteral("/lobby.settings.txt"); }
    QString GetLobbyGameSettingsFile() const
    {
        return m_lobbyGameDataDir + QStringLiteral("/lobby.settings.game.txt");
    }
    QString GetRunGameFile() const { return m_lobbyDataDir + QStringLiteral("/run.game.txt"); }
    QString GetEngineSettingsFile(bool replay) const;
    static QString GetEngineSettingsResourceDir() { return QStringLiteral(":/EngineSettings"); }
    QString GetLaunchScriptFile() const
    {
        return m_lobbyGameDataDir + QStringLiteral("/spring.start.script.txt");
    }
    QString GetReplayCacheFile(int version) const;
    // The user's own AI list of the selected game.
    QString GetCustomAIFile() const { return m_lobbyGameDataDir + QStringLiteral("/game.AIs.txt"); }
    // The folders the program saves its own files into, each with the names of those files
    // (wildcards for families of them): where a save cut short may have left a temporary copy.
    QList<QPair<QString, QStringList>> GetSavedFiles() const;
    // Minimap cache files, one per map; shared by every game.
    QString GetMinimapCacheDir() const { return m_lobbyDataDir + QStringLiteral("/minimaps"); }
    QString GetProgramDir() const;

private:
    PathManager();
    ~PathManager() override;

    QString m_springDataDir;
    QString m_lobbyDataDir;
    QString m_lobbyGameDataDir;
    QString m_lobbyLogFile;
};
