#include "TestEnvironment.h"
#include "TestHttpServer.h"
#include "WebBaseGetData.h"

#include <QFile>
#include <QtTest>

namespace
{
// Answers `path` with `body`.
void Serve(TestHttpServer& server, const QString& path, const QByteArray& body, int status = 200,
           qint64 claimedLength = -1)
{
    server.SetAnswer(path, status, body, claimedLength);
}
class Listener : public QObject
{
    Q_OBJECT

public:
    QStringList events;
    qint64 lastReceived = -1;
    qint64 lastTotal = -1;

public slots:
    void Data(QString id, QString path)
    {
        events << QStringLiteral("data %1 %2").arg(id, QFileInfo(path).fileName());
    }
    void Error(QString id) { events << QStringLiteral("error ") + id; }
    void Progress(QString id, DataWebItem info)
    {
        Q_UNUSED(id);
        lastReceived = info.received;
        lastTotal = info.total;
    }
};

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
} // namespace

class TestWebBaseGetData : public QObject
{
    Q_OBJECT

private:
    void Wire(WebBaseGetData* client, Listener* listener)
    {
        connect(client, SIGNAL(OnData(QString, QString)), listener, SLOT(Data(QString, QString)));
        connect(client, SIGNAL(OnError(QString)), listener, SLOT(Error(QString)));
        connect(client, SIGNAL(OnProgress(QString, DataWebItem)), listener,
                SLOT(Progress(QString, DataWebItem)));
    }

private slots:
    void downloadsInOrderAndReportsFailures()
    {
        TestEnvironment env;
        TestHttpServer server;
        QM_REQUIRE(server.isListening(), "a loopback TCP port");
        QByteArray big(300 * 1024, 'x');
        for (int i = 0; i < big.size(); i += 7)
            big[i] = char(i % 251);
        Serve(server, QStringLiteral("/a.7z"), big);
        Serve(server, QStringLiteral("/gone.7z"), "no", 404);
        Serve(server, QStringLiteral("/cut.7z"), "only a part", 200, 5000);

        WebBaseGetData client;
        Listener listener;
        Wire(&client, &listener);
        QVERIFY(!client.IsBusy());

        // A failed download must leave the file that was there before.
        const QString keep = env.Path(QStringLiteral("dl/cut"));
        QDir().mkpath(env.Path(QStringLiteral("dl")));
        {
            QFile f(keep);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("old content");
        }

        WebBaseGetData::GetData(&client, QStringLiteral("1"), server.BaseAddress() + QStringLiteral("/a.7z"),
                                env.Path(QStringLiteral("dl/deep/a")));
        WebBaseGetData::GetData(&client, QStringLiteral("2"),
                                server.BaseAddress() + QStringLiteral("/gone.7z"),
                                env.Path(QStringLiteral("dl/gone")));
        WebBaseGetData::GetData(&client, QStringLiteral("3"),
                                server.BaseAddress() + QStringLiteral("/cut.7z"), keep);
        WebBaseGetData::GetData(&client, QStringLiteral("4"), QStringLiteral("no address at all"),
                                env.Path(QStringLiteral("dl/bad")));
        WebBaseGetData::GetData(nullptr, QStringLiteral("5"), QString(), QString()); // ignored
        QVERIFY(client.IsBusy());

        QTRY_COMPARE_WITH_TIMEOUT(listener.events.size(), 4, 15000);
        QCOMPARE(listener.events, (QStringList{"data 1 a", "error 2", "error 3", "error 4"}));
        QTRY_VERIFY(!client.IsBusy());
        QCOMPARE(ReadAll(env.Path(QStringLiteral("dl/deep/a"))), big);
        QCOMPARE(listener.lastTotal, qint64(5000)); // progress of the last transfer
        QVERIFY(!QFile::exists(env.Path(QStringLiteral("dl/gone"))));
        QCOMPARE(ReadAll(keep), QByteArray("old content"));
        QCOMPARE(server.Paths(), (QStringList{"/a.7z", "/gone.7z", "/cut.7z"}));
        QVERIFY(env.LogContains(QStringLiteral("WebBaseGetData :: ERROR --- bad address:")));
    }

    void destroyWhileBusyDropsTheQueue()
    {
        TestEnvironment env;
        TestHttpServer server;
        QM_REQUIRE(server.isListening(), "a loopback TCP port");
        Serve(server, QStringLiteral("/x"), "x");
        auto* client = new WebBaseGetData();
        for (int i = 0; i < 5; ++i)
            WebBaseGetData::GetData(client, QString::number(i), server.BaseAddress() + QStringLiteral("/x"),
                                    env.Path(QStringLiteral("x%1").arg(i)));
        client->InvokeBlocking("DoDestroy");
        QVERIFY(!client->IsBusy());
        delete client; // must not hang or crash
    }
};

QTEST_GUILESS_MAIN(TestWebBaseGetData)
#include "tst_WebBaseGetData.moc"
