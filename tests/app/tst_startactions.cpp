// Start-up housekeeping runs on its own thread and says when it is done.
#include "PathManager.h"
#include "StartActionsHandler.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QSignalSpy>
#include <QThread>
#include <QtTest>

class TestStartActions : public QObject
{
    Q_OBJECT

private slots:
    void RunsActionsOnItsThreadInOrder()
    {
        TestEnvironment env;
        StartActionsHandler* handler = StartActionsHandler::Instance();
        QVERIFY(handler->isRunning());
        QThread* worker = handler;
        QStringList order;
        QList<QThread*> threads;
        for (const QString& name : {QStringLiteral("first"), QStringLiteral("second")})
            handler->AddAction(name,
                               [&order, &threads, name]
                               {
                                   order << name;
                                   threads << QThread::currentThread();
                               });
        QSignalSpy stopped(handler, &StartActionsHandler::OnStartActionsStop);
        StartActionsHandler::Start(); // blocking
        QCOMPARE(order, (QStringList{"first", "second"}));
        QCOMPARE(threads, (QList<QThread*>{worker, worker}));
        QTRY_COMPARE(stopped.count(), 1);
        QVERIFY(env.LogContains("StartActionsHandler :: ACTION --- first"));
        QVERIFY(env.LogContains("StartActionsHandler --------------- STOP"));

        // A second start has nothing left to do, but still reports its end.
        StartActionsHandler::Start();
        QCOMPARE(order.size(), 2);
        QTRY_COMPARE(stopped.count(), 2);

        StartActionsHandler::Destroy();
        QVERIFY(!StartActionsHandler::Exists());
        QVERIFY(env.LogContains("Destroy :: StartActionsHandler"));
        StartActionsHandler::Destroy(); // nothing left: harmless
    }

    void CleansTheTempFolder()
    {
        TestEnvironment env;
        const QString temp = PathManager::Instance()->GetTempDir();
        QVERIFY(TestFiles::Write(temp + "/replay/old/demo.sdfz", "x"));
        // Something next to the temp folder is left alone.
        QVERIFY(TestFiles::Write(PathManager::Instance()->GetLobbyGameDataDir() + "/keep.txt", "x"));
        StartActionsHandler::Start();
        StartActionsHandler::Destroy();
        QVERIFY(QFileInfo(temp).isDir());
        QVERIFY(QDir(temp).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        QVERIFY(QFile::exists(PathManager::Instance()->GetLobbyGameDataDir() + "/keep.txt"));
    }
};

QTEST_GUILESS_MAIN(TestStartActions)
#include "tst_startactions.moc"
