// Quillmere: start-up and shut-down order of the whole program.

#include "AppDefines.h"
#include "AppSettings.h"
#include "Common.h"
#include "CommonWidgets.h"
#include "CoreUI.h"
#include "DataReplay.h"
#include "DebugStream.h"
#include "EngineSettingsHandler.h"
#include "GuiFonts.h"
#include "GuiManager.h"
#include "GuiMetrics.h"
#include "LobbyMetaTypes.h"
#include "MainWindow.h"
#include "MetaTypes.h"
#include "MinimapManager.h"
#include "PageFactory.h"
#include "PathManager.h"
#include "ReplaysManager.h"
#include "SevenZManager.h"
#include "SoundManager.h"
#include "SpringLaunchManager.h"
#include "StartActionsHandler.h"
#include "SteamManager.h"
#include "SyncManager.h"
#include "TauntsManager.h"
#include "TranslatorManager.h"
#include "Variable.h"
#include "WebUpdates.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDebug>
#include <QDir>
#include <QLocale>
#include <QNetworkProxyFactory>
#include <QSplashScreen>
#include <QTextCodec>
#include <QTimer>

namespace
{
void RegisterMetaTypes()
{
    RegisterAppMetaTypes();
    RegisterLobbyMetaTypes();
    RegisterEngineSettingsMetaTypes();
    RegisterReplayMetaTypes();
    Variable::RegisterMetaTypes();
}

void CoreInitialize()
{
    qDebug() << "CORE --------------- START";
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    SoundManager::Instance();
    WebUpdates::Instance();
    // The engine launcher; game folders hidden by a run that never ended come back first.
    SpringLaunchManager::Instance()->RestoreDevGameFolders();
    ReplaysManager::Instance();
    MinimapManager::Instance();
    TranslatorManager::Instance()->Load(AppSettingsMain::Instance()->LocaleName);
    // The archive manager.
    SevenZManager::Instance();
    // The content index.
    SyncManager::Instance();
    TauntsManager::Instance();
    SteamManager::Instance();
    qDebug() << "CORE --------------- STOP";
}

// A worker manager finishes its work on its own thread before it is deleted.
template <typename Worker>
void StopWorkerManager()
{
    if (Worker::Exists())
        Worker::Instance()->InvokeBlocking("DoDestroy");
}

void CoreDestroy()
{
    qDebug() << "CORE DESTROY --------------- START";
    StopWorkerManager<SteamManager>();
    SteamManager::Destroy();
    TauntsManager::DestroyInstance();
    StopWorkerManager<SyncManager>();
    SyncManager::Destroy();
    // The replays worker asks the archive manager which archive tool to run: stopped first.
    StopWorkerManager<ReplaysManager>();
    StopWorkerManager<SevenZManager>();
    SevenZManager::Destroy();
    TranslatorManager::Destroy();
    StopWorkerManager<MinimapManager>();
    MinimapManager::Destroy();
    ReplaysManager::Destroy();
    SpringLaunchManager::Destroy();
    StopWorkerManager<WebUpdates>();
    WebUpdates::Destroy();
    SoundManager::DestroyInstance();
    qDebug() << "CORE DESTROY --------------- STOP";
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    // Every widget paints in software: an OpenGL surface would load a GL driver nothing draws with.
    QApplication::setAttribute(Qt::AA_ForceRasterWidgets);
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppDefines::GetProductName());
    QApplication::setApplicationVersion(AppDefines::GetLobbyVersion());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quillmere game lobby"));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption gameOption({QStringLiteral("g"), QStringLiteral("game")},
                                        QStringLiteral("The game to start with."),
                                        QStringLiteral("Game Name"));
    parser.addOption(gameOption);
    // A wrong command line is logged below; the program still starts.
    const bool commandLineOk = parser.parse(QApplication::arguments());
    if (commandLineOk && parser.isSet(helpOption))
        parser.showHelp(0);
    if (commandLineOk && parser.isSet(versionOption))
        parser.showVersion();

    // The game: command line, then the run-game file, then the first row.
    const QString springDataDir = PathManager::DefaultSpringDataDir();
    AppDefines* defines = AppDefines::Instance();
    const QString runGameFile =
        springDataDir + QStringLiteral("/gamelobby/") + AppDefines::GetRunGameFileName();
    QString gameReason;
    QString runGameProblem;
    bool gameUnknown = false;
    defines->SelectGameIndex(AppDefines::ChooseGameIndex(parser.value(gameOption),
                                                         Common::ReadValue(runGameFile, &runGameProblem),
                                                         &gameReason, &gameUnknown));

    QSplashScreen* splash = nullptr;
    const QPixmap splashPicture(QStringLiteral(":/Main/text.%1.png").arg(defines->GetShortCode()));
    if (!splashPicture.isNull())
    {
        splash = new QSplashScreen(splashPicture);
        splash->show();
        app.processEvents();
    }

    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    RegisterMetaTypes();
    Common::InitWindowSize();
    GuiFonts::LoadFonts();
    Common::InitRandomSeed();

    // The log: open the file first, so that nothing after this point is lost.
    const QString logsDir = springDataDir + QStringLiteral("/gamelobby/_logs");
    QDir().mkpath(logsDir);
    const QDateTime startTime = QDateTime::currentDateTime();
    const QString logFile = DebugStream::Instance()->OpenNew(
        [&](int copy) { return logsDir + QLatin1Char('/') + PathManager::LogFileName(startTime, copy); });
    DebugStream::InstallMessageHandler();
    for (const QString& line : DebugStream::HeaderLines(defines->GetGame().namePattern))
        qDebug().noquote() << line;
    if (!commandLineOk)
        qWarning().noquote() << "main :: BAD COMMAND LINE ---" << parser.errorText();
    // Said only where the file would have chosen the game.
    if (!runGameProblem.isEmpty() && parser.value(gameOption).isEmpty())
        qWarning().noquote() << "AppDefines :: CAN NOT READ ---" << runGameFile << "---" << runGameProblem;
    if (gameUnknown)
        qWarning().noquote() << "AppDefines :: UNKNOWN GAME ---" << gameReason
                             << "--- first game used:" << defines->GetShortCode();
    else
        qDebug().noquote() << "AppDefines :: GAME ---" << defines->GetShortCode() << "---" << gameReason;

    PathManager::Instance()->Initialize(springDataDir, defines->GetShortCode());
    PathManager::Instance()->SetLobbyLogFile(logFile);
    CreateAppSettingsGroups();
    AppSettings::Instance()->Load();
    SetGuiLanguage(AppSettingsMain::Instance()->LocaleName);

    // Tests point the web service at a server of their own.
    if (qEnvironmentVariableIsSet("QUILLMERE_WEB_BASE"))
        defines->SetWebBaseAddress(qEnvironmentVariable("QUILLMERE_WEB_BASE"));

    // Engines unchanged since the last start are not asked for their versions again.
    SyncManager::SetKnownEngineVersions(AppSettingsMain::Instance()->EngineVersions);
    CoreInitialize();
    // The translator knows the language now; a later switch may need other faces too.
    GuiFonts::UseLanguage(TranslatorManager::Instance()->GetLanguage());
    QObject::connect(TranslatorManager::Instance(), &TranslatorManager::OnLanguageChanged,
                     &GuiFonts::UseLanguage);
    PageFactory::Install();
    CoreUI::Initialize();
    // Closing starts with the quit request: an engine being asked for its version is killed then,
    // so that its end overlaps the rest of the shut-down.
    QObject::connect(GuiManager::Instance(), &GuiManager::OnAppQuit, &SyncManager::StopEngineChecks);
    qDebug() << "START --------------- START";
    // The GUI manager runs the start-up housekeeping once the event loop turns.
    EngineSettingsHandler::AddStartAction();
    CoreUI::Start();
    qDebug() << "START --------------- STOP";
    if (splash)
    {
        splash->finish(MainWindow::Instance());
        delete splash;
    }

    // Tests and screenshots run the program for a set time.
    const int autoQuitMs = qEnvironmentVariableIntValue("QUILLMERE_AUTOQUIT_MS");
    if (autoQuitMs > 0)
        QTimer::singleShot(autoQuitMs, &app,
                           []
                           {
                               // The same road as closing the window: the geometry is saved.
                               if (GuiManager::Exists())
                                   GuiManager::Instance()->RequestQuit();
                               QApplication::quit();
                           });

    const int result = app.exec();

    // An engine still being asked for its version must not hold up the shut-down.
    SyncManager::StopEngineChecks();
    CoreUI::Destroy();
    CoreDestroy();
    AppSettingsMain::Instance()->EngineVersions =
        SyncManager::EngineVersionsToStore(AppSettingsMain::Instance()->EngineVersions);
    AppSettings::Instance()->SaveAll();
    DestroyAppSettingsGroups();
    PathManager::Destroy();
    AppDefines::Destroy();
    qDebug() << "Stop logging!";
    qInstallMessageHandler(nullptr);
    DebugStream::Destroy();
    return result;
}
