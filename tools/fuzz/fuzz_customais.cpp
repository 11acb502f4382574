// Fuzzes the reader of the custom AI list "game.AIs.txt", a file the user edits by hand: no input
// may crash it, no name it passes on may carry a character that breaks a start script, and a file
// reads the same with LF or CR LF line ends.
// clang-format off
// fuzz-sources: game/skirmish/CustomAIFile.cpp app/AppSettings.cpp app/DataPlayer.cpp app/AppDefines.cpp app/PathManager.cpp app/CommonIO.cpp
// fuzz-sources: app/AppSettingsBase.cpp app/AppSettingsFiles.cpp app/IniText.cpp
// fuzz-libs: Qt5Gui
// clang-format on

#include "CustomAIFile.h"
#include "FuzzQuiet.h"

#include <QtGlobal>
#include <cstdint>
#include <cstdlib>

namespace
{
bool Same(const QList<CustomAIEntry>& a, const QList<CustomAIEntry>& b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i)
        if (a[i].name != b[i].name || a[i].side != b[i].side)
            return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QuietQtMessages();
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    const QList<CustomAIEntry> entries = CustomAIFile::Parse(bytes);
    for (const CustomAIEntry& entry : entries)
    {
        if (entry.name.isEmpty() || entry.name.contains(QLatin1Char('\t')) ||
            !CustomAIFile::IsSafeName(entry.name))
            abort();
    }
    if (!bytes.contains('\r'))
    {
        QByteArray crlf = bytes;
        crlf.replace("\n", "\r\n");
        if (!Same(entries, CustomAIFile::Parse(crlf)))
            abort();
    }
    return 0;
}
