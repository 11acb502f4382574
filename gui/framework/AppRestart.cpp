#include "AppRestart.h"

#include "AppSettings.h"
#include "GuiManager.h"

#include <QCoreApplication>
#include <QDebug>
#include <QProcess>

namespace
{
AppRestart::Starter& CurrentStarter()
{
    static AppRestart::Starter starter;
    return starter;
}
} // namespace

namespace AppRestart
{
void SetStarter(Starter starter)
{
    CurrentStarter() = std::move(starter);
}

QString ProgramPath()
{
    // Not arguments()[0]: a name found through PATH or a relative path started elsewhere would
    // start another program, or none.
    return QCoreApplication::applicationFilePath();
}

bool Restart()
{
    // The new process reads the settings at once: they must be on disk before it starts.
    if (GuiManager::Exists())
        GuiManager::Instance()->RequestQuit();
    AppSettings::Instance()->SaveAll();

    const QString program = ProgramPath();
    const Starter& starter = CurrentStarter();
    const bool started =
        starter ? starter(program, QStringList()) : QProcess::startDetached(program, QStringList());
    if (started)
        qDebug().noquote() << "AppRestart :: RESTART ---" << program;
    else
        qWarning().noquote() << "AppRestart :: CAN NOT START ---" << program;
    return started;
}
} // namespace AppRestart
