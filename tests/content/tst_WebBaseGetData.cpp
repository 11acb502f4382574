#include "TestEnvironment.h"
#include "TestFiles.h"
#include "TestHttpServer.h"
#include "WebBaseGetData.h"

#include <QtTest>

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
        QObject receiver; // on the test's thread
        QStringList events;
        qint64 lastTotal = -1;
        connect(&client, &WebBaseGetData::OnData, &receiver,
                [&](QString id, QString path) { events << "data " + id + ' ' + QFileInfo(path).fileName(); });
        connect(&client, &WebBaseGetData::OnError, &receiver, [&](QString id) { events << "error " + id; });
        connect(&client, &WebBaseGetData::OnProgress, &receiver,
                [&](QString, DataWebItem info) { lastTotal = info.total; });
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

        QTRY_COMPARE_WITH_TIMEOUT(events.size(), 4, 15000);
        QCOMPARE(events, (QStringList{"data 1 a", "error 2", "error 3", "error 4"}));
        QTRY_VERIFY(!client.IsBusy());
        QCOMPARE(TestFiles::Read(env.Path("dl/deep/a")), big);
        QCOMPARE(lastTotal, qint64(5000)); // progress of the last transfer
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
