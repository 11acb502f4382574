#include "helper_EngineSettingsReceiver.h"

#include "EngineSettingsHandler.h"

EngineSettingsReceiver::EngineSettingsReceiver(EngineSettingsHandler* handler)
{
    connect(handler, &EngineSettingsHandler::OnLoadEngineSettings, this, &EngineSettingsReceiver::DoLoaded,
            Qt::QueuedConnection);
    connect(handler, &EngineSettingsHandler::OnSaveEngineSettings, this, &EngineSettingsReceiver::DoSaved,
            Qt::QueuedConnection);
}
