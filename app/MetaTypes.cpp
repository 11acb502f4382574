#include "MetaTypes.h"

#include "DataBattle.h"
#include "DataMisc.h"
#include "DataMission.h"
#include "DataPlayer.h"
#include "DataStartScript.h"
#include "DataSync.h"

#include <QMap>
#include <QRect>

void MetaTypesDetail::RegisterQueuedCopy(const char* name, int size, QMetaType::Destructor destruct,
                                         QMetaType::Constructor construct)
{
    const QByteArray normalized = QMetaObject::normalizedType(name);
    if (QMetaType::type(normalized.constData()) != QMetaType::UnknownType)
        return; // already known, with Qt's own copy (or ours, registered before)
    QMetaType::registerNormalizedType(normalized, destruct, construct, size,
                                      QMetaType::NeedsConstruction | QMetaType::NeedsDestruction, nullptr);
}

void RegisterAppMetaTypes()
{
    RegisterValueType<DataPlayer>("DataPlayer");
    RegisterValueType<DataBattle>("DataBattle");
    RegisterValueType<DataStartScript>("DataStartScript");
    RegisterValueType<DataMission>("DataMission");
    RegisterValueType<DataSync>("DataSync");
    RegisterValueType<DataSyncState>("DataSyncState");
    RegisterValueType<DataDownload>("DataDownload");
    RegisterValueType<DataDownloadProgress>("DataDownloadProgress");
    RegisterValueType<DataDownloadTotal>("DataDownloadTotal");
    RegisterValueType<DataDownloadProgressTotal>("DataDownloadProgressTotal");
    RegisterValueType<DataMinimap>("DataMinimap");
    RegisterValueType<DataUpdates>("DataUpdates");
    RegisterValueType<DataTest>("DataTest");
    RegisterValueType<DataWebItem>("DataWebItem");
    RegisterValueType<DataAiProject>("DataAiProject");
}
