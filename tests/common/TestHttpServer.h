#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>

class QTcpServer;
class QTcpSocket;

// A tiny HTTP server on 127.0.0.1 for tests: serves fixed answers by path and records the
// paths asked for. It runs on the thread that creates it, so that thread must spin its event
// loop (QTRY_* does) while a client talks to it.
class TestHttpServer : public QObject
{
    Q_OBJECT

public:
    TestHttpServer();
    ~TestHttpServer() override;

    bool Listen();
    // "http://127.0.0.1:<port>"
    QString BaseUrl() const;

    // `claimedLength` > body size sends a short body and closes: a broken transfer.
    void Serve(const QString& path, const QByteArray& body, int status = 200, qint64 claimedLength = -1);
    void Remove(const QString& path);
    QStringList Requests() const { return m_requests; }

private:
    struct Answer
    {
        QByteArray body;
        int status = 200;
        qint64 claimedLength = -1;
    };

    void OnConnection();
    void OnReadyRead(QTcpSocket* socket);

    QTcpServer* m_server;
    QHash<QString, Answer> m_answers;
    QHash<QTcpSocket*, QByteArray> m_buffers;
    QStringList m_requests;
};
