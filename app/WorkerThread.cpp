#include "WorkerThread.h"

#include "ThreadHandOff.h"

#include <QDebug>
#include <QEvent>
#include <condition_variable>
#include <mutex>

// A blocking call's result.
class WorkerThread::Answer final
{
public:
    void Give(bool result)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_given)
                return;
            m_given = true;
            m_result = result;
        }
        m_givenChanged.notify_all();
    }

    bool Wait()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_givenChanged.wait(lock, [this] { return m_given; });
        return m_result;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_givenChanged;
    bool m_given = false;
    bool m_result = false;
};

// A call posted to a worker. Dropped unrun (the worker stopped first), it answers false instead
// of leaving a blocking caller waiting.
class WorkerThread::Call final : public QEvent
{
public:
    static QEvent::Type Kind()
    {
        static const QEvent::Type kind = QEvent::Type(QEvent::registerEventType());
        return kind;
    }

    Call(std::function<bool()> call, std::shared_ptr<Answer> answer)
        : QEvent(Kind()), m_call(std::move(call)), m_answer(std::move(answer))
    {
    }

    ~Call() override
    {
        // Dropped unrun, on whichever thread removed it: it still carries the caller's copies.
        ThreadHandOff::Acquire(this);
        if (m_answer)
            m_answer->Give(false);
    }

    void Run()
    {
        const bool result = m_call();
        if (m_answer)
            m_answer->Give(result);
    }

private:
    std::function<bool()> m_call;
    std::shared_ptr<Answer> m_answer;
};

WorkerThread::WorkerThread(QObject* parent) : QThread(parent) {}

WorkerThread::~WorkerThread()
{
    StopWorker();
}

void WorkerThread::StartWorker()
{
    StartWorkerWithoutInitialize();
    if (metaObject()->indexOfSlot("DoInitialize()") >= 0)
        Queue("DoInitialize");
}

void WorkerThread::StartWorkerWithoutInitialize()
{
    moveToThread(this);
    start();
}

void WorkerThread::StopWorker()
{
    if (isRunning())
    {
        quit();
        wait();
    }
    ThreadHandOff::Acquire(this);
}

bool WorkerThread::HasSlot(const char* slot, std::initializer_list<const char*> typeNames) const
{
    QByteArray signature = QByteArray(slot) + '(';
    for (const char* type : typeNames)
        signature += QByteArray(type) + ',';
    if (typeNames.size() > 0)
        signature.chop(1);
    signature += ')';
    if (metaObject()->indexOfMethod(QMetaObject::normalizedSignature(signature.constData())) >= 0)
        return true;
    qWarning().noquote() << "WorkerThread :: no such slot" << metaObject()->className() << signature;
    return false;
}

void WorkerThread::QueueCall(std::function<void()> call)
{
    Post(
        [call = std::move(call)]
        {
            call();
            return true;
        },
        nullptr);
}

void WorkerThread::Post(std::function<bool()> call, std::shared_ptr<Answer> answer)
{
    ThreadHandOff::PostEvent(this, new Call(std::move(call), std::move(answer)));
}

bool WorkerThread::RunBlocking(std::function<bool()> call)
{
    if (QThread::currentThread() == this)
        return call();
    if (!isRunning())
        return false;
    auto answer = std::make_shared<Answer>();
    Post(std::move(call), answer);
    return answer->Wait();
}

bool WorkerThread::event(QEvent* event)
{
    if (event->type() != Call::Kind())
        return QThread::event(event);
    static_cast<Call*>(event)->Run();
    return true;
}

void WorkerThread::run()
{
    QThread::run();
    ThreadHandOff::Release(this);
}
