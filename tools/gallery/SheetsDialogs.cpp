// Every shared dialog on the modal page, in the states it goes through.
#include "AIHandler.h"
#include "AppDefines.h"
#include "AppSettings.h"
#include "CheckForUpdatesModal.h"
#include "DialogShots.h"
#include "GalleryKit.h"
#include "NImageLabel.h"
#include "NLineEdit.h"
#include "NotInSyncModal.h"
#include "NoticeModals.h"
#include "PlayerOptionModals.h"
#include "SelectAIModal.h"
#include "SelectLanguageModal.h"
#include "SelectPlayGameModal.h"
#include "SyncManager.h"
#include "TextEntryModals.h"
#include "WebUpdates.h"

#include <QTextBrowser>

using namespace Gallery;

namespace
{
void Notices(const QString& dir)
{
    DialogSheet(dir, QStringLiteral("MessageBoxModal"),
                {{QStringLiteral("exit question"),
                  [] { return new MessageBoxModal(QObject::tr("Do you really want to exit?")); },
                  {}},
                 {QStringLiteral("text from outside, shown as it is"),
                  [] { return new MessageBoxModal(QStringLiteral("<b>Player</b> & co left\nthe battle")); },
                  {}}});
    DialogSheet(dir, QStringLiteral("ShowChangeLogModal"),
                {{QStringLiteral("change log"), [] { return new ShowChangeLogModal(); }, {}}});
}

void Restarts(const QString& dir)
{
    DialogSheet(dir, QStringLiteral("SelectLanguageModal"),
                {{QStringLiteral("languages"), [] { return new SelectLanguageModal(); }, {}}});
    DialogSheet(dir, QStringLiteral("SelectPlayGameModal"),
                {{QStringLiteral("games"), [] { return new SelectPlayGameModal(); }, {}},
                 {QStringLiteral("choice could not be saved"), [] { return new SelectPlayGameModal(); },
                  [](NModalWidget* dialog)
                  {
                      auto* games = static_cast<SelectPlayGameModal*>(dialog);
                      games->ErrorLabel()->SetText(
                          SelectPlayGameModal::tr(
                              "The game choice could not be saved to %1. The lobby is not restarted.")
                              .arg(SelectPlayGameModal::RunGameFilePath()));
                      games->ErrorLabel()->show();
                  }}});
}
void Updates(const QString& dir)
{
    auto answer = [](std::function<void(CheckForUpdatesModal*)> give)
    { return [give](NModalWidget* dialog) { give(static_cast<CheckForUpdatesModal*>(dialog)); }; };
    auto make = [] { return new CheckForUpdatesModal(); };
    DialogSheet(
        dir, QStringLiteral("CheckForUpdatesModal"),
        {{QStringLiteral("checking"), make, {}},
         {QStringLiteral("new version"), make,
          answer(
              [](CheckForUpdatesModal* d) {
                  d->DoHasUpdates(DataUpdates{"9.0.0", QString()});
              })},
         {QStringLiteral("up to date"), make, answer([](CheckForUpdatesModal* d) { d->DoNoUpdates(); })},
         {QStringLiteral("error"), make, answer([](CheckForUpdatesModal* d) { d->DoError(); })}});
}
// A maker that switches to a game first (and back to the first game after the shot).
std::function<NModalWidget*()> InGame(const QString& game, std::function<NModalWidget*()> make)
{
    return [game, make]
    {
        AppDefines::Instance()->SelectGame(game);
        NModalWidget* dialog = make();
        AppDefines::Instance()->SelectGameIndex(0);
        return dialog;
    };
}

void Sync(const QString& dir)
{
    DataSyncState missing;
    missing.mapName = QStringLiteral("Morvantis Crossing");
    missing.gameName = QStringLiteral("Morvantis 1.0");
    missing.engineVersion = QStringLiteral("106.0");
    missing.hasGame = false;
    missing.hasMap = missing.hasMapCache = false;
    missing.isChecked = missing.downloadsIdle = true;

    DataSyncState downloading = missing;
    DataDownload game;
    game.itemType = DataDownload::Game;
    game.SetDownloading();
    DataDownload map;
    map.itemType = DataDownload::Map;
    map.SetError();
    downloading.downloads = {{DataDownload::Game, game}, {DataDownload::Map, map}};
    downloading.downloadsIdle = false;

    DataSyncState synced = missing;
    synced.hasGame = synced.hasMap = synced.hasMapCache = true;

    auto make = [](DataSyncState state) { return [state] { return new NotInSyncModal(state); }; };
    DialogSheet(dir, QStringLiteral("NotInSyncModal"),
                {{QStringLiteral("game and map missing"), make(missing), {}},
                 {QStringLiteral("game downloading, map download failed"), make(downloading),
                  [](NModalWidget* dialog)
                  {
                      DataDownloadProgress progress;
                      progress.itemType = DataDownload::Game;
                      progress.progress = 64;
                      static_cast<NotInSyncModal*>(dialog)->DoProgress(progress);
                  }},
                 {QStringLiteral("all synced, Retry pressed"), make(synced),
                  [](NModalWidget* dialog) { static_cast<NotInSyncModal*>(dialog)->DoButtonRetryClick(); }}});
    SyncManager::Instance()->InvokeBlocking("DoDestroy");
    SyncManager::Destroy();
}

void AIs(const QString& dir)
{
    auto make = [] { return new SelectAIModal(1); };
    DialogSheet(dir, QStringLiteral("SelectAIModal"),
                {{QStringLiteral("first game"), make, {}},
                 {QStringLiteral("first game, admin"),
                  []
                  {
                      AppSettingsSpringMyPersonal::Instance()->IsAdmin = true;
                      NModalWidget* dialog = new SelectAIModal(1);
                      AppSettingsSpringMyPersonal::Instance()->IsAdmin = false;
                      return dialog;
                  },
                  {}},
                 {QStringLiteral("nine sides"), InGame(QStringLiteral("gvm"), make), {}},
                 {QStringLiteral("three sides"), InGame(QStringLiteral("vq"), make), {}}});
}

void PlayerOptions(const QString& dir)
{
    DataPlayer player(QStringLiteral("Player"), true, false);
    const DataPlayer ai = AIHandler::MakeSkitterhiveAI(1);
    auto side = [player] { return new SelectSideModal(player); };
    DialogSheet(dir, QStringLiteral("SelectSideModal"),
                {{QStringLiteral("two sides, large"), side, {}},
                 {QStringLiteral("nine sides"), InGame(QStringLiteral("gvm"), side), {}}});
    auto aiSide = [ai] { return new SelectAISideModal(ai); };
    DialogSheet(dir, QStringLiteral("SelectAISideModal"),
                {{QStringLiteral("R.A.V."), aiSide, {}},
                 {QStringLiteral("V.E.S.K.A."), InGame(QStringLiteral("gvm"), aiSide), {}},
                 {QStringLiteral("mission"), InGame(QStringLiteral("vq"), aiSide), {}}});
    DialogSheet(dir, QStringLiteral("SelectColorModal"),
                {{QStringLiteral("player"), [player] { return new SelectColorModal(player); }, {}},
                 {QStringLiteral("AI"), [ai] { return new SelectColorModal(ai); }, {}}});
    DialogSheet(dir, QStringLiteral("SelectDifficultModal"),
                {{QStringLiteral("levels"), [ai] { return new SelectDifficultModal(ai); }, {}}});
    DialogSheet(dir, QStringLiteral("SelectStartPositionModal"),
                {{QStringLiteral("modes"), [] { return new SelectStartPositionModal(); }, {}}});
}

void TextEntries(const QString& dir)
{
    auto type = [](const QString& text) {
        return [text](NModalWidget* dialog)
        { static_cast<TextEntryModal*>(dialog)->LineEdit()->setText(text); };
    };
    DialogSheet(dir, QStringLiteral("TypeOptionStringModal"),
                {{QStringLiteral("empty"),
                  []
                  {
                      return new TypeOptionStringModal(QStringLiteral("Mission Name"),
                                                       QStringLiteral("Type Mission Name Option"));
                  },
                  {}},
                 {QStringLiteral("typed"),
                  []
                  {
                      return new TypeOptionStringModal(QStringLiteral("Mission Name"),
                                                       QStringLiteral("Type Mission Name Option"));
                  },
                  type(QStringLiteral("Crossing at dawn"))}});
    DialogSheet(dir, QStringLiteral("TypePasswordModal"),
                {{QStringLiteral("typed, never in clear"), [] { return new TypePasswordModal(7); },
                  type(QStringLiteral("s3cret"))}});
}
} // namespace

static Registration s_sync("dialogs_sync", Sync);
static Registration s_ais("dialogs_ais", AIs);
static Registration s_options("dialogs_options", PlayerOptions);
static Registration s_entries("dialogs_entries", TextEntries);
static Registration s_updates("dialogs_updates", Updates);
static Registration s_notices("dialogs_notices", Notices);
static Registration s_restarts("dialogs_restarts", Restarts);
