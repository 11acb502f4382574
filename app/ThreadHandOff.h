#pragma once

#include <QMetaObject>
#include <QObject>
#include <QRunnable>
#include <QThreadPool>
#include <utility>

class QEvent;

// ThreadSanitizer can't see the locks inside Qt (Qt itself is not instrumented), so a hand-over
// through Qt's event queue, a thread pool or QThread::wait looks like a race to it. These calls
// name each hand-over, one token per posted event or task, so that the sanitizer sees exactly the
// order Qt keeps and still reports every access made without one. Outside ThreadSanitizer builds
// the annotations do nothing.
//
// Known to the sanitizer without further calls (see ThreadHandOff.cpp):
// - a queued signal: what the emitting thread did before the emission happens before the
//   delivery of that emission's event (Qt copies the arguments unseen, see QueuedCopy);
// - an event posted with PostEvent, a functor posted with Post and a task started with Start:
//   what the posting thread did before happens before the delivery (the run), and before the
//   destruction of what was posted.
// Anything else handed over (the end of a thread, a hand-over of our own) needs Release and
// Acquire.
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
bool BeginQueuedCopyNow();
void EndQueuedCopyNow();

// What this thread did so far happens before everything after a later Acquire of the same token.
// A token is the address of something that lives as long as the hand-over.
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

// Posts `event` to `receiver`: the event is its own token, acquired when it is delivered.
void PostEvent(QObject* receiver, QEvent* event);

// Lives while Qt copies a value of one of our types (see RegisterValueType in MetaTypes.h). While
// a signal is being emitted on this thread the copy is a queued argument, and the race checker
// does not see it, as it does not see Qt's copies of its own types: the receiver then meets only
// what the emitter did before the emission, which the emission hands over.
class QueuedCopy final
{
public:
    QueuedCopy()
    {
        if constexpr (Enabled())
            m_unseen = BeginQueuedCopyNow();
    }
    ~QueuedCopy()
    {
        if (m_unseen)
            EndQueuedCopyNow();
    }
    QueuedCopy(const QueuedCopy&) = delete;
    QueuedCopy& operator=(const QueuedCopy&) = delete;

private:
    bool m_unseen = false;
};

namespace Detail
{
void BeginPostingNow();
void EndPostingNow();

// While one lives, the events Qt makes on this thread are released as they are made, like those
// of a queued signal: so a functor posted through Qt is handed over with its captures in place.
class Posting final
{
public:
    Posting()
    {
        if constexpr (Enabled())
            BeginPostingNow();
    }
    ~Posting()
    {
        if constexpr (Enabled())
            EndPostingNow();
    }
    Posting(const Posting&) = delete;
    Posting& operator=(const Posting&) = delete;
};

// A posted functor. Whichever thread drops it last destroys it, perhaps the poster after the
// call ran: the call is released to its destruction through its own (final) address.
template <typename F>
class HandedOver final
{
public:
    explicit HandedOver(F f) : m_f(std::move(f)) {}
    HandedOver(HandedOver&&) = default;
    ~HandedOver() { Acquire(this); }

    void operator()()
    {
        m_f();
        Release(this);
    }

private:
    F m_f;
};

template <typename F>
class Task final : public QRunnable
{
public:
    explicit Task(F f) : m_f(std::move(f)) {}
    ~Task() override { Acquire(this); }
    void run() override
    {
        Acquire(this);
        m_f();
    }

private:
    F m_f;
};
} // namespace Detail

// Runs `f` on the thread of `receiver`, queued behind the events already posted to it; dropped
// unrun when the receiver is deleted first.
template <typename F>
void Post(QObject* receiver, F f)
{
    const Detail::Posting posting;
    QMetaObject::invokeMethod(receiver, Detail::HandedOver<F>(std::move(f)), Qt::QueuedConnection);
}

// Starts `f` on a thread of `pool`, with a token of its own.
template <typename F>
void Start(QThreadPool& pool, F f)
{
    auto* task = new Detail::Task<F>(std::move(f));
    Release(task);
    pool.start(task);
}
} // namespace ThreadHandOff
