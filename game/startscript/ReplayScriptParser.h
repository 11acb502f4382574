#pragma once

#include "DataPlayer.h"
#include "Variable.h"

#include <QList>
#include <QString>

#include <atomic>

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
// The text comes from files of unknown origin: every malformed piece gives false instead of
// crashing, and a script holding more than the engine reads is refused (false, with the reason in
// Refusal()) before it can cost much: entries are counted as they are read. Players come out in a
// stable order: humans by their PLAYER number, then AIs by their AI number.
class ReplayScriptParser final
{
public:
    // What the tree keeps: the whole script, or only what the record is read from (the sections
    // of the game and the keys the record reads; the rest is read, counted and dropped). A record
    // comes out the same either way; the replays list uses the second, which costs far less for a
    // script of many keys.
    enum class Keep
    {
        Everything,
        RecordOnly
    };
    explicit ReplayScriptParser(Keep keep = Keep::Everything) : m_keep(keep) {}

    // Deepest section nesting accepted; real scripts use three levels.
    static constexpr int MaxDepth = 32;
    // What engine 106.0 reads of a script: the sections PLAYER0-250, AI0-250, TEAM0-254 and
    // ALLYTEAM0-254 (it ignores higher numbers).
    static constexpr int MaxPlayers = 251; // spectators included
    static constexpr int MaxAis = 251;
    static constexpr int MaxTeams = 255;
    static constexpr int MaxAllyTeams = 255;
    // Every section the engine reads: GAME, the players, the AIs with their OPTIONS, the teams,
    // the ally teams, MODOPTIONS, MAPOPTIONS and RESTRICT.
    static constexpr int MaxSections = 1 + MaxPlayers + 2 * MaxAis + MaxTeams + MaxAllyTeams + 3;
    // Keys in all sections: twice what the sections above hold when every ally team lists all the
    // others as allies.
    static constexpr int MaxKeys = 1 << 17;
    // Longest text kept in a record (names, game, map, side, colour); real ones are a few dozen.
    static constexpr int MaxTextLength = 256;

    // Fills `record` (players and spectators found before a failure stay in it); false on failure.
    // A set `stop` flag ends the parse early (false).
    bool ParseScript(const QString& text, DataReplayScript& record, const std::atomic<bool>* stop = nullptr);

    const Variable& Root() const { return m_root; }
    // Which limit refused the last script; empty when none did.
    const QString& Refusal() const { return m_refusal; }

private:
    // Reads one section's body from `pos` into `node` (null: read and counted, not kept); returns
    // the position of its closing brace (or the text's end), 0 on failure.
    int ParseBlock(Variable* node, int pos, int depth = 0);
    // Whether a key or section of that (lower-case) name is kept at `depth`, as a value or only as
    // a mark that hides what it replaces.
    enum class Kept
    {
        No,
        Mark,
        Yes
    };
    Kept KeepKey(const QString& name, int depth) const;
    Kept KeepSection(const QString& name, int depth) const;
    bool ParsePlayersAndAIs(DataReplayScript& record);
    bool ParsePlayer(const Variable& section, DataReplayScript& record);
    bool ParseTeam(DataPlayer& player, const Variable& section, DataReplayScript& record);
    // The section counts of the game section against the engine's.
    bool WithinEngineCounts();
    // The section's value for `key` into `out`; false (refused) when it is longer than kept texts.
    bool Text(const Variable& section, const QString& key, QString& out);
    int Refuse(const QString& reason);
    bool Stopped() const { return m_stop && m_stop->load(std::memory_order_relaxed); }

    Keep m_keep;
    Variable m_root;
    QString m_text;
    VariableHash m_game; // the root's "game" section, once parsed
    const std::atomic<bool>* m_stop = nullptr;
    int m_sections = 0;
    int m_keys = 0;
    QString m_refusal;
};

// Counts the sections and keys of a script's UTF-8 bytes as they arrive, the way the parser reads
// them, so that a script over those limits is refused before it is read whole.
class ReplayScriptCounter final
{
public:
    // Takes the next bytes; false once the script holds more than the parser accepts.
    bool Feed(const char* data, qint64 size);
    // Why it was refused; empty while it was not.
    const QString& Refusal() const { return m_refusal; }

private:
    enum class State
    {
        Between, // where sections and keys start
        Name,    // up to "]"
        Brace,   // up to "{"
        Key,     // up to "="
        Value    // up to ";"
    };
    // A character between entries: a section, a key, or skipped.
    bool Between(char32_t c);

    State m_state = State::Between;
    int m_sections = 0;
    int m_keys = 0;
    char32_t m_code = 0;  // a character of several bytes, while it is read
    char32_t m_least = 0; // the least code its length may carry
    int m_missing = 0;    // its bytes still to come
    QString m_refusal;
};
