#pragma once

#include "ContentArchive.h"

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

// A random-access view of the archive's bytes; the device is open and seekable.
class Source final
{
public:
    explicit Source(QIODevice* device) : m_device(device), m_size(device->size()) {}
    qint64 Size() const { return m_size; }
    // Exactly `length` bytes at `offset`; false when they aren't all there.
    bool ReadAt(qint64 offset, qint64 length, QByteArray* out);

private:
    QIODevice* m_device;
    qint64 m_size;
};

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
