// The update check against a web service of our own on 127.0.0.1, and the Steam stand-in.

#include "AppDefines.h"
#include "SteamManager.h"
#include "TestEnvironment.h"
#include "TestHttpServer.h"
#include "WebUpdates.h"

#include <QtTest>

// Receives the worker's answers on the test's thread.
class Answers : public QObject
{
    Q_OBJECT

public:
    QStringList seen;
    DataUpdates data;
    QList<QPair<int, int>> answered; // request number, outcome

public slots:
    void DoHasUpdates(DataUpdates updates)
    {
        seen << "has";
        data = updates;
    }
    void DoNoUpdates() { seen << "none"; }
    void DoError() { seen << "error"; }
    void DoAnswered(int requestId, int outcome, DataUpdates) { answered << qMakePair(requestId, outcome); }
};

class TestWebUpdates : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;

    void Connect(Answers* answers)
    {
        WebUpdates* updates = WebUpdates::Instance();
        connect(updates, SIGNAL(OnHasUpdates(DataUpdates)), answers, SLOT(DoHasUpdates(DataUpdates)));
        connect(updates, SIGNAL(OnNoUpdates()), answers, SLOT(DoNoUpdates()));
        connect(updates, SIGNAL(OnError()), answers, SLOT(DoError()));
        connect(updates, SIGNAL(OnCheckAnswered(int, int, DataUpdates)), answers,
                SLOT(DoAnswered(int, int, DataUpdates)));
    }

private slots:
    void init() { m_env = std::make_unique<TestEnvironment>(); }

    void cleanup()
    {
        WebUpdates::Destroy();
        SteamManager::Destroy();
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
        QCOMPARE(WebUpdates::GetDescriptionUrl(), server.BaseAddress() + "/updates/lobby.txt");

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
            QCOMPARE(answers.data.changeLog, QStringLiteral("0.2.0\n- faster lists"));
            QCOMPARE(known.version, QStringLiteral("0.2.0"));
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
        QCOMPARE(WebUpdates::GetTimeoutMs(), int(WebUpdates::DefaultTimeoutMs));
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
        const QString html =
            WebUpdates::ChangeLogToHtml("1.2.0\n- fixed <b>bold</b> & more\n\nv1.1\n- first");
        QVERIFY(html.contains("<b><font color=\"#ffc300\">1.2.0</font></b>"));
        QVERIFY(html.contains("<b><font color=\"#ffc300\">v1.1</font></b>"));
        QVERIFY(html.contains("margin-left:24px\">- fixed &lt;b&gt;bold&lt;/b&gt; &amp; more<"));
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

    void SteamWithoutClient()
    {
        SteamManager* steam = SteamManager::Instance();
        QTest::qWait(20);
        QVERIFY(!steam->IsInitialized());
        QSignalSpy overlay(steam, SIGNAL(OnOverlayDeactivated()));
        SteamManager::ActivateOverlay();
        QTest::qWait(50);
        QCOMPARE(overlay.count(), 0);
        QVERIFY(m_env->LogContains("Initialize :: SteamManager"));
        SteamManager::Destroy();
        QVERIFY(m_env->LogContains("Destroy :: SteamManager"));
    }
};

QTEST_MAIN(TestWebUpdates)
#include "tst_webupdates.moc"
