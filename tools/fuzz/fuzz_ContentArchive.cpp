// Map and game archives, their info files and the scan cache come from disk and from downloads:
// whatever they hold, reading them must not crash, read an info file past its limit or keep a
// value past its length, and a scan cache that reads must read back the same after writing.
// The first byte chooses the reader: 0 an archive (zip or 7z), 1 an info file, 2 a scan cache.
// fuzz-sources: content/ContentArchive.cpp content/ContentArchiveZip.cpp content/ContentArchive7z.cpp
// fuzz-sources: content/ContentArchive7zUnpack.cpp content/ContentNaming.cpp content/LuaInfo.cpp
// fuzz-sources: content/ContentScanCache.cpp content/MemoryBudget.cpp app/CommonIO.cpp
// fuzz-libs: zlib liblzma

#include "ContentArchive.h"
#include "ContentNaming.h"
#include "ContentScanCache.h"
#include "FuzzQuiet.h"
#include "LuaInfo.h"

#include <cstdint>

namespace
{
void CheckNaming(const ContentFiles& files)
{
    const ContentNaming::Content content = ContentNaming::Describe(files);
    if ((content.kind == ContentNaming::Kind::None) != content.name.isEmpty() ||
        content.name.size() > 2 * LuaInfo::MaxValueLength + 1)
        __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QuietQtMessages();
    if (size < 1)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, int(size - 1));
    switch (data[0] % 3)
    {
    case 0:
    {
        ContentFiles files;
        QString error;
        const ContentArchive::Outcome outcome = ContentArchive::ReadArchiveBytes(bytes, files, &error);
        // Every refusal says why.
        if (outcome != ContentArchive::Outcome::Read)
        {
            if (error.isEmpty())
                __builtin_trap();
            return 0;
        }
        if (files.mapInfo.size() > ContentArchive::MaxInfoFileSize ||
            files.modInfo.size() > ContentArchive::MaxInfoFileSize)
            __builtin_trap();
        CheckNaming(files);
        break;
    }
    case 1:
    {
        const QMap<QString, QString> fields = LuaInfo::ReadFields(bytes);
        for (const QString& value : fields)
            if (value.size() > LuaInfo::MaxValueLength)
                __builtin_trap();
        ContentFiles files;
        files.hasMapInfo = true;
        files.mapInfo = bytes;
        files.mapFile = QStringLiteral("maps/fuzz.smf");
        CheckNaming(files);
        break;
    }
    default:
    {
        ContentScanCache::Records records;
        if (ContentScanCache::FromBytes(bytes, records, nullptr) != ContentScanCache::ReadResult::Ok)
            return 0;
        ContentScanCache::Records again;
        if (ContentScanCache::FromBytes(ContentScanCache::ToBytes(records), again, nullptr) !=
                ContentScanCache::ReadResult::Ok ||
            again.size() != records.size())
            __builtin_trap();
        for (auto it = records.cbegin(); it != records.cend(); ++it)
        {
            const ContentScanCache::Record back = again.value(it.key());
            if (back.size != it->size || back.modified != it->modified ||
                back.content.kind != it->content.kind || back.content.name != it->content.name ||
                back.problem != it->problem || back.outcome != it->outcome)
                __builtin_trap();
        }
    }
    }
    return 0;
}
