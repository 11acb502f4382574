// The main menu on the smallest window (a full 1024 x 768 screen), where its buttons are narrowest,
// and on the shortest window of a framed program on a screen 768 px high, where they are closest.
#include "DialogFit.h"
#include "DialogShots.h"
#include "GalleryKit.h"
#include "MainMenuPage.h"

#include <QApplication>

using namespace Gallery;

namespace
{
void MainMenuAt(const QSize& size, const QString& dir, const QString& name)
{
    Sheet sheet;
    sheet.Grid()->setContentsMargins(0, 0, 0, 0);
    auto* menu = new MainMenuPage();
    sheet.Grid()->addWidget(menu, 0, 0);
    sheet.setFixedSize(size);
    sheet.show();
    QApplication::processEvents();
    for (const QString& misfit : Misfits(menu))
        Fail(name + QStringLiteral(": ") + misfit);
    SaveImage(sheet.grab().toImage(), dir, name);
    sheet.hide();
}

void MainMenu(const QString& dir)
{
    MainMenuAt(DialogWindowSize(), dir, QStringLiteral("MainMenuPage"));
    MainMenuAt(QSize(1016, 712), dir, QStringLiteral("MainMenuPage.1016x712"));
}
} // namespace

static Registration s_mainMenu("main menu", MainMenu);
