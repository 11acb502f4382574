// Start scripts come out of replay files of unknown origin.
// fuzz-sources: app/AppDefines.cpp app/DataPlayer.cpp app/CommonIO.cpp
// fuzz-sources: game/startscript/Variable.cpp game/startscript/ReplayScriptParser.cpp
// fuzz-libs: Qt5Gui

#include "FuzzQuiet.h"
#include "ReplayScriptParser.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool once = []
    {
        QuietQtMessages();
        Variable::RegisterMetaTypes();
        return true;
    }();
    (void)once;

    // The demo reader hands over the script as text; also try it behind the prefix the parser
    // insists on, so the fuzzer reaches the body quickly.
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    for (const QByteArray& script : {bytes, "[game]{" + bytes})
    {
        ReplayScriptParser parser;
        DataReplayScript record;
        const bool read = parser.ParseScript(QString::fromUtf8(script), record);
        // The demo reader keeps only what the record reads: the record must come out the same.
        ReplayScriptParser lean(ReplayScriptParser::Keep::RecordOnly);
        DataReplayScript leanRecord;
        if (lean.ParseScript(QString::fromUtf8(script), leanRecord) != read ||
            lean.Refusal() != parser.Refusal() || leanRecord.gameName != record.gameName ||
            leanRecord.mapName != record.mapName || leanRecord.players.size() != record.players.size() ||
            leanRecord.spectators.size() != record.spectators.size())
            __builtin_trap();
        for (int i = 0; i < record.players.size(); ++i)
        {
            const DataPlayer& a = record.players.at(i);
            const DataPlayer& b = leanRecord.players.at(i);
            if (a.name != b.name || a.country != b.country || a.rank != b.rank || a.team != b.team ||
                a.allyTeam != b.allyTeam || a.color != b.color || a.sideName != b.sideName ||
                a.isAi != b.isAi)
                __builtin_trap();
        }
        for (const DataPlayer& player : record.players)
            (void)player.color.isValid();
        if (record.players.size() + record.spectators.size() >
            ReplayScriptParser::MaxPlayers + ReplayScriptParser::MaxAis)
            __builtin_trap();
        // The demo reader counts on the bytes first: it must never let through what the parser
        // refuses for its sections or keys.
        ReplayScriptCounter counter;
        counter.Feed(script.constData(), script.size());
        const QString& refused = parser.Refusal();
        if ((refused.endsWith(QLatin1String("sections")) || refused.endsWith(QLatin1String("keys"))) &&
            counter.Refusal() != refused)
            __builtin_trap();
    }
    return 0;
}
