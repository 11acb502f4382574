#pragma once

#include "DataReplay.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <memory>

// Reads demo files on a pool of threads, one per core, and hands the records back in the order
// the files were given. Lives on the replays worker's thread: it is driven from there and its
// signals are emitted there; the pool threads get and give back only copies.
class ReplayReader final : public QObject
{
    Q_OBJECT

public:
    // Files in flight per pool thread (read or waiting for an earlier one): enough to keep every
    // core busy, few enough that memory stays bounded whatever the folder holds.
    static constexpr int FilesPerThread = 2;

    explicit ReplayReader(QObject* parent = nullptr);
    ~ReplayReader() override;

    // Pool threads: the cores this process may run on.
    static int ThreadCount();

    // Starts reading `paths`; whatever an earlier start left is dropped. With no paths,
    // OnFinished comes at once.
    void Start(const QStringList& paths);
    // Drops everything in flight; with `wait`, also waits until no pool thread reads any more.
    void Cancel(bool wait = false);
    // The record of a file reported by OnPacked, once it has been unpacked some other way.
    void Supply(int index, const DataReplay& record);

    // One file, on the calling thread: the record of `listedPath`, read from `readPath`.
    static DataReplay ReadReplay(const QString& readPath, const QString& listedPath,
                                 const std::atomic<bool>* cancel = nullptr);
    // The record of a file that could not be read at all.
    static DataReplay FailedReplay(const QString& listedPath);
    // True for a ".sdfz" that zlib cannot read but can be opened: a 7z archive for the archive tool.
    static bool IsPacked(const QString& path);

signals:
    void OnRecord(DataReplay record); // in the order of the paths
    void OnPacked(int index, QString path);
    void OnFinished();

private:
    void Fill();
    void Take(int generation, int index, const DataReplay& record, bool packed);
    void Deliver();

    QThreadPool m_pool;
    QStringList m_paths;
    int m_nextStart = 0;           // next path for the pool
    int m_nextDeliver = 0;         // next record to hand back
    QHash<int, DataReplay> m_done; // read, waiting for an earlier file
    bool m_active = false;
    int m_generation = 0;
    std::shared_ptr<std::atomic<bool>> m_cancel;
};
