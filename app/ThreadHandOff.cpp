#include "ThreadHandOff.h"

#include <QtGlobal>

#ifdef QM_THREAD_HAND_OFF
#include <sanitizer/tsan_interface.h>

extern "C" void AnnotateIgnoreReadsBegin(const char* file, int line);
extern "C" void AnnotateIgnoreReadsEnd(const char* file, int line);

namespace
{
char g_published;

// Runs on the receiving thread before every event; a queued call is one of QEvent::MetaCall.
bool BeforeEvent(void** data)
{
    if (ThreadHandOff::TypeOf(static_cast<const QEvent*>(data[1])) == QEvent::MetaCall)
        __tsan_acquire(&g_published);
    return false;
}

// Installed before main(), while there is only one thread.
const bool g_installed = QInternal::registerCallback(QInternal::EventNotifyCallback, &BeforeEvent);
} // namespace

void ThreadHandOff::ReleaseNow(const void* token)
{
    __tsan_release(const_cast<void*>(token));
}

void ThreadHandOff::AcquireNow(const void* token)
{
    __tsan_acquire(const_cast<void*>(token));
}

void ThreadHandOff::PublishNow()
{
    Q_UNUSED(g_installed);
    __tsan_release(&g_published);
}

QEvent::Type ThreadHandOff::TypeOf(const QEvent* event)
{
    // The event was made on the posting thread and handed over under Qt's own lock; its type is
    // the one thing read before the acquire that belongs to it.
    AnnotateIgnoreReadsBegin(__FILE__, __LINE__);
    const QEvent::Type type = event ? event->type() : QEvent::None;
    AnnotateIgnoreReadsEnd(__FILE__, __LINE__);
    return type;
}

#else

void ThreadHandOff::ReleaseNow(const void*) {}
void ThreadHandOff::AcquireNow(const void*) {}
void ThreadHandOff::PublishNow() {}

QEvent::Type ThreadHandOff::TypeOf(const QEvent* event)
{
    return event ? event->type() : QEvent::None;
}

#endif
