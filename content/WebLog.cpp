#include "WebLog.h"

#include "AppDefines.h"
#include "LogFilesWorker.h"
#include "NetworkAccess.h"

#include <QDebug>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

WebLog::WebLog()
    : m_worker(new LogFilesWorker()), m_network(NetworkAccess::NewManager(this)), m_deadline(new QTimer(this))
{
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, &WebLog::DoDeadline);
    connect(m_worker, &LogFilesWorker::OnUploadBuilt, this, &WebLog::DoUploadBuilt);
}

WebLog::~WebLog()
{
    // Stops a body still being built; the network manager aborts a running post with itself.
    delete m_worker;
}

QString WebLog::GetUploadUrl()
{
    return QStringLiteral("%1/%2").arg(AppDefines::Instance()->GetWebApiAddress(),
                                       QStringLiteral("upload_log.php"));
}

void WebLog::SetLog(const QString& playerName, const QString& email, const QString& message,
                    const QString& gameLogPath, const QString& lobbyLogPath,
                    const QString& gameScreenshotPath, const QString& lobbyScreenshotPath)
{
    QMetaObject::invokeMethod(this, "DoSetLog", Qt::QueuedConnection, Q_ARG(QString, playerName),
                              Q_ARG(QString, email), Q_ARG(QString, message), Q_ARG(QString, gameLogPath),
                              Q_ARG(QString, lobbyLogPath), Q_ARG(QString, gameScreenshotPath),
                              Q_ARG(QString, lobbyScreenshotPath));
}

void WebLog::DoSetLog(QString playerName, QString email, QString message, QString gameLogPath,
                      QString lobbyLogPath, QString gameScreenshotPath, QString lobbyScreenshotPath)
{
    if (m_busy)
    {
        // One upload at a time; the running one answers.
        qDebug() << "WebLog :: SEND --- ALREADY SENDING";
        return;
    }
    m_busy = true;
    qDebug().noquote() << "WebLog :: READ ---" << gameLogPath << lobbyLogPath << gameScreenshotPath
                       << lobbyScreenshotPath;
    m_worker->Queue("DoBuildUpload",
                    Q_ARG(QStringList, QStringList({playerName, email, message, gameLogPath, lobbyLogPath,
                                                    gameScreenshotPath, lobbyScreenshotPath})));
}

void WebLog::DoUploadBuilt(QByteArray body)
{
    const QUrl url(GetUploadUrl());
    if (!url.isValid() || url.scheme().isEmpty() || url.host().isEmpty())
    {
        Fail(QStringLiteral("BAD ADDRESS ") + url.toString());
        return;
    }
    // A web service on this machine is never reached through a proxy.
    const QHostAddress host(url.host());
    const bool loopback = host.isLoopback() || url.host() == QLatin1String("localhost");
    m_network->setProxy(loopback ? QNetworkProxy(QNetworkProxy::NoProxy) : QNetworkProxy());

    // The body holds the player's logs: its size goes to the log, never its content.
    qDebug().noquote() << "WebLog :: SEND ---" << url.toString() << body.size() << "bytes";
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QStringLiteral("application/x-www-form-urlencoded"));
    request.setTransferTimeout(m_timeoutMs);
    m_pastDeadline = false;
    m_reply = m_network->post(request, body);
    connect(m_reply, &QNetworkReply::finished, this, &WebLog::DoReplyFinished);
    // The transfer timeout only counts a silence: a server that trickles keeps it from ever firing.
    m_deadline->start(m_deadlineMs);
}

void WebLog::DoDeadline()
{
    if (!m_reply)
        return;
    m_pastDeadline = true;
    m_reply->abort();
}

void WebLog::DoReplyFinished()
{
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    if (!reply)
        return;
    m_deadline->stop();
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_pastDeadline)
    {
        Fail(QStringLiteral("NOT DONE AFTER %1 ms").arg(m_deadlineMs));
        return;
    }
    if (reply->error() != QNetworkReply::NoError || status < 200 || status > 299)
    {
        Fail(QStringLiteral("HTTP %1 %2").arg(status).arg(reply->errorString()));
        return;
    }
    qDebug() << "WebLog :: SENT";
    m_busy = false;
    emit OnLogSent();
}

void WebLog::Fail(const QString& reason)
{
    qWarning().noquote() << "WebLog :: ERROR ---" << reason;
    m_busy = false;
    emit OnLogError();
}
