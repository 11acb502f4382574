#include "ContentScanner.h"

#include "ContentArchive.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QThread>

#include <atomic>
#include <thread>
#include <vector>

namespace
{
// Deeper is no content folder a player keeps; a link back up would go on for ever.
constexpr int MaxDepth = 16;

bool IsArchiveSuffix(const QString& suffix)
{
    return suffix == QLatin1String("sdz") || suffix == QLatin1String("sd7");
}

// Calls `read` for every index from 0 to count - 1 on as many threads as there are cores.
template <typename Function>
void OnEveryCore(int count, Function read)
{
    const int threads = qBound(1, QThread::idealThreadCount(), count);
    std::atomic_int next{0};
    const auto work = [&]
    {
        for (int i = next++; i < count; i = next++)
            read(i);
    };
    std::vector<std::thread> pool;
    for (int i = 1; i < threads; ++i)
        pool.emplace_back(work);
    work();
    for (std::thread& thread : pool)
        thread.join();
}
} // namespace

ContentScanner::ContentScanner(const QString& cacheFile, MemoryBudget& budget)
    : m_cacheFile(cacheFile), m_budget(budget)
{
}

QStringList ContentScanner::ContentFolders()
{
    return {QStringLiteral("base"), QStringLiteral("maps"), QStringLiteral("games"),
            QStringLiteral("packages")};
}

