// Minimap cache files come from disk and from downloads; a damaged one must be refused, never crash
// the reader or make it allocate without bound, and what the writer produces must read back.
// fuzz-sources: content/MinimapCache.cpp app/CommonIO.cpp
// fuzz-libs: Qt5Gui

#include "FuzzQuiet.h"
#include "MinimapCache.h"

#include <QBuffer>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QuietQtMessages();
    QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    DataMinimap read;
    if (MinimapCache::FromDevice(&buffer, read, nullptr) != MinimapCache::ReadResult::Ok)
        return 0;
    if (!read.loaded || read.minimap.isNull() || read.minimap.width() > MinimapCache::MaxPictureSide ||
        read.minimap.height() > MinimapCache::MaxPictureSide || read.width < 0 || read.height < 0 ||
        read.width > MinimapCache::MaxMapSide || read.height > MinimapCache::MaxMapSide)
        __builtin_trap();

    QByteArray again = MinimapCache::ToBytes(read);
    QBuffer second(&again);
    second.open(QIODevice::ReadOnly);
    DataMinimap back;
    if (MinimapCache::FromDevice(&second, back, nullptr) != MinimapCache::ReadResult::Ok ||
        back.mapName != read.mapName || back.infoText != read.infoText || back.width != read.width ||
        back.minimap.size() != read.minimap.size())
        __builtin_trap();
    return 0;
}
