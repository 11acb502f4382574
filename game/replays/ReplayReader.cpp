#include "ReplayReader.h"

#include "ThreadHandOff.h"

#include "DemoFile.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

#ifdef Q_OS_LINUX
#include <sched.h>
#endif

ReplayReader::ReplayReader(QObject* parent)
    : QObject(parent), m_cancel(std::make_shared<std::atomic<bool>>(false))
{
    m_pool.setMaxThreadCount(ThreadCount());
}

ReplayReader::~ReplayReader()
{
    // The pool's tasks post their results to us: none may run once we are gone.
    Cancel(true);
}

int ReplayReader::ThreadCount()
{
#ifdef Q_OS_LINUX
    // Qt counts every core of the machine, also those this process may not run on (taskset, cgroups).
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return CPU_COUNT(&set);
#endif
    return qMax(1, QThread::idealThreadCount());
}

DataReplay ReplayReader::FailedReplay(const QString& listedPath)
{
    DataReplay record;
    record.filePath = listedPath;
    const int at = listedPath.lastIndexOf(QDir::separator());
    record.fileName = at < 0 ? listedPath : listedPath.mid(at + 1);
    ResetDemoRecord(listedPath, record);
    return record;
}

DataReplay ReplayReader::ReadReplay(const QString& readPath, const QString& listedPath,
                                    const std::atomic<bool>* cancel)
{
    DataReplay record = FailedReplay(listedPath);
    ReadDemoFile(readPath, record, cancel);
    return record;
}

bool ReplayReader::IsPacked(const QString& path)
{
    // A file that cannot be opened is read (and fails) like any other: the archive tool could not
    // open it either.
    return path.endsWith(QLatin1String("sdfz")) && QFileInfo(path).isReadable() && !IsGzipFile(path);
}

void ReplayReader::Start(const QStringList& paths)
{
    Cancel();
    m_paths = paths;
    m_active = true;
    Fill();
    Deliver();
}

void ReplayReader::Cancel(bool wait)
{
    // Tasks of this round see the flag and stop; their results carry an old generation.
    m_cancel->store(true);
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    ++m_generation;
    m_pool.clear();
    m_paths.clear();
    m_done.clear();
    m_nextStart = 0;
    m_nextDeliver = 0;
    m_active = false;
    if (wait)
        m_pool.waitForDone();
}

void ReplayReader::Fill()
{
    const int window = m_pool.maxThreadCount() * FilesPerThread;
    while (m_nextStart < m_paths.size() && m_nextStart - m_nextDeliver < window)
    {
        const int index = m_nextStart++;
        const QString path = m_paths.at(index);
        const int generation = m_generation;
        const std::shared_ptr<std::atomic<bool>> cancel = m_cancel;
        ThreadHandOff::Start(m_pool,
                             [this, index, path, generation, cancel]
                             {
                                 if (cancel->load())
                                     return;
                                 const bool packed = IsPacked(path);
                                 const DataReplay record =
                                     packed ? DataReplay() : ReadReplay(path, path, cancel.get());
                                 if (cancel->load())
                                     return;
                                 ThreadHandOff::Post(this, [this, generation, index, record, packed]
                                                     { Take(generation, index, record, packed); });
                             });
    }
}

void ReplayReader::Take(int generation, int index, const DataReplay& record, bool packed)
{
    if (generation != m_generation || !m_active)
        return;
    if (packed)
    {
        emit OnPacked(index, m_paths.at(index));
        return;
    }
    m_done.insert(index, record);
    Deliver();
}

void ReplayReader::Supply(int index, const DataReplay& record)
{
    if (!m_active || index < m_nextDeliver || index >= m_nextStart || m_done.contains(index))
        return;
    m_done.insert(index, record);
    Deliver();
}

void ReplayReader::Deliver()
{
    const int generation = m_generation;
    while (m_active && m_done.contains(m_nextDeliver))
    {
        const DataReplay record = m_done.take(m_nextDeliver++);
        emit OnRecord(record);
        // A listener may have cancelled or restarted us.
        if (generation != m_generation)
            return;
    }
    if (!m_active)
        return;
    if (m_nextDeliver == m_paths.size())
    {
        m_active = false;
        emit OnFinished();
        return;
    }
    Fill();
}
