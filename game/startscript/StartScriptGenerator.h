#pragma once

#include "DataStartScript.h"
#include "Variable.h"

#include <QHash>
#include <QString>
#include <QStringList>

// Turns one launch record into the engine's start script: the full host script when this
// program hosts the battle, the short client script when it joins one hosted elsewhere.
//
// Text format: "[name]" + "{" ... "}" sections and "key=value;" leaves, TAB-indented, children
// in ascending key order (plain UTF-16 comparison, so PLAYER10 sorts before PLAYER2).
// The format has no escaping, so what would end a value early or make the engine refuse the
// script (";", line breaks, "]]"; in key and section names also brackets, braces and "=") is
// replaced before it is written, with a warning in the log.
class StartScriptGenerator final
{
public:
    explicit StartScriptGenerator(const DataStartScript& record);

    QString Script() const { return m_script; }

    // Reasons the engine is sure to reject the generated script (empty when there are none):
    // no script at all, an AI whose owner is not a player, two players with one name.
    QStringList LaunchProblems() const { return m_problems; }

    // The leaf's value as it is written: integers in decimal, doubles in the shortest form that
    // reads back to the same number, text as it is.
    static QString ValueText(const QVariant& value);
    // Replaces what the format can't carry; `key` also loses "=".
    static QString SafeText(const QString& text, bool key = false);

private:
    void GenerateHostScript();
    void GenerateClientScript();
    void AddGameKeys();
    void AddPlayer(const DataPlayer& player, int number);
    void AddAi(const DataPlayer& ai, int number);
    int AddTeam(const DataPlayer& player, int leader);
    void Serialize(const QString& name, const Variable& node, int depth);

    DataStartScript m_record;
    QString m_script;
    Variable m_root;
    QHash<QString, int> m_playerNumbers;
    QHash<int, int> m_teamNumbers;
    QHash<int, int> m_allyNumbers;
    QStringList m_problems;
};
