#include "DownloadHandler.h"

#include <QDebug>

DownloadHandler::DownloadHandler()
{
    qDebug() << "Initialize :: DownloadHandler";
    StartWorker();
}

DownloadHandler::~DownloadHandler()
{
    StopWorker();
    qDebug() << "Destroy :: DownloadHandler";
}

void DownloadHandler::DoInitialize() {}

void DownloadHandler::DoDestroy() {}
