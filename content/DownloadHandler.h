#pragma once

#include "DataSync.h"
#include "Singleton.h"
#include "WorkerThread.h"

// The content download manager. The briefing and battle pages listen to its progress.
class DownloadHandler : public WorkerThread, public Singleton<DownloadHandler>
{
    Q_OBJECT
    friend class Singleton<DownloadHandler>;

signals:
    void OnProgress(DataDownloadProgress dataProgress);
    void OnTotalProgress(DataDownloadProgressTotal total);

public slots:
    void DoInitialize();
    void DoDestroy();

private:
    DownloadHandler();
    ~DownloadHandler() override;
};
