#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

struct DataBattleOption
{
    QString key;
    QString value;
    QString name;
    QString description;
};

// The options section of a battle ("modoptions" unless said otherwise).
struct DataBattleOptions
{
    QString section = QStringLiteral("modoptions");
    QList<DataBattleOption> options;

    void SetValue(const QString& key, const QString& value);
    QString Value(const QString& key) const;
    bool Contains(const QString& key) const;
};

// A battle set up locally (skirmish, mission, test).
struct DataBattle
{
    QString hostIp = QStringLiteral("127.0.0.1");
    QString hostPort = QStringLiteral("8452");
    int battleId = 0;
    QString mapName;
    QString gameVersion;
    QString engineVersion;
    QString gameName;
    quint32 gameHash = 0;
    quint32 mapHash = 0;
    bool locked = false;
    bool hostedHere = false;
    DataBattleOptions options;
};

Q_DECLARE_METATYPE(DataBattle)