QVector<ContentScanner::Found> ContentScanner::FindContent(const QString& springDataDir)
{
    QVector<Found> found;
    const QStringList folders = ContentFolders();
    for (int folder = 0; folder < folders.size(); ++folder)
    {
        // Breadth first, as the engine goes.
        QVector<QPair<QString, int>> queue{{springDataDir + QLatin1Char('/') + folders.at(folder), 0}};
        QSet<QString> seen;
        for (int next = 0; next < queue.size(); ++next)
        {
            const QString dir = queue.at(next).first;
            const int depth = queue.at(next).second;
            // Hidden files and folders are left out, as the engine leaves them.
            const QFileInfoList entries = QDir(dir).entryInfoList(
                QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
            for (const QFileInfo& info : entries)
            {
                const QString suffix = info.suffix().toLower();
                if (info.isFile() && IsArchiveSuffix(suffix))
                    found.append({info.filePath(), true, folder, depth});
                else if (info.isDir() && suffix == QLatin1String("sdd"))
                    found.append({info.filePath(), false, folder, depth});
                // The engine looks into no folder named like an archive, nor into any ".sdd" one.
                else if (info.isDir() && !IsArchiveSuffix(suffix) &&
                         !info.fileName().contains(QLatin1String(".sdd"), Qt::CaseInsensitive) &&
                         depth < MaxDepth && !seen.contains(info.canonicalFilePath()))
                {
                    seen.insert(info.canonicalFilePath());
                    queue.append({info.filePath(), depth + 1});
                }
            }
        }
    }
    return found;
}

QVector<ContentScanner::Found> ContentScanner::OnePerFileName(const QVector<Found>& found)
{
    // The engine keeps the last it finds: the one in the last content folder, then the deepest.
    // Between folders of the same depth it goes by the order the file system lists them in, which
    // this can't know: there the first in name order stands.
    QHash<QString, int> chosen;
    for (int i = 0; i < found.size(); ++i)
    {
        const QString name = QFileInfo(found.at(i).path).fileName().toLower();
        const auto known = chosen.find(name);
        if (known == chosen.end())
        {
            chosen.insert(name, i);
            continue;
        }
        const Found& before = found.at(*known);
        if (qMakePair(found.at(i).folder, found.at(i).depth) > qMakePair(before.folder, before.depth))
            *known = i;
    }
    QVector<Found> kept;
    for (int i = 0; i < found.size(); ++i)
    {
        const QString name = QFileInfo(found.at(i).path).fileName();
        const int winner = chosen.value(name.toLower());
        if (winner == i)
        {
            kept.append(found.at(i));
            continue;
        }
        qWarning().noquote() << "ContentScanner :: SAME FILE NAME ---" << name << "--- the engine reads"
                             << found.at(winner).path << "--- left out" << found.at(i).path;
    }
    return kept;
}

ContentScanner::Result ContentScanner::Scan(const QString& springDataDir)
{
    LoadCache();
    Result result;
    const QVector<Found> found =
        springDataDir.isEmpty() ? QVector<Found>() : OnePerFileName(FindContent(springDataDir));

    // What the cache doesn't know is read on every core.
    QVector<ContentScanCache::Record> records(found.size());
    QVector<int> toRead;
    for (int i = 0; i < found.size(); ++i)
    {
        const Found& item = found.at(i);
        const auto known = m_records.constFind(item.path);
        const QFileInfo info(item.path);
        if (item.archive && known != m_records.constEnd() && known->size == info.size() &&
            known->modified == info.lastModified().toMSecsSinceEpoch())
            records[i] = known.value();
        else
            toRead.append(i);
    }
    // Each thread writes its own records, and nothing else. An archive that needs more memory than
    // may be spent beside others is set aside and read once they are done, alone.
    ContentScanCache::Record* into = records.data();
    OnEveryCore(toRead.size(), [&](int i) { into[toRead.at(i)] = Read(found.at(toRead.at(i)), true); });
    for (const int i : qAsConst(toRead))
    {
        if (records.at(i).outcome != ContentArchive::Outcome::SetAside)
            continue;
        qDebug().noquote() << "ContentScanner :: READ ALONE ---" << found.at(i).path << "---"
                           << records.at(i).problem;
        records[i] = Read(found.at(i), false);
    }

    ContentScanCache::Records seen;
    for (int i = 0; i < found.size(); ++i)
    {
        const Found& item = found.at(i);
        const ContentScanCache::Record& record = records.at(i);
        if (item.archive)
            seen.insert(item.path, record);
        if (record.outcome == ContentArchive::Outcome::Damaged)
        {
            qWarning().noquote() << "ContentScanner :: DAMAGED ARCHIVE ---" << item.path << "---"
                                 << record.problem;
            continue;
        }
        if (record.outcome == ContentArchive::Outcome::EngineCantUnpack)
        {
            qWarning().noquote() << "ContentScanner :: ENGINE CAN NOT UNPACK ---" << item.path << "---"
                                 << record.problem;
            continue;
        }
        const ContentNaming::Content& content = record.content;
        if (content.kind == ContentNaming::Kind::None)
        {
            qWarning().noquote() << (ContentFolders().at(item.folder) == QLatin1String("maps")
                                         ? "ContentScanner :: NO MAP ---"
                                         : "ContentScanner :: NO GAME ---")
                                 << item.path;
            continue;
        }
        QMap<QString, QString>& entries =
            content.kind == ContentNaming::Kind::Map ? result.maps : result.games;
        const auto listed = entries.constFind(content.name);
        if (listed != entries.constEnd())
        {
            qWarning().noquote() << "ContentScanner :: SAME NAME ---" << content.name << "--- listed from"
                                 << listed.value() << "--- left out" << item.path;
            continue;
        }
        entries.insert(content.name, item.path);
        if (content.kind == ContentNaming::Kind::Map)
            result.mapInfo.insert(content.name,
                                  content.description.isEmpty() ? content.name : content.description);
    }
    for (const int i : qAsConst(toRead))
        result.archivesRead += found.at(i).archive ? 1 : 0;

    // Archives gone since are forgotten; the file is written only when something changed.
    const bool changed = result.archivesRead > 0 || seen.size() != m_records.size();
    m_records = seen;
    QString error;
    if (changed && !m_cacheFile.isEmpty() && !ContentScanCache::Write(m_cacheFile, m_records, &error))
        qWarning().noquote() << "ContentScanner :: CAN NOT SAVE CACHE ---" << m_cacheFile << "---" << error;
    return result;
}

void ContentScanner::LoadCache()
{
    if (m_cacheLoaded || m_cacheFile.isEmpty())
        return;
    m_cacheLoaded = true;
    QString reason;
    switch (ContentScanCache::Read(m_cacheFile, m_records, &reason))
    {
    case ContentScanCache::ReadResult::OtherVersion:
        // Written by another version of the program, under other rules.
        qDebug().noquote() << "ContentScanner :: OTHER CACHE VERSION ---" << m_cacheFile << "---" << reason
                           << "--- every archive is read again";
        m_records.clear();
        break;
    case ContentScanCache::ReadResult::Damaged:
        // Only costs a scan that opens every archive again; the file is then written anew.
        qWarning().noquote() << "ContentScanner :: DAMAGED CACHE ---" << m_cacheFile << "---" << reason;
        m_records.clear();
        break;
    default:
        break;
    }
}

ContentScanCache::Record ContentScanner::Read(const Found& found, bool setAside) const
{
    ContentScanCache::Record record;
    ContentFiles files;
    if (!found.archive)
    {
        if (ContentArchive::ReadFolder(found.path, files, &record.problem))
            record.content = ContentNaming::Describe(files);
        else
            record.outcome = ContentArchive::Outcome::Damaged;
        return record;
    }
    const QFileInfo info(found.path);
    record.size = info.size();
    record.modified = info.lastModified().toMSecsSinceEpoch();
    record.outcome = ContentArchive::ReadArchive(found.path, files, &record.problem, m_budget, setAside);
    if (record.outcome == ContentArchive::Outcome::Read)
        record.content = ContentNaming::Describe(files);
    else if (record.problem.isEmpty())
        record.problem = QStringLiteral("unreadable");
    return record;
}
