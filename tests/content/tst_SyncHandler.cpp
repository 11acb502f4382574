#include "DownloadHandler.h"
#include "SyncHandler.h"
#include "SyncManager.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QtTest>

namespace
{
class Listener : public QObject
{
    Q_OBJECT

public:
    QList<DataSyncState> states;

public slots:
    void State(DataSyncState s) { states << s; }
};
} // namespace

class TestSyncHandler : public QObject
{
    Q_OBJECT

private slots:
    void checksAndRechecks()
    {
        TestEnvironment env;
        QVERIFY(TestFiles::Write(env.Path("maps/Ford.sd7"), "x"));
        QVERIFY(TestFiles::Write(env.Path("engines/105.0/spring"), "x"));
        SyncManager::SetSystemEnginePath(QString());
        SyncManager::Instance();

        SyncHandler::Initialize();
        Listener listener;
        connect(SyncHandler::Instance(), SIGNAL(OnSyncState(DataSyncState)), &listener,
                SLOT(State(DataSyncState)));
        SyncHandler::Instance()->InvokeBlocking("DoRetrySync");
        QCoreApplication::processEvents();
        QCOMPARE(listener.states.size(), 0); // nothing asked yet

        DataSync sync;
        sync.mapName = QStringLiteral("Ford");
        sync.game = QStringLiteral("Late Game 3");
        sync.engine = QStringLiteral("105.0");
        SyncHandler::CheckSyncState(sync);
        QTRY_COMPARE(listener.states.size(), 1);
        DataSyncState s = listener.states.first();
        QVERIFY(s.isChecked && s.hasMap && s.hasEngine && !s.hasGame && !s.isSynced);
        // No download runs, so none is listed and a retry makes sense.
        QVERIFY(s.downloads.isEmpty() && s.downloadsIdle);
        QCOMPARE(SyncHandler::Instance()->GetSyncState().gameName, QStringLiteral("Late Game 3"));

        // The game arrives; a retry sees it once the index has looked again.
        QVERIFY(TestFiles::Write(env.Path("games/Late Game 3.sdz"), "x"));
        SyncManager::Instance()->InvokeBlocking("DoReload");
        SyncHandler::Instance()->Queue("DoRetrySync");
        QTRY_COMPARE(listener.states.size(), 2);
        QVERIFY(listener.states.last().isSynced);
        QVERIFY(listener.states.last().downloads.isEmpty());

        // Empty names are never "installed".
        const DataSyncState empty = SyncHandler::ComputeState(DataSync{QString(), QString(), QString()});
        QVERIFY(!empty.hasMap && !empty.hasGame && !empty.hasEngine);

        SyncHandler::Destroy();
        QVERIFY(!SyncHandler::Exists());
        SyncHandler::Destroy(); // twice is harmless
        DownloadHandler::Destroy();
        SyncManager::Instance()->InvokeBlocking("DoDestroy");
        SyncManager::Destroy();
    }
};

QTEST_GUILESS_MAIN(TestSyncHandler)
#include "tst_SyncHandler.moc"
