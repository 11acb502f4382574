// Fuzzes the engine settings file reader: any bytes survive as text, any text parses, writing and
// reading back keeps every pair, what is written never counts as damaged (also behind a
// byte-order mark), and a record saved once reads back the same on the next save.
// fuzz-sources: game/enginesettings/EngineSettingsFile.cpp game/enginesettings/DataEngineSettings.cpp
// fuzz-sources: app/CommonIO.cpp

#include "EngineSettingsFile.h"

#include <cstdint>
#include <cstdlib>

using namespace EngineSettingsFile;

namespace
{
DataEngineSettings SaveAndLoad(const DataEngineSettings& es, Values values)
{
    FromRecord(es, values);
    return ToRecord(ParseText(Serialize(values)), QSize(800, 600), QStringLiteral("/data"));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    // The player's bytes survive the file's text, UTF-8 or not.
    const QString text = DecodeText(bytes);
    if (EncodeText(text) != bytes)
        abort();
    const Values values = ParseText(text);
    if (ParseText(Serialize(values)) != values)
        abort();
    // What we write is never taken for a damaged file, nor once an editor put a byte-order mark
    // in front; the reader drops that one mark and nothing else.
    const QByteArray written = EncodeText(Serialize(values));
    const QByteArray marked = QByteArray("\xEF\xBB\xBF") + written;
    if (IsGarbage(written) || IsGarbage(marked) || FileText(marked) != DecodeText(written))
        abort();

    const DataEngineSettings es = ToRecord(values, QSize(800, 600), QStringLiteral("/data"));
    const DataEngineSettings once = SaveAndLoad(es, values);
    const DataEngineSettings twice = SaveAndLoad(once, values);
    if (!(once == twice))
        abort();
    return 0;
}
