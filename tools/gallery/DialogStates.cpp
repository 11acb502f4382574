#include "DialogStates.h"

#include "AIHandler.h"
#include "AppDefines.h"
#include "AppSettings.h"
#include "CheckForUpdatesModal.h"
#include "DisplayResolutionList.h"
#include "GIFWidget.h"
#include "ListChoiceModals.h"
#include "MainMenuPage.h"
#include "NImageLabel.h"
#include "NLineEdit.h"
#include "NSearchWidget.h"
#include "NotInSyncModal.h"
#include "NoticeModals.h"
#include "PathManager.h"
#include "PlayerInfoModal.h"
#include "PlayerOptionModals.h"
#include "SelectAIModal.h"
#include "SelectLanguageModal.h"
#include "SelectMapModal.h"
#include "SelectPlayGameModal.h"
#include "SelectScreenResolutionModal.h"
#include "SendLogModal.h"
#include "SpringConnectionManager.h"
#include "SpringPlayersManager.h"
#include "TextEntryModals.h"
#include "WebUpdates.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <QTextBrowser>
#include <QTreeView>

namespace Gallery
{
namespace
{
using Make = std::function<NModalWidget*()>;
using After = std::function<void(NModalWidget*)>;

template <typename Dialog>
After On(std::function<void(Dialog*)> act)
{
    return [act](NModalWidget* dialog) { act(static_cast<Dialog*>(dialog)); };
}

// Made with the current game switched to `game` for the while.
Make InGame(const QString& game, Make make)
{
    return [game, make]
    {
        AppDefines::Instance()->SelectGame(game);
        NModalWidget* dialog = make();
        AppDefines::Instance()->SelectGameIndex(0);
        return dialog;
    };
}

// Waits (up to a bound) until the map list has every minimap answer.
void WaitForMinimaps(SelectMapModal* maps)
{
    QElapsedTimer timer;
    timer.start();
    while (maps->PendingCount() > 0 && timer.elapsed() < 30000)
        QTest::qWait(50);
}

void Search(NSearchWidget* search, const QString& text)
{
    search->LineEdit()->setText(text);
    search->DoTimerFilterChanged();
}

void WriteLines(const QString& path, const QString& pattern, int count)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    for (int i = 1; i <= count; ++i)
        file.write(pattern.arg(i, 4, 10, QLatin1Char('0')).toUtf8() + '\n');
}

// Logs and both screenshots as a player has them, the upload going to a local service that takes
// it and never answers: the dialog stays in its sending state.
SendLogModal* SendLog()
{
    PathManager* paths = PathManager::Instance();
    WriteLines(paths->GetEngineLogFile(), QStringLiteral("[t=00:%1] Sim: loading unit definitions"), 300);
    paths->SetLobbyLogFile(paths->GetLobbyLogsDir() + QStringLiteral("/gallery_gamelobby.log"));
    WriteLines(paths->GetLobbyLogFile(), QStringLiteral("12:00:%1 SpringLaunchManager :: START --- skirmish"),
               300);
    QDir().mkpath(paths->GetEngineScreenshotsDir());
    const QString game = AppDefines::Instance()->GetShortCode();
    QImage(QStringLiteral(":/Backgrounds/%1/02.jpg").arg(game))
        .save(paths->GetEngineScreenshotsDir() + QStringLiteral("/screen00001.png"));
    QImage(QStringLiteral(":/Backgrounds/%1/01.jpg").arg(game))
        .save(paths->GetLobbyScreenshotFile(), "JPEG", 85);
    static QTcpServer silent;
    if (!silent.isListening())
        silent.listen(QHostAddress::LocalHost);
    AppDefines::Instance()->SetWebBaseAddress(QStringLiteral("http://127.0.0.1:%1").arg(silent.serverPort()));

    auto* dialog = new SendLogModal();
    dialog->GetNameField()->setText(QStringLiteral("Ann Lee"));
    dialog->GetEmailField()->setText(QStringLiteral("ann@example.org"));
    dialog->GetDescription()->setPlainText(
        QStringLiteral("The game stops loading at 80 % on the map Twin Lakes.\nIt happens every time."));
    return dialog;
}

void Sending(SendLogModal* dialog)
{
    dialog->DoButtonSendClick();
    for (int tick = 0; tick < 3; ++tick)
        dialog->GetBusyAnimation()->DoTimerUpdate();
}

DataSyncState Missing()
{
    DataSyncState missing;
    missing.mapName = QStringLiteral("Morvantis Crossing");
    missing.gameName = QStringLiteral("Morvantis 1.0");
    missing.engineVersion = QStringLiteral("106.0");
    missing.hasGame = false;
    missing.hasMap = missing.hasMapCache = false;
    missing.isChecked = missing.downloadsIdle = true;
    return missing;
}

QList<DialogStates> Notices()
{
    const auto profile = [](int platform, const QString& localTime, bool steam)
    {
        return [=]
        {
            SpringPlayer player;
            player.name = QStringLiteral("Hawk<3");
            player.id = QStringLiteral("76561198000000001");
            player.country = QStringLiteral("CZ");
            player.platform = platform;
            player.localTime = localTime;
            SpringPlayersManager::Instance()->DoAddPlayer(player);
            SpringConnectionManager::Instance()->SetLoginMode(
                steam ? SpringConnectionManager::LoginMode::Steam
                      : SpringConnectionManager::LoginMode::Account);
            return new PlayerInfoModal(player.name);
        };
    };
    return {
        {QStringLiteral("MessageBoxModal"),
         {{QStringLiteral("exit question"),
           [] { return new MessageBoxModal(QObject::tr("Do you really want to exit?")); },
           {}},
          {QStringLiteral("text from outside, shown as it is"),
           [] { return new MessageBoxModal(QStringLiteral("<b>Player</b> & co left\nthe battle")); },
           {}}}},
        {QStringLiteral("QuitConfirmModal"),
         {{QStringLiteral("quit question"), [] { return new QuitConfirmModal(); }, {}}}},
        {QStringLiteral("ShowChangeLogModal"),
         {{QStringLiteral("change log"), [] { return new ShowChangeLogModal(); }, {}}}},
        {QStringLiteral("ShowPictureModal"),
         {{QStringLiteral("enlarged picture"),
           []
           { return new ShowPictureModal(QStringLiteral("Skitterhive"), QStringLiteral(":/AI/queen.png")); },
           {}}}},
        {QStringLiteral("PlayerInfoModal"),
         {{QStringLiteral("Linux, local time known"), profile(1, QStringLiteral("21:05"), false), {}},
          {QStringLiteral("Windows, no local time"), profile(2, QString(), false), {}},
          {QStringLiteral("Steam login shows the id, other client"),
           profile(0, QStringLiteral("08:40"), true),
           {}}}},
        {QStringLiteral("CheckForUpdatesModal"),
         {{QStringLiteral("checking"), [] { return new CheckForUpdatesModal(); }, {}},
          {QStringLiteral("new version"), [] { return new CheckForUpdatesModal(); },
           On<CheckForUpdatesModal>(
               [](CheckForUpdatesModal* d) {
                   d->DoHasUpdates(DataUpdates{"9.0.0", {}});
               })},
          {QStringLiteral("up to date"), [] { return new CheckForUpdatesModal(); },
           On<CheckForUpdatesModal>([](CheckForUpdatesModal* d) { d->DoNoUpdates(); })},
          {QStringLiteral("error"), [] { return new CheckForUpdatesModal(); },
           On<CheckForUpdatesModal>([](CheckForUpdatesModal* d) { d->DoError(); })}}}};
}

QList<DialogStates> Restarts()
{
    return {{QStringLiteral("SelectLanguageModal"),
             {{QStringLiteral("languages"), [] { return new SelectLanguageModal(); }, {}},
              // A folder where the settings file should go: the choice cannot be written.
              {QStringLiteral("choice could not be saved"), [] { return new SelectLanguageModal(); },
               [](NModalWidget* dialog)
               {
                   const QString file = AppSettings::Instance()->GetFilePath(AppSettingsBase::File::Lobby);
                   QFile::rename(file, file + ".gallery");
                   QDir().mkpath(file);
                   dialog->findChild<QPushButton*>()->click();
                   QDir().rmdir(file);
                   QFile::rename(file + ".gallery", file);
               }}}},
            {QStringLiteral("SelectPlayGameModal"),
             {{QStringLiteral("games"), [] { return new SelectPlayGameModal(); }, {}},
              // A folder where the file should go: the choice cannot be written.
              {QStringLiteral("choice could not be saved"), [] { return new SelectPlayGameModal(); },
               [](NModalWidget* dialog)
               {
                   QDir().mkpath(SelectPlayGameModal::RunGameFilePath());
                   dialog->findChild<QPushButton*>()->click();
                   QDir().rmdir(SelectPlayGameModal::RunGameFilePath());
               }}}}};
}

QList<DialogStates> Sync()
{
    DataSyncState downloading = Missing();
    DataDownload game;
    game.itemType = DataDownload::Game;
    game.SetDownloading();
    DataDownload map;
    map.itemType = DataDownload::Map;
    map.SetError();
    downloading.downloads = {{DataDownload::Game, game}, {DataDownload::Map, map}};
    downloading.downloadsIdle = false;
    DataSyncState synced = Missing();
    synced.hasGame = synced.hasMap = synced.hasMapCache = true;
    const auto make = [](DataSyncState state) { return [state] { return new NotInSyncModal(state); }; };
    return {{QStringLiteral("NotInSyncModal"),
             {{QStringLiteral("game and map missing"), make(Missing()), {}},
              {QStringLiteral("game downloading, map download failed"), make(downloading),
               On<NotInSyncModal>(
                   [](NotInSyncModal* dialog)
                   {
                       DataDownloadProgress progress;
                       progress.itemType = DataDownload::Game;
                       progress.progress = 64;
                       dialog->DoProgress(progress);
                   })},
              {QStringLiteral("all synced, Retry pressed"), make(synced),
               On<NotInSyncModal>([](NotInSyncModal* dialog) { dialog->DoButtonRetryClick(); })}}}};
}

QList<DialogStates> PlayerOptions()
{
    const DataPlayer player(QStringLiteral("Player"), true, false);
    const DataPlayer ai = AIHandler::MakeSkitterhiveAI(1);
    const auto ais = [] { return new SelectAIModal(1); };
    const auto side = [player] { return new SelectSideModal(player); };
    const auto aiSide = [ai] { return new SelectAISideModal(ai); };
    return {{QStringLiteral("SelectAIModal"),
             {{QStringLiteral("first game"), ais, {}},
              {QStringLiteral("first game, admin"),
               []
               {
                   AppSettingsSpringMyPersonal::Instance()->IsAdmin = true;
                   NModalWidget* dialog = new SelectAIModal(1);
                   AppSettingsSpringMyPersonal::Instance()->IsAdmin = false;
                   return dialog;
               },
               {}},
              {QStringLiteral("nine sides"), InGame(QStringLiteral("gvm"), ais), {}},
              {QStringLiteral("three sides"), InGame(QStringLiteral("vq"), ais), {}}}},
            {QStringLiteral("SelectSideModal"),
             {{QStringLiteral("two sides, large"), side, {}},
              {QStringLiteral("nine sides"), InGame(QStringLiteral("gvm"), side), {}}}},
            {QStringLiteral("SelectAISideModal"),
             {{QStringLiteral("R.A.V."), aiSide, {}},
              {QStringLiteral("V.E.S.K.A."), InGame(QStringLiteral("gvm"), aiSide), {}},
              {QStringLiteral("mission"), InGame(QStringLiteral("vq"), aiSide), {}}}},
            {QStringLiteral("SelectColorModal"),
             {{QStringLiteral("player"), [player] { return new SelectColorModal(player); }, {}},
              {QStringLiteral("AI"), [ai] { return new SelectColorModal(ai); }, {}}}},
            {QStringLiteral("SelectDifficultModal"),
             {{QStringLiteral("levels"), [ai] { return new SelectDifficultModal(ai); }, {}}}},
            {QStringLiteral("SelectStartPositionModal"),
             {{QStringLiteral("modes"), [] { return new SelectStartPositionModal(); }, {}}}}};
}

QList<DialogStates> TextEntries()
{
    const auto option = []
    {
        return new TypeOptionStringModal(QStringLiteral("Mission Name"),
                                         QStringLiteral("Type Mission Name Option"));
    };
    const auto type = [](const QString& text)
    { return On<TextEntryModal>([text](TextEntryModal* dialog) { dialog->LineEdit()->setText(text); }); };
    return {{QStringLiteral("TypeOptionStringModal"),
             {{QStringLiteral("empty"), option, {}},
              {QStringLiteral("typed"), option, type(QStringLiteral("Crossing at dawn"))}}},
            {QStringLiteral("TypePasswordModal"),
             {{QStringLiteral("typed, never in clear"), [] { return new TypePasswordModal(7); },
               type(QStringLiteral("s3cret"))}}}};
}

QList<DialogStates> Lists()
{
    const auto pick = [](int row)
    {
        return [row](NModalWidget* dialog)
        {
            auto* list = dialog->findChild<QTreeView*>();
            list->setCurrentIndex(list->model()->index(row, 1));
        };
    };
    return {{QStringLiteral("SelectEngineVersionModal"),
             {{QStringLiteral("installed engines, one chosen"), [] { return new SelectEngineVersionModal(); },
               pick(1)}}},
            {QStringLiteral("SelectGameVersionModal"),
             {{QStringLiteral("installed games"), [] { return new SelectGameVersionModal(); }, {}}}},
            {QStringLiteral("SelectAiProjectVersionModal"),
             {{QStringLiteral("project tags"),
               [] {
                   return new SelectAiProjectVersionModal({"v1.0", "v1.1", "v2.0-rc1"});
               },
               pick(0)}}},
            {QStringLiteral("SelectTauntModal"),
             {{QStringLiteral("all taunts"), [] { return new SelectTauntModal(); }, {}},
              {QStringLiteral("searched"), [] { return new SelectTauntModal(); },
               On<SelectTauntModal>([](SelectTauntModal* taunts) { Search(taunts->Search(), "shot"); })}}},
            {QStringLiteral("SelectMapModal"),
             {{QStringLiteral("minimaps filled in"),
               [] { return new SelectMapModal(QStringLiteral("Quill Test Map")); },
               On<SelectMapModal>(WaitForMinimaps), 300},
              {QStringLiteral("searched"), [] { return new SelectMapModal(QString()); },
               On<SelectMapModal>(
                   [](SelectMapModal* maps)
                   {
                       WaitForMinimaps(maps);
                       Search(maps->Search(), "c*");
                   }),
               300}}},
            // Fixed: the screen's own size would change the list from machine to machine.
            {QStringLiteral("SelectScreenResolutionModal"),
             {{QStringLiteral("a 1600 x 1200 screen"),
               []
               {
                   DisplayResolutionList::Instance()->SetScreenSizeSource([] { return QSize(1600, 1200); });
                   NModalWidget* dialog = new SelectScreenResolutionModal();
                   DisplayResolutionList::Instance()->SetScreenSizeSource(nullptr);
                   return dialog;
               },
               {}}}},
            // The screenshots come 300 ms after the dialog, the logs from their worker.
            {QStringLiteral("SendLogModal"),
             {{QStringLiteral("idle, with both screenshots"), SendLog, {}, 500},
              {QStringLiteral("sending"), SendLog, On<SendLogModal>(Sending), 500},
              {QStringLiteral("not sent"), SendLog,
               On<SendLogModal>(
                   [](SendLogModal* dialog)
                   {
                       Sending(dialog);
                       dialog->DoLogError();
                   }),
               500}}}};
}
} // namespace

QList<DialogStates> AllDialogStates()
{
    return Notices() + Restarts() + Sync() + PlayerOptions() + TextEntries() + Lists();
}
} // namespace Gallery
