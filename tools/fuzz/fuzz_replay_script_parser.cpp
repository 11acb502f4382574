// Start scripts inside replays are text of unknown origin.
// fuzz-sources: game/startscript/ReplayScriptParser.cpp game/startscript/Variable.cpp app/DataPlayer.cpp app/AppDefines.cpp
// fuzz-libs: Qt5Gui

#include "ReplayScriptParser.h"

#include <cstdint>

namespace
{
void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (qInstallMessageHandler(Quiet), true);
    Q_UNUSED(quiet)
    ReplayScriptParser parser;
    DataReplayScript record;
    parser.ParseScript(QString::fromUtf8(reinterpret_cast<const char*>(data), int(size)), record);
    return 0;
}
