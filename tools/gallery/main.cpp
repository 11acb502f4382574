// The widget gallery: every widget and dialog kind in each of its states, rendered offscreen over a
// game backdrop into PNG files, one sheet per class or family.
//   qm_gallery <output folder> [game code] [language code: CZ, DE, FR, RU, ZH]
#include "AppDefines.h"
#include "AppSettings.h"
#include "GalleryKit.h"
#include "GuiFonts.h"
#include "GuiMetrics.h"
#include "PathManager.h"
#include "TranslatorManager.h"

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
    const QString language = args.value(3, QStringLiteral("EN")).toUpper();
    Gallery::SetGame(game);
    QDir().mkpath(dir);

    // Sounds and settings read folders; keep them away from the user's.
    QTemporaryDir data;
    AppDefines::Instance()->SelectGame(game);
    PathManager::Instance()->Initialize(data.path(), game);
    CreateAppSettingsGroups();
    GuiFonts::LoadFonts();
    // As the program starts in a language: the texts, then the fonts for them.
    if (!TranslatorManager::Instance()->Load(language))
        return 1;
    SetGuiLanguage(TranslatorManager::Instance()->GetLanguage());
    GuiFonts::UseLanguage(GuiLanguageCode);

    Gallery::RunAll(dir);
    TranslatorManager::Destroy();
    DestroyAppSettingsGroups();
    return Gallery::Failed() ? 1 : 0;
}
