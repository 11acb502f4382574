#pragma once

#include "DataMisc.h"
#include "WorkerThread.h"

#include <QAtomicInt>
#include <QQueue>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QSaveFile;

// Downloads files over HTTP one after another, on a thread of its own. Each owner has its own
// client. A file appears under its path only when it arrived whole.
class WebBaseGetData : public WorkerThread
{
    Q_OBJECT

public:
    WebBaseGetData();
    ~WebBaseGetData() override;

    // Queues a download of `url` into `filePath`; the answer is OnData or OnError with `id`.
    static void GetData(WebBaseGetData* client, const QString& id, const QString& url,
                        const QString& filePath);
    // True from the moment a request is queued until its answer is sent.
    bool IsBusy() const { return m_pending.loadAcquire() > 0; }

    // A transfer that receives nothing for this long fails.
    static constexpr int StallTimeoutMs = 30000;

signals:
    void OnData(QString id, QString filePath);
    void OnError(QString id);
    void OnProgress(QString id, DataWebItem info);

public slots:
    void DoInitialize();
    void DoDestroy();
    void DoGetData(QString id, QString url, QString filePath);

private slots:
    void DoReadyRead();
    void DoReplyProgress(qint64 received, qint64 total);
    void DoReplyFinished();

private:
    struct Request
    {
        QString id;
        QString url;
        QString filePath;
    };

    void StartNext();
    void Finish(bool ok);

    QQueue<Request> m_queue;
    Request m_current;
    QNetworkAccessManager* m_network = nullptr;
    QNetworkReply* m_reply = nullptr;
    QSaveFile* m_file = nullptr;
    bool m_writeFailed = false;
    QAtomicInt m_pending;
};
