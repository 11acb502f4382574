#include "helper_EngineSettingsReceiver.h"

#include "EngineSettingsHandler.h"

EngineSettingsFile::Values ReadValues(const QString& path)
{
    EngineSettingsFile::Values values;
    EngineSettingsFile::Read(path, values);
    return values;
}

EngineSettingsReceiver::EngineSettingsReceiver(EngineSettingsHandler* handler)
{
    connect(handler, &EngineSettingsHandler::OnLoadEngineSettings, this, &EngineSettingsReceiver::DoLoaded,
            Qt::QueuedConnection);
    // By name, as the pages wire the workers.
    connected =
        connect(handler, SIGNAL(OnSaveEngineSettings()), this, SLOT(DoSaved()), Qt::QueuedConnection) &&
        connect(handler, SIGNAL(OnSaveEngineSettingsError(QString)), this, SLOT(DoSaveError(QString)),
                Qt::QueuedConnection);
}
