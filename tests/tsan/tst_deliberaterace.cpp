// Two deliberate races that ThreadSanitizer must report (see tests/tsan/CMakeLists.txt): one
// between a QThread and the main thread, one between a worker's slot and its caller after a
// queued call, which the worker's hand-over locking must not hide.
#include "WorkerThread.h"

#include <QTest>
#include <atomic>

namespace
{
int g_shared = 0;

class Racer final : public QThread
{
protected:
    void run() override
    {
        for (int i = 0; i < 1000; ++i)
            ++g_shared;
    }
};

class Worker final : public WorkerThread
{
    Q_OBJECT

public:
    Worker() { StartWorker(); }
    ~Worker() override { StopWorker(); }
    int value = 0;
    std::atomic<bool> written{false}; // relaxed: tells when, without ordering anything

public slots:
    void DoWrite()
    {
        value = 1;
        written.store(true, std::memory_order_relaxed);
    }
};
} // namespace

class TestDeliberateRace : public QObject
{
    Q_OBJECT

private slots:
    void QThreadAgainstMain()
    {
        Racer racer;
        racer.start();
        for (int i = 0; i < 1000; ++i)
            ++g_shared;
        QVERIFY(racer.wait(10000));
    }

    void WorkerSlotAgainstCaller()
    {
        Worker worker;
        QVERIFY(worker.Queue("DoWrite"));
        int seen = 0;
        for (int i = 0; i < 1000; ++i)
            seen += worker.value;
        QTRY_VERIFY(worker.written.load(std::memory_order_relaxed));
        QVERIFY(seen >= 0);
    }
};

QTEST_GUILESS_MAIN(TestDeliberateRace)
#include "tst_deliberaterace.moc"
