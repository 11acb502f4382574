#pragma once

#include "DataPlayer.h"
#include "Variable.h"

#include <QList>
#include <QString>

// What a replay's start script tells about the game it recorded.
struct DataReplayScript
{
    QString gameName;
    QString mapName;
    QList<DataPlayer> players;    // playing humans and AIs
    QList<DataPlayer> spectators; // humans only
};

// Reads a start script (as stored inside a replay) back into a Variable tree and takes out the
// game, the map, the players with their teams and colours, the AIs and the spectators.
// Section names and keys are read in lower case. One instance parses one script.
//
// The text comes from files of unknown origin: nesting is bounded (a deeper script is a parse
// failure), and every malformed piece gives false instead of crashing. Players come out in a
// stable order: humans by their PLAYER number, then AIs by their AI number.
class ReplayScriptParser final
{
public:
    // Deepest section nesting accepted; real scripts use three levels.
    static constexpr int MaxDepth = 32;

    // Fills `record` (players and spectators found before a failure stay in it); false on failure.
    bool ParseScript(const QString& text, DataReplayScript& record);

    const Variable& Root() const { return m_root; }

private:
    // Reads one section's body from `pos`; returns the position of its closing brace (or the text's
    // end), 0 on failure.
    int ParseBlock(Variable& node, int pos, int depth = 0);
    bool ParsePlayersAndAIs(DataReplayScript& record);
    bool ParsePlayer(const Variable& section, DataReplayScript& record);
    bool ParseTeam(DataPlayer& player, const Variable& section, DataReplayScript& record);

    Variable m_root;
    QString m_text;
    VariableHash m_game; // the root's "game" section, once parsed
};
