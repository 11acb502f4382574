// The list choice dialogs, the map choice and the profile and picture notices on the modal page.
#include "DialogShots.h"
#include "GalleryKit.h"
#include "ListChoiceModals.h"
#include "MapsTreeView.h"
#include "MinimapManager.h"
#include "NLineEdit.h"
#include "NSearchWidget.h"
#include "NoticeModals.h"
#include "PathManager.h"
#include "PlayerInfoModal.h"
#include "SelectMapModal.h"
#include "SpringConnectionManager.h"
#include "SpringPlayersManager.h"
#include "SyncManager.h"
#include "TauntsManager.h"
#include "TauntsTreeView.h"
#include "TestArchive.h"
#include "TestFiles.h"
#include "VersionTreeView.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifndef QM_TEST_CONTENT_DIR
#define QM_TEST_CONTENT_DIR ""
#endif

using namespace Gallery;

namespace
{
// Installed content as a player might have it: the real test map (its minimap made by the
// minimap service), and archives the service can't read, listed in red.
class Content
{
public:
    Content()
    {
        m_oldHome = qgetenv("HOME");
        qputenv("HOME", m_home.path().toUtf8()); // keeps the user's engine settings out
        PathManager* paths = PathManager::Instance();
        const QString maps = paths->GetMapsDir();
        QDir().mkpath(maps);
        QFile::link(QStringLiteral(QM_TEST_CONTENT_DIR "/maps/QuillTestMap.sdd"), maps + "/QuillTestMap.sdd");
        for (const char* name : {"Ashen Delta.sd7", "Broken Causeway.sdz", "Cinder Wastes v2.sd7"})
            TestArchive::WriteNamedContent(maps + '/' + QLatin1String(name));
        for (const char* engine : {"engines/105.1/spring", "engines/106.0/spring"})
            TestFiles::Write(paths->GetSpringDataDir() + '/' + QLatin1String(engine), "x", true);
        for (const char* game :
             {"games/Morvantis 1.0.sdz", "games/Morvantis 1.1.sdz", "games/Vesquard 0.9.sd7"})
            TestArchive::WriteNamedContent(paths->GetSpringDataDir() + '/' + QLatin1String(game));
        const QString taunts = paths->GetTauntsDir() + "/taunts.ini";
        TestFiles::Write(
            taunts, "[General]\ncount=4\n[1]\nkey=1\nmessage=Hello there\n[2]\nkey=2\nmessage=Nice shot\n"
                    "[3]\nkey=3\nmessage=Is that all you have?\n[4]\nkey=gg\nmessage=Good game\n");
        SyncManager::SetSystemEnginePath(QString());
        SyncManager::Instance();
        MinimapManager::Instance();
        TauntsManager::Instance();
    }

    ~Content()
    {
        TauntsManager::DestroyInstance();
        MinimapManager::Instance()->InvokeBlocking("DoDestroy");
        MinimapManager::Destroy();
        SyncManager::Instance()->InvokeBlocking("DoDestroy");
        SyncManager::Destroy();
        qputenv("HOME", m_oldHome);
    }

private:
    QTemporaryDir m_home;
    QByteArray m_oldHome;
};

// Waits (up to a bound) until the map list has every minimap answer.
void WaitForMinimaps(NModalWidget* dialog)
{
    auto* maps = static_cast<SelectMapModal*>(dialog);
    QElapsedTimer timer;
    timer.start();
    while (maps->PendingCount() > 0 && timer.elapsed() < 30000)
        QTest::qWait(50);
    QTest::qWait(300);
}

void Lists(const QString& dir)
{
    Content content;
    auto pick = [](int row)
    {
        return [row](NModalWidget* dialog)
        {
            auto* list = dialog->findChild<QTreeView*>();
            list->setCurrentIndex(list->model()->index(row, 1));
        };
    };
    DialogSheet(dir, QStringLiteral("SelectEngineVersionModal"),
                {{QStringLiteral("installed engines, one chosen"),
                  [] { return new SelectEngineVersionModal(); }, pick(1)}});
    DialogSheet(dir, QStringLiteral("SelectGameVersionModal"),
                {{QStringLiteral("installed games"), [] { return new SelectGameVersionModal(); }, {}}});
    DialogSheet(dir, QStringLiteral("SelectAiProjectVersionModal"),
                {{QStringLiteral("project tags"),
                  [] {
                      return new SelectAiProjectVersionModal({"v1.0", "v1.1", "v2.0-rc1"});
                  },
                  pick(0)}});
    DialogSheet(dir, QStringLiteral("SelectTauntModal"),
                {{QStringLiteral("all taunts"), [] { return new SelectTauntModal(); }, {}},
                 {QStringLiteral("searched"), [] { return new SelectTauntModal(); },
                  [](NModalWidget* dialog)
                  {
                      auto* taunts = static_cast<SelectTauntModal*>(dialog);
                      taunts->Search()->LineEdit()->setText(QStringLiteral("shot"));
                      taunts->Search()->DoTimerFilterChanged();
                  }}});
    DialogSheet(dir, QStringLiteral("SelectMapModal"),
                {{QStringLiteral("minimaps filled in"),
                  [] { return new SelectMapModal(QStringLiteral("Quill Test Map")); }, WaitForMinimaps},
                 {QStringLiteral("searched"), [] { return new SelectMapModal(QString()); },
                  [](NModalWidget* dialog)
                  {
                      WaitForMinimaps(dialog);
                      auto* maps = static_cast<SelectMapModal*>(dialog);
                      maps->Search()->LineEdit()->setText(QStringLiteral("c*"));
                      maps->Search()->DoTimerFilterChanged();
                  }}});
}

void Notices(const QString& dir)
{
    DialogSheet(
        dir, QStringLiteral("ShowPictureModal"),
        {{QStringLiteral("enlarged picture"),
          []
          { return new ShowPictureModal(QStringLiteral("Skitterhive"), QStringLiteral(":/AI/queen.png")); },
          {}}});

    auto profile = [](int platform, const QString& localTime, bool steam)
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
    DialogSheet(dir, QStringLiteral("PlayerInfoModal"),
                {{QStringLiteral("Linux, local time known"), profile(1, QStringLiteral("21:05"), false), {}},
                 {QStringLiteral("Windows, no local time"), profile(2, QString(), false), {}},
                 {QStringLiteral("Steam login shows the id, other client"),
                  profile(0, QStringLiteral("08:40"), true),
                  {}}});
    SpringPlayersManager::Destroy();
    SpringConnectionManager::Destroy();
}
} // namespace

static Registration s_lists("dialogs_lists", Lists);
static Registration s_profile("dialogs_profile", Notices);
