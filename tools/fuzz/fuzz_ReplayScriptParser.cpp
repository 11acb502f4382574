// Start scripts come out of replay files of unknown origin.
// fuzz-sources: app/AppDefines.cpp app/DataPlayer.cpp
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
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size));
    for (const QString& script : {text, QStringLiteral("[game]{") + text})
    {
        ReplayScriptParser parser;
        DataReplayScript record;
        parser.ParseScript(script, record);
        for (const DataPlayer& player : record.players)
            (void)player.color.isValid();
    }
    return 0;
}
