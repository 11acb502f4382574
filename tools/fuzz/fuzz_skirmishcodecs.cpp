// Fuzzes the skirmish settings' value codecs (start boxes and AI records), which read whatever
// the user's settings file holds: no input may crash them, and what they decode encodes to a text
// that decodes to the same again.
// clang-format off
// fuzz-sources: app/AppSettings.cpp app/DataPlayer.cpp app/AppDefines.cpp app/PathManager.cpp app/CommonIO.cpp
// fuzz-sources: app/AppSettingsBase.cpp app/AppSettingsFiles.cpp app/IniText.cpp
// fuzz-libs: Qt5Gui
// clang-format on

#include "AppSettings.h"
#include "FuzzQuiet.h"

#include <QtGlobal>
#include <cstdint>
#include <cstdlib>

namespace
{
bool SameAi(const DataPlayer& a, const DataPlayer& b)
{
    return a.isAi == b.isAi && a.allyTeam == b.allyTeam && a.aiKind == b.aiKind &&
           a.aiShortName == b.aiShortName && a.side == b.side && a.sideName == b.sideName &&
           a.color == b.color;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QuietQtMessages();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));

    const QMap<int, QRect> rects = AppSettingsSkirmish::RectsFromString(text);
    if (rects.size() > AppSettingsSkirmish::MaxRects)
        abort();
    for (auto it = rects.constBegin(); it != rects.constEnd(); ++it)
    {
        if (it.key() < 0 || it.key() >= AppSettingsSkirmish::MaxRects || it.value().width() < 0 ||
            it.value().height() < 0)
            abort();
    }
    if (AppSettingsSkirmish::RectsFromString(AppSettingsSkirmish::RectsToString(rects)) != rects)
        abort();

    DataPlayer ai;
    if (AppSettingsSkirmish::AiFromString(text, &ai))
    {
        if (!ai.isAi || ai.aiKind.isEmpty())
            abort();
        // Encoding may clean a value once; after that the record is stable.
        DataPlayer once;
        if (!AppSettingsSkirmish::AiFromString(AppSettingsSkirmish::AiToString(ai), &once))
            abort();
        DataPlayer twice;
        if (!AppSettingsSkirmish::AiFromString(AppSettingsSkirmish::AiToString(once), &twice) ||
            !SameAi(once, twice))
            abort();
    }
    return 0;
}
