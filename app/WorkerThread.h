#pragma once

#include <QMetaObject>
#include <QThread>
#include <array>
#include <functional>
#include <memory>
#include <tuple>
#include <utility>

// Base of the worker managers: the object lives on its own thread and every slot runs on that
// thread's event loop. A subclass calls StartWorker() at the end of its constructor, which moves
// it to its thread, starts it and queues "DoInitialize" when the subclass has one.
//
// Calls from other threads go through Queue and InvokeBlocking. Both post a call of our own, in
// order with every other queued call, that copies its arguments before it leaves the caller and
// tells race checkers about the hand-over (see ThreadHandOff.h).
class WorkerThread : public QThread
{
    Q_OBJECT

public:
    explicit WorkerThread(QObject* parent = nullptr);
    ~WorkerThread() override;

    // Queues a slot call on the worker; arguments are Q_ARG(type, value), copied here. False,
    // with a warning, when the worker has no such slot.
    template <typename... T>
    bool Queue(const char* slot, QArgument<T>... args)
    {
        if (!HasSlot(slot, {args.name()...}))
            return false;
        Post(MakeCall(slot, std::index_sequence_for<T...>{}, args...), nullptr);
        return true;
    }

    // Queues a function to run on the worker, in order with the queued slot calls.
    void QueueCall(std::function<void()> call);

    // Runs a slot on the worker and waits for it; arguments as for Queue. From the worker's own
    // thread the slot runs at once. False when the slot is unknown or the worker has stopped.
    template <typename... Args>
    bool InvokeBlocking(const char* slot, Args... args)
    {
        return RunBlocking([=]
                           { return QMetaObject::invokeMethod(this, slot, Qt::DirectConnection, args...); });
    }

protected:
    void StartWorker();
    // Like StartWorker, for a subclass whose owner queues DoInitialize itself.
    void StartWorkerWithoutInitialize();
    // Stops the event loop and waits for the thread; safe to call twice.
    void StopWorker();

    bool event(QEvent* event) override;
    void run() override;

private:
    class Answer;
    class Call;

    template <std::size_t... I, typename... T>
    std::function<bool()> MakeCall(const char* slot, std::index_sequence<I...>, QArgument<T>... args)
    {
        const std::array<const char*, sizeof...(T)> names{args.name()...};
        std::tuple<T...> values(*static_cast<const T*>(args.data())...);
        return [this, slot, names, values]() mutable
        {
            Q_UNUSED(names);
            return QMetaObject::invokeMethod(this, slot, Qt::DirectConnection,
                                             QArgument<T>(names[I], std::get<I>(values))...);
        };
    }

    bool HasSlot(const char* slot, std::initializer_list<const char*> typeNames) const;
    void Post(std::function<bool()> call, std::shared_ptr<Answer> answer);
    bool RunBlocking(std::function<bool()> call);
};
