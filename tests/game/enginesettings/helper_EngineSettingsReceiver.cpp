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
    connect(handler, &EngineSettingsHandler::OnSaveEngineSettings, this, &EngineSettingsReceiver::DoSaved,
            Qt::QueuedConnection);
}
