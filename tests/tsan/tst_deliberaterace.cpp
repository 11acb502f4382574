// Deliberate races that ThreadSanitizer must report (see tests/tsan/CMakeLists.txt), one row per
// shape: hand-overs that order too much would hide them. A row passes only when the sanitizer
// reported a race on the row's own data. The threads meet through relaxed atomics, which order
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
struct alignas(8) Shared
{
    int value = 0;
};

std::atomic<const char*> g_watchedBegin{nullptr};
std::atomic<const char*> g_watchedEnd{nullptr};
std::atomic<int> g_racesOnWatched{0};

void Watch(const void* begin, std::size_t size)
{
    g_watchedBegin = static_cast<const char*>(begin);
    g_watchedEnd = static_cast<const char*>(begin) + size;
}

void Read(const Shared& shared)
{
    volatile int seen = shared.value;
    Q_UNUSED(seen);
}

void Set(std::atomic<bool>& flag)
{
    flag.store(true, std::memory_order_relaxed);
}

void WaitFor(const std::atomic<bool>& flag)
{
    while (!flag.load(std::memory_order_relaxed))
        QThread::yieldCurrentThread();
}
} // namespace

// Called by the sanitizer after each report it prints.
extern "C" void __tsan_on_report(void* report)
{
    const char* description = nullptr;
    int n[8] = {};  // counts and flags not needed here
    void* trace[1]; // the sanitizer copies at least one frame
    void* address = nullptr;
    __tsan_get_report_data(report, &description, &n[0], &n[1], &n[2], &n[3], &n[4], &n[5], &n[6], trace, 1);
    const int accesses = n[2];
    for (int i = 0; description && std::strncmp(description, "data-race", 9) == 0 && i < accesses; ++i)
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
    std::atomic<bool> reading{false};
    std::atomic<bool> mayRead{false};

public slots:
    void DoRead()
    {
        Set(reading);
        WaitFor(mayRead);
        Read(shared);
    }

signals:
    void OnTick();
};

// A worker writes; the main thread reads once a relaxed flag says so. `between` runs on the worker
// after the write, `beforeRead` on the main thread before the read.
void WorkerWriteMainRead(const std::function<void(Worker&)>& between, const std::function<void()>& beforeRead)
{
    Worker writer;
    std::atomic<bool> wrote{false};
    Watch(&writer.shared, sizeof writer.shared);
    writer.QueueCall(
        [&]
        {
            writer.shared.value = 1;
            between(writer);
            Set(wrote);
        });
    WaitFor(wrote);
    beforeRead();
    Read(writer.shared);
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
// emission after the write is already posted: only the first emission's hand-over is acquired.
void EarlierEmissionDelivered()
{
    Worker writer;
    std::atomic<bool> wrote{false};
    Watch(&writer.shared, sizeof writer.shared);
    int delivered = 0;
    QObject receiver;
    QObject::connect(&writer, &Worker::OnTick, &receiver,
                     [&]
                     {
                         if (++delivered == 1)
                             Read(writer.shared);
                     });
    writer.QueueCall(
        [&]
        {
            emit writer.OnTick();
            writer.shared.value = 1;
            emit writer.OnTick();
            Set(wrote);
        });
    WaitFor(wrote);
    QTRY_COMPARE(delivered, 2);
}

void MainWriteAfterQueue()
{
    Worker reader;
    Watch(&reader.shared, sizeof reader.shared);
    QVERIFY(reader.Queue("DoRead"));
    WaitFor(reader.reading);
    reader.shared.value = 2;
    Set(reader.mayRead);
}

// A pool task reads what its starter writes after starting it; it runs only after a later task
// was started (and handed over) behind the write.
void PoolTaskAfterStart()
{
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    std::atomic<bool> laterStarted{false};
    Shared shared;
    Watch(&shared, sizeof shared);
    ThreadHandOff::Start(pool, [&laterStarted] { WaitFor(laterStarted); });
    ThreadHandOff::Start(pool, [&shared] { Read(shared); });
    shared.value = 3;
    ThreadHandOff::Start(pool, [] {});
    Set(laterStarted);
    pool.waitForDone();
}

// A QThread subclass writes; the main thread reads.
class Writer final : public QThread
{
public:
    Shared shared;
    std::atomic<bool> wrote{false};

protected:
    void run() override
    {
        shared.value = 4;
        Set(wrote);
    }
};

void QThreadSubclass()
{
    Writer thread;
    Watch(&thread.shared, sizeof thread.shared);
    thread.start();
    WaitFor(thread.wrote);
    Read(thread.shared);
    QVERIFY(thread.wait(10000));
}

// A thread changes an implicitly shared container, then the main thread does. The first
// `headerSize` bytes of the container's block, which both change, are watched.
template <typename C>
void ChangedOnTwoThreads(void (*change)(C&, int), std::size_t headerSize)
{
    C container;
    std::atomic<bool> changed{false};
    std::thread thread(
        [&]
        {
            change(container, 0);
            Set(changed);
        });
    WaitFor(changed);
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
        const auto nothing = [](auto&&...) {};
        QTest::addColumn<Scenario>("scenario");
        QTest::newRow("WorkerWriteMainRead") << Scenario([=] { WorkerWriteMainRead(nothing, nothing); });
        QTest::newRow("UnrelatedCallBeforeRead")
            << Scenario([=] { WorkerWriteMainRead(nothing, &UnrelatedCall); });
        QTest::newRow("UnconnectedSignalAfterWrite")
            << Scenario([] { WorkerWriteMainRead([](Worker& w) { emit w.OnTick(); }, &UnrelatedCall); });
        QTest::newRow("EarlierEmissionDelivered") << Scenario(&EarlierEmissionDelivered);
        QTest::newRow("MainWriteAfterQueue") << Scenario(&MainWriteAfterQueue);
        QTest::newRow("PoolTaskAfterStart") << Scenario(&PoolTaskAfterStart);
        QTest::newRow("QThreadSubclass") << Scenario(&QThreadSubclass);
        QTest::newRow("QVectorAppend") << Scenario(
            []
            {
                ChangedOnTwoThreads<QVector<int>>([](QVector<int>& v, int from) { v << from << from + 1; },
                                                  sizeof(QArrayData));
            });
        QTest::newRow("QHashInsert") << Scenario(
            []
            {
                ChangedOnTwoThreads<QHash<int, int>>(
                    [](QHash<int, int>& h, int from) { h[from] = h[from + 1] = 1; }, sizeof(QHashData));
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
