#pragma once

#include "WorkerThread.h"

#include <QAtomicInt>
#include <QByteArray>
#include <QString>
#include <QStringList>

// Reads and encodes log files on a thread of its own, so that a log of any size never stops the
// interface. One worker per owner; answers arrive as queued signals carrying copies.
class LogFilesWorker final : public WorkerThread
{
    Q_OBJECT

public:
    // What an upload sends at most: the end of each log, screenshots only up to this size.
    static constexpr qint64 MaxUploadLogBytes = 4 * 1024 * 1024;
    static constexpr qint64 MaxUploadPictureBytes = 8 * 1024 * 1024;

    LogFilesWorker();
    ~LogFilesWorker() override;

    // The end of a file, at most maxBytes of it, starting at a line. `opened` is false when the
    // file cannot be read.
    static QByteArray ReadTail(const QString& filePath, qint64 maxBytes, bool* opened);

    // The upload's form body (application/x-www-form-urlencoded) from the seven texts that
    // WebLog::SetLog takes, with the files bounded as above. Empty when `cancel` was raised on the
    // way.
    static QByteArray BuildUploadBody(const QStringList& texts, const QAtomicInt* cancel = nullptr);

signals:
    void OnTailRead(int id, QString text, bool opened);
    void OnUploadBuilt(QByteArray body);

public slots:
    void DoReadTail(int id, QString filePath, qint64 maxBytes);
    void DoBuildUpload(QStringList texts);

private:
    // Raised by the destructor, so that a body being built for a closed dialog is dropped.
    QAtomicInt m_cancel;
};
