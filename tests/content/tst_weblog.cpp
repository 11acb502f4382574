// The log upload against a web service of our own on 127.0.0.1: what arrives, and every way it fails.

#include "AppDefines.h"
#include "LogFilesWorker.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "TestHttpServer.h"
#include "WebLog.h"

#include <QCryptographicHash>
#include <QNetworkProxyFactory>
#include <QtTest>

namespace
{
const QStringList FieldOrder = {"player_name", "e-mail",          "message",   "code",
                                "game_log",    "game_screenshot", "lobby_log", "lobby_screenshot"};

// The form as the service sees it: names in order, raw values.
QList<QPair<QByteArray, QByteArray>> ParseForm(const QByteArray& body)
{
    QList<QPair<QByteArray, QByteArray>> fields;
    for (const QByteArray& pair : body.split('&'))
    {
        const int eq = pair.indexOf('=');
        fields << qMakePair(pair.left(eq), pair.mid(eq + 1));
    }
    return fields;
}

QByteArray Md5(const QByteArray& text)
{
    return QCryptographicHash::hash(text, QCryptographicHash::Md5).toHex();
}
} // namespace

class TestWebLog : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;

    // Sends once and waits for the one answer; returns "sent" or "error".
    QString Send(WebLog& web, const QStringList& t)
    {
        QSignalSpy sent(&web, SIGNAL(OnLogSent()));
        QSignalSpy error(&web, SIGNAL(OnLogError()));
        web.SetLog(t[0], t[1], t[2], t[3], t[4], t[5], t[6]);
        [&] { QTRY_COMPARE_WITH_TIMEOUT(sent.count() + error.count(), 1, 20000); }();
        QTest::qWait(20);
        if (sent.count() + error.count() != 1 || web.IsSending())
            return "more than one answer";
        return sent.count() ? "sent" : "error";
    }

