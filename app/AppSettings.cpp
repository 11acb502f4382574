#include "AppSettings.h"

#include "AppDefines.h"

#include <QDebug>

AppSettingsMain::AppSettingsMain() : AppSettingsBase(QStringLiteral("AppSettings.Main"), File::Lobby)
{
    Register(QStringLiteral("WindowState"), WindowState, 0, 0xf); // Qt::WindowStates flags
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
    Register(QStringLiteral("MusicVolume"), MusicVolume, 0, 100);
    Register(QStringLiteral("MusicMute"), MusicMute);
    Register(QStringLiteral("SoundsVolume"), SoundsVolume, 0, 100);
    Register(QStringLiteral("SoundsMute"), SoundsMute);
    Register(QStringLiteral("TauntsVolume"), TauntsVolume, 0, 100);
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
    Register(QStringLiteral("Port"), Port, 1, 65535);
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
    Register(QStringLiteral("MapRectAreaSize"), MapRectAreaSize, 0, 100); // percent of the map
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
