#include "ReplayReader.h"

#include "ThreadHandOff.h"

#include "CommonIO.h"
#include "DemoFile.h"

#include <QDir>
#include <QFile>
#include <QThread>

#ifdef Q_OS_LINUX
#include <sched.h>
#endif
#ifdef __GLIBC__
#include <malloc.h>
#include <mutex>
#endif

ReplayReader::ReplayReader(QObject* parent)
    : QObject(parent), m_cancel(std::make_shared<std::atomic<bool>>(false))
{
#ifdef __GLIBC__
    // A script's text (megabytes) is given back when it is freed only when it was mapped on its
    // own. glibc raises its mapping threshold to the biggest block freed so far, after which such
    // texts land in the heap of the pool thread that read them, and each of those heaps keeps
    // ten MB or more that no trim returns. A fixed threshold (glibc's first one) keeps it so.
    static std::once_flag fixed;
    std::call_once(fixed, [] { mallopt(M_MMAP_THRESHOLD, 128 * 1024); });
#endif
    m_pool.setMaxThreadCount(ThreadCount());
    m_archivePool.setMaxThreadCount(ArchiveThreads);
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

void ReplayReader::ReleaseFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
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

DemoOutcome ReplayReader::ReadReplay(const QString& readPath, DataReplay& record,
                                     const std::atomic<bool>* cancel)
{
    return ReadDemoFile(readPath, record, cancel);
}

bool ReplayReader::IsPacked(const QString& path)
{
    // A file that cannot be opened is read (and fails) like any other: the archive tool could not
    // open it either.
    QFile file;
    if (!path.endsWith(QLatin1String("sdfz")) ||
        CommonIO::OpenRegularFile(&file, path) != CommonIO::ReadStatus::Ok)
        return false;
    const QByteArray start = file.read(2);
    return !(start.size() == 2 && uchar(start[0]) == 0x1f && uchar(start[1]) == 0x8b);
}

void ReplayReader::Start(const QStringList& paths, const ReplayArchive::Settings& archives)
{
    Cancel();
    m_paths = paths;
    m_archives = archives;
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
    m_archivePool.clear();
    m_paths.clear();
    m_done.clear();
    m_packed.clear();
    m_unpacking.clear();
    m_nextStart = 0;
    m_nextDeliver = 0;
    m_active = false;
    if (wait)
    {
        m_pool.waitForDone();
        m_archivePool.waitForDone();
    }
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
                                 DataReplay record = FailedReplay(path);
                                 const DemoOutcome outcome =
                                     packed ? DemoOutcome::Read : ReadReplay(path, record, cancel.get());
                                 if (cancel->load() || outcome == DemoOutcome::Stopped)
                                     return;
                                 const bool remember = outcome == DemoOutcome::Read;
                                 ThreadHandOff::Post(this, [this, generation, index, record, remember, packed]
                                                     { Take(generation, index, record, remember, packed); });
                             });
    }
}

void ReplayReader::StartUnpack(int index)
{
    const QString path = m_paths.at(index);
    const int generation = m_generation;
    const std::shared_ptr<std::atomic<bool>> cancel = m_cancel;
    const ReplayArchive::Settings archives = m_archives;
    ThreadHandOff::Start(m_archivePool,
                         [this, index, path, generation, cancel, archives]
                         {
                             if (cancel->load())
                                 return;
                             DataReplay record = FailedReplay(path);
                             const DemoOutcome outcome = ReplayArchive::Read(path, archives, record, *cancel);
                             if (cancel->load() || outcome == DemoOutcome::Stopped)
                                 return;
                             const bool remember = outcome == DemoOutcome::Read;
                             ThreadHandOff::Post(this, [this, generation, index, record, remember]
                                                 { TakeUnpacked(generation, index, record, remember); });
                         });
}

void ReplayReader::Take(int generation, int index, const DataReplay& record, bool remember, bool packed)
{
    if (generation != m_generation || !m_active)
        return;
    if (packed)
    {
        // Unpacked aside; the records behind it go on.
        m_packed.insert(index);
        m_unpacking.insert(index);
        StartUnpack(index);
    }
    else
        m_done.insert(index, {record, remember});
    Deliver();
}

void ReplayReader::TakeUnpacked(int generation, int index, const DataReplay& record, bool remember)
{
    if (generation != m_generation || !m_active || !m_unpacking.remove(index))
        return;
    emit OnRecord(record, remember);
    // A listener may have cancelled or restarted us.
    if (generation == m_generation)
        Deliver();
}

void ReplayReader::Deliver()
{
    const int generation = m_generation;
    while (m_active && (m_done.contains(m_nextDeliver) || m_packed.contains(m_nextDeliver)))
    {
        // Handed back when unpacked, before or after this point.
        if (m_packed.remove(m_nextDeliver))
        {
            ++m_nextDeliver;
            continue;
        }
        const Result result = m_done.take(m_nextDeliver++);
        emit OnRecord(result.record, result.remember);
        // A listener may have cancelled or restarted us.
        if (generation != m_generation)
            return;
    }
    if (!m_active)
        return;
    if (m_nextDeliver == m_paths.size() && m_unpacking.isEmpty())
    {
        m_active = false;
        emit OnFinished();
        return;
    }
    Fill();
}
