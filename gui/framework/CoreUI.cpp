#include "CoreUI.h"

#include "BackgroundManager.h"
#include "CommonWidgets.h"
#include "GuiManager.h"
#include "MainWindow.h"
#include "PageManager.h"
#include "PageStorageManager.h"
#include "WebUpdates.h"

#include <QApplication>
#include <QDebug>
#include <QDir>

void CoreUI::Initialize()
{
    qDebug() << "Initialize ::";
    qDebug() << "Initialize :: CORE UI --------------- START";
    PageStorageManager::Instance();
    PageManager::Instance();
    BackgroundManager::Instance();
    GuiManager::Instance();
    MainWindow::Instance();
    qApp->installEventFilter(MainWindow::Instance());
    Common::SetMainWindow(MainWindow::Instance());
    qDebug() << "Initialize :: CORE UI --------------- STOP";
    qDebug() << "Initialize ::";
}

void CoreUI::Start()
{
    qDebug().noquote() << "INFO :: START --- CurrentPath" << QDir::toNativeSeparators(QDir::currentPath());
    GuiManager::Instance()->Start();
    WebUpdates::Instance();
    WebUpdates::CheckUpdates();
}

void CoreUI::Destroy()
{
    qDebug() << "Destroy ::";
    qDebug() << "Destroy :: CORE UI --------------- START";
    GuiManager::Destroy();
    BackgroundManager::Destroy();
    PageManager::Destroy();
    PageStorageManager::Destroy();
    Common::SetMainWindow(nullptr);
    MainWindow::Destroy();
    qDebug() << "Destroy :: CORE UI --------------- STOP";
    qDebug() << "Destroy ::";
}
