#include "WebUpdates.h"

#include "AppDefines.h"
#include "NetworkAccess.h"

#include <QAtomicInt>
#include <QDebug>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QUrl>
#include <QVersionNumber>

namespace
{
QAtomicInt g_nextRequest(0);
QAtomicInt g_timeoutMs(WebUpdates::DefaultTimeoutMs);

// Digits and dots only: anything else is not a version of ours.
QVersionNumber ToVersion(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d{1,9}(\\.\\d{1,9})*$"));
    if (!pattern.match(text).hasMatch())
        return QVersionNumber();
    QVector<int> parts;
    const QStringList fields = text.split(QLatin1Char('.'));
    for (const QString& field : fields)
        parts << field.toInt();
    return QVersionNumber(parts);
}
} // namespace

WebUpdates::WebUpdates()
{
    qDebug() << "Initialize :: WebUpdates";
    StartWorker();
}

WebUpdates::~WebUpdates()
{
    InvokeBlocking("DoDestroy");
    StopWorker();
    qDebug() << "Destroy :: WebUpdates";
}

void WebUpdates::DoInitialize()
{
    if (!m_network)
        m_network = NetworkAccess::NewManager(this);
}

void WebUpdates::DoDestroy()
{
    if (QNetworkReply* reply = m_reply)
    {
        // A check cut short by the shut-down answers nobody.
        m_reply = nullptr;
        m_waiting.clear();
        disconnect(reply, nullptr, this, nullptr);
        reply->abort();
        reply->deleteLater();
    }
    delete m_network;
    m_network = nullptr;
}

int WebUpdates::CheckUpdates()
{
    const int requestId = g_nextRequest.fetchAndAddOrdered(1) + 1;
    Instance()->Queue("DoCheckUpdates", Q_ARG(int, requestId));
    return requestId;
}

void WebUpdates::SetTimeoutMs(int msecs)
{
    g_timeoutMs.storeRelease(msecs > 0 ? msecs : DefaultTimeoutMs);
}

int WebUpdates::GetTimeoutMs()
{
    return g_timeoutMs.loadAcquire();
}

void WebUpdates::Answer(Outcome outcome, const DataUpdates& data)
{
    switch (outcome)
    {
    case HasUpdates:
        emit OnHasUpdates(data);
        break;
    case NoUpdates:
        emit OnNoUpdates();
        break;
    case Error:
        emit OnError();
        break;
    }
    const QList<int> waiting = m_waiting;
    m_waiting.clear();
    for (int requestId : waiting)
        emit OnCheckAnswered(requestId, outcome, data);
}

QString WebUpdates::GetDescriptionUrl()
{
    return QStringLiteral("%1/%2/%3.txt")
        .arg(AppDefines::Instance()->GetWebBaseAddress(), QStringLiteral("updates"), QStringLiteral("lobby"));
}

void WebUpdates::DoCheckUpdates(int requestId)
{
    DoInitialize();
    if (requestId > 0)
        m_waiting << requestId;
    if (m_reply)
    {
        // One check at a time; the running one answers for both.
        qDebug() << "WebUpdates :: CHECK --- ALREADY RUNNING";
        return;
    }
    const QUrl url(GetDescriptionUrl());
    if (!url.isValid() || url.scheme().isEmpty() || url.host().isEmpty())
    {
        qWarning().noquote() << "WebUpdates :: ERROR --- BAD ADDRESS" << url.toString();
        Answer(Error);
        return;
    }
    qDebug().noquote() << "WebUpdates :: CHECK ---" << url.toString();
    QNetworkRequest request(url);
    request.setTransferTimeout(GetTimeoutMs());
    // A redirect is not followed: its answer is no description.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::downloadProgress, this,
            [this](qint64 received, qint64)
            {
                if (m_reply && received > MaxDescriptionBytes)
                    m_reply->abort();
            });
    connect(m_reply, &QNetworkReply::finished, this, &WebUpdates::DoReplyFinished);
}

void WebUpdates::DoReplyFinished()
{
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    if (!reply)
        return;
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError)
    {
        qWarning().noquote() << "WebUpdates :: ERROR ---" << reply->errorString();
        Answer(Error);
        return;
    }
    // Only the description itself is an answer: a redirect's or an error page's body is not.
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 200)
    {
        qWarning().noquote() << "WebUpdates :: ERROR --- HTTP" << status;
        Answer(Error);
        return;
    }
    const QByteArray data = reply->read(MaxDescriptionBytes + 1);
    if (data.size() > MaxDescriptionBytes)
    {
        qWarning() << "WebUpdates :: ERROR --- ANSWER TOO LARGE";
        Answer(Error);
        return;
    }
    DataUpdates updates;
    QString error;
    if (!ParseDescription(data, &updates, &error))
    {
        qWarning().noquote() << "WebUpdates :: ERROR ---" << error;
        Answer(Error);
        return;
    }
    if (!IsNewer(updates.version, AppDefines::GetLobbyVersion()))
    {
        qDebug().noquote() << "WebUpdates :: NO UPDATES ---" << updates.version;
        Answer(NoUpdates, updates);
        return;
    }
    qDebug().noquote() << "WebUpdates :: HAS UPDATES ---" << updates.version;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_hasUpdate = true;
        m_update = updates;
    }
    Answer(HasUpdates, updates);
}

bool WebUpdates::GetKnownUpdate(DataUpdates* data) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_hasUpdate && data)
        *data = m_update;
    return m_hasUpdate;
}

bool WebUpdates::ParseDescription(const QByteArray& data, DataUpdates* result, QString* error)
{
    QString text = QString::fromUtf8(data);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.first().trimmed().isEmpty())
        lines.removeFirst();
    if (lines.isEmpty())
    {
        *error = QStringLiteral("EMPTY DESCRIPTION");
        return false;
    }
    const QString version = lines.takeFirst().trimmed();
    if (ToVersion(version).isNull())
    {
        *error = QStringLiteral("BAD VERSION ") + version.left(40);
        return false;
    }
    result->version = version;
    result->changeLog = lines.join(QLatin1Char('\n')).trimmed();
    return true;
}

bool WebUpdates::IsNewer(const QString& version, const QString& current)
{
    return QVersionNumber::compare(QVersionNumber::fromString(version), QVersionNumber::fromString(current)) >
           0;
}

QString WebUpdates::ChangeLogToHtml(const QString& changeLog)
{
    static const QRegularExpression versionLine(QStringLiteral("^\\s*v?\\d+(\\.\\d+)+\\b"));
    // Web addresses become links; the text is escaped first, so nothing else can.
    static const QRegularExpression address(
        QStringLiteral("\\b(https?://[^\\s<>\"&]+(?:&amp;[^\\s<>\"&]+)*)"),
        QRegularExpression::CaseInsensitiveOption);
    QString html;
    const QStringList lines =
        QString(changeLog).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split('\n');
    for (const QString& line : lines)
    {
        QString escaped = line.trimmed().toHtmlEscaped();
        escaped.replace(address, QStringLiteral("<a href=\"\\1\">\\1</a>"));
        if (versionLine.match(line).hasMatch())
            html += QStringLiteral("<p><b><font color=\"#ffc300\">%1</font></b></p>").arg(escaped);
        else if (!escaped.isEmpty())
            html += QStringLiteral("<p style=\"margin-left:24px\">%1</p>").arg(escaped);
    }
    return html;
}
