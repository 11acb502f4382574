#pragma once

#include <QMetaObject>
#include <QThread>

// Base of the worker managers: the object lives on its own thread and every slot runs on that
// thread's event loop. A subclass calls StartWorker() at the end of its constructor, which moves
// it to its thread, starts it and queues "DoInitialize" when the subclass has one.
class WorkerThread : public QThread
{
    Q_OBJECT

public:
    explicit WorkerThread(QObject* parent = nullptr);
    ~WorkerThread() override;

    // Runs a slot on the worker and waits for it (never from the worker's own thread).
    bool InvokeBlocking(const char* slot);

protected:
    void StartWorker();
    // Stops the event loop and waits for the thread; safe to call twice.
    void StopWorker();
};
