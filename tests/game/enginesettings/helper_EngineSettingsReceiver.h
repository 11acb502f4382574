#pragma once

#include "DataEngineSettings.h"
#include "EngineSettingsFile.h"

#include <QByteArray>

#include <QList>
#include <QObject>

class EngineSettingsHandler;

EngineSettingsFile::Values ReadValues(const QString& path);

// Receives the worker's signals on the test's own thread (a QSignalSpy would record them on the
// worker's thread and can miss an early emit).
class EngineSettingsReceiver : public QObject
{
    Q_OBJECT

public:
    explicit EngineSettingsReceiver(EngineSettingsHandler* handler);

    QList<DataEngineSettings> loaded;
    QList<bool> saved;

public slots:
    void DoLoaded(DataEngineSettings es) { loaded << es; }
    void DoSaved(bool ok) { saved << ok; }
};
