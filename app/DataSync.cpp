#include "DataSync.h"

void DataDownload::SetSearching()
{
    searching = true;
    downloading = installing = completed = hasErrors = false;
    statusText = tr("Searching");
}

void DataDownload::SetDownloading()
{
    downloading = true;
    searching = installing = completed = hasErrors = false;
    statusText = tr("Downloading");
}

void DataDownload::SetInstalling()
{
    installing = true;
    searching = downloading = completed = hasErrors = false;
    statusText = tr("Installing");
}

void DataDownload::SetCompleted()
{
    completed = true;
    searching = downloading = installing = hasErrors = false;
    statusText = tr("Completed");
}

void DataDownload::SetError()
{
    hasErrors = true;
    searching = downloading = installing = completed = false;
    statusText = tr("Has Errors");
}

bool DataSyncState::NoDownloadRunning() const
{
    for (const DataDownload& download : downloads)
    {
        if (download.searching || download.downloading || download.installing)
            return false;
    }
    return true;
}
