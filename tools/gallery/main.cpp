// The widget gallery: every widget and dialog kind in each of its states, rendered offscreen over a
// game backdrop into PNG files, one sheet per class or family.
//   qm_gallery <output folder> [game code]
#include "AppDefines.h"
#include "AppSettings.h"
#include "GalleryKit.h"
#include "GuiFonts.h"
#include "PathManager.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString dir = QDir(args.value(1, QStringLiteral("gallery"))).absolutePath();
    const QString game = args.value(2, QStringLiteral("zorn"));
    Gallery::SetGame(game);
    QDir().mkpath(dir);

    // Sounds and settings read folders; keep them away from the user's.
    QTemporaryDir data;
    AppDefines::Instance()->SelectGame(game);
    PathManager::Instance()->Initialize(data.path(), game);
    CreateAppSettingsGroups();
    GuiFonts::LoadFonts();

    Gallery::RunAll(dir);
    DestroyAppSettingsGroups();
    return Gallery::Failed() ? 1 : 0;
}
