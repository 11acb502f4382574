#include "MetaTypes.h"

#include "DataBattle.h"
#include "DataMisc.h"
#include "DataMission.h"
#include "DataPlayer.h"
#include "DataStartScript.h"
#include "DataSync.h"

#include <QMap>
#include <QRect>

void RegisterAppMetaTypes()
{
    qRegisterMetaType<DataPlayer>("DataPlayer");
    qRegisterMetaType<DataBattle>("DataBattle");
    qRegisterMetaType<DataStartScript>("DataStartScript");
    qRegisterMetaType<DataMission>("DataMission");
    qRegisterMetaType<DataSync>("DataSync");
    qRegisterMetaType<DataSyncState>("DataSyncState");
    qRegisterMetaType<DataDownload>("DataDownload");
    qRegisterMetaType<DataDownloadProgress>("DataDownloadProgress");
    qRegisterMetaType<DataDownloadTotal>("DataDownloadTotal");
    qRegisterMetaType<DataDownloadProgressTotal>("DataDownloadProgressTotal");
    qRegisterMetaType<DataMinimap>("DataMinimap");
    qRegisterMetaType<DataUpdates>("DataUpdates");
    qRegisterMetaType<DataTest>("DataTest");
    qRegisterMetaType<DataWebItem>("DataWebItem");
    qRegisterMetaType<DataAiProject>("DataAiProject");
}
