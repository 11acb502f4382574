// Fuzzes the mission description reader: any bytes parse without harm, and a file reads the same
// with LF or CR LF line ends and with or without a UTF-8 byte-order mark.
// fuzz-sources: game/missions/MissionParser.cpp game/skirmish/AICatalogue.cpp
// fuzz-sources: app/DataPlayer.cpp app/AppDefines.cpp app/CommonIO.cpp
// fuzz-libs: Qt5Gui

#include "FuzzQuiet.h"
#include "MissionParser.h"

#include <QtGlobal>
#include <cstdint>
#include <cstdlib>

namespace
{
const QStringList Keys = {QStringLiteral("description_ru"), QStringLiteral("description_en")};

bool SamePlayer(const DataPlayer& a, const DataPlayer& b)
{
    return a.name == b.name && a.aiKind == b.aiKind && a.aiShortName == b.aiShortName && a.isAi == b.isAi &&
           a.allyTeam == b.allyTeam && a.team == b.team && a.side == b.side && a.color == b.color;
}

bool Same(const DataMission& a, const DataMission& b)
{
    if (a.author != b.author || a.version != b.version || a.description != b.description ||
        a.engineVersion != b.engineVersion || a.game != b.game || a.mapName != b.mapName ||
        !SamePlayer(a.player, b.player) || a.bots.keys() != b.bots.keys())
        return false;
    for (auto it = a.bots.constBegin(); it != a.bots.constEnd(); ++it)
    {
        if (!SamePlayer(it.value(), b.bots.value(it.key())))
            return false;
    }
    return true;
}

DataMission Read(const QByteArray& data, bool* ok)
{
    DataMission m;
    *ok = MissionParser::parse(data, m, MissionParser::Header, Keys);
    MissionParser::parse(data, m, MissionParser::Full, Keys);
    return m;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QuietQtMessages();
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    bool ok = false;
    const DataMission plain = Read(bytes, &ok);
    if (ok != !bytes.isEmpty())
        abort();

    if (!bytes.contains('\r'))
    {
        QByteArray crlf = bytes;
        crlf.replace("\n", "\r\n");
        bool crlfOk = false;
        if (!Same(plain, Read(crlf, &crlfOk)))
            abort();
    }
    if (!bytes.startsWith("\xEF\xBB\xBF"))
    {
        bool bomOk = false;
        if (!Same(plain, Read(QByteArray("\xEF\xBB\xBF") + bytes, &bomOk)) || !bomOk)
            abort();
    }
    return 0;
}
