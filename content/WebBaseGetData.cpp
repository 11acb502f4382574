#include "WebBaseGetData.h"

#include "NetworkAccess.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>

WebBaseGetData::WebBaseGetData()
{
    StartWorker();
}

WebBaseGetData::~WebBaseGetData()
{
    // The network objects belong to the worker's thread and are removed there.
    if (isRunning())
        InvokeBlocking("DoDestroy");
    StopWorker();
}

void WebBaseGetData::DoInitialize()
{
    if (!m_network)
        m_network = NetworkAccess::NewManager(this);
}

void WebBaseGetData::DoDestroy()
{
    const int dropped = m_queue.size() + (m_reply ? 1 : 0);
    m_queue.clear();
    if (m_reply)
    {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
        m_reply = nullptr;
    }
    if (m_file)
    {
        m_file->cancelWriting();
        delete m_file;
        m_file = nullptr;
    }
    delete m_network;
    m_network = nullptr;
    m_pending.fetchAndAddOrdered(-dropped);
}

void WebBaseGetData::GetData(WebBaseGetData* client, const QString& id, const QString& url,
                             const QString& filePath)
{
    if (!client)
        return;
    client->m_pending.fetchAndAddOrdered(1);
    client->Queue("DoGetData", Q_ARG(QString, id), Q_ARG(QString, url), Q_ARG(QString, filePath));
}

void WebBaseGetData::DoGetData(QString id, QString url, QString filePath)
{
    m_queue.enqueue({id, url, filePath});
    if (!m_reply)
        StartNext();
}

void WebBaseGetData::StartNext()
{
    while (!m_reply && !m_queue.isEmpty())
    {
        m_current = m_queue.dequeue();
        qDebug().noquote() << "WebBaseGetData :: GET ---" << m_current.url << "->" << m_current.filePath;

        const QUrl url(m_current.url);
        if (!url.isValid() || url.scheme().isEmpty())
        {
            qWarning().noquote() << "WebBaseGetData :: ERROR --- bad address:" << m_current.url;
            Finish(false);
            continue;
        }
        QDir().mkpath(QFileInfo(m_current.filePath).absolutePath());
        m_file = new QSaveFile(m_current.filePath);
        if (!m_file->open(QIODevice::WriteOnly))
        {
            qWarning().noquote() << "WebBaseGetData :: ERROR --- can't write" << m_current.filePath
                                 << m_file->errorString();
            Finish(false);
            continue;
        }
        m_writeFailed = false;
        if (!m_network)
            DoInitialize();

        QNetworkRequest request(url);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::NoLessSafeRedirectPolicy);
        request.setTransferTimeout(StallTimeoutMs);
        m_reply = m_network->get(request);
        connect(m_reply, &QNetworkReply::readyRead, this, &WebBaseGetData::DoReadyRead);
        connect(m_reply, &QNetworkReply::downloadProgress, this, &WebBaseGetData::DoReplyProgress);
        connect(m_reply, &QNetworkReply::finished, this, &WebBaseGetData::DoReplyFinished);
    }
}

void WebBaseGetData::DoReadyRead()
{
    if (!m_reply || !m_file)
        return;
    const QByteArray chunk = m_reply->readAll();
    if (!m_writeFailed && m_file->write(chunk) != chunk.size())
    {
        qWarning().noquote() << "WebBaseGetData :: ERROR --- write failed" << m_current.filePath
                             << m_file->errorString();
        m_writeFailed = true;
        m_reply->abort();
    }
}

void WebBaseGetData::DoReplyProgress(qint64 received, qint64 total)
{
    DataWebItem info;
    info.id = m_current.id;
    info.url = m_current.url;
    info.filePath = m_current.filePath;
    info.received = received;
    info.total = total;
    emit OnProgress(m_current.id, info);
}

void WebBaseGetData::DoReplyFinished()
{
    if (!m_reply)
        return;
    DoReadyRead();
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    bool ok = m_reply->error() == QNetworkReply::NoError && !m_writeFailed;
    if (ok && status != 0 && (status < 200 || status > 299))
        ok = false;
    if (!ok)
        qWarning().noquote() << "WebBaseGetData :: ERROR ---" << m_current.id << m_current.url << "HTTP"
                             << status << m_reply->errorString();
    m_reply->deleteLater();
    m_reply = nullptr;
    Finish(ok);
    StartNext();
}

void WebBaseGetData::Finish(bool ok)
{
    if (m_file)
    {
        // flush() first: commit() would not see its own flush fail and keep a cut-short file.
        if (ok && (!m_file->flush() || !m_file->commit()))
        {
            qWarning().noquote() << "WebBaseGetData :: ERROR --- can't save" << m_current.filePath
                                 << m_file->errorString();
            ok = false;
        }
        if (!ok)
            m_file->cancelWriting();
        delete m_file;
        m_file = nullptr;
    }
    const Request done = m_current;
    m_current = Request();
    // Answer first, then count down, so a caller that sees "not busy" has its answer queued.
    if (ok)
    {
        qDebug().noquote() << "WebBaseGetData :: FINISH ---" << done.id << done.filePath;
        emit OnData(done.id, done.filePath);
    }
    else
        emit OnError(done.id);
    m_pending.fetchAndAddOrdered(-1);
}
