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
// script is replaced before it is written, with a warning in the log: in values ";", "]]" and
// control characters other than tab; key and section names are made safe (SafeName), and a name
// that comes out empty is dropped with its value.
class StartScriptGenerator final
{
public:
    explicit StartScriptGenerator(const DataStartScript& record);

    QString Script() const { return m_script; }

    // Reasons the engine is sure to reject the generated script (empty when there are none):
    // no script at all, an AI whose owner is not a player, a player without a name, two players
    // with one name (as the engine reads them: blanks in front don't count), more than 251 players.
    QStringList LaunchProblems() const { return m_problems; }

    // The leaf's value as it is written: integers in decimal, doubles in the shortest form that
    // reads back to the same number, text as it is.
    static QString ValueText(const QVariant& value);
    // A value as it is written: ";" becomes ",", the second "]" of "]]" becomes ")", control
    // characters other than tab become blanks.
    static QString SafeValue(const QString& text);
    // A key or section name as it is written: brackets and braces become parentheses, "=" "-",
    // ";" ",", "." "_", control characters and blanks around it go and blanks inside become "_".
    static QString SafeName(const QString& name);

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
