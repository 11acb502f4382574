#pragma once

#include "Singleton.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// One row of the compiled-in game table.
struct GameDefinition
{
    QString namePattern;   // as the game names itself in replays and archives
    QString shortCode;     // picture folders, per-game data folder
    QString gameVersion;   // default game version
    QString engineVersion; // default engine version
    QString extrasVersion; // media files holding this text are extras, not music tracks
    QString defaultMap;
    QStringList sideNames;
    QString autohostPattern;
    QString webPath; // this game's folder on the web service
};

// Product constants and the selected row of the game table.
class AppDefines : public Singleton<AppDefines>
{
    Q_DECLARE_TR_FUNCTIONS(AppDefines)
    friend class Singleton<AppDefines>;

public:
    static const QList<GameDefinition>& GameTable();

    // Picks the row whose short code (or name pattern) matches, case-insensitively.
    // Returns false and keeps row 0 when nothing matches.
    bool SelectGame(const QString& codeOrName);
    void SelectGameIndex(int index);

    // Start-up choice: the command-line value, else the run-game file's content, else row 0.
    // `reason` says what was used, for the log.
    // `unknown` tells whether a name was given that matches no game.
    static int ChooseGameIndex(const QString& commandLineGame, const QString& runGameFileContent,
                               QString* reason = nullptr, bool* unknown = nullptr);
    static int FindGame(const QString& codeOrName);

    int GetGameIndex() const { return m_index; }
    const GameDefinition& GetGame() const { return GameTable().at(m_index); }
    QString GetShortCode() const { return GetGame().shortCode; }
    QString GetGameNamePattern() const { return GetGame().namePattern; }
    QString GetExtrasVersion() const { return GetGame().extrasVersion; }
    QString GetRelationsFileName() const;
    QStringList GetSideNames() const { return GetGame().sideNames; }

    static QString GetProductName() { return QStringLiteral("Quillmere"); }
    static QString GetLobbyVersion() { return QStringLiteral("0.1.0"); }
    // The Qt library the program runs with, which may differ from the one it was built with.
    static QString GetQtVersionText() { return QString::fromLatin1(qVersion()); }
    static QString GetRunGameFileName() { return QStringLiteral("run.game.txt"); }
    static QString GetWordYou() { return tr("YOU"); }

    static QString GetSteamServer() { return QStringLiteral("lobby.quillmere.org"); }
    static int GetSteamPort() { return 44044; }
    static QString GetSteamSalt() { return QStringLiteral("quillmere steam salt phrase"); }

    // Web service addresses; the base can be pointed at a test server.
    QString GetWebBaseAddress() const { return m_webBase; }
    void SetWebBaseAddress(const QString& address) { m_webBase = address; }
    QString GetWebApiAddress() const { return m_webBase + QStringLiteral("/api"); }
    QString GetWebExtrasAddress() const { return m_webBase + QStringLiteral("/extras/"); }
    QString GetWebGameAddress() const { return m_webBase + QLatin1Char('/') + GetGame().webPath; }

private:
    AppDefines();
    ~AppDefines() override;

    int m_index = 0;
    QString m_webBase;
};
