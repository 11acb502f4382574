// Demo files come from anywhere: the reader must fail cleanly on any bytes, plain or gzip.
// fuzz-sources: game/replays/DemoFile.cpp game/startscript/ReplayScriptParser.cpp
// fuzz-sources: game/startscript/Variable.cpp app/DataPlayer.cpp app/AppDefines.cpp
// fuzz-libs: Qt5Gui zlib

#include "DemoFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace
{
void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (qInstallMessageHandler(Quiet), true);
    static QTemporaryDir dir;
    Q_UNUSED(quiet)
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));

    DataReplay fromMemory;
    fromMemory.filePath = QStringLiteral("fuzz.sdf");
    ReadDemoData(bytes, fromMemory);

    // The file path covers the gzip reader too.
    const QString path = dir.filePath(QStringLiteral("fuzz.sdfz"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    {
        file.write(bytes);
        file.close();
        DataReplay fromFile;
        ReadDemoFile(path, fromFile);
        if (fromFile.valid && fromFile.duration <= 0)
            __builtin_trap();
    }
    if (fromMemory.valid && fromMemory.duration <= 0)
        __builtin_trap();
    return 0;
}
