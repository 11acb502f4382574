#pragma once

#include "DataPlayer.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

// The AI players of one local battle, and the catalogue of AI kinds.
class AIHandler : public QObject
{
    Q_OBJECT

public:
    AIHandler();

    // Catalogue keys.
    static QString KindRav() { return QStringLiteral("AI: R.A.V."); }
    static QString KindSkitters() { return QStringLiteral("AI: SKITTERS"); }
    static QString KindMission() { return QStringLiteral("AI: MISSION"); }
    static QString KindVeska() { return QStringLiteral("AI: V.E.S.K.A."); }
    static QString KindCustom() { return QStringLiteral("AI: CUSTOM"); }

    // Adds a copy of `ai` under a name made unique from its owner's name.
    void AppendUnique(const DataPlayer& ai);
    void Remove(const QString& aiName);
    // Empties the roster without signals; the battle's leave signal tells the listeners.
    void Clear();
    bool Contains(const QString& name) const { return m_ais.contains(name); }
    int Count() const { return m_ais.size(); }
    DataPlayer GetAI(const QString& name) const;
    // In the order of adding.
    QList<DataPlayer> GetAIs() const;

    // The name `ai` gets when it is added next: "<owner> I" ... "<owner> X", "<owner> 11" ...
    void UniqueName(DataPlayer& ai) const;

    static DataPlayer MakeAI(const QString& kind, int level, int side);
    static DataPlayer MakeRavAI(int side);
    static DataPlayer MakeSkitterhiveAI(int level);
    static DataPlayer MakeMissionAI(int side);
    static DataPlayer MakeVeskaAI(int side);
    static DataPlayer MakeCustomAI(const QString& shortName, int side);

    static void SetAIDescription(DataPlayer& ai, const QString& kind, int level);
    static void SetDifficultyName(DataPlayer& ai, int level);
    static void SetMissionShortName(DataPlayer& ai);
    static void SetRavShortName(DataPlayer& ai);
    static QString SideName(int side);
    // The picture of the AI's kind, judged by its short name.
    static QImage PictureFor(const DataPlayer& ai);
    // The roman numerals up to ten, decimal numbers after that.
    static QString NumberSuffix(int n);

signals:
    void OnAppend(DataPlayer ai);
    void OnUpdate(DataPlayer ai);
    void OnRemove(DataPlayer ai);

public slots:
    void DoAppend(DataPlayer ai);
    void DoUpdate(DataPlayer ai);
    void DoRemove(QString aiName);

private:
    static DataPlayer MakeBase(const QString& kind, const QString& shortName, const QColor& color,
                               const QString& picture);
    static void SetSide(DataPlayer& ai, int side);

    QMap<QString, DataPlayer> m_ais;
    QMap<int, QString> m_order;
    DataPlayer m_dummyAi;
};
