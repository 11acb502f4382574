// Fuzzes the merge of our settings groups into a settings file the player may have edited: no input
// may crash it, every line of the file that holds no key stays, in its order, and merging again
// changes nothing.
// fuzz-sources: app/IniText.cpp

#include "IniText.h"

#include <QList>
#include <cstdint>
#include <cstdlib>

namespace
{
// Lines as QSettings ends them: at "\n", "\r\n" or a lone "\r".
QList<QByteArray> Lines(const QByteArray& text)
{
    QByteArray unified = text;
    unified.replace("\r\n", "\n");
    unified.replace('\r', '\n');
    return unified.split('\n');
}

bool HoldsKey(const QByteArray& line)
{
    const QByteArray trimmed = line.trimmed();
    return trimmed.contains('=') && !trimmed.startsWith(';') && !trimmed.startsWith('[');
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first byte says where the file ends and our groups' text begins.
    if (size < 1)
        return 0;
    const QByteArray rest(reinterpret_cast<const char*>(data) + 1, int(size) - 1);
    const int split = rest.isEmpty() ? 0 : data[0] % (rest.size() + 1);
    const QByteArray original = rest.left(split);
    const QByteArray ours = rest.mid(split);

    const QByteArray merged = IniText::Merge(original, ours);
    const QList<QByteArray> out = Lines(merged);
    int at = 0;
    for (const QByteArray& line : Lines(original))
    {
        if (HoldsKey(line))
            continue;
        while (at < out.size() && out[at] != line)
            ++at;
        if (at == out.size())
            abort();
        ++at;
    }
    if (IniText::Merge(merged, ours) != merged)
        abort();
    return 0;
}
