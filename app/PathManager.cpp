#include "PathManager.h"

#include "AppSettings.h"
#include "CommonIO.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

PathManager::PathManager()
{
    qDebug() << "Initialize :: PathManager";
}

PathManager::~PathManager()
{
    qDebug() << "Destroy :: PathManager";
}

QString PathManager::DefaultSpringDataDir()
{
    const QString fromEnv = qEnvironmentVariable("SPRING_WRITEDIR");
    if (!fromEnv.isEmpty())
        return QDir::cleanPath(fromEnv);
#ifdef Q_OS_WIN
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                           QStringLiteral("/My Games/Spring"));
#else
    const QString home = QDir::homePath();
    const QString config = home + QStringLiteral("/.config/spring");
    const QString dotSpring = home + QStringLiteral("/.spring");
    if (!QDir(config).exists() && QDir(dotSpring).exists())
        return dotSpring;
    return config;
#endif
}

QString PathManager::LogFileName(const QDateTime& start, int copy)
{
    const QString stamp = start.toString(QStringLiteral("yyyy.MM.dd_hh.mm.ss"));
    if (copy > 0)
        return stamp + QStringLiteral("_%1_gamelobby.log").arg(copy + 1);
    return stamp + QStringLiteral("_gamelobby.log");
}

void PathManager::Initialize(const QString& springDataDir, const QString& gameShortCode)
{
    m_springDataDir = QDir::cleanPath(springDataDir.isEmpty() ? DefaultSpringDataDir() : springDataDir);
    m_lobbyDataDir = m_springDataDir + QStringLiteral("/gamelobby");
    m_lobbyGameDataDir = m_lobbyDataDir + QLatin1Char('/') + gameShortCode;
    if (m_lobbyLogFile.isEmpty())
        m_lobbyLogFile = GetLobbyLogsDir() + QLatin1Char('/') + LogFileName(QDateTime::currentDateTime());
    for (const QString& dir :
         {m_springDataDir, m_lobbyDataDir, m_lobbyGameDataDir, GetLobbyLogsDir(), GetTempDir()})
    {
        if (!QDir(dir).exists())
            CommonIO::MakeDir(dir);
    }
    qDebug().noquote() << "PathManager :: SPRING DATA DIR ---" << m_springDataDir;
}

QString PathManager::GetEngineLogFile() const
{
    const QString custom = AppSettingsMain::Instance()->CustomSyncFolder;
    return (custom.isEmpty() ? m_springDataDir : QDir::cleanPath(custom)) + QStringLiteral("/infolog.txt");
}

QString PathManager::GetEngineSettingsFile(bool replay) const
{
    return m_lobbyDataDir + (replay ? QStringLiteral("/spring.settings.replay.cfg")
                                    : QStringLiteral("/spring.settings.play.cfg"));
}

QString PathManager::GetReplayCacheFile(int version) const
{
    return m_lobbyDataDir + QStringLiteral("/replays.cache.rc%1").arg(version);
}

QList<QPair<QString, QStringList>> PathManager::GetSavedFiles() const
{
    const auto name = [](const QString& path) { return QFileInfo(path).fileName(); };
    QString replayCaches = name(GetReplayCacheFile(0));
    replayCaches.chop(1);
    return {{m_lobbyDataDir,
             {name(GetLobbySettingsFile()), name(GetEngineSettingsFile(false)),
              name(GetEngineSettingsFile(true)), name(GetRunGameFile()), replayCaches + QLatin1Char('*'),
              QStringLiteral("content.cache")}}, // the content index's scan cache
            {m_lobbyGameDataDir,
             {name(GetLobbyGameSettingsFile()), name(GetCustomAIFile()), name(GetLaunchScriptFile())}},
            {GetMinimapCacheDir(), {QStringLiteral("*.minimap")}}};
}

QString PathManager::GetProgramDir() const
{
    return QCoreApplication::applicationDirPath();
}
