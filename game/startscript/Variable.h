#pragma once

#include <QHash>
#include <QMetaType>
#include <QString>
#include <QVariant>

class Variable;

// Children of a section by name; case-sensitive, no order of its own.
using VariableHash = QHash<QString, Variable>;

// A node of a small value tree: a leaf holding any QVariant value, or a section holding a
// VariableHash of named children. Start scripts are built and parsed in this form.
//
// Operations that need a section log "Variable :: can't convert '<type>' to hash!" when the node
// is not one and then return a harmless result (a detached invalid node, false or an empty hash):
// script text from replay files reaches them, so they must never end the program.
class Variable : public QVariant
{
public:
    Variable() = default;
    Variable(const QVariant& value);
    Variable(const VariableHash& hash);

    Variable& operator=(const QVariant& value);

    bool IsHash() const;

    Variable& operator[](const QString& key);
    bool Contains(const QString& key) const;
    VariableHash& Hash();
    const VariableHash& Hash() const;
    Variable& Insert(const QString& key, const VariableHash& hash);
    Variable& Insert(const QString& key, const QVariant& value);

    // Registers "Variable" and "VariableHash" (with its associative-container converter); safe to
    // call more than once.
    static void RegisterMetaTypes();

private:
    bool CheckHash() const;
};

Q_DECLARE_METATYPE(Variable)
