#pragma once

#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QMetaType>
#include <QString>

// One player or AI of a battle.
class DataPlayer
{
    Q_DECLARE_TR_FUNCTIONS(DataPlayer)

public:
    DataPlayer();
    DataPlayer(const QString& name, bool isPlayer, bool isAi);

    QString id;
    QString name;
    QImage picture;
    QString country = QStringLiteral("XX");
    QString rank;
    QString password;
    QColor color = Qt::yellow;
    int side = -1;
    QString sideName;
    int allyTeam = 0;
    int team = 0;
    bool isBattleFounder = false;
    bool plays = true;
    bool spectator = false;
    bool isAi = false;
    bool inGame = false;
    bool synced = false;
    bool winner = false;
    int syncStatus = 0; // 0 unknown, 1 synced, 2 not synced
    QString syncText;
    QString aiKind;      // catalogue key, such as "AI: R.A.V."
    QString aiShortName; // the engine's name of the AI library
    QString aiOwner;     // the local player hosting the AI
    QString aiVersion;
    QString localTime; // "hh:mm"
    int platform = 0;  // 1 Linux, 2 Windows, 3 macOS

    // "r g b" as fractions with five decimals, as the start script wants it.
    QString GetRgbColorText() const;
    // Side name of the current game's side list; "NONE" when out of range.
    static QString GetSideName(int sideIndex);

    bool IsAiRav() const { return aiShortName.toLower().contains(QLatin1String("r.a.v.")); }
    bool IsAiSkitters() const { return aiShortName.toLower().contains(QLatin1String("skitter")); }
    bool IsAiMission() const { return aiShortName.toLower().contains(QLatin1String("mission")); }
    bool IsAiVeska() const { return aiShortName.toLower().contains(QLatin1String("v.e.s.k.a.")); }
    bool IsSynced() const { return isAi || synced; }
    void SetSyncStatus(int code, const QString& text);
    static QString SyncStatusWord(int code);
};

Q_DECLARE_METATYPE(DataPlayer)
