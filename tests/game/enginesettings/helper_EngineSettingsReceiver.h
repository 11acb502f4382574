#pragma once

#include "DataEngineSettings.h"

#include <QList>
#include <QObject>

class EngineSettingsHandler;

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
