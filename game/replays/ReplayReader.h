#pragma once

#include "DataReplay.h"
#include "DemoFile.h"
#include "ReplayArchive.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <memory>

// Reads demo files on a pool of threads, one per core, and hands the records back in the order
// the files were given; 7z demos are unpacked by the archive tool on a small pool of their own and
// handed back once unpacked, so a slow one holds back nobody. Lives on the replays worker's
// thread: it is driven from there and its signals are emitted there; the pool threads get and
// give back only copies.
class ReplayReader final : public QObject
{
    Q_OBJECT

public:
    // Files in flight per pool thread (read or waiting for an earlier one): enough to keep every
    // core busy, few enough that memory stays bounded whatever the folder holds.
    static constexpr int FilesPerThread = 2;
    // 7z demos unpacked at once: each may fill up to ReplayArchive::MaxUnpackedSize of the disk.
    static constexpr int ArchiveThreads = 2;

    explicit ReplayReader(QObject* parent = nullptr);
    ~ReplayReader() override;

    // Pool threads: the cores this process may run on.
    static int ThreadCount();

    // Starts reading `paths`; whatever an earlier start left is dropped. With no paths,
    // OnFinished comes at once.
    void Start(const QStringList& paths, const ReplayArchive::Settings& archives);
    // Drops everything in flight and stops the archive tool; with `wait`, also waits until no
    // pool thread works any more.
    void Cancel(bool wait = false);
    // True while an unpack (also one cancelled) still owns its folder in the temporary folder.
    bool Unpacking() const { return m_archivePool.activeThreadCount() > 0; }
    // Hands the memory the pool threads freed back to the system: their allocator keeps it for
    // them otherwise, hundreds of MB after a folder of big demos.
    static void ReleaseFreedMemory();

    // One file, on the calling thread, into `record` (whose file name and path are set).
    static DemoOutcome ReadReplay(const QString& readPath, DataReplay& record,
                                  const std::atomic<bool>* cancel = nullptr);
    // The record of a file that could not be read at all.
    static DataReplay FailedReplay(const QString& listedPath);
    // True for a ".sdfz" that zlib cannot read but can be opened: a 7z archive for the archive tool.
    static bool IsPacked(const QString& path);

signals:
    // `remember` is false when the file could not be read (permissions, I/O, the archive tool):
    // such a record must not be cached.
    void OnRecord(DataReplay record, bool remember);
    void OnFinished();

private:
    struct Result
    {
        DataReplay record;
        bool remember = true;
    };

    void Fill();
    void StartUnpack(int index);
    void Take(int generation, int index, const DataReplay& record, bool remember, bool packed);
    void TakeUnpacked(int generation, int index, const DataReplay& record, bool remember);
    void Deliver();

    QThreadPool m_pool;
    QThreadPool m_archivePool;
    QStringList m_paths;
    ReplayArchive::Settings m_archives;
    int m_nextStart = 0;       // next path for the pool
    int m_nextDeliver = 0;     // next record to hand back
    QHash<int, Result> m_done; // read, waiting for an earlier file
    QSet<int> m_packed;        // 7z demos the delivery in order has not passed yet
    QSet<int> m_unpacking;     // 7z demos with the archive tool, handed back when unpacked
    bool m_active = false;
    int m_generation = 0;
    std::shared_ptr<std::atomic<bool>> m_cancel;
};
