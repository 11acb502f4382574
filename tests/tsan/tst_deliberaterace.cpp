// Deliberate races that ThreadSanitizer must report (see tests/tsan/CMakeLists.txt), one row per
// shape: hand-overs that order too much would hide them. A row passes only when the sanitizer
// reported a race on the row's own data. The threads meet through relaxed flags, which order
// nothing, so a row races the same way in every run and nothing is really corrupted. The
// sanitizer keeps only the last few accesses to each 8 bytes: the shared value has 8 of its own.
#include "ThreadHandOff.h"
#include "WorkerThread.h"

#include <QHash>
#include <QTest>
#include <QVector>
#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

// The sanitizer's report interface.
extern "C" int __tsan_get_report_data(void* report, const char** description, int* count, int* stacks,
                                      int* mops, int* locations, int* mutexes, int* threads, int* tids,
                                      void** sleepTrace, unsigned long traceSize);
extern "C" int __tsan_get_report_mop(void* report, unsigned long index, int* tid, void** address, int* size,
                                     int* write, int* atomic, void** trace, unsigned long traceSize);

namespace
{
std::atomic<const char*> g_watchedBegin{nullptr};
std::atomic<const char*> g_watchedEnd{nullptr};
std::atomic<int> g_racesOnWatched{0};

void Watch(const void* begin, std::size_t size)
{
    g_watchedBegin = static_cast<const char*>(begin);
    g_watchedEnd = static_cast<const char*>(begin) + size;
}

struct alignas(8) Shared
{
    int value = 0;
    void Watch() const { ::Watch(this, sizeof *this); }
    void Read() const
    {
        volatile int seen = value;
        Q_UNUSED(seen);
    }
};

struct Flag : std::atomic<bool>
{
    Flag() : std::atomic<bool>(false) {}
    void Set() { store(true, std::memory_order_relaxed); }
    void Wait() const
    {
        while (!load(std::memory_order_relaxed))
            QThread::yieldCurrentThread();
    }
};
} // namespace

// Called by the sanitizer after each report it prints.
extern "C" void __tsan_on_report(void* report)
{
    const char* description = nullptr;
    int n[8] = {};  // counts and flags not needed here
    void* trace[1]; // the sanitizer copies at least one frame
    void* address = nullptr;
    __tsan_get_report_data(report, &description, &n[0], &n[1], &n[2], &n[3], &n[4], &n[5], &n[6], trace, 1);
    for (int i = 0; description && std::strncmp(description, "data-race", 9) == 0 && i < n[2]; ++i)
    {
        __tsan_get_report_mop(report, i, &n[3], &address, &n[4], &n[5], &n[6], trace, 1);
        if (address >= g_watchedBegin.load() && address < g_watchedEnd.load())
            ++g_racesOnWatched;
    }
}

