#pragma once

#include "AppSettingsBase.h"
#include "Singleton.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

// AppSettings: the list of groups and the two INI files they are kept in.
class AppSettings : public Singleton<AppSettings>
{
    friend class Singleton<AppSettings>;

public:
    void Register(AppSettingsBase* group);
    void Unregister(AppSettingsBase* group);

    // Points the two files somewhere (tests); Load uses the PathManager files otherwise.
    void SetFiles(const QString& lobbyFile, const QString& gameFile);
    QString GetFilePath(AppSettingsBase::File file) const;

    // Reads every registered group. A damaged file (not a regular file, larger than
    // CommonIO::MaxSettingsFileBytes, or holding control characters) is logged and moved aside as
    // "<file>.corrupt" so the user's data is not lost; it and an unreadable file (a folder, no
    // permission) give the defaults. An unreadable file is left alone and never written.
    void Load();
    // Each file is replaced in one atomic write holding all its groups. What the player wrote in it
    // stays: comments, keys and groups that are not ours, lines QSettings can not read. A file that
    // would grow past the size limit is left as it is. False (and logged, once for the same trouble)
    // when a file could not be written.
    bool SaveAll();
    // Writes that group's file the same way, with only this group's values changed. A file damaged or
    // removed since it was read also gets back the other groups it held.
    static bool Save(AppSettingsBase* group);

    // Removes the scratch folders of saves that a kill cut short before `before`.
    static int RemoveLeftoverScratchFolders(const QDateTime& before);

private:
    AppSettings();
    ~AppSettings() override;

    enum class FileState
    {
        Missing,
        Readable,
        Unreadable,
        Corrupt
    };
    static FileState Inspect(const QString& path, QByteArray* content, QString* reason);
    bool WriteFile(AppSettingsBase::File file, const QList<AppSettingsBase*>& groups);
    // Logs `line` unless `problem` was the last one said of that file.
    void Report(const QString& path, const QString& problem, const QString& line);

    QList<AppSettingsBase*> m_groups;
    // Each group's values as last read from or written to its file: a group that has not changed
    // since is not written again.
    QHash<AppSettingsBase*, QVariantMap> m_inFile;
    // Per file, the trouble last said of it.
    QHash<QString, QString> m_reported;
    QString m_lobbyFile;
    QString m_gameFile;
};
