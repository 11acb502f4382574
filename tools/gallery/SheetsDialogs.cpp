// Every dialog on the modal page, in the states it goes through, over installed content as a
// player might have it.
#include "AppDefines.h"
#include "DialogShots.h"
#include "DialogStates.h"
#include "GalleryKit.h"
#include "MinimapManager.h"
#include "PathManager.h"
#include "SpringConnectionManager.h"
#include "SpringPlayersManager.h"
#include "SyncManager.h"
#include "TauntsManager.h"
#include "TestArchive.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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

void Dialogs(const QString& dir)
{
    Content content;
    for (const DialogStates& dialog : AllDialogStates())
        DialogSheet(dir, dialog.name, dialog.states);
    SpringPlayersManager::Destroy();
    SpringConnectionManager::Destroy();
    AppDefines::Instance()->SetWebBaseAddress(QString());
}
} // namespace

static Registration s_dialogs("dialogs", Dialogs);