namespace
{
class Worker final : public WorkerThread
{
    Q_OBJECT

public:
    Worker() { StartWorker(); }
    ~Worker() override { StopWorker(); }
    Shared shared;
    Flag reading, mayRead;

public slots:
    void DoRead()
    {
        reading.Set();
        mayRead.Wait();
        shared.Read();
    }

signals:
    void OnTick();
};

// A worker writes; the main thread reads once a flag says so. `after` runs on the worker after
// the write, `beforeRead` on the main thread before the read.
void WorkerWriteMainRead(std::function<void(Worker&)> after, std::function<void()> beforeRead)
{
    Worker writer;
    Flag wrote;
    writer.shared.Watch();
    writer.QueueCall(
        [&]
        {
            writer.shared.value = 1;
            after(writer);
            wrote.Set();
        });
    wrote.Wait();
    beforeRead();
    writer.shared.Read();
}

// A queued call from another worker, delivered on the main thread.
void UnrelatedCall()
{
    Worker other;
    bool delivered = false;
    QObject receiver;
    QObject::connect(&other, &Worker::OnTick, &receiver, [&delivered] { delivered = true; });
    other.QueueCall([&other] { emit other.OnTick(); });
    QTRY_VERIFY(delivered);
}

// The main thread reads in the delivery of an emission made before the worker's write, while the
// one made after it is already posted: only the first emission's hand-over is acquired.
void EarlierEmissionDelivered()
{
    Worker writer;
    Flag wrote;
    writer.shared.Watch();
    int delivered = 0;
    QObject receiver;
    QObject::connect(&writer, &Worker::OnTick, &receiver,
                     [&]
                     {
                         if (++delivered == 1)
                             writer.shared.Read();
                     });
    writer.QueueCall(
        [&]
        {
            emit writer.OnTick();
            writer.shared.value = 1;
            emit writer.OnTick();
            wrote.Set();
        });
    wrote.Wait();
    QTRY_COMPARE(delivered, 2);
}

void MainWriteAfterQueue()
{
    Worker reader;
    reader.shared.Watch();
    QVERIFY(reader.Queue("DoRead"));
    reader.reading.Wait();
    reader.shared.value = 2;
    reader.mayRead.Set();
}

// A pool task reads what its starter writes after starting it; it runs only after a later task
// was started (and handed over) behind the write.
void PoolTaskAfterStart()
{
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    Flag laterStarted;
    Shared shared;
    shared.Watch();
    ThreadHandOff::Start(pool, [&laterStarted] { laterStarted.Wait(); });
    ThreadHandOff::Start(pool, [&shared] { shared.Read(); });
    shared.value = 3;
    ThreadHandOff::Start(pool, [] {});
    laterStarted.Set();
    pool.waitForDone();
}

class Writer final : public QThread
{
public:
    Shared shared;
    Flag wrote;

protected:
    void run() override
    {
        shared.value = 4;
        wrote.Set();
    }
};

void QThreadSubclass()
{
    Writer thread;
    thread.shared.Watch();
    thread.start();
    thread.wrote.Wait();
    thread.shared.Read();
    QVERIFY(thread.wait(10000));
}

// A thread changes an implicitly shared container, then the main thread does. The first
// `headerSize` bytes of the container's block, which both change, are watched.
template <typename C>
void ChangedOnTwoThreads(void (*change)(C&, int), std::size_t headerSize)
{
    C container;
    Flag changed;
    std::thread thread(
        [&]
        {
            change(container, 0);
            changed.Set();
        });
    changed.Wait();
    const void* block = nullptr;
    std::memcpy(&block, &container, sizeof block); // the container's one member
    Watch(block, headerSize);
    change(container, 100);
    thread.join();
}

using Scenario = std::function<void()>;
} // namespace

Q_DECLARE_METATYPE(Scenario)

class TestDeliberateRace : public QObject
{
    Q_OBJECT

private slots:
    void Race_data()
    {
        const auto none = [](auto&&...) {};
        const auto tick = [](Worker& worker) { emit worker.OnTick(); };
        QTest::addColumn<Scenario>("scenario");
        QTest::newRow("WorkerWriteMainRead") << Scenario([=] { WorkerWriteMainRead(none, none); });
        QTest::newRow("UnrelatedCallBeforeRead")
            << Scenario([=] { WorkerWriteMainRead(none, UnrelatedCall); });
        QTest::newRow("UnconnectedSignalAfterWrite")
            << Scenario([=] { WorkerWriteMainRead(tick, UnrelatedCall); });
        QTest::newRow("EarlierEmissionDelivered") << Scenario(&EarlierEmissionDelivered);
        QTest::newRow("MainWriteAfterQueue") << Scenario(&MainWriteAfterQueue);
        QTest::newRow("PoolTaskAfterStart") << Scenario(&PoolTaskAfterStart);
        QTest::newRow("QThreadSubclass") << Scenario(&QThreadSubclass);
        QTest::newRow("QVectorAppend") << Scenario(
            [] {
                ChangedOnTwoThreads<QVector<int>>([](QVector<int>& v, int i) { v << i << i + 1; },
                                                  sizeof(QArrayData));
            });
        QTest::newRow("QHashInsert") << Scenario(
            []
            {
                ChangedOnTwoThreads<QHash<int, int>>([](QHash<int, int>& h, int i) { h[i] = h[i + 1] = 1; },
                                                     sizeof(QHashData));
            });
    }

    void Race()
    {
        QFETCH(Scenario, scenario);
        g_racesOnWatched = 0;
        scenario();
        if (QTest::currentTestFailed())
            return;
        Watch(nullptr, 0);
        QVERIFY2(g_racesOnWatched > 0, "ThreadSanitizer reported no race on the row's shared data");
    }
};

QTEST_GUILESS_MAIN(TestDeliberateRace)
#include "tst_deliberaterace.moc"
