#include "TestEnvironment.h"
#include "TestFiles.h"
#include "TestHttpServer.h"
#include "WebBaseGetData.h"

#include <QtTest>

namespace
{
class Listener : public QObject
{
    Q_OBJECT

public:
    QStringList events;
    qint64 lastTotal = -1;

public slots:
    void Data(QString id, QString path)
    {
        events << QString("data %1 %2").arg(id, QFileInfo(path).fileName());
    }
    void Error(QString id) { events << "error " + id; }
    void Progress(QString, DataWebItem info) { lastTotal = info.total; }
};
} // namespace

class TestWebBaseGetData : public QObject
{
    Q_OBJECT

private slots:
    void downloadsInOrderAndReportsFailures()
    {
        TestEnvironment env;
        TestHttpServer server;
        QM_REQUIRE(server.isListening(), "a loopback TCP port");
        QByteArray big(300 * 1024, 'x');
        for (int i = 0; i < big.size(); i += 7)
            big[i] = char(i % 251);
        server.SetAnswer("/a.7z", 200, big);
        server.SetAnswer("/gone.7z", 404, "no");
        server.SetAnswer("/cut.7z", 200, "only a part", 5000);

        WebBaseGetData client;
        Listener listener;
        connect(&client, SIGNAL(OnData(QString, QString)), &listener, SLOT(Data(QString, QString)));
        connect(&client, SIGNAL(OnError(QString)), &listener, SLOT(Error(QString)));
        connect(&client, SIGNAL(OnProgress(QString, DataWebItem)), &listener,
                SLOT(Progress(QString, DataWebItem)));
        QVERIFY(!client.IsBusy());

        // A failed download must leave the file that was there before.
        const QString keep = env.Path("dl/cut");
        QVERIFY(TestFiles::Write(keep, "old content"));

        WebBaseGetData::GetData(&client, "1", server.BaseAddress() + "/a.7z", env.Path("dl/deep/a"));
        WebBaseGetData::GetData(&client, "2", server.BaseAddress() + "/gone.7z", env.Path("dl/gone"));
        WebBaseGetData::GetData(&client, "3", server.BaseAddress() + "/cut.7z", keep);
        WebBaseGetData::GetData(&client, "4", "no address at all", env.Path("dl/bad"));
        WebBaseGetData::GetData(nullptr, "5", QString(), QString()); // ignored
        QVERIFY(client.IsBusy());

        QTRY_COMPARE_WITH_TIMEOUT(listener.events.size(), 4, 15000);
        QCOMPARE(listener.events, (QStringList{"data 1 a", "error 2", "error 3", "error 4"}));
        QTRY_VERIFY(!client.IsBusy());
        QCOMPARE(TestFiles::Read(env.Path("dl/deep/a")), big);
        QCOMPARE(listener.lastTotal, qint64(5000)); // progress of the last transfer
        QVERIFY(!QFile::exists(env.Path("dl/gone")));
        QCOMPARE(TestFiles::Read(keep), QByteArray("old content"));
        QCOMPARE(server.Paths(), (QStringList{"/a.7z", "/gone.7z", "/cut.7z"}));
        QVERIFY(env.LogContains("WebBaseGetData :: ERROR --- bad address:"));
    }

    void destroyWhileBusyDropsTheQueue()
    {
        TestEnvironment env;
        TestHttpServer server;
        QM_REQUIRE(server.isListening(), "a loopback TCP port");
        server.SetAnswer("/x", 200, "x");
        auto* client = new WebBaseGetData();
        for (int i = 0; i < 5; ++i)
            WebBaseGetData::GetData(client, QString::number(i), server.BaseAddress() + "/x",
                                    env.Path(QString("x%1").arg(i)));
        client->InvokeBlocking("DoDestroy");
        QVERIFY(!client->IsBusy());
        delete client; // must not hang or crash
    }
};

QTEST_GUILESS_MAIN(TestWebBaseGetData)
#include "tst_WebBaseGetData.moc"
