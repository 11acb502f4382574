#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QPair>
#include <QString>

#include <archive.h>
#include <archive_entry.h>

#include <memory>

// Map and game archives for tests, written with libarchive (link qm_content, which brings it).
namespace TestArchive
{
using Entries = QList<QPair<QString, QByteArray>>; // path inside, bytes; packed in this order

// A zip (".sdz") or, by the path's suffix, 7z (".sd7") archive holding `files`. Creates the folders
// above.
inline bool Write(const QString& path, const Entries& files)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    std::unique_ptr<archive, decltype(&archive_write_free)> writer(archive_write_new(), &archive_write_free);
    const bool sevenZip = path.endsWith(QLatin1String(".sd7"), Qt::CaseInsensitive);
    if ((sevenZip ? archive_write_set_format_7zip(writer.get())
                  : archive_write_set_format_zip(writer.get())) != ARCHIVE_OK ||
        archive_write_open_filename(writer.get(), QFile::encodeName(path).constData()) != ARCHIVE_OK)
        return false;
    for (const auto& file : files)
    {
        std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(),
                                                                            &archive_entry_free);
        archive_entry_set_pathname_utf8(entry.get(), file.first.toUtf8().constData());
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        archive_entry_set_size(entry.get(), file.second.size());
        if (archive_write_header(writer.get(), entry.get()) != ARCHIVE_OK ||
            archive_write_data(writer.get(), file.second.constData(), size_t(file.second.size())) !=
                file.second.size())
            return false;
    }
    return archive_write_close(writer.get()) == ARCHIVE_OK;
}

// Bytes that no packer makes smaller, the same for the same seed.
inline QByteArray Noise(int size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 x = seed * 2654435761u + 1;
    for (char& byte : bytes)
    {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        byte = char(x);
    }
    return bytes;
}

// A packed map (under a "maps" folder) or game (elsewhere) that names itself after its file:
// "maps/Dune Sea.sd7" holds a mapinfo.lua with the name "Dune Sea".
inline bool WriteNamedContent(const QString& path)
{
    const QFileInfo info(path);
    const bool map = info.dir().dirName() == QLatin1String("maps");
    const QByteArray lua = "return { name = [==[" + info.completeBaseName().toUtf8() + "]==] }\n";
    return Write(path, {{map ? "mapinfo.lua" : "modinfo.lua", lua}});
}
} // namespace TestArchive
