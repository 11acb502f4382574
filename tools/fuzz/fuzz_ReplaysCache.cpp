// The replay cache is read back at every refresh; a damaged file must never crash the loader nor
// hand over a record beyond a demo's limits, and what the writer produces must read back to the
// same table.
// fuzz-sources: game/replays/ReplaysCache.cpp app/CommonIO.cpp app/DataPlayer.cpp
// fuzz-sources: app/AppDefines.cpp
// fuzz-libs: Qt5Gui

#include "FuzzQuiet.h"
#include "ReplaysCache.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QuietQtMessages();
    ReplaysTable table;
    ReplaysCache::LoadCacheData(QByteArray(reinterpret_cast<const char*>(data), int(size)),
                                QStringLiteral("fuzz"), table);

    // A record holds no more than a demo can.
    for (const DataReplay& replay : qAsConst(table))
    {
        if (!ReplaysCache::WithinDemoLimits(replay))
            __builtin_trap();
    }

    // Whatever was loaded survives a write and a read unchanged.
    ReplaysTable again;
    ReplaysCache::LoadCacheData(ReplaysCache::CacheBytes(table), QStringLiteral("fuzz"), again);
    if (again.size() != table.size())
        __builtin_trap();
    for (auto it = table.cbegin(); it != table.cend(); ++it)
    {
        const DataReplay& back = again.value(it.key());
        if (back.mapName != it->mapName || back.players.size() != it->players.size() ||
            back.spectators.size() != it->spectators.size() || back.winningAllyTeams != it->winningAllyTeams)
            __builtin_trap();
    }
    return 0;
}
