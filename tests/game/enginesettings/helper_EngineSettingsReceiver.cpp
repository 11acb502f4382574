#include "helper_EngineSettingsReceiver.h"

#include "EngineSettingsHandler.h"

#include <QFile>

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

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