private slots:
    void init() { m_env = std::make_unique<TestEnvironment>(); }
    void cleanup() { m_env.reset(); }

    void Fields_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("expected"); // name, e-mail, message as the service decodes them
        QTest::addColumn<QByteArrayList>("files"); // game log, game shot, lobby log, lobby shot
        // Bytes whose Base64 holds '+', '/' and '=': they must arrive percent-encoded.
        const QByteArray shot("\xfb\xff\xfe\x00\x01jpeg", 9);
        const QByteArray unreadable("<none>");
        QTest::newRow("everything") << QStringList{"Ann Lee", "a+b@x.org", "Crash & burn\n100% ü=1",
                                                   "g.log",   "l.log",     "g.jpeg",
                                                   "l.jpeg"}
                                    << QStringList{"Ann Lee", "a+b@x.org", "Crash & burn\n100% ü=1"}
                                    << QByteArrayList{"ENGINE-LINE\n", shot, "LOBBY-LINE ü\n", shot + shot};
        QTest::newRow("empty texts") << QStringList{"", "", "", "g.log", "l.log", "", ""}
                                     << QStringList{"EMPTY", "EMPTY", "EMPTY"}
                                     << QByteArrayList{"g", unreadable, "l", unreadable};
        QTest::newRow("missing files")
            << QStringList{"x", "", "y", "none/g.log", "none/l.log", "none/g.jpeg", "none/l.jpeg"}
            << QStringList{"x", "EMPTY", "y"}
            << QByteArrayList{"Game Log file can NOT be opened", "", "Lobby Log file can NOT be opened", ""};
    }

    void Fields()
    {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, expected);
        QFETCH(QByteArrayList, files);
        TestHttpServer server;
        QM_REQUIRE(server.isListening(), "a local TCP port");
        server.SetAnswer("/api/upload_log.php", 200, "OK");
        AppDefines::Instance()->SetWebBaseAddress(server.BaseAddress());
        // Files that exist are written; the table's paths become absolute.
        const int fileText[] = {3, 5, 4, 6};
        for (int i = 0; i < 4; ++i)
        {
            QString& path = texts[fileText[i]];
            if (path.isEmpty())
                continue;
            path = m_env->Path(path);
            if (!path.contains("none/"))
                QVERIFY(TestFiles::Write(path, files[i]));
        }

        WebLog web;
        QCOMPARE(Send(web, texts), QString("sent"));
        QCOMPARE(server.Paths(), QStringList{"/api/upload_log.php"});
        const QByteArray head = server.LastHead();
        QVERIFY(head.startsWith("POST /api/upload_log.php "));
        QVERIFY(head.toLower().contains("content-type: application/x-www-form-urlencoded"));

        const auto form = ParseForm(server.LastBody());
        QStringList names;
        for (const auto& field : form)
            names << QString::fromLatin1(field.first);
        QCOMPARE(names, FieldOrder);
        for (const auto& field : form)
        {
            // Percent-encoded: nothing a form decoder would read as a space or a separator.
            for (char c : {'+', '/', '=', ' ', '\n', '&'})
                QVERIFY2(!field.second.contains(c), field.first.constData());
        }
        for (int i = 0; i < 3; ++i)
            QCOMPARE(QString::fromUtf8(QByteArray::fromPercentEncoding(form[i].second)), expected[i]);
        QCOMPARE(form[3].second, Md5((expected[0] + "|" + expected[2]).toUtf8()));
        const int fileField[] = {4, 5, 6, 7};
        for (int i = 0; i < 4; ++i)
        {
            const QByteArray decoded =
                QByteArray::fromBase64(QByteArray::fromPercentEncoding(form[fileField[i]].second));
            QCOMPARE(decoded, files[i] == "<none>" ? QByteArray() : files[i]);
        }
        // The player's texts and logs never reach our own log.
        for (const QString& line : m_env->LogLines())
            QVERIFY2(!line.contains("burn") && !line.contains("-LINE") &&
                         !line.contains(form[4].second.left(8)),
                     qPrintable(line));
        QVERIFY(m_env->LogContains("WebLog :: SENT"));
    }

    void Failures_data()
    {
        QTest::addColumn<int>("status"); // -1: nobody listens, 0: never answers, 1: trickles
        QTest::addColumn<QString>("logLine");
        QTest::newRow("refused") << -1 << "WebLog :: ERROR --- HTTP 0";
        QTest::newRow("error status") << 500 << "WebLog :: ERROR --- HTTP 500";
        QTest::newRow("redirect") << 302 << "WebLog :: ERROR --- HTTP 302";
        QTest::newRow("hangs") << 0 << "WebLog :: ERROR --- HTTP 0";
        // A byte every 100 ms never lets the 300 ms silence pass: only the deadline ends it.
        QTest::newRow("trickles") << 1 << "WebLog :: ERROR --- NOT DONE AFTER 1000 ms";
    }

    void Failures()
    {
        QFETCH(int, status);
        QFETCH(QString, logLine);
        auto server = std::make_unique<TestHttpServer>();
        QM_REQUIRE(server->isListening(), "a local TCP port");
        server->SetAnswer("/api/upload_log.php", status, "no");
        if (status == 1)
            server->SetTrickle("/api/upload_log.php", QByteArray(1000, 'x'), 100);
        AppDefines::Instance()->SetWebBaseAddress(server->BaseAddress());
        if (status < 0)
            server.reset();
        WebLog web;
        web.SetTimeout(300);
        web.SetDeadline(1000);
        const QStringList texts{"n", "e", "m", "", "", "", ""};
        QCOMPARE(Send(web, texts), QString("error"));
        QVERIFY2(m_env->LogContains(logLine), qPrintable(m_env->LogLines().join('\n')));
        // After a failure the client takes the next upload.
        if (server)
        {
            server->SetAnswer("/api/upload_log.php", 200, "OK");
            QCOMPARE(Send(web, texts), QString("sent"));
        }
    }

    void OneUploadAtATime()
    {
        TestHttpServer server;
        QM_REQUIRE(server.isListening(), "a local TCP port");
        server.SetAnswer("/api/upload_log.php", 0, QByteArray());
        AppDefines::Instance()->SetWebBaseAddress(server.BaseAddress());
        WebLog web;
        web.SetTimeout(400);
        QSignalSpy error(&web, SIGNAL(OnLogError()));
        web.SetLog("a", "", "", "", "", "", "");
        web.SetLog("b", "", "", "", "", "", "");
        QTRY_COMPARE(error.count(), 1);
        QTest::qWait(100);
        QCOMPARE(error.count(), 1);
        QCOMPARE(server.Requests(), 1);
        QVERIFY(m_env->LogContains("WebLog :: SEND --- ALREADY SENDING"));
    }

    void LoopbackBypassesTheSystemProxy()
    {
        TestHttpServer server;
        QM_REQUIRE(server.isListening(), "a local TCP port");
        server.SetAnswer("/api/upload_log.php", 200, "OK");
        AppDefines::Instance()->SetWebBaseAddress(server.BaseAddress());
        // A system proxy that does not exist, as the program uses the system's configuration.
        qputenv("http_proxy", "http://127.0.0.1:1");
        QNetworkProxyFactory::setUseSystemConfiguration(true);
        WebLog web;
        web.SetTimeout(2000);
        const QString answer = Send(web, {"n", "", "", "", "", "", ""});
        QNetworkProxyFactory::setUseSystemConfiguration(false);
        qunsetenv("http_proxy");
        QCOMPARE(answer, QString("sent"));
        QCOMPARE(server.Requests(), 1);
    }

    void ReadTail_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<qint64>("maxBytes");
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<QString>("place"); // how TestFiles::Place fills the log's place
        // Nothing to read, and no wait: the dialog and the upload say the log could not be opened.
        QTest::newRow("FIFO") << QByteArray() << qint64(3) << QByteArray() << "FIFO";
        QTest::newRow("folder") << QByteArray() << qint64(3) << QByteArray() << "folder";
        QTest::newRow("whole") << QByteArray("a\nb\n") << qint64(10) << QByteArray("a\nb\n") << QString();
        QTest::newRow("exact") << QByteArray("a\nb\n") << qint64(4) << QByteArray("a\nb\n") << QString();
        // Cut at a line start, never inside the two bytes of 'ü'.
        const QByteArray lines("first ü\nsecond\nthird\n");
        QTest::newRow("inside a character")
            << lines << qint64(15) << QByteArray("second\nthird\n") << QString();
        QTest::newRow("at a line start") << lines << qint64(13) << QByteArray("second\nthird\n") << QString();
        QTest::newRow("inside a line") << lines << qint64(12) << QByteArray("third\n") << QString();
        QTest::newRow("one long line")
            << QByteArray("abcdefgh") << qint64(3) << QByteArray("fgh") << QString();
        QTest::newRow("empty") << QByteArray() << qint64(3) << QByteArray() << QString();
    }

    void ReadTail()
    {
        QFETCH(QByteArray, content);
        QFETCH(qint64, maxBytes);
        QFETCH(QByteArray, tail);
        QFETCH(QString, place);
        const QString path = m_env->Path("x.log");
        QVERIFY(TestFiles::Place(path, place, content));
        bool opened = false;
        QCOMPARE(LogFilesWorker::ReadTail(path, maxBytes, &opened), tail);
        QCOMPARE(opened, place.isEmpty());
        QCOMPARE(LogFilesWorker::ReadTail(m_env->Path("missing.log"), maxBytes, &opened), QByteArray());
        QVERIFY(!opened);
    }
};

QTEST_MAIN(TestWebLog)
#include "tst_weblog.moc"
