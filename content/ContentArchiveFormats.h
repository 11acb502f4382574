#pragma once

#include "ContentArchive.h"
#include "MemoryBudget.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <memory>

// The archive formats behind ContentArchive. A reader lists the files of an archive from its
// directory alone (the zip's central directory, the 7z header) and then unpacks single files on
// request, reading no more of the archive than that needs. Used by ContentArchive only.
namespace ContentArchiveFormats
{
using ContentArchive::Outcome;

// A random-access view of the archive's bytes (the device is open and seekable), and the memory
// budget its reading takes buffers from.
class Source final
{
public:
    explicit Source(QIODevice* device, MemoryBudget& budget = MemoryBudget::Content(), bool setAside = false)
        : m_device(device), m_size(device->size()), m_budget(budget), m_setAside(setAside)
    {
    }
    qint64 Size() const { return m_size; }
    // Exactly `length` bytes at `offset`; false when they aren't all there.
    bool ReadAt(qint64 offset, qint64 length, QByteArray* out);
    bool ReadAt(qint64 offset, qint64 length, char* out);

    // Makes `held` hold `bytes` of the budget, waiting while it is taken. Read, SetAside when the
    // archive is to be read later, alone, or Damaged when it never could be, with the reason.
    Outcome Hold(MemoryBudget::Reservation& held, qint64 bytes, QString* error);

private:
    // Seeks to `offset` when `length` bytes from there lie within the archive.
    bool SeekTo(qint64 offset, qint64 length);

    QIODevice* m_device;
    qint64 m_size;
    MemoryBudget& m_budget;
    bool m_setAside;
};

// What a list of `entries` files read out of a directory of `size` bytes may take at the most:
// the directory itself, the names and a record per file.
qint64 DirectoryCost(qint64 size, qint64 entries);
// What the same list takes once read.
qint64 ListCost(const QStringList& names);

class Reader
{
public:
    virtual ~Reader() = default;
    // Lists the files; Damaged or EngineCantUnpack with the reason when the engine couldn't list
    // or unpack them all.
    virtual Outcome Open(QString* error) = 0;
    // The regular files, in archive order, as paths inside.
    virtual const QStringList& Files() const = 0;
    // Unpacks one file, refusing one larger than `limit` bytes before unpacking more than that.
    virtual Outcome ReadFile(int index, qint64 limit, QByteArray* out, QString* error) = 0;
};

std::unique_ptr<Reader> NewZipReader(Source& source);
std::unique_ptr<Reader> NewSevenZipReader(Source& source);
// Whether the bytes begin as a 7z archive does.
bool IsSevenZip(const QByteArray& start);

// Shared wording of the reasons.
QString TooLarge(const QString& name, qint64 limit);
Outcome Fail(QString* error, Outcome outcome, const QString& text);
} // namespace ContentArchiveFormats
