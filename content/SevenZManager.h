#pragma once

#include "Singleton.h"
#include "WorkerThread.h"

#include <QString>
#include <QStringList>
#include <mutex>

// Runs the archive tool on a thread of its own, one request after another.
// Every connected listener hears every result; listeners match results by the archive path.
class SevenZManager : public WorkerThread, public Singleton<SevenZManager>
{
    Q_OBJECT
    friend class Singleton<SevenZManager>;

public:
    // Unpacks `archivePath` into `destination` (created when missing). Requests with an empty id
    // text and id -1 answer with the one-argument signals, all others with the two-argument ones.
    static void Extract(const QString& archivePath, const QString& destination, const QString& id = QString(),
                        int idNumber = -1);

    // The archive tool to run: the program's own copy on Windows, Debian's 7z elsewhere.
    // Tests may point it at another program; an empty text restores the default.
    void SetProgram(const QString& program);
    QString Program() const;
    static QString DefaultProgram();
    // Command-line arguments of one extraction.
    static QStringList ExtractArguments(const QString& archivePath, const QString& destination);

signals:
    void OnFinish(QString archiveFilePath);
    void OnError(QString archiveFilePath);
    void OnFinish(QString archiveFilePath, QString id);
    void OnError(QString archiveFilePath, QString id);

public slots:
    void DoInitialize();
    void DoDestroy();
    void DoExtract(QString archivePath, QString destination, QString id, int idNumber);

private:
    SevenZManager();
    ~SevenZManager() override;

    bool RunExtract(const QString& archivePath, const QString& destination);

    mutable std::mutex m_mutex; // guards the program path
    QString m_program;
};
