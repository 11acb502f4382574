#include "MemoryBudget.h"

#include <QtTest>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace
{
// A reservation asked for on a thread of its own and held there until released. Whether it has
// been answered is read without waiting: the budget's waits are seen through Waiting() and InUse(),
// which change under its lock, so no test here depends on how long anything takes.
class Claim final
{
public:
    Claim(MemoryBudget& budget, qint64 bytes, bool setAside = false)
        : m_thread(
              [this, &budget, bytes, setAside]
              {
                  QString why;
                  MemoryBudget::Reservation reservation = budget.Reserve(bytes, setAside, &why);
                  m_status = reservation.GetStatus();
                  m_answered = true;
                  std::unique_lock<std::mutex> lock(m_mutex);
                  m_release.wait(lock, [this] { return m_released; });
              })
    {
    }

    ~Claim()
    {
        Release();
        if (m_thread.joinable())
            m_thread.join();
    }

    bool Answered() const { return m_answered; }
    bool Granted() const { return m_answered && m_status == MemoryBudget::Status::Granted; }

    // Returns once the reservation is given back.
    void Release()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_released = true;
        }
        m_release.notify_all();
        if (m_answered && m_thread.joinable())
            m_thread.join();
    }

private:
    std::atomic_bool m_answered{false};
    std::atomic<MemoryBudget::Status> m_status{MemoryBudget::Status::Refused};
    std::mutex m_mutex;
    std::condition_variable m_release;
    bool m_released = false;
    std::thread m_thread;
};
} // namespace

class TestMemoryBudget : public QObject
{
    Q_OBJECT

private slots:
    void ReservationsBeyondTheLimitWait()
    {
        MemoryBudget budget(100, 1000);
        Claim first(budget, 60);
        QTRY_VERIFY(first.Granted());
        Claim second(budget, 50);
        QTRY_COMPARE(budget.Waiting(), 1);
        QVERIFY(!second.Answered());
        // What still fits is granted beside the one waiting.
        Claim third(budget, 40);
        QTRY_VERIFY(third.Granted());
        QCOMPARE(budget.InUse(), qint64(100));

        first.Release();
        QTRY_VERIFY(second.Granted());
        QCOMPARE(budget.InUse(), qint64(90));
        QCOMPARE(budget.Waiting(), 0);
        second.Release();
        third.Release();
        QCOMPARE(budget.InUse(), qint64(0));
    }

    void OneTooLargeRunsAloneAfterTheOthers()
    {
        MemoryBudget budget(100, 1000);
        Claim small(budget, 30);
        QTRY_VERIFY(small.Granted());
        Claim large(budget, 300);
        QTRY_COMPARE(budget.Waiting(), 1);
        // Needs that fit go first, however long the large one has waited.
        Claim another(budget, 30);
        QTRY_VERIFY(another.Granted());
        small.Release();
        QCOMPARE(budget.InUse(), qint64(30));
        QVERIFY(!large.Answered());

        // One that fits and waits for room is served before the large one, too.
        Claim filling(budget, 60);
        QTRY_VERIFY(filling.Granted());
        Claim waiting(budget, 20);
        QTRY_COMPARE(budget.Waiting(), 2);
        another.Release();
        filling.Release();
        QTRY_VERIFY(waiting.Granted());
        QVERIFY(!large.Answered());
        waiting.Release();

        // Alone: it holds more than the limit, and nothing else runs beside it.
        QTRY_VERIFY(large.Granted());
        QCOMPARE(budget.InUse(), qint64(300));
        Claim after(budget, 10);
        QTRY_COMPARE(budget.Waiting(), 1);
        QVERIFY(!after.Answered());
        large.Release();
        QTRY_VERIFY(after.Granted());
        QCOMPARE(budget.InUse(), qint64(10));
    }

    // Neither waits, whatever the budget holds: one could never be met, the other is asked to be
    // set aside instead of waiting to run alone.
    void AnswersThatNeverWait_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<bool>("setAside");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("why");
        QTest::newRow("more than one may take alone")
            << qint64(1001) << false << int(MemoryBudget::Status::Refused)
            << "needs 1001 bytes of memory, more than the 1000 one archive may take";
        QTest::newRow("more than one may take alone, set aside asked")
            << qint64(5000) << true << int(MemoryBudget::Status::Refused)
            << "needs 5000 bytes of memory, more than the 1000 one archive may take";
        QTest::newRow("more than the limit, set aside")
            << qint64(101) << true << int(MemoryBudget::Status::SetAside)
            << "needs 101 bytes of memory, more than the 100 all archives read at once may take";
    }

    void AnswersThatNeverWait()
    {
        QFETCH(qint64, bytes);
        QFETCH(bool, setAside);
        QFETCH(int, status);
        QFETCH(QString, why);
        MemoryBudget budget(100, 1000);
        for (const qint64 held : {qint64(0), qint64(100)})
        {
            MemoryBudget::Reservation holding = budget.Reserve(held, false, nullptr);
            QString reason;
            const MemoryBudget::Reservation reservation = budget.Reserve(bytes, setAside, &reason);
            QCOMPARE(int(reservation.GetStatus()), status);
            QCOMPARE(reason, why);
            QCOMPARE(reservation.Bytes(), qint64(0));
            QCOMPARE(budget.InUse(), held);
        }
        QCOMPARE(budget.InUse(), qint64(0));
    }

    void ResizingGivesBackAtOnce()
    {
        MemoryBudget budget(100, 1000);
        MemoryBudget::Reservation reservation = budget.Reserve(80, false, nullptr);
        reservation.Resize(20, false, nullptr);
        QCOMPARE(budget.InUse(), qint64(20));
        Claim other(budget, 70);
        QTRY_VERIFY(other.Granted());
        // Growing past what is left gives back what is held rather than wait holding it.
        reservation.Resize(200, true, nullptr);
        QCOMPARE(int(reservation.GetStatus()), int(MemoryBudget::Status::SetAside));
        QCOMPARE(budget.InUse(), qint64(70));
        reservation.Resize(30, false, nullptr);
        QVERIFY(reservation.IsGranted());
        QCOMPARE(budget.InUse(), qint64(100));
        MemoryBudget::Reservation moved = std::move(reservation);
        QCOMPARE(budget.InUse(), qint64(100));
        moved.Release();
        QCOMPARE(budget.InUse(), qint64(70));
    }
};

QTEST_GUILESS_MAIN(TestMemoryBudget)
#include "tst_MemoryBudget.moc"
