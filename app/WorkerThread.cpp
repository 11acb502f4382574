#include "WorkerThread.h"

#include <QDebug>

WorkerThread::WorkerThread(QObject* parent) : QThread(parent) {}

WorkerThread::~WorkerThread()
{
    StopWorker();
}

void WorkerThread::StartWorker()
{
    moveToThread(this);
    start();
    if (metaObject()->indexOfSlot("DoInitialize()") >= 0)
        QMetaObject::invokeMethod(this, "DoInitialize", Qt::QueuedConnection);
}

void WorkerThread::StopWorker()
{
    if (isRunning())
    {
        quit();
        wait();
    }
}

bool WorkerThread::InvokeBlocking(const char* slot)
{
    if (QThread::currentThread() == this)
        return QMetaObject::invokeMethod(this, slot, Qt::DirectConnection);
    if (!isRunning())
        return false;
    return QMetaObject::invokeMethod(this, slot, Qt::BlockingQueuedConnection);
}
