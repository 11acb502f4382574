#include "WebUpdates.h"

#include "AppDefines.h"

#include <QDebug>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QUrl>
#include <QVersionNumber>

namespace
{
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
        m_network = new QNetworkAccessManager(this);
}

void WebUpdates::DoDestroy()
{
    if (QNetworkReply* reply = m_reply)
    {
        // A check cut short by the shut-down answers nobody.
        m_reply = nullptr;
        disconnect(reply, nullptr, this, nullptr);
        reply->abort();
        reply->deleteLater();
    }
    delete m_network;
    m_network = nullptr;
}

void WebUpdates::CheckUpdates()
{
    Instance()->Queue("DoCheckUpdates");
}

QString WebUpdates::GetDescriptionUrl()
{
    return QStringLiteral("%1/%2/%3.txt")
        .arg(AppDefines::Instance()->GetWebBaseAddress(), QStringLiteral("updates"), QStringLiteral("lobby"));
}

void WebUpdates::DoCheckUpdates()
{
    DoInitialize();
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
        emit OnError();
        return;
    }
    qDebug().noquote() << "WebUpdates :: CHECK ---" << url.toString();
    QNetworkRequest request(url);
    request.setTransferTimeout(TimeoutMs);
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
        emit OnError();
        return;
    }
    const QByteArray data = reply->read(MaxDescriptionBytes + 1);
    if (data.size() > MaxDescriptionBytes)
    {
        qWarning() << "WebUpdates :: ERROR --- ANSWER TOO LARGE";
        emit OnError();
        return;
    }
    DataUpdates updates;
    QString error;
    if (!ParseDescription(data, &updates, &error))
    {
        qWarning().noquote() << "WebUpdates :: ERROR ---" << error;
        emit OnError();
        return;
    }
    if (!IsNewer(updates.version, AppDefines::GetLobbyVersion()))
    {
        qDebug().noquote() << "WebUpdates :: NO UPDATES ---" << updates.version;
        emit OnNoUpdates();
        return;
    }
    qDebug().noquote() << "WebUpdates :: HAS UPDATES ---" << updates.version;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_hasUpdate = true;
        m_update = updates;
    }
    emit OnHasUpdates(updates);
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
    QString html;
    const QStringList lines =
        QString(changeLog).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split('\n');
    for (const QString& line : lines)
    {
        const QString escaped = line.trimmed().toHtmlEscaped();
        if (versionLine.match(line).hasMatch())
            html += QStringLiteral("<p><b><font color=\"#ffc300\">%1</font></b></p>").arg(escaped);
        else if (!escaped.isEmpty())
            html += QStringLiteral("<p style=\"margin-left:24px\">%1</p>").arg(escaped);
    }
    return html;
}
