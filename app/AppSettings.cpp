#include "AppSettings.h"

#include "AppDefines.h"
#include "PathManager.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

AppSettingsBase::AppSettingsBase(const QString& group, File file) : m_group(group), m_file(file) {}

AppSettingsBase::~AppSettingsBase()
{
    if (AppSettings::Exists())
        AppSettings::Instance()->Unregister(this);
}

QStringList AppSettingsBase::GetKeys() const
{
    QStringList keys;
    for (const auto& param : m_params)
        keys << param->Key();
    return keys;
}

bool AppSettingsBase::Load(QSettings& settings)
{
    bool clean = true;
    settings.beginGroup(m_group);
    for (const auto& param : m_params)
        clean = param->Load(settings) && clean;
    settings.endGroup();
    return clean;
}

void AppSettingsBase::Save(QSettings& settings) const
{
    settings.beginGroup(m_group);
    for (const auto& param : m_params)
        param->Save(settings);
    settings.endGroup();
}

QVariantMap AppSettingsBase::Values() const
{
    QVariantMap values;
    for (const auto& param : m_params)
        values.insert(param->Key(), param->Stored());
    return values;
}

void AppSettingsBase::ResetToDefaults()
{
    for (const auto& param : m_params)
        param->Reset();
}

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

AppSettings::FileState AppSettings::Inspect(const QString& path, QByteArray* content)
{
    const QFileInfo info(path);
    if (!info.exists())
        return FileState::Missing;
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        return FileState::Unreadable;
    *content = file.readAll();
    // QSettings reads NUL bytes without complaint, and loses them on the next save.
    if (content->contains('\0'))
        return FileState::Corrupt;
    return FileState::Readable;
}

void AppSettings::Load()
{
    for (auto file : {AppSettingsBase::File::Lobby, AppSettingsBase::File::Game})
    {
        const QString path = GetFilePath(file);
        QByteArray content;
        FileState state = Inspect(path, &content);
        QSettings settings(path, QSettings::IniFormat);
        if (state == FileState::Readable && settings.status() != QSettings::NoError)
            state = FileState::Corrupt;
        if (state == FileState::Unreadable)
        {
            qWarning().noquote() << "AppSettings :: CAN NOT READ ---" << path << "--- defaults used";
        }
        else if (state == FileState::Corrupt)
        {
            qWarning().noquote() << "AppSettings :: CORRUPT FILE ---" << path << "--- kept as"
                                 << path + ".corrupt"
                                 << "--- defaults used";
            KeepCorruptCopy(path);
        }
        const bool usable = state == FileState::Readable || state == FileState::Missing;
        for (AppSettingsBase* group : qAsConst(m_groups))
        {
            if (group->GetFile() != file)
                continue;
            bool clean = false;
            if (usable)
                clean = group->Load(settings);
            else
                group->ResetToDefaults();
            // Only what was read cleanly from the file counts as being there; a bad value is
            // replaced at the next save.
            if (state == FileState::Readable && clean)
                m_inFile.insert(group, group->Values());
            else
                m_inFile.remove(group);
        }
    }
    qDebug() << "AppSettings :: LOADED";
}

void AppSettings::KeepCorruptCopy(const QString& path)
{
    const QString copy = path + QStringLiteral(".corrupt");
    QFile::remove(copy);
    if (!QFile::copy(path, copy))
        qWarning().noquote() << "AppSettings :: CAN NOT KEEP ---" << copy;
}

