#include "ThreadHandOff.h"

#include <QCoreApplication>

#ifdef QM_THREAD_HAND_OFF
#include <QtCore/private/qhooks_p.h>
#include <QtCore/private/qobject_p.h>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <sanitizer/tsan_interface.h>

// From the sanitizers' interfaces (headers that GCC does not install).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, size_t),
                                                         void (*free_hook)(const volatile void*));
extern "C" void AnnotateIgnoreReadsBegin(const char* file, int line);
extern "C" void AnnotateIgnoreReadsEnd(const char* file, int line);
extern "C" void AnnotateIgnoreWritesBegin(const char* file, int line);
extern "C" void AnnotateIgnoreWritesEnd(const char* file, int line);

// How a queued signal reaches the sanitizer: Qt calls the signal-spy callbacks on the emitting
// thread around each emission, and in between makes one QMetaCallEvent per queued connection,
// copies the arguments into it and posts it. The allocation hook releases each event of the
// emission as it is made (the event's address is its token) and the delivery acquires it. Each
// emission thus hands over to its own events only: an emission nobody receives, or one delivered
// elsewhere, orders nothing.
// Post opens the same window around the QMetaCallEvent Qt makes for a functor.
namespace
{
// An emission running on this thread.
struct Emission
{
    const QObject* sender;
    int signal;
    bool senderDeleted; // Qt then skips the end callback
};

constexpr int MaxDepth = 64;
thread_local Emission t_emissions[MaxDepth]; // innermost last
thread_local int t_depth = 0;
thread_local int t_untracked = 0; // emissions nested deeper than MaxDepth

const Emission* Current()
{
    return t_depth > 0 && t_untracked == 0 ? &t_emissions[t_depth - 1] : nullptr;
}

void DropEnded()
{
    while (t_depth > 0 && t_emissions[t_depth - 1].senderDeleted)
        --t_depth;
}

void OnSignalBegin(QObject* sender, int signal, void**)
{
    if (t_depth == MaxDepth)
    {
        ++t_untracked;
        return;
    }
    Emission& emission = t_emissions[t_depth++];
    emission.sender = sender;
    emission.signal = signal;
    emission.senderDeleted = false;
}

void OnSignalEnd(QObject* sender, int signal)
{
    if (t_untracked > 0)
    {
        --t_untracked;
        return;
    }
    // Emissions nested in this one whose end never came are ended with it.
    for (int i = t_depth - 1; i >= 0; --i)
    {
        if (t_emissions[i].sender == sender && t_emissions[i].signal == signal)
        {
            t_depth = i;
            break;
        }
    }
    DropEnded();
}

QHooks::RemoveQObjectCallback g_chainedRemoveHook = nullptr;

void OnObjectRemoved(QObject* object)
{
    for (int i = 0; i < t_depth; ++i)
    {
        if (t_emissions[i].sender == object)
            t_emissions[i].senderDeleted = true;
    }
    DropEnded();
    if (g_chainedRemoveHook)
        g_chainedRemoveHook(object);
}

// A block with the size of a QMetaCallEvent made during an emission: one of its events (or, now
// and then, another block, which a release does not harm).
void OnAllocated(const volatile void* block, size_t size)
{
    if (size == sizeof(QMetaCallEvent) && Current())
        __tsan_release(const_cast<void*>(block));
}

// The sanitizer takes an allocation hook only together with a free hook.
void OnFreed(const volatile void*) {}

// Runs on the receiving thread before every event is delivered (or dropped by a filter).
bool BeforeEvent(void** data)
{
    __tsan_acquire(data[1]);
    return false;
}

QSignalSpyCallbackSet g_callbacks = {&OnSignalBegin, nullptr, &OnSignalEnd, nullptr};

// Installed before main(), while there is only one thread. A test run with -vs replaces the
// signal-spy callbacks with its own: such a run is not for the race checker.
bool Install()
{
    if (!__sanitizer_install_malloc_and_free_hooks(&OnAllocated, &OnFreed))
    {
        std::fputs("ThreadHandOff: the sanitizer refused the allocation hook\n", stderr);
        std::abort();
    }
    qt_register_signal_spy_callbacks(&g_callbacks);
    g_chainedRemoveHook = reinterpret_cast<QHooks::RemoveQObjectCallback>(qtHookData[QHooks::RemoveQObject]);
    qtHookData[QHooks::RemoveQObject] = reinterpret_cast<quintptr>(&OnObjectRemoved);
    return QInternal::registerCallback(QInternal::EventNotifyCallback, &BeforeEvent);
}
} // namespace

// Named in the link options of ThreadSanitizer builds, so that every program linking this library
// installs the hooks, whatever else of it it uses.
extern "C" const bool qm_thread_hand_off_installed = Install();

void ThreadHandOff::ReleaseNow(const void* token)
{
    __tsan_release(const_cast<void*>(token));
}

void ThreadHandOff::AcquireNow(const void* token)
{
    __tsan_acquire(const_cast<void*>(token));
}

void ThreadHandOff::Detail::BeginPostingNow()
{
    OnSignalBegin(nullptr, -1, nullptr);
}

void ThreadHandOff::Detail::EndPostingNow()
{
    OnSignalEnd(nullptr, -1);
}

bool ThreadHandOff::BeginQueuedCopyNow()
{
    if (!Current())
        return false;
    AnnotateIgnoreReadsBegin(__FILE__, __LINE__);
    AnnotateIgnoreWritesBegin(__FILE__, __LINE__);
    return true;
}

void ThreadHandOff::EndQueuedCopyNow()
{
    AnnotateIgnoreWritesEnd(__FILE__, __LINE__);
    AnnotateIgnoreReadsEnd(__FILE__, __LINE__);
}

#else

void ThreadHandOff::ReleaseNow(const void*) {}
void ThreadHandOff::AcquireNow(const void*) {}
void ThreadHandOff::Detail::BeginPostingNow() {}
void ThreadHandOff::Detail::EndPostingNow() {}

bool ThreadHandOff::BeginQueuedCopyNow()
{
    return false;
}
void ThreadHandOff::EndQueuedCopyNow() {}

#endif

void ThreadHandOff::PostEvent(QObject* receiver, QEvent* event)
{
    Release(event);
    QCoreApplication::postEvent(receiver, event);
}
