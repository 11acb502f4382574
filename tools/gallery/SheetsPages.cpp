// The main menu on the smallest window (a full 1024 x 768 screen), where its buttons are tightest.
#include "DialogFit.h"
#include "DialogShots.h"
#include "GalleryKit.h"
#include "MainMenuPage.h"

#include <QApplication>

using namespace Gallery;

namespace
{
void MainMenu(const QString& dir)
{
    Sheet sheet;
    sheet.Grid()->setContentsMargins(0, 0, 0, 0);
    auto* menu = new MainMenuPage();
    sheet.Grid()->addWidget(menu, 0, 0);
    sheet.setFixedSize(DialogWindowSize());
    sheet.show();
    QApplication::processEvents();
    for (const QString& misfit : Misfits(menu))
        Fail(QStringLiteral("MainMenuPage: ") + misfit);
    SaveImage(sheet.grab().toImage(), dir, QStringLiteral("MainMenuPage"));
    sheet.hide();
}
} // namespace

static Registration s_mainMenu("main menu", MainMenu);
