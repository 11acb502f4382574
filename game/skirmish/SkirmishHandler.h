#pragma once

#include "AIHandler.h"
#include "DataBattle.h"
#include "DataPlayer.h"

#include <QColor>
#include <QList>
#include <QMap>
#include <QObject>
#include <QRect>
#include <QString>

class AppSettingsSkirmish;

// One local battle being set up: Me, the other players, the AIs, map, game, engine, options,
// start boxes. The modes decide how a battle is joined and left.
class SkirmishHandler : public QObject
{
    Q_OBJECT

public:
    SkirmishHandler();
    ~SkirmishHandler() override;

    virtual void JoinBattle() = 0;
    virtual void LeaveBattle() = 0;
    virtual bool IsAILimitReached() const = 0;

    // Queues DoStartBattle, so a start asked for from a signal handler runs after the event.
    // OnGameStart is followed by OnSkirmishStopped when the engine ran, or by OnStartBattleError
    // when it never started; the battle then stays as it was and can be started again.
    void StartBattle();
    // Between OnGameStart and the engine's start or failure.
    bool IsStarting() const { return m_starting; }

    bool IsJoined() const { return m_joined != 0; }
    const DataBattle& Battle() const { return m_battle; }
    QString MeKey() const { return m_meKey; }
    DataPlayer& GetMe();
    DataPlayer PlayerData(const QString& name);
    QList<DataPlayer> Players() const { return m_players.values(); }
    AIHandler* AIs() const { return m_ais; }

    void AppendAI(DataPlayer ai, bool assignTeam);
    void RemoveAI(const QString& name);
    void UpdateAI(const DataPlayer& ai);

    void SetMyColor(const QColor& color);
    void SetMySide(int side, const QString& sideName);
    void SetMyTeam(int team, bool silent = false);

    void SetMapName(const QString& mapName);
    void SetGameVersion(const QString& gameVersion);
    void SetEngineVersion(const QString& engineVersion);
    QString MapName() const { return m_battle.mapName; }
    QString GameVersion() const { return m_battle.gameVersion; }
    QString EngineVersion() const { return m_battle.engineVersion; }

    QString MissionName() const;
    void SetMissionName(const QString& name);
    void ClearMissionName();

    QString StartPosType() const { return m_startPosType; }
    // Takes a start-position number ("0" fixed, "1" random, "2" choose in game, ...); anything
    // else is refused with a warning, so the script never gets an empty value.
    void SetStartPosType(const QString& type);

    QMap<int, QRect> StartRects() const { return m_startRects; }
    // Refuses boxes that leave the 0..100 square.
    void AppendRect(int team, const QRect& rect);
    void SetStartRects(const QList<QRect>& rects);
    void ApplyStartRectsLayout(int layout, int percent);

    static QRect Area() { return QRect(0, 0, 101, 101); }
    static QList<QRect> makeStartRectsTopBottom(int percent);
    static QList<QRect> makeStartRectsLeftRight(int percent);
    static QList<QRect> makeStartRectsCorners(int percent);
    static QList<QRect> makeStartRectsEdges(int percent);
    static QList<QRect> MakeStartRectsLayout(int layout, int percent);

    // The game that row `gameIndex` of the game table plays against by default.
    static DataPlayer DefaultAI(int gameIndex, int side);
    // The content index's entry for a game version: what the script names as GameType.
    static QString GameEntry(const QString& gameVersion);

signals:
    void OnJoin();
    void OnLeave();
    void OnSkirmishStopped();
    void OnGameStart();
    void OnMeChanged(DataPlayer me);
    void OnPlayerJoined(DataPlayer player);
    void OnPlayerChanged(DataPlayer player);
    void OnPlayerLeft(DataPlayer name);
    void OnMapChanged(QString mapName);
    void OnAppendStartRect(int teamID, QRect rect);
    void OnRemoveStartRect(int teamID);
    // A start that cannot work (no map, game or engine) is refused with the reason; so is a start
    // that the launcher could not carry out (no engine file, one that can't be run, a script the
    // engine would refuse).
    void OnStartBattleError(QString reason);

public slots:
    void DoStartBattle();
    // From the start-box editor: the box is clipped to the map.
    void DoAppendRect(int teamID, QRect rect);
    void DoRemoveRect(int teamID);
    void DoGameStopped();

protected:
    // The settings group in which this mode remembers Me's colour and side; none by default,
    // so that missions and tests never change what the skirmish pages saved.
    virtual AppSettingsSkirmish* MySettings() const { return nullptr; }

    // Common parts of every mode's join and leave.
    DataPlayer& JoinMe();
    void ResetBattle();
    // Why the battle cannot be played, or empty when it can.
    QString UnplayableReason() const;

    int m_joined = 0;
    DataBattle m_battle;
    QMap<QString, DataPlayer> m_players;
    QMap<int, QRect> m_startRects;
    QString m_startPosType = QStringLiteral("2");
    AIHandler* m_ais;
    DataPlayer m_dummyPlayer;
    DataPlayer m_dummyAi;
    QString m_meKey;

private slots:
    void DoSpringFailed(const QString& reason);

private:
    void StoreAndAnnounceMe();
    void InsertRect(int team, const QRect& rect);

    bool m_starting = false;
};