namespace
{
bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// The scratch copy needs no care: it is thrown away either way.
bool WriteDraft(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QString ScratchFolder()
{
    // A desktop session's runtime folder is in memory, where the flush QSettings makes is free.
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QFileInfo(folder).isWritable())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/quillmere-settings-XXXXXX");
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

bool AppSettings::WriteFile(AppSettingsBase::File file, const QList<AppSettingsBase*>& groups)
{
    if (groups.isEmpty())
        return true;
    const QString path = GetFilePath(file);
    QByteArray content;
    FileState state = Inspect(path, &content);
    bool changed = false;
    for (AppSettingsBase* group : groups)
        changed = changed || !m_inFile.contains(group) || m_inFile.value(group) != group->Values();
    // Most exits change nothing: the file is left alone.
    if (!changed && state == FileState::Readable)
        return true;
    // QSettings turns the groups into INI text, but in a scratch folder: the real file is then
    // replaced in one step, so a kill never leaves it half new, nor a lock file beside it.
    QTemporaryDir scratch(ScratchFolder());
    const QString draft = scratch.filePath(QStringLiteral("draft.ini"));
    // A file we cannot read is never overwritten: its content would be lost.
    bool written = state != FileState::Unreadable && scratch.isValid();
    if (written && state == FileState::Readable)
    {
        written = WriteDraft(draft, content);
        if (QSettings(draft, QSettings::IniFormat).status() != QSettings::NoError)
            state = FileState::Corrupt;
    }
    if (written && state == FileState::Corrupt)
    {
        // The corrupt content is kept aside before the file is written anew.
        if (!QFileInfo::exists(path + QStringLiteral(".corrupt")))
            KeepCorruptCopy(path);
        written = WriteDraft(draft, QByteArray());
    }
    if (written)
    {
        QSettings settings(draft, QSettings::IniFormat);
        for (AppSettingsBase* group : groups)
            group->Save(settings);
        settings.sync();
        written = settings.status() == QSettings::NoError;
    }
    if (written)
    {
        const QByteArray text = ReadBytes(draft);
        if (state != FileState::Readable || text != content)
        {
            QDir().mkpath(QFileInfo(path).absolutePath());
            written = WriteBytes(path, text);
        }
    }
    if (written)
    {
        for (AppSettingsBase* group : groups)
            m_inFile.insert(group, group->Values());
    }
    else
    {
        QStringList names;
        for (AppSettingsBase* group : groups)
            names << group->GetGroup();
        qWarning().noquote() << "AppSettings :: CAN NOT SAVE ---" << names.join(QStringLiteral(", ")) << "---"
                             << path;
    }
    return written;
}

void AppSettings::SaveAll()
{
    for (auto file : {AppSettingsBase::File::Lobby, AppSettingsBase::File::Game})
    {
        QList<AppSettingsBase*> groups;
        for (AppSettingsBase* group : qAsConst(m_groups))
        {
            if (group->GetFile() == file)
                groups << group;
        }
        WriteFile(file, groups);
    }
}

void AppSettings::Save(AppSettingsBase* group)
{
    if (group)
        Instance()->WriteFile(group->GetFile(), {group});
}

AppSettingsMain::AppSettingsMain() : AppSettingsBase(QStringLiteral("AppSettings.Main"), File::Lobby)
{
    Register(QStringLiteral("WindowState"), WindowState);
    Register(QStringLiteral("WindowPos"), WindowPos);
    Register(QStringLiteral("WindowSize"), WindowSize);
    Register(QStringLiteral("ShowIntroMovie"), ShowIntroMovie);
    Register(QStringLiteral("UseGamesDirSDD"), UseGamesDirSDD);
    Register(QStringLiteral("CustomSyncFolder"), CustomSyncFolder);
    Register(QStringLiteral("LocaleName"), LocaleName);
    Register(QStringLiteral("EngineVersions"), EngineVersions);
    AppSettings::Instance()->Register(this);
}

AppSettingsMain::~AppSettingsMain() = default;

AppSettingsSound::AppSettingsSound() : AppSettingsBase(QStringLiteral("AppSettings.Sound"), File::Lobby)
{
    Register(QStringLiteral("MusicVolume"), MusicVolume);
    Register(QStringLiteral("MusicMute"), MusicMute);
    Register(QStringLiteral("SoundsVolume"), SoundsVolume);
    Register(QStringLiteral("SoundsMute"), SoundsMute);
    Register(QStringLiteral("TauntsVolume"), TauntsVolume);
    Register(QStringLiteral("TauntsMute"), TauntsMute);
    Register(QStringLiteral("ButtonHoverMute"), ButtonHoverMute);
    AppSettings::Instance()->Register(this);
}

AppSettingsSound::~AppSettingsSound() = default;

AppSettingsSpringConnection::AppSettingsSpringConnection()
    : AppSettingsBase(QStringLiteral("AppSettings.Spring.Connection"), File::Lobby)
{
    Register(QStringLiteral("Login"), Login);
    Register(QStringLiteral("Server"), Server);
    Register(QStringLiteral("Port"), Port);
    AppSettings::Instance()->Register(this);
}

AppSettingsSpringConnection::~AppSettingsSpringConnection() = default;

AppSettingsSpringMyPersonal::AppSettingsSpringMyPersonal()
    : AppSettingsBase(QStringLiteral("AppSettings.Spring.MyPersonal"), File::Lobby)
{
    Register(QStringLiteral("IsAdmin"), IsAdmin);
    AppSettings::Instance()->Register(this);
}

AppSettingsSpringMyPersonal::~AppSettingsSpringMyPersonal() = default;

AppSettingsSkirmish::AppSettingsSkirmish(const QString& group) : AppSettingsBase(group, File::Game)
{
    const GameDefinition& game = AppDefines::Instance()->GetGame();
    DefaultMapName = game.defaultMap;
    DefaultGameVersion = game.gameVersion;
    DefaultEngineVersion = game.engineVersion;

    Register(QStringLiteral("TeamID"), TeamID);
    Register(QStringLiteral("Color"), Color);
    Register(QStringLiteral("Side"), Side);
    Register(QStringLiteral("SavedMapName"), SavedMapName);
    Register(QStringLiteral("SavedGameVersion"), SavedGameVersion);
    Register(QStringLiteral("SavedEngineVersion"), SavedEngineVersion);
    Register(QStringLiteral("SavedMissionName"), SavedMissionName);
    Register(QStringLiteral("SavedStartPosition"), SavedStartPosition);
    Register(QStringLiteral("MapRectAreaSize"), MapRectAreaSize);
    Register(QStringLiteral("Rects"), Rects);
    for (int i = 0; i < AiSlots; ++i)
        Register(QStringLiteral("AI_%1").arg(i + 1), AI[i]);
}

namespace
{
// A field value may not hold the codec's own separators.
QString CleanField(QString value)
{
    value.replace(QLatin1Char('|'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return value;
}
} // namespace

QString AppSettingsSkirmish::AiToString(const DataPlayer& ai)
{
    if (!ai.isAi)
        return QString();
    return QStringList{QStringLiteral("TEAM_ID=%1").arg(ai.allyTeam),
                       QStringLiteral("NAME_DLL=%1").arg(CleanField(ai.aiShortName)),
                       QStringLiteral("NAME_SHORT=%1").arg(CleanField(ai.aiKind)),
                       QStringLiteral("SIDE_ID=%1").arg(ai.side),
                       QStringLiteral("SIDE_NAME=%1").arg(CleanField(ai.sideName)),
                       QStringLiteral("COLOR=%1").arg(ai.color.name(QColor::HexArgb))}
        .join(QLatin1Char('|'));
}

bool AppSettingsSkirmish::AiFromString(const QString& text, DataPlayer* ai)
{
    if (!ai)
        return false;
    QMap<QString, QString> fields;
    for (const QString& part : text.split(QLatin1Char('|'), Qt::SkipEmptyParts))
    {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq > 0)
            fields.insert(part.left(eq).trimmed(), part.mid(eq + 1));
    }
    if (!fields.contains(QStringLiteral("NAME_SHORT")) ||
        fields.value(QStringLiteral("NAME_SHORT")).isEmpty())
        return false;

    bool ok = false;
    DataPlayer result(QString(), true, true);
    result.aiKind = fields.value(QStringLiteral("NAME_SHORT"));
    result.aiShortName = fields.value(QStringLiteral("NAME_DLL"));
    const int team = fields.value(QStringLiteral("TEAM_ID")).toInt(&ok);
    result.allyTeam = ok ? team : 0;
    const int side = fields.value(QStringLiteral("SIDE_ID")).toInt(&ok);
    result.side = ok ? side : 0;
    result.sideName = fields.value(QStringLiteral("SIDE_NAME"));
    const QColor color(fields.value(QStringLiteral("COLOR")));
    if (color.isValid())
        result.color = color;
    *ai = result;
    return true;
}

QString AppSettingsSkirmish::RectsToString(const QMap<int, QRect>& rects)
{
    // A box's team is its position; a team without a box leaves an empty place.
    QStringList boxes;
    for (auto it = rects.constBegin(); it != rects.constEnd(); ++it)
    {
        if (it.key() < 0 || it.key() >= MaxRects)
        {
            qWarning().noquote() << "AppSettingsSkirmish :: BAD RECT TEAM ---" << it.key();
            continue;
        }
        while (boxes.size() < it.key())
            boxes << QString();
        const QRect& r = it.value();
        boxes << QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
    return boxes.join(QLatin1Char('|'));
}

QMap<int, QRect> AppSettingsSkirmish::RectsFromString(const QString& text)
{
    QMap<int, QRect> rects;
    if (text.trimmed().isEmpty())
        return rects;
    const QStringList boxes = text.split(QLatin1Char('|'));
    for (int team = 0; team < boxes.size() && team < MaxRects; ++team)
    {
        const QString& box = boxes.at(team);
        if (box.trimmed().isEmpty())
            continue;
        const QStringList parts = box.split(QLatin1Char(','));
        int values[4] = {0, 0, 0, 0};
        bool ok = parts.size() == 4;
        for (int i = 0; ok && i < 4; ++i)
            values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok || values[2] < 0 || values[3] < 0)
        {
            // Only the broken box is lost; the others keep their teams.
            qWarning().noquote() << "AppSettingsSkirmish :: BAD RECT ---" << box;
            continue;
        }
        rects.insert(team, QRect(values[0], values[1], values[2], values[3]));
    }
    return rects;
}

AppSettingsSkirmishCustom::AppSettingsSkirmishCustom()
    : AppSettingsSkirmish(QStringLiteral("AppSettings.Skirmish.Custom"))
{
    AppSettings::Instance()->Register(this);
}

AppSettingsSkirmishCustom::~AppSettingsSkirmishCustom() = default;

AppSettingsSkirmishQuick::AppSettingsSkirmishQuick()
    : AppSettingsSkirmish(QStringLiteral("AppSettings.Skirmish.Quick"))
{
    AppSettings::Instance()->Register(this);
}

AppSettingsSkirmishQuick::~AppSettingsSkirmishQuick() = default;

AppSettingsSpringTests::AppSettingsSpringTests()
    : AppSettingsBase(QStringLiteral("AppSettings.SpringTests"), File::Game)
{
    Register(QStringLiteral("SavedEngineVersion"), SavedEngineVersion);
    Register(QStringLiteral("SavedGameVersion"), SavedGameVersion);
    AppSettings::Instance()->Register(this);
}

AppSettingsSpringTests::~AppSettingsSpringTests() = default;

void CreateAppSettingsGroups()
{
    AppSettings::Instance();
    AppSettingsMain::Instance();
    AppSettingsSound::Instance();
    AppSettingsSpringConnection::Instance();
    AppSettingsSpringMyPersonal::Instance();
    AppSettingsSkirmishCustom::Instance();
    AppSettingsSkirmishQuick::Instance();
    AppSettingsSpringTests::Instance();
}

void DestroyAppSettingsGroups()
{
    AppSettingsSpringTests::Destroy();
    AppSettingsSkirmishQuick::Destroy();
    AppSettingsSkirmishCustom::Destroy();
    AppSettingsSpringMyPersonal::Destroy();
    AppSettingsSpringConnection::Destroy();
    AppSettingsSound::Destroy();
    AppSettingsMain::Destroy();
    AppSettings::Destroy();
}
