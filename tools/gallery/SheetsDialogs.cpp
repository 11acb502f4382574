// Every shared dialog on the modal page, in the states it goes through.
#include "CheckForUpdatesModal.h"
#include "DialogShots.h"
#include "GalleryKit.h"
#include "NImageLabel.h"
#include "NoticeModals.h"
#include "SelectLanguageModal.h"
#include "SelectPlayGameModal.h"
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
} // namespace

static Registration s_updates("dialogs_updates", Updates);
static Registration s_notices("dialogs_notices", Notices);
static Registration s_restarts("dialogs_restarts", Restarts);
