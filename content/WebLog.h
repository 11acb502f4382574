#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class LogFilesWorker;
class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// Uploads the logs and screenshots a player sends to the developers. Lives on the GUI thread;
// the files are read and encoded on a worker, the form is posted from here. Every upload ends
// in exactly one OnLogSent or OnLogError, also when the service never answers.
class WebLog final : public QObject
{
    Q_OBJECT

public:
    // An upload that moves no data for this long fails.
    static constexpr int TimeoutMs = 60000;
    // An upload that has not ended after this long fails, however slowly data still moves.
    static constexpr int DeadlineMs = 180000;

    WebLog();
    ~WebLog() override;

    // Queues an upload of these texts and files. Empty texts are sent as "EMPTY"; a screenshot
    // path may be empty, a screenshot that is missing is sent empty.
    void SetLog(const QString& playerName, const QString& email, const QString& message,
                const QString& gameLogPath, const QString& lobbyLogPath, const QString& gameScreenshotPath,
                const QString& lobbyScreenshotPath);

    static QString GetUploadUrl();
    void SetTimeout(int msecs) { m_timeoutMs = msecs; }
    void SetDeadline(int msecs) { m_deadlineMs = msecs; }
    // From the moment an upload begins (DoSetLog) until its answer.
    bool IsSending() const { return m_busy; }

signals:
    void OnLogSent();
    void OnLogError();

public slots:
    void DoSetLog(QString playerName, QString email, QString message, QString gameLogPath,
                  QString lobbyLogPath, QString gameScreenshotPath, QString lobbyScreenshotPath);

private slots:
    void DoUploadBuilt(QByteArray body);
    void DoReplyFinished();
    void DoDeadline();

private:
    void Fail(const QString& reason);

    LogFilesWorker* m_worker = nullptr;
    QNetworkAccessManager* m_network = nullptr;
    QNetworkReply* m_reply = nullptr;
    QTimer* m_deadline = nullptr;
    int m_timeoutMs = TimeoutMs;
    int m_deadlineMs = DeadlineMs;
    bool m_pastDeadline = false;
    bool m_busy = false;
};
