#include "AppSettingsFiles.h"

#include "CommonIO.h"
#include "IniText.h"
#include "PathManager.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace
{
const QString ScratchPrefix = QStringLiteral("quillmere-settings-");

// Where QSettings gets to write: a desktop session's runtime folder is in memory, where the flush
// QSettings makes is free; the temporary folder otherwise.
QStringList ScratchParents()
{
    QStringList parents;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isWritable())
        parents << runtime;
    parents << QDir::tempPath();
    return parents;
}

// QSettings turns groups into INI text and INI text into values, but only through a file: these are
// made in a scratch folder, so the real file is replaced in one step, never half new, and no lock
// file is left beside it. A kill leaves the folder; the start-up housekeeping removes it.
class Scratch
{
public:
    Scratch() : m_dir(ScratchParents().first() + QLatin1Char('/') + ScratchPrefix + QStringLiteral("XXXXXX"))
    {
    }

    bool IsValid() const { return m_dir.isValid(); }

    // QSettings on a file of that text; an empty text gives an empty file to write groups into.
    std::unique_ptr<QSettings> Settings(const QString& name, const QByteArray& text)
    {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
            return nullptr;
        file.close();
        return std::make_unique<QSettings>(file.fileName(), QSettings::IniFormat);
    }

    // What QSettings wrote into that file.
    bool Text(const QSettings& settings, QByteArray* text) const
    {
        return CommonIO::ReadFile(settings.fileName(), 4 * CommonIO::MaxSettingsFileBytes, text) ==
               CommonIO::ReadStatus::Ok;
    }

private:
    QTemporaryDir m_dir;
};

QSet<QString> KeysOf(const QList<AppSettingsBase*>& groups)
{
    QSet<QString> keys;
    for (const AppSettingsBase* group : groups)
    {
        for (const QString& key : group->GetKeys())
            keys.insert(group->GetGroup() + QLatin1Char('/') + key);
    }
    return keys;
}

// True when QSettings reads the merged text as ours for our keys and as the original for the rest.
bool SameValues(const QSettings& original, const QSettings& ours, const QSettings& merged,
                const QSet<QString>& ourKeys)
{
    QSet<QString> expected = ourKeys;
    for (const QString& key : ourKeys)
    {
        if (merged.value(key) != ours.value(key))
            return false;
    }
    for (const QString& key : original.allKeys())
    {
        expected.insert(key);
        if (!ourKeys.contains(key) && merged.value(key) != original.value(key))
            return false;
    }
    const QStringList mergedKeys = merged.allKeys();
    return QSet<QString>(mergedKeys.begin(), mergedKeys.end()) == expected;
}

// The new text of a settings file holding `content` (empty for a file that is not there); false, with
// the reason in `problem`, when the file is better left as it is.
bool ComposeText(const QString& path, const QByteArray& content, const QList<AppSettingsBase*>& groups,
                 QByteArray* text, QString* problem)
{
    const auto refuse = [problem](const QString& reason)
    {
        *problem = reason;
        return false;
    };
    const QString noScratch = QStringLiteral("no scratch file for QSettings");
    // A file the next start would refuse as too large is not written: the player's lines stay as
    // they are, and only this run's changes are lost.
    const QString tooLarge =
        QStringLiteral("it would grow larger than %1 bytes").arg(CommonIO::MaxSettingsFileBytes);
    Scratch scratch;
    if (!scratch.IsValid())
        return refuse(noScratch);
    const std::unique_ptr<QSettings> ours = scratch.Settings(QStringLiteral("ours.ini"), QByteArray());
    if (!ours)
        return refuse(noScratch);
    for (const AppSettingsBase* group : groups)
        group->Save(*ours);
    ours->sync();
    QByteArray oursText;
    if (ours->status() != QSettings::NoError || !scratch.Text(*ours, &oursText))
        return refuse(noScratch);
    if (content.isEmpty())
    {
        if (oursText.size() > CommonIO::MaxSettingsFileBytes)
            return refuse(tooLarge);
        *text = oursText;
        return true;
    }

    const QByteArray mergedText = IniText::Merge(content, oursText);
    if (mergedText.size() > CommonIO::MaxSettingsFileBytes)
        return refuse(tooLarge);
    const QSet<QString> ourKeys = KeysOf(groups);
    // Each read back from its text, as the next start reads the file.
    const std::unique_ptr<QSettings> oursRead = scratch.Settings(QStringLiteral("ours-read.ini"), oursText);
    const std::unique_ptr<QSettings> original = scratch.Settings(QStringLiteral("original.ini"), content);
    const std::unique_ptr<QSettings> merged = scratch.Settings(QStringLiteral("merged.ini"), mergedText);
    if (!oursRead || !original || !merged)
        return refuse(noScratch);
    if (SameValues(*original, *oursRead, *merged, ourKeys))
    {
        *text = mergedText;
        return true;
    }

    // Lines that QSettings reads differently in their new neighbourhood: the file is written the
    // way QSettings writes it, with the values it read, and its old text is kept aside.
    const std::unique_ptr<QSettings> all = scratch.Settings(QStringLiteral("all.ini"), QByteArray());
    if (!all)
        return refuse(noScratch);
    for (const QString& key : original->allKeys())
    {
        if (!ourKeys.contains(key))
            all->setValue(key, original->value(key));
    }
    for (const AppSettingsBase* group : groups)
        group->Save(*all);
    all->sync();
    if (all->status() != QSettings::NoError || !scratch.Text(*all, text))
        return refuse(noScratch);
    if (text->size() > CommonIO::MaxSettingsFileBytes)
        return refuse(tooLarge);
    if (!CommonIO::KeepAside(path, content))
        return refuse(QStringLiteral("its old text can not be kept aside"));
    qWarning().noquote() << "AppSettings :: LINES NOT KEPT ---" << path << "--- old text kept as"
                         << CommonIO::CorruptPath(path);
    return true;
}
} // namespace

