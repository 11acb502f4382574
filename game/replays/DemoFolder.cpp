#include "DemoFolder.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

#ifdef Q_OS_UNIX
class DemoFolderLister::Handle final
{
public:
    explicit Handle(const QString& folder) : m_dir(::opendir(QFile::encodeName(folder).constData())) {}
    ~Handle()
    {
        if (m_dir)
            ::closedir(m_dir);
    }

    // Looks at the next name, listing it when it is a plain file; false at the end.
    bool Next(DemoFolderLister& lister)
    {
        const dirent* entry = m_dir ? ::readdir(m_dir) : nullptr;
        if (!entry)
            return false;
        const QByteArray raw(entry->d_name);
        if (raw.startsWith('.'))
            return true;
        // Links are followed, as the engine and the reader follow them.
        struct stat info;
        if (::fstatat(::dirfd(m_dir), entry->d_name, &info, 0) != 0 || !S_ISREG(info.st_mode))
            return true;
        const QString name = QFile::decodeName(raw);
        if (QFile::encodeName(name) != raw)
        {
            if (raw.endsWith("sdf") || raw.endsWith("sdfz"))
                lister.m_undecodable << QString::fromUtf8(raw);
            return true;
        }
        lister.m_entries.push_back({name, qint64(info.st_size),
                                    qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000});
        return true;
    }

private:
    DIR* m_dir;
};
#else
class DemoFolderLister::Handle final
{
public:
    explicit Handle(const QString& folder) : m_it(folder, QDir::Files | QDir::NoDotAndDotDot) {}

    bool Next(DemoFolderLister& lister)
    {
        if (!m_it.hasNext())
            return false;
        m_it.next();
        const QFileInfo info = m_it.fileInfo();
        lister.m_entries.push_back(
            {info.fileName(), info.size(), info.lastModified().toUTC().toMSecsSinceEpoch()});
        return true;
    }

private:
    QDirIterator m_it;
};
#endif

DemoFolderLister::DemoFolderLister(const QString& folder) : m_handle(std::make_unique<Handle>(folder)) {}

DemoFolderLister::~DemoFolderLister() = default;

bool DemoFolderLister::ListSome(int count)
{
    for (; count > 0; --count)
    {
        if (!m_handle->Next(*this))
            return false;
    }
    return true;
}

int DemoFolderLister::KeepNewest(std::vector<Entry>& entries, int limit)
{
    const auto byName = [](const Entry& a, const Entry& b) { return a.name < b.name; };
    int leftOut = 0;
    if (int(entries.size()) > limit)
    {
        leftOut = int(entries.size()) - limit;
        std::nth_element(entries.begin(), entries.begin() + limit, entries.end(),
                         [](const Entry& a, const Entry& b)
                         { return a.modified != b.modified ? a.modified > b.modified : a.name < b.name; });
        entries.resize(size_t(limit));
    }
    std::sort(entries.begin(), entries.end(), byName);
    return leftOut;
}
