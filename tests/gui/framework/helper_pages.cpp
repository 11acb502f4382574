#include "helper_pages.h"

#include "AppSettings.h"
#include "CoreUI.h"
#include "FrameKit.h"
#include "ModalPage.h"
#include "PageStorageManager.h"
#include "PathManager.h"
#include "SoundManager.h"
#include "SteamManager.h"
#include "WebUpdates.h"
#include <QApplication>
#include <QSettings>

namespace
{
struct Row
{
    int exit;
    bool keep;
};

const QMap<int, Row>& Table()
{
    static const QMap<int, Row> table = {
        {2, {3, false}},  {3, {1, false}},  {4, {7, true}},   {5, {0, true}},   {6, {0, true}},
        {7, {0, true}},   {8, {3, false}},  {9, {3, false}},  {10, {9, true}},  {11, {3, false}},
        {12, {11, true}}, {13, {3, false}}, {14, {3, false}}, {15, {3, false}}, {16, {3, false}},
        {17, {3, false}}, {18, {3, false}}, {19, {0, true}},  {20, {3, false}}, {21, {3, false}},
        {22, {3, false}}, {23, {3, false}}};
    return table;
}
} // namespace

QList<QPair<int, QPointer<NPage>>>& TestPageFactory::Built()
{
    static QList<QPair<int, QPointer<NPage>>> built;
    return built;
}

QList<int>& TestPageFactory::Deleted()
{
    static QList<int> deleted;
    return deleted;
}

void TestPageFactory::Reset()
{
    Built().clear();
    Deleted().clear();
}

void TestPageFactory::Install()
{
    Reset();
    PageStorageManager::SetPageFactory(
        [](int id) -> NPage*
        {
            if (!Table().contains(id))
                return nullptr;
            const Row row = Table().value(id);
            auto* page = new CountingPage(id, row.exit, row.keep);
            QObject::connect(page, &QObject::destroyed, [id] { Deleted().append(id); });
            Built().append({id, page});
            return page;
        });
}

int TestPageFactory::BuiltCount(int id)
{
    int count = 0;
    for (const auto& entry : Built())
        count += entry.first == id ? 1 : 0;
    return count;
}

CountingPage* TestPageFactory::Latest(int id)
{
    for (int i = Built().size() - 1; i >= 0; --i)
    {
        if (Built().at(i).first == id)
            return qobject_cast<CountingPage*>(Built().at(i).second.data());
    }
    return nullptr;
}

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