AppSettings::AppSettings()
{
    qDebug() << "Initialize :: AppSettings";
}

AppSettings::~AppSettings()
{
    qDebug() << "Destroy :: AppSettings";
}

void AppSettings::Register(AppSettingsBase* group)
{
    if (!m_groups.contains(group))
        m_groups.append(group);
}

void AppSettings::Unregister(AppSettingsBase* group)
{
    m_groups.removeAll(group);
    m_inFile.remove(group);
}

void AppSettings::SetFiles(const QString& lobbyFile, const QString& gameFile)
{
    m_lobbyFile = lobbyFile;
    m_gameFile = gameFile;
}

QString AppSettings::GetFilePath(AppSettingsBase::File file) const
{
    if (file == AppSettingsBase::File::Lobby)
        return m_lobbyFile.isEmpty() ? PathManager::Instance()->GetLobbySettingsFile() : m_lobbyFile;
    return m_gameFile.isEmpty() ? PathManager::Instance()->GetLobbyGameSettingsFile() : m_gameFile;
}

AppSettings::FileState AppSettings::Inspect(const QString& path, QByteArray* content, QString* reason)
{
    switch (CommonIO::ReadFile(path, CommonIO::MaxSettingsFileBytes, content, reason))
    {
    case CommonIO::ReadStatus::Missing:
        return FileState::Missing;
    case CommonIO::ReadStatus::Unreadable:
        return FileState::Unreadable;
    case CommonIO::ReadStatus::Damaged:
        return FileState::Corrupt;
    case CommonIO::ReadStatus::Ok:
        break;
    }
    // Control characters are no text anybody wrote: QSettings reads them without complaint, and
    // loses NUL bytes on the next save.
    for (const char c : qAsConst(*content))
    {
        if (uchar(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
        {
            *reason = QStringLiteral("control characters");
            return FileState::Corrupt;
        }
    }
    return FileState::Readable;
}

void AppSettings::Load()
{
    for (auto file : {AppSettingsBase::File::Lobby, AppSettingsBase::File::Game})
    {
        const QString path = GetFilePath(file);
        QByteArray content;
        QString reason;
        const FileState state = Inspect(path, &content, &reason);
        m_reported.remove(path);
        if (state == FileState::Unreadable)
            Report(
                path, reason,
                QStringLiteral("AppSettings :: CAN NOT READ --- %1 --- %2 --- defaults used, nothing saved "
                               "to it")
                    .arg(path, reason));
        else if (state == FileState::Corrupt)
            qWarning().noquote() << "AppSettings :: CORRUPT FILE ---" << path << "---" << reason << "---"
                                 << CommonIO::SetAside(path) << "--- defaults used";
        // Only a file just found to be a regular one of a sane size is given to QSettings, which
        // would wait on a FIFO.
        std::unique_ptr<QSettings> settings;
        if (state == FileState::Readable)
            settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
        for (AppSettingsBase* group : qAsConst(m_groups))
        {
            if (group->GetFile() != file)
                continue;
            bool clean = false;
            if (settings)
                clean = group->Load(*settings);
            else
                group->ResetToDefaults();
            // Only what was read cleanly from the file counts as being there; a bad value is
            // replaced at the next save.
            if (settings && clean)
                m_inFile.insert(group, group->Values());
            else
                m_inFile.remove(group);
        }
    }
    qDebug() << "AppSettings :: LOADED";
}

void AppSettings::Report(const QString& path, const QString& problem, const QString& line)
{
    // The same trouble with a file is said once, not at every save.
    const auto reported = m_reported.constFind(path);
    if (reported != m_reported.constEnd() && *reported == problem)
        return;
    m_reported.insert(path, problem);
    qWarning().noquote() << line;
}

bool AppSettings::WriteFile(AppSettingsBase::File file, const QList<AppSettingsBase*>& groups)
{
    if (groups.isEmpty())
        return true;
    const QString path = GetFilePath(file);
    QByteArray content;
    QString problem;
    const FileState state = Inspect(path, &content, &problem);
    bool changed = false;
    for (AppSettingsBase* group : groups)
        changed = changed || !m_inFile.contains(group) || m_inFile.value(group) != group->Values();
    // Most exits change nothing: the file is left alone.
    if (!changed && state == FileState::Readable)
        return true;
    // A file we cannot read is never overwritten: its content would be lost.
    bool written = state != FileState::Unreadable;
    if (state == FileState::Corrupt)
    {
        // Damaged since it was read: its content is kept aside before the file is written anew.
        qWarning().noquote() << "AppSettings :: CORRUPT FILE ---" << path << "---" << problem << "---"
                             << CommonIO::SetAside(path, &written);
        content.clear();
    }
    // Written anew, the file would lose the other groups it held, which we take to be there and so
    // would not write again: they go in too.
    QList<AppSettingsBase*> writing = groups;
    if (state == FileState::Corrupt || state == FileState::Missing)
    {
        for (AppSettingsBase* group : qAsConst(m_groups))
        {
            if (group->GetFile() == file && m_inFile.contains(group) && !writing.contains(group))
                writing << group;
        }
    }
    QByteArray text;
    written = written && ComposeText(path, content, writing, &text, &problem);
    if (written && (state != FileState::Readable || text != content))
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        written = CommonIO::SaveFile(path, text, false, &problem);
    }
    if (written)
    {
        for (AppSettingsBase* group : writing)
            m_inFile.insert(group, group->Values());
        m_reported.remove(path);
        return true;
    }
    QStringList names;
    for (AppSettingsBase* group : writing)
        names << group->GetGroup();
    Report(path, problem,
           QStringLiteral("AppSettings :: CAN NOT SAVE --- %1 --- %2 --- %3")
               .arg(names.join(QStringLiteral(", ")), path, problem));
    return false;
}

bool AppSettings::SaveAll()
{
    bool saved = true;
    for (auto file : {AppSettingsBase::File::Lobby, AppSettingsBase::File::Game})
    {
        QList<AppSettingsBase*> groups;
        for (AppSettingsBase* group : qAsConst(m_groups))
        {
            if (group->GetFile() == file)
                groups << group;
        }
        saved = WriteFile(file, groups) && saved;
    }
    return saved;
}

bool AppSettings::Save(AppSettingsBase* group)
{
    return group && Instance()->WriteFile(group->GetFile(), {group});
}

int AppSettings::RemoveLeftoverScratchFolders(const QDateTime& before)
{
    int removed = 0;
    for (const QString& parent : ScratchParents())
    {
        const QFileInfoList folders = QDir(parent).entryInfoList(
            {ScratchPrefix + QStringLiteral("??????")}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
        for (const QFileInfo& folder : folders)
        {
#ifdef Q_OS_UNIX
            // A shared temporary folder holds other users' folders too.
            if (folder.ownerId() != ::getuid())
                continue;
#endif
            // A younger one may belong to a save another copy of the program is making right now.
            if (folder.isSymLink() || folder.lastModified() >= before)
                continue;
            if (QDir(folder.absoluteFilePath()).removeRecursively())
            {
                qDebug().noquote() << "AppSettings :: REMOVE LEFTOVER ---" << folder.absoluteFilePath();
                ++removed;
            }
        }
    }
    return removed;
}
