#include "ContentScanner.h"

#include "ContentArchive.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace
{
bool IsArchive(const QFileInfo& info)
{
    const QString suffix = info.suffix().toLower();
    return info.isFile() && (suffix == QLatin1String("sdz") || suffix == QLatin1String("sd7"));
}

bool IsSddFolder(const QFileInfo& info)
{
    return info.isDir() && info.fileName().toLower().endsWith(QLatin1String(".sdd"));
}
} // namespace

ContentScanner::ContentScanner(const QString& cacheFile) : m_cacheFile(cacheFile) {}

ContentScanner::Result ContentScanner::Scan(const QString& springDataDir)
{
    LoadCache();
    Result result;
    ContentScanCache::Records seen;
    if (!springDataDir.isEmpty())
    {
        result.games = ScanFolder(springDataDir + QStringLiteral("/games"), ContentNaming::Kind::Game,
                                  nullptr, seen, &result.archivesRead);
        QMap<QString, QString> descriptions;
        result.maps = ScanFolder(springDataDir + QStringLiteral("/maps"), ContentNaming::Kind::Map,
                                 &descriptions, seen, &result.archivesRead);
        for (auto it = result.maps.cbegin(); it != result.maps.cend(); ++it)
            result.mapInfo.insert(it.key(), descriptions.value(it.key(), it.key()));
    }

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
    if (ContentScanCache::Read(m_cacheFile, m_records, &reason) == ContentScanCache::ReadResult::Damaged)
    {
        // Only costs a scan that opens every archive again; the file is then written anew.
        qWarning().noquote() << "ContentScanner :: DAMAGED CACHE ---" << m_cacheFile << "---" << reason;
        m_records.clear();
    }
}

QMap<QString, QString> ContentScanner::ScanFolder(const QString& folder, ContentNaming::Kind kind,
                                                  QMap<QString, QString>* descriptions,
                                                  ContentScanCache::Records& seen, int* archivesRead)
{
    QMap<QString, QString> entries;
    const QFileInfoList list = QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                                                          QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& info : list)
    {
        const bool archive = IsArchive(info);
        if (!archive && !IsSddFolder(info))
            continue;
        const ContentScanCache::Record record = Look(info.filePath(), archive, archivesRead);
        if (archive)
            seen.insert(info.filePath(), record);
        if (!record.problem.isEmpty())
        {
            qWarning().noquote() << "ContentScanner :: DAMAGED ARCHIVE ---" << info.filePath() << "---"
                                 << record.problem;
            continue;
        }
        const ContentNaming::Content& content = record.content;
        if (content.kind != kind)
        {
            qWarning().noquote() << (kind == ContentNaming::Kind::Map ? "ContentScanner :: NO MAP ---"
                                                                      : "ContentScanner :: NO GAME ---")
                                 << info.filePath();
            continue;
        }
        const auto listed = entries.constFind(content.name);
        if (listed != entries.constEnd())
        {
            qWarning().noquote() << "ContentScanner :: SAME NAME ---" << content.name << "--- listed from"
                                 << listed.value() << "--- left out" << info.filePath();
            continue;
        }
        entries.insert(content.name, info.filePath());
        if (descriptions && !content.description.isEmpty())
            descriptions->insert(content.name, content.description);
    }
    return entries;
}

ContentScanCache::Record ContentScanner::Look(const QString& path, bool isArchive, int* archivesRead)
{
    ContentScanCache::Record record;
    ContentFiles files;
    if (!isArchive)
    {
        if (!ContentArchive::ReadFolder(path, files, &record.problem))
            return record;
        record.content = ContentNaming::Describe(files);
        return record;
    }
    const QFileInfo info(path);
    const qint64 size = info.size();
    const qint64 modified = info.lastModified().toMSecsSinceEpoch();
    const auto known = m_records.constFind(path);
    if (known != m_records.constEnd() && known->size == size && known->modified == modified)
        return known.value();

    ++*archivesRead;
    record.size = size;
    record.modified = modified;
    if (ContentArchive::ReadArchive(path, files, &record.problem))
        record.content = ContentNaming::Describe(files);
    else if (record.problem.isEmpty())
        record.problem = QStringLiteral("unreadable");
    return record;
}
