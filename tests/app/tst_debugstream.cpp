// The log: message filtering, prefixes, one line per message, the file.
#include "DebugStream.h"
#include "PathManager.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QtTest>
#include <thread>
#include <vector>

class TestDebugStream : public QObject
{
    Q_OBJECT

private slots:
    void Format_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<QString>("line");
        // The prefix of each kept kind: the handler's and the fatal test's lines.
        QTest::newRow("info dropped") << int(QtInfoMsg) << "chatter" << false << QString();
        QTest::newRow("libpng debug") << int(QtDebugMsg) << "libpng warning: iCCP: bad" << false << QString();
        QTest::newRow("libpng warning") << int(QtWarningMsg) << "libpng warning: x" << false << QString();
        QTest::newRow("libpng inside")
            << int(QtWarningMsg) << "a libpng warning" << true << "--- WARNING --- a libpng warning";
        // A value from a file or the network can be huge; the log keeps its start.
        QTest::newRow("long") << int(QtWarningMsg) << QString(10000, 'v') << true
                              << "--- WARNING --- " + QString(2000, 'v') + " ... (8000 characters cut)";
    }

    void Format()
    {
        QFETCH(int, type);
        QFETCH(QString, message);
        QFETCH(bool, kept);
        QFETCH(QString, line);
        QString out;
        QCOMPARE(DebugStream::FormatMessage(QtMsgType(type), message, &out), kept);
        if (kept)
            QCOMPARE(out, line);
    }

    void HandlerWritesFileAndCapture()
    {
        TestEnvironment env;
        // An earlier run's lines stay.
        const QString logFile = env.Path("gamelobby/_logs/test.log");
        QVERIFY(TestFiles::Write(logFile, "earlier\n"));
        QVERIFY(DebugStream::Instance()->Open(logFile));
        QVERIFY(DebugStream::Instance()->IsFileOpen());
        QCOMPARE(DebugStream::Instance()->GetFilePath(), logFile);
        env.ClearLog();
        qDebug().noquote() << "Class :: EVENT ---" << QStringLiteral("détail");
        qInfo() << "never";
        qWarning() << "two\nlines";
        qCritical().noquote() << "broken";
        QCOMPARE(env.LogLines(), (QStringList{"Class :: EVENT --- détail", "--- WARNING --- two lines",
                                              "--- CRITICAL --- broken"}));
        QCOMPARE(QString::fromUtf8(TestFiles::Read(logFile)),
                 QStringLiteral("earlier\nClass :: EVENT --- détail\n--- WARNING --- two lines\n"
                                "--- CRITICAL --- broken\n"));
    }

    void LinesFromThreadsStayWhole()
    {
        TestEnvironment env;
        const QString logFile = env.Path("threads.log");
        QVERIFY(DebugStream::Instance()->Open(logFile));
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back(
                [t]
                {
                    for (int i = 0; i < 200; ++i)
                        qDebug().noquote()
                            << QStringLiteral("T%1 line %2 ----------------------------------").arg(t).arg(i);
                });
        for (std::thread& thread : threads)
            thread.join();
        const QStringList lines = QString::fromUtf8(TestFiles::Read(logFile)).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 800);
        for (const QString& line : lines)
            QVERIFY2(QRegularExpression("^T\\d line \\d+ -+$").match(line).hasMatch(), qPrintable(line));
    }

    void UnwritableFileLogsToStdoutOnly()
    {
        TestEnvironment env;
        // A file where the folder should be.
        QVERIFY(TestFiles::Write(env.Path("blocked"), ""));
        QVERIFY(!DebugStream::Instance()->Open(env.Path("blocked/x.log")));
        QVERIFY(!DebugStream::Instance()->IsFileOpen());
        env.ClearLog();
        qDebug() << "still logged";
        QCOMPARE(env.LogLines(), QStringList{"still logged"});
    }

    // A disk that fills up: the lines still reach standard output, the file's failure is said once
    // there, and when the file takes lines again it first says how many it missed.
    void FullDiskSaidAndNoted()
    {
        TestEnvironment env;
        const QString logFile = env.Path("full.log");
        QVERIFY(DebugStream::Instance()->Open(logFile));
        env.ClearLog();
        qDebug() << "before";
        TestFiles::WithFileSizeLimit(100,
                                     []
                                     {
                                         for (char c : {'a', 'b', 'c', 'd', 'e'})
                                             qDebug().noquote() << QString(40, QLatin1Char(c));
                                     });
        qDebug() << "after";
        QCOMPARE(env.LogLines().size(), 8);
        QCOMPARE(env.LogLines().filter("DebugStream ::"),
                 QStringList{"--- WARNING --- DebugStream :: CAN NOT WRITE LOG FILE --- " + logFile +
                             " --- File too large --- logging to standard output only"});
        QCOMPARE(QString::fromUtf8(TestFiles::Read(logFile)),
                 "before\n" + QString(40, 'a') + "\n" + QString(40, 'b') + "\n" + QString(11, 'c') +
                     "\n--- WARNING --- DebugStream :: 3 LOG LINES LOST --- File too large\nafter\n");
    }

    // Copies started within the same second never share a log; a folder that cannot hold one
    // leaves standard output only.
    void NewLogOfItsOwn()
    {
        TestEnvironment env;
        const QDateTime start(QDate(2026, 3, 4), QTime(5, 6, 7));
        const auto name = [&](int copy) { return env.Path(PathManager::LogFileName(start, copy)); };
        QCOMPARE(name(1), env.Path("2026.03.04_05.06.07_2_gamelobby.log"));
        QVERIFY(TestFiles::Write(name(0), "another copy\n"));
        QCOMPARE(DebugStream::Instance()->OpenNew(name), name(1));
        qDebug() << "mine";
        QCOMPARE(TestFiles::Read(name(0)), QByteArray("another copy\n"));
        QCOMPARE(TestFiles::Read(name(1)), QByteArray("mine\n"));

        const auto blocked = [&](int copy)
        { return env.Path("missing/") + PathManager::LogFileName(start, copy); };
        QVERIFY(DebugStream::Instance()->OpenNew(blocked).isEmpty());
        QVERIFY(!DebugStream::Instance()->IsFileOpen());
    }

    void FatalAborts()
    {
        // The fatal path aborts; run it in a child so this test survives.
        if (qEnvironmentVariableIsSet("QM_FATAL_CHILD"))
        {
            DebugStream::InstallMessageHandler();
            qFatal("goodbye");
        }
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QM_FATAL_CHILD", "1");
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {"FatalAborts"});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QVERIFY(child.readAllStandardOutput().contains("--- FATAL_ERROR --- goodbye"));
    }
};

QTEST_GUILESS_MAIN(TestDebugStream)
#include "tst_debugstream.moc"
