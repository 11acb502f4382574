#pragma once

#include "DataEngineSettings.h"
#include "EngineSettingsFile.h"

#include <QByteArray>

#include <QList>
#include <QObject>
#include <QStringList>

class EngineSettingsHandler;

EngineSettingsFile::Values ReadValues(const QString& path);

// Receives the worker's signals on the test's own thread (a QSignalSpy would record them on the
// worker's thread and can miss an early emit).
class EngineSettingsReceiver : public QObject
{
    Q_OBJECT

public:
    explicit EngineSettingsReceiver(EngineSettingsHandler* handler);

    bool connected = false; // both save signals, by their names
    QList<DataEngineSettings> loaded;
    // One entry per save that ended: "saved", or "failed: " and the reason its error signal gave.
    QStringList saved;

public slots:
    void DoLoaded(DataEngineSettings es) { loaded << es; }
    void DoSaveError(QString reason) { m_error = reason; }
    void DoSaved()
    {
        saved << (m_error.isNull() ? QStringLiteral("saved") : QStringLiteral("failed: ") + m_error);
        m_error = QString();
    }

private:
    QString m_error;
};
