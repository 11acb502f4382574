#pragma once

#include <QEvent>
#include <utility>

// ThreadSanitizer can't see the locks inside Qt (Qt itself is not instrumented), so a hand-over
// through Qt's event queue, a blocking queued call or QThread::wait looks like a race to it.
// These calls name each hand-over our code makes, so that the sanitizer sees the order Qt really
// keeps and still reports every access our code makes without one. Outside ThreadSanitizer
// builds they do nothing.
//
// The hand-overs: calls into a worker (WorkerThread::Queue and InvokeBlocking) carry their own
// token; signals of workers, functors posted with Published and the queued copies of value types
// registered with RegisterValueType (MetaTypes.h) publish, and every queued call acquires what
// was published before it is delivered.
#if defined(__SANITIZE_THREAD__)
#define QM_THREAD_HAND_OFF 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define QM_THREAD_HAND_OFF 1
#endif
#endif

namespace ThreadHandOff
{
constexpr bool Enabled()
{
#ifdef QM_THREAD_HAND_OFF
    return true;
#else
    return false;
#endif
}

void ReleaseNow(const void* token);
void AcquireNow(const void* token);
void PublishNow();

// What this thread did so far happens before everything after a later Acquire of the same token.
inline void Release(const void* token)
{
    if constexpr (Enabled())
        ReleaseNow(token);
}
inline void Acquire(const void* token)
{
    if constexpr (Enabled())
        AcquireNow(token);
}
// What this thread did so far happens before every queued call delivered later, on any thread.
inline void Publish()
{
    if constexpr (Enabled())
        PublishNow();
}

// The type of an event made on another thread, read before the hand-over is acquired.
QEvent::Type TypeOf(const QEvent* event);

// A functor for QMetaObject::invokeMethod on another thread: it publishes once it is in place, so
// the receiving thread sees its captures.
template <typename F>
class Published final
{
public:
    explicit Published(F f) : m_f(std::move(f)) { Publish(); }
    Published(const Published& other) : m_f(other.m_f) { Publish(); }
    Published(Published&& other) noexcept : m_f(std::move(other.m_f)) { Publish(); }
    Published& operator=(const Published&) = delete;
    Published& operator=(Published&&) = delete;

    auto operator()() { return m_f(); }

private:
    F m_f;
};
} // namespace ThreadHandOff
