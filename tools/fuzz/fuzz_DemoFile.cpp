// Demo files come from anywhere: the reader must fail cleanly on any bytes, plain or gzip.
// fuzz-sources: game/replays/DemoFile.cpp app/CommonIO.cpp
// fuzz-sources: game/startscript/ReplayScriptParser.cpp game/startscript/Variable.cpp
// fuzz-sources: app/DataPlayer.cpp app/AppDefines.cpp
// fuzz-libs: Qt5Gui zlib

#include "DemoFile.h"
#include "FuzzQuiet.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QuietQtMessages();
    static QTemporaryDir dir;
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
        // Bytes in a file are the file's own: whatever they hold, the read speaks for them.
        if (ReadDemoFile(path, fromFile) != DemoOutcome::Read)
            __builtin_trap();
        if (fromFile.valid && fromFile.duration <= 0)
            __builtin_trap();
        if (fromFile.winningAllyTeams.size() > DemoLimits::MaxWinnersSize)
            __builtin_trap();
    }
    if (fromMemory.valid && fromMemory.duration <= 0)
        __builtin_trap();
    return 0;
}
