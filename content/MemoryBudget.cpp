#include "MemoryBudget.h"

#include "ContentArchive.h"

#include <utility>

MemoryBudget::Reservation::Reservation(Reservation&& other) noexcept
    : m_budget(std::exchange(other.m_budget, nullptr)), m_bytes(std::exchange(other.m_bytes, 0)),
      m_alone(std::exchange(other.m_alone, false)), m_status(other.m_status)
{
}

MemoryBudget::Reservation& MemoryBudget::Reservation::operator=(Reservation&& other) noexcept
{
    if (this != &other)
    {
        Release();
        m_budget = std::exchange(other.m_budget, nullptr);
        m_bytes = std::exchange(other.m_bytes, 0);
        m_alone = std::exchange(other.m_alone, false);
        m_status = other.m_status;
    }
    return *this;
}

void MemoryBudget::Reservation::Release()
{
    if (m_budget && (m_bytes > 0 || m_alone))
        m_budget->Give(m_bytes, m_alone);
    m_bytes = 0;
    m_alone = false;
}

void MemoryBudget::Reservation::Resize(qint64 bytes, bool setAside, QString* why)
{
    if (!m_budget)
        return;
    if (m_status == Status::Granted && bytes <= m_bytes)
    {
        // Giving back never waits; one running alone keeps running alone.
        m_budget->Give(m_bytes - bytes, false);
        m_bytes = bytes;
        return;
    }
    MemoryBudget* budget = m_budget;
    Release();
    *this = budget->Reserve(bytes, setAside, why);
}

MemoryBudget::MemoryBudget(qint64 limit, qint64 aloneLimit)
    : m_limit(limit), m_aloneLimit(qMax(limit, aloneLimit))
{
}

MemoryBudget& MemoryBudget::Content()
{
    // 256 MB of decoder windows, and the buffers and lists beside them: two of the largest maps
    // (a 128 MB texture before the info file) at once. One archive alone may take as much as
    // reaching an info file at the furthest the index goes.
    static MemoryBudget budget((qint64(256) + 16) << 20,
                               ContentArchive::MaxUnpackedBefore + (qint64(64) << 20));
    return budget;
}

MemoryBudget::Reservation MemoryBudget::Reserve(qint64 bytes, bool setAside, QString* why)
{
    Reservation reservation;
    reservation.m_budget = this;
    if (bytes <= 0)
        return reservation;
    if (bytes > m_aloneLimit)
    {
        if (why)
            *why = QStringLiteral("needs %1 bytes of memory, more than the %2 one archive may take")
                       .arg(bytes)
                       .arg(m_aloneLimit);
        reservation.m_status = Status::Refused;
        return reservation;
    }
    const bool alone = bytes > m_limit;
    if (alone && setAside)
    {
        if (why)
            *why = QStringLiteral("needs %1 bytes of memory, more than the %2 all archives read at once "
                                  "may take")
                       .arg(bytes)
                       .arg(m_limit);
        reservation.m_status = Status::SetAside;
        return reservation;
    }
    std::unique_lock<std::mutex> lock(m_mutex);
    if (alone)
    {
        // After every need that fits: those are quick to serve, and this one stops them all.
        ++m_aloneWaiting;
        m_changed.wait(lock, [this] { return m_inUse == 0 && !m_aloneHeld && m_fittingWaiting == 0; });
        --m_aloneWaiting;
        m_aloneHeld = true;
    }
    else
    {
        ++m_fittingWaiting;
        m_changed.wait(lock, [this, bytes] { return !m_aloneHeld && m_inUse + bytes <= m_limit; });
        --m_fittingWaiting;
        // One running alone may be waiting for the last fitting waiter to go.
        if (m_fittingWaiting == 0 && m_aloneWaiting > 0)
            m_changed.notify_all();
    }
    m_inUse += bytes;
    reservation.m_bytes = bytes;
    reservation.m_alone = alone;
    return reservation;
}

qint64 MemoryBudget::InUse() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_inUse;
}

int MemoryBudget::Waiting() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_fittingWaiting + m_aloneWaiting;
}

void MemoryBudget::Give(qint64 bytes, bool alone)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_inUse -= bytes;
        if (alone)
            m_aloneHeld = false;
    }
    m_changed.notify_all();
}
