#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A small HTTP/1.0 server on 127.0.0.1 for the web clients' tests: answers each path with a
// fixed status and body (status 0: never answers), and counts the requests. A claimed length
// beyond the body sends a short body and closes: a broken transfer. A redirect (3xx) points to
// "/moved". A trickling answer sends its body one byte per interval. A request with a body (a
// POST) is answered once the whole body has arrived; the last one is kept for the test.
class TestHttpServer : public QTcpServer
{
public:
    struct Answer
    {
        int status = 200;
        QByteArray body;
        qint64 claimedLength = -1;
        int trickleMs = 0;
    };

    TestHttpServer() { listen(QHostAddress::LocalHost, 0); }

    QString BaseAddress() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }
    void SetAnswer(const QString& path, int status, const QByteArray& body, qint64 claimedLength = -1)
    {
        m_answers[path] = {status, body, claimedLength, 0};
    }
    void SetTrickle(const QString& path, const QByteArray& body, int intervalMs)
    {
        m_answers[path] = {200, body, -1, intervalMs};
    }
    int Requests() const { return m_requests; }
    QStringList Paths() const { return m_paths; }
    // Head (request line and headers) and body of the last whole request.
    QByteArray LastHead() const { return m_lastHead; }
    QByteArray LastBody() const { return m_lastBody; }

protected:
    void incomingConnection(qintptr handle) override
    {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(handle);
        connect(socket, &QTcpSocket::readyRead, this,
                [this, socket]
                {
                    m_buffer[socket] += socket->readAll();
                    const QByteArray request = m_buffer.value(socket);
                    const int headEnd = request.indexOf("\r\n\r\n");
                    if (headEnd < 0)
                        return;
                    const QByteArray head = request.left(headEnd);
                    if (request.size() - headEnd - 4 < ContentLength(head))
                        return;
                    m_lastHead = head;
                    m_lastBody = request.mid(headEnd + 4);
                    // A later socket may get this one's address: never read an old request again.
                    m_buffer.remove(socket);
                    ++m_requests;
                    const QString path = QString::fromLatin1(request.split(' ').value(1));
                    m_paths << path;
                    const Answer answer = m_answers.value(path, Answer{404, "not found", -1, 0});
                    if (answer.status == 0)
                        return; // never answers
                    const QByteArray location = answer.status / 100 == 3 ? "Location: /moved\r\n" : "";
                    const QByteArray answerHead =
                        "HTTP/1.0 " + QByteArray::number(answer.status) + " X\r\nContent-Length: " +
                        QByteArray::number(answer.claimedLength >= 0 ? answer.claimedLength
                                                                     : answer.body.size()) +
                        "\r\n" + location + "Connection: close\r\n\r\n";
                    if (answer.trickleMs <= 0)
                    {
                        socket->write(answerHead + answer.body);
                        socket->disconnectFromHost();
                        return;
                    }
                    socket->write(answerHead);
                    auto* timer = new QTimer(socket);
                    connect(timer, &QTimer::timeout, socket,
                            [socket, body = answer.body, sent = 0]() mutable
                            {
                                socket->write(body.mid(sent++, 1));
                                if (sent >= body.size())
                                    socket->disconnectFromHost();
                            });
                    timer->start(answer.trickleMs);
                });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

private:
    static qint64 ContentLength(const QByteArray& head)
    {
        for (const QByteArray& line : head.split('\n'))
        {
            if (line.toLower().startsWith("content-length:"))
                return line.mid(15).trimmed().toLongLong();
        }
        return 0;
    }

    QMap<QString, Answer> m_answers;
    QMap<QTcpSocket*, QByteArray> m_buffer;
    int m_requests = 0;
    QStringList m_paths;
    QByteArray m_lastHead;
    QByteArray m_lastBody;
};
