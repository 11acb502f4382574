#pragma once

#include <QString>

#include <condition_variable>
#include <mutex>

// Memory that work spread over several threads takes out of one shared amount, so that the
// process's peak stays the same on 2 cores or 64. Whoever is about to allocate a large buffer
// (a decoder's window, an unpacked header) reserves its size first and waits while the budget is
// taken. A need larger than the whole budget runs alone: it waits until nothing else is held and
// no need that fits is waiting, and holds everything while it runs. A need that could never be
// met is refused at once. A thread holds one reservation at a time, never waiting while it holds
// one, so no two waiters can wait for each other.
class MemoryBudget final
{
public:
    enum class Status
    {
        Granted,
        // Too large to run beside others, asked for by a caller that would rather do it later.
        SetAside,
        Refused
    };

    class Reservation final
    {
    public:
        Reservation() = default;
        Reservation(Reservation&& other) noexcept;
        Reservation& operator=(Reservation&& other) noexcept;
        Reservation(const Reservation&) = delete;
        Reservation& operator=(const Reservation&) = delete;
        ~Reservation() { Release(); }

        Status GetStatus() const { return m_status; }
        bool IsGranted() const { return m_status == Status::Granted; }
        qint64 Bytes() const { return m_bytes; }
        // The budget that made it; none for one made empty.
        const MemoryBudget* Budget() const { return m_budget; }
        // Holds `bytes` instead: less is given back at once; more is reserved anew after giving
        // back what is held, as no one may wait holding memory of the budget.
        void Resize(qint64 bytes, bool setAside, QString* why);
        void Release();

    private:
        friend class MemoryBudget;
        MemoryBudget* m_budget = nullptr;
        qint64 m_bytes = 0;
        bool m_alone = false;
        Status m_status = Status::Granted;
    };

    // `limit`: what all reservations together may hold; `aloneLimit`: the most one may hold alone.
    MemoryBudget(qint64 limit, qint64 aloneLimit);

    // The budget of the content index's archive readers, shared by every thread of the process.
    static MemoryBudget& Content();

    // Waits until `bytes` can be held. With `setAside`, a need larger than the limit is not waited
    // for but answered SetAside. `why` says why it was not granted.
    Reservation Reserve(qint64 bytes, bool setAside, QString* why);

    qint64 Limit() const { return m_limit; }
    qint64 AloneLimit() const { return m_aloneLimit; }
    qint64 InUse() const;
    // How many are waiting for a reservation now.
    int Waiting() const;

private:
    void Give(qint64 bytes, bool alone);

    const qint64 m_limit;
    const qint64 m_aloneLimit;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    qint64 m_inUse = 0;
    bool m_aloneHeld = false;
    int m_fittingWaiting = 0;
    int m_aloneWaiting = 0;
};
