// The update check and the downloader beneath it, against a web service of our own on 127.0.0.1.

#include "AppDefines.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "TestHttpServer.h"
#include "WebBaseGetData.h"
#include "WebUpdates.h"

#include <QtTest>

// Takes the worker's answers on the test's thread.
struct Answers : QObject
{
    QStringList seen;
    DataUpdates data;
    QList<QPair<int, int>> answered; // request number, outcome
};

class TestWebUpdates : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;

    void Connect(Answers* answers)
    {
        WebUpdates* updates = WebUpdates::Instance();
        connect(updates, &WebUpdates::OnHasUpdates, answers,
                [answers](DataUpdates data)
                {
                    answers->seen << "has";
                    answers->data = data;
                });
        connect(updates, &WebUpdates::OnNoUpdates, answers, [answers] { answers->seen << "none"; });
        connect(updates, &WebUpdates::OnError, answers, [answers] { answers->seen << "error"; });
        connect(updates, &WebUpdates::OnCheckAnswered, answers,
                [answers](int id, int outcome) { answers->answered << qMakePair(id, outcome); });
    }

private slots:
    void init() { m_env = std::make_unique<TestEnvironment>(); }

    void cleanup()
    {
        WebUpdates::Destroy();
        m_env.reset();
    }

    void Check_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("logLine");
        const QString error = "--- WARNING --- WebUpdates :: ERROR";
        QTest::newRow("newer") << 200 << QByteArray("0.2.0\r\n0.2.0\r\n- faster lists\n") << "has"
                               << "WebUpdates :: HAS UPDATES --- 0.2.0";
        QTest::newRow("same") << 200 << QByteArray("0.1.0\nnothing new") << "none"
                              << "WebUpdates :: NO UPDATES --- 0.1.0";
        QTest::newRow("older") << 200 << QByteArray("0.0.9\n") << "none"
                               << "WebUpdates :: NO UPDATES --- 0.0.9";
        QTest::newRow("not found") << 404 << QByteArray("gone") << "error" << error + " ---";
        QTest::newRow("redirect") << 302 << QByteArray("9.9.9\n") << "error" << error + " --- HTTP 302";
        QTest::newRow("other success") << 203 << QByteArray("9.9.9\n") << "error" << error + " --- HTTP 203";
        QTest::newRow("garbage") << 200 << QByteArray("<html>oops</html>") << "error"
                                 << error + " --- BAD VERSION <html>oops</html>";
        QTest::newRow("empty") << 200 << QByteArray("\n\n") << "error" << error + " --- EMPTY DESCRIPTION";
        QTest::newRow("too large") << 200 << QByteArray(WebUpdates::MaxDescriptionBytes + 10, 'x') << "error"
                                   << error;
    }

    void Check()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, answer);
        QFETCH(QString, logLine);
        TestHttpServer server;
        QM_REQUIRE(server.isListening(), "a local TCP port");
        server.SetAnswer("/updates/lobby.txt", status, body);
        AppDefines::Instance()->SetWebBaseAddress(server.BaseAddress());

        Answers answers;
        Connect(&answers);
        DataUpdates known;
        QVERIFY(!WebUpdates::Instance()->GetKnownUpdate(&known));
        const int requestId = WebUpdates::CheckUpdates();
        QTRY_COMPARE(answers.seen.size(), 1);
        QCOMPARE(answers.seen, QStringList{answer});
        const int outcome = answer == "has"    ? WebUpdates::HasUpdates
                            : answer == "none" ? WebUpdates::NoUpdates
                                               : WebUpdates::Error;
        QTRY_COMPARE(answers.answered, (QList<QPair<int, int>>{{requestId, outcome}}));
        QCOMPARE(answers.data.version, QString(answer == "has" ? "0.2.0" : ""));
        QVERIFY2(m_env->LogContains(logLine), qPrintable(m_env->LogLines().join('\n')));
        QCOMPARE(server.Paths(), QStringList{"/updates/lobby.txt"});
        // A found update stays known for listeners that come later.
        QCOMPARE(WebUpdates::Instance()->GetKnownUpdate(&known), answer == "has");
        if (answer == "has")
        {
            QCOMPARE(answers.data.changeLog, "0.2.0\n- faster lists");
            QCOMPARE(known.version, "0.2.0");
            QCOMPARE(known.changeLog, answers.data.changeLog);
        }
    }

    void UnreachableServer()
    {
        // A port nobody listens on: the check ends in an error, not in silence.
        quint16 port = 0;
        {
            TestHttpServer probe;
            port = probe.serverPort();
        }
        AppDefines::Instance()->SetWebBaseAddress(QStringLiteral("http://127.0.0.1:%1").arg(port));
        Answers answers;
        Connect(&answers);
        WebUpdates::CheckUpdates();
        QTRY_COMPARE(answers.seen, QStringList{"error"});

        AppDefines::Instance()->SetWebBaseAddress(QString());
        WebUpdates::CheckUpdates();
        QTRY_COMPARE(answers.seen, (QStringList{"error", "error"}));
        QVERIFY(m_env->LogContains("WebUpdates :: ERROR --- BAD ADDRESS"));
    }

    void ShutDownDuringACheck()
    {
        TestHttpServer server;
        server.SetAnswer("/updates/lobby.txt", 0, QByteArray());
        AppDefines::Instance()->SetWebBaseAddress(server.BaseAddress());
        Answers answers;
        Connect(&answers);
        WebUpdates::CheckUpdates();
        QTRY_COMPARE(server.Requests(), 1);
        // A second request while the first is open is answered by the first.
        WebUpdates::CheckUpdates();
        QTRY_VERIFY(m_env->LogContains("WebUpdates :: CHECK --- ALREADY RUNNING"));
        WebUpdates::Destroy();
        QVERIFY(m_env->LogContains("Destroy :: WebUpdates"));
        QTest::qWait(50);
        QCOMPARE(answers.seen, QStringList{});
        QCOMPARE(server.Requests(), 1);
    }

    void OneCheckAnswersEveryWaitingRequest()
    {
        // A slow server: the second request joins the running check and both are answered, each once.
        TestHttpServer server;
        server.SetAnswer("/updates/lobby.txt", 0, QByteArray());
        AppDefines::Instance()->SetWebBaseAddress(server.BaseAddress());
        WebUpdates::SetTimeoutMs(300);
        Answers answers;
        Connect(&answers);
        const int first = WebUpdates::CheckUpdates();
        const int second = WebUpdates::CheckUpdates();
        QVERIFY(second != first);
        QTRY_COMPARE(answers.seen, QStringList{"error"});
        QCOMPARE(answers.answered,
                 (QList<QPair<int, int>>{{first, WebUpdates::Error}, {second, WebUpdates::Error}}));
        QCOMPARE(server.Requests(), 1);
        WebUpdates::SetTimeoutMs(0);
    }

    void ParseDescription_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("version");
        QTest::newRow("plain") << QByteArray("1.2.3\nlog") << true << "1.2.3";
        QTest::newRow("leading blank lines") << QByteArray("\n \n2.0\n") << true << "2.0";
        QTest::newRow("spaces") << QByteArray("  3.1  \r\n") << true << "3.1";
        QTest::newRow("suffix") << QByteArray("1.2beta\n") << false << "";
        QTest::newRow("words") << QByteArray("version 1\n") << false << "";
        QTest::newRow("nothing") << QByteArray() << false << "";
    }

    void ParseDescription()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, ok);
        QFETCH(QString, version);
        DataUpdates result;
        QString error;
        QCOMPARE(WebUpdates::ParseDescription(data, &result, &error), ok);
        QCOMPARE(result.version, version);
        QCOMPARE(error.isEmpty(), ok);
        QVERIFY(WebUpdates::IsNewer("0.10.0", "0.9.9"));
        QVERIFY(!WebUpdates::IsNewer("0.1", "0.1.0"));
    }

    void ChangeLogHtml()
    {
        // Markup in the text is shown, not obeyed; each line is a paragraph.
        const QString html =
            WebUpdates::ChangeLogToHtml("1.2.0\n- fixed <b>bold</b> & more\n\nv1.1\n- first");
        QVERIFY(html.contains("- fixed &lt;b&gt;bold&lt;/b&gt; &amp; more<"));
        QVERIFY(!html.contains("<b>bold</b>"));
        QCOMPARE(html.count("<p"), 4);

        // Only web addresses become links, quotes and markup stay outside them.
        const QString links = WebUpdates::ChangeLogToHtml(
            "- see \"https://a.org/x?b=1&c=2\" and javascript:alert(1) or file:///etc/passwd");
        QCOMPARE(links.count("<a "), 1);
        QVERIFY2(links.contains(
                     "&quot;<a href=\"https://a.org/x?b=1&amp;c=2\">https://a.org/x?b=1&amp;c=2</a>&quot;"),
                 qPrintable(links));
    }

    // The downloader beneath the update check and the content downloads.
    void downloadsInOrderAndReportsFailures()
    {
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
        const QString keep = m_env->Path("dl/cut");
        QVERIFY(TestFiles::Write(keep, "old content"));

        WebBaseGetData::GetData(&client, "1", server.BaseAddress() + "/a.7z", m_env->Path("dl/deep/a"));
        WebBaseGetData::GetData(&client, "2", server.BaseAddress() + "/gone.7z", m_env->Path("dl/gone"));
        WebBaseGetData::GetData(&client, "3", server.BaseAddress() + "/cut.7z", keep);
        WebBaseGetData::GetData(&client, "4", "no address at all", m_env->Path("dl/bad"));
        WebBaseGetData::GetData(nullptr, "5", QString(), QString()); // ignored
        QVERIFY(client.IsBusy());

        QTRY_COMPARE_WITH_TIMEOUT(events.size(), 4, 15000);
        QCOMPARE(events, (QStringList{"data 1 a", "error 2", "error 3", "error 4"}));
        QTRY_VERIFY(!client.IsBusy());
        QCOMPARE(TestFiles::Read(m_env->Path("dl/deep/a")), big);
        QCOMPARE(lastTotal, qint64(5000)); // progress of the last transfer
        QVERIFY(!QFile::exists(m_env->Path("dl/gone")));
        QCOMPARE(TestFiles::Read(keep), QByteArray("old content"));
        QCOMPARE(server.Paths(), (QStringList{"/a.7z", "/gone.7z", "/cut.7z"}));
        QVERIFY(m_env->LogContains("WebBaseGetData :: ERROR --- bad address:"));

        // A download that the disk cuts short (a file size limit) keeps the old file too.
        server.SetAnswer("/full.7z", 200, QByteArray(3000, 'f'));
        TestFiles::WithFileSizeLimit(1000,
                                     [&]
                                     {
                                         WebBaseGetData::GetData(&client, "6",
                                                                 server.BaseAddress() + "/full.7z", keep);
                                         QTRY_COMPARE_WITH_TIMEOUT(events.size(), 5, 15000);
                                     });
        QCOMPARE(events.last(), "error 6");
        QCOMPARE(TestFiles::Read(keep), QByteArray("old content"));
    }

    void destroyWhileBusyDropsTheQueue()
    {
        TestHttpServer server;
        QM_REQUIRE(server.isListening(), "a loopback TCP port");
        server.SetAnswer("/x", 200, "x");
        auto* client = new WebBaseGetData();
        for (int i = 0; i < 5; ++i)
            WebBaseGetData::GetData(client, QString::number(i), server.BaseAddress() + "/x",
                                    m_env->Path(QString("x%1").arg(i)));
        client->InvokeBlocking("DoDestroy");
        QVERIFY(!client->IsBusy());
        delete client; // must not hang or crash
    }
};

QTEST_MAIN(TestWebUpdates)
#include "tst_webupdates.moc"
