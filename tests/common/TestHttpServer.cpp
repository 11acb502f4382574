#include "TestHttpServer.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

TestHttpServer::TestHttpServer() : m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &TestHttpServer::OnConnection);
}

TestHttpServer::~TestHttpServer() = default;

bool TestHttpServer::Listen()
{
    return m_server->listen(QHostAddress::LocalHost, 0);
}

QString TestHttpServer::BaseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server->serverPort());
}

void TestHttpServer::Serve(const QString& path, const QByteArray& body, int status, qint64 claimedLength)
{
    m_answers.insert(path, {body, status, claimedLength});
}

void TestHttpServer::Remove(const QString& path)
{
    m_answers.remove(path);
}

void TestHttpServer::OnConnection()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection())
    {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this,
                [this, socket]
                {
                    m_buffers.remove(socket);
                    socket->deleteLater();
                });
    }
}

void TestHttpServer::OnReadyRead(QTcpSocket* socket)
{
    QByteArray& buffer = m_buffers[socket];
    buffer += socket->readAll();
    const int end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).split(' ');
    buffer.clear();
    const QString path = requestLine.size() > 1 ? QString::fromUtf8(requestLine.at(1)) : QString();
    m_requests << path;

    const auto it = m_answers.constFind(path);
    const Answer answer = it != m_answers.constEnd() ? *it : Answer{"not found", 404, -1};
    const qint64 length = answer.claimedLength >= 0 ? answer.claimedLength : answer.body.size();
    QByteArray reply =
        "HTTP/1.1 " + QByteArray::number(answer.status) + (answer.status == 200 ? " OK" : " Error") +
        "\r\nContent-Type: application/octet-stream\r\nContent-Length: " + QByteArray::number(length) +
        "\r\nConnection: close\r\n\r\n" + answer.body;
    socket->write(reply);
    socket->disconnectFromHost();
}
