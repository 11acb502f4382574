#include "helper_ui.h"

#include "AppSettings.h"
#include "CoreUI.h"
#include "FrameKit.h"
#include "ModalPage.h"
#include "PageStorageManager.h"
#include "PathManager.h"
#include "SoundManager.h"
#include "SteamManager.h"
#include "WebUpdates.h"
#include "helper_pages.h"

#include <QApplication>
#include <QSettings>

namespace TestUi
{
void Start()
{
    TestPageFactory::Install();
    CoreUI::Initialize();
    // The GUI manager wires itself at the first turn of the event loop.
    QCoreApplication::processEvents();
}

void Stop()
{
    CoreUI::Destroy();
    ModalPage::Destroy();
    WebUpdates::Destroy();
    SteamManager::Destroy();
    SoundManager::DestroyInstance();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    PageStorageManager::SetPageFactory(nullptr);
    FrameKit::SetSoundRecorder(nullptr);
}

QVariant StoredValue(const QString& group, const QString& key)
{
    QSettings file(AppSettings::Instance()->GetFilePath(AppSettingsBase::File::Lobby), QSettings::IniFormat);
    return file.value(group + '/' + key);
}
} // namespace TestUi
