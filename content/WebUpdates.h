#pragma once

#include "DataMisc.h"
#include "Singleton.h"
#include "WorkerThread.h"

#include <QList>
#include <QString>
#include <mutex>

class QNetworkAccessManager;
class QNetworkReply;

// Asks the web service whether a newer lobby exists. The update description is a text file:
// its first line is the newest version, the lines after it are the change log.
class WebUpdates : public WorkerThread, public Singleton<WebUpdates>
{
    Q_OBJECT
    friend class Singleton<WebUpdates>;

public:
    // Larger answers are not an update description.
    static constexpr qint64 MaxDescriptionBytes = 1024 * 1024;
    static constexpr int DefaultTimeoutMs = 20000;

    enum Outcome : int
    {
        HasUpdates = 0,
        NoUpdates = 1,
        Error = 2
    };

    // Queues a check; the answer is one of OnHasUpdates, OnNoUpdates, OnError, and OnCheckAnswered
    // with the number returned here, so that a caller can tell its own answer from others'.
    static int CheckUpdates();
    // A transfer that takes longer fails (tests shorten it).
    static void SetTimeoutMs(int msecs);
    static int GetTimeoutMs();
    static QString GetDescriptionUrl();
    static QString ChangeLogToHtml(const QString& changeLog);

    // Parses a description. False (with the reason) when it is not one.
    static bool ParseDescription(const QByteArray& data, DataUpdates* result, QString* error);
    static bool IsNewer(const QString& version, const QString& current);

    // The newer version found by the last check, for listeners that came later.
    bool GetKnownUpdate(DataUpdates* data) const;

signals:
    void OnHasUpdates(DataUpdates data);
    void OnNoUpdates();
    void OnError();
    // Once per request number waiting on the check that just ended.
    void OnCheckAnswered(int requestId, int outcome, DataUpdates data);

public slots:
    void DoInitialize();
    void DoCheckUpdates(int requestId = 0);
    void DoDestroy();

private slots:
    void DoReplyFinished();

private:
    WebUpdates();
    ~WebUpdates() override;

    void Answer(Outcome outcome, const DataUpdates& data = DataUpdates());

    QNetworkAccessManager* m_network = nullptr;
    QNetworkReply* m_reply = nullptr;
    QList<int> m_waiting; // request numbers the running check answers
    mutable std::mutex m_mutex;
    bool m_hasUpdate = false;
    DataUpdates m_update;
};
