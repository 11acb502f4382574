#include "StartActionsHandler.h"

#include "AppSettings.h"
#include "CommonIO.h"
#include "PathManager.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>

StartActionsHandler::StartActionsHandler()
{
    qDebug() << "Initialize :: StartActionsHandler";
    // Leftovers of an earlier run's unpacking are never reused.
    AddAction(QStringLiteral("CleanTemp"),
              []
              {
                  const QString temp = PathManager::Instance()->GetTempDir();
                  if (!temp.isEmpty() && QDir(temp).exists())
                      CommonIO::RemoveDir(temp, true);
              });
    // A save that a kill cut short leaves its temporary copy: QSaveFile's beside the file (where the
    // file system has no unnamed temporary files) and the settings' scratch folder.
    AddAction(QStringLiteral("RemoveLeftovers"),
              []
              {
                  const QDateTime before = QDateTime::currentDateTime().addSecs(-LeftoverAgeSeconds);
                  for (const auto& place : PathManager::Instance()->GetSavedFiles())
                      CommonIO::RemoveSaveLeftovers(place.first, place.second, before);
                  AppSettings::RemoveLeftoverScratchFolders(before);
              });
    StartWorker();
}

StartActionsHandler::~StartActionsHandler()
{
    StopWorker();
    qDebug() << "Destroy :: StartActionsHandler";
}

void StartActionsHandler::AddAction(const QString& name, Action action)
{
    m_actions.append({name, std::move(action)});
}

void StartActionsHandler::DoInitialize() {}

void StartActionsHandler::DoStart()
{
    qDebug() << "StartActionsHandler --------------- START";
    for (const auto& action : qAsConst(m_actions))
    {
        qDebug().noquote() << "StartActionsHandler :: ACTION ---" << action.first;
        action.second();
    }
    m_actions.clear();
    qDebug() << "StartActionsHandler --------------- STOP";
    emit OnStartActionsStop();
}

void StartActionsHandler::DoDestroy() {}

void StartActionsHandler::Start()
{
    Instance()->InvokeBlocking("DoStart");
}
