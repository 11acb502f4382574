#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// Lists the plain files of the demo folder a part at a time, so that a folder of many thousand
// files never holds the replays worker for long. Each file's size and modification time are read
// once, the time in UTC (milliseconds since the epoch): compared as numbers, never as local times.
class DemoFolderLister final
{
public:
    struct Entry
    {
        QString name;
        qint64 size = 0;
        qint64 modified = 0;
    };

    explicit DemoFolderLister(const QString& folder);
    ~DemoFolderLister();
    DemoFolderLister(const DemoFolderLister&) = delete;
    DemoFolderLister& operator=(const DemoFolderLister&) = delete;

    // Looks at up to `count` further names; false once the folder is done (or cannot be read).
    bool ListSome(int count);
    std::vector<Entry>& Entries() { return m_entries; }
    // Demo names that are not valid UTF-8: left out, for the caller to tell.
    const QStringList& UndecodableNames() const { return m_undecodable; }

    // Keeps the `limit` newest entries (of equal times the first by name) and sorts what is
    // kept by name; returns how many were left out.
    static int KeepNewest(std::vector<Entry>& entries, int limit);

private:
    class Handle;
    std::unique_ptr<Handle> m_handle;
    std::vector<Entry> m_entries;
    QStringList m_undecodable;
};
