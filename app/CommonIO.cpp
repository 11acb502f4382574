#include "CommonIO.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace CommonIO
{
bool MakeDir(const QString& path)
{
    qDebug().noquote() << "CommonIO :: MAKE" << path;
    return QDir().mkpath(path);
}

bool Remove(const QString& path, bool quiet)
{
    const QFileInfo info(path);
    bool ok = false;
    if (info.isDir() && !info.isSymLink())
        ok = QDir(path).removeRecursively();
    else if (info.exists() || info.isSymLink())
        ok = QFile::remove(path);
    if (!quiet)
    {
        if (ok)
            qDebug().noquote() << "CommonIO :: REMOVE" << path;
        else
            qDebug().noquote() << "CommonIO :: CAN'T REMOVE" << path;
    }
    return ok;
}

bool RemoveDir(const QString& folder, bool contentsOnly)
{
    QDir dir(folder);
    if (!dir.exists())
        return true;
    if (!contentsOnly)
        return dir.removeRecursively();
    bool ok = true;
    const auto entries = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries)
        ok = Remove(entry.absoluteFilePath(), true) && ok;
    return ok;
}

void ExplorerCommand(const QString& path, QString* program, QStringList* arguments)
{
    const QFileInfo info(path);
#ifdef Q_OS_WIN
    *program = QStringLiteral("explorer.exe");
    if (info.isDir())
        *arguments = QStringList{QDir::toNativeSeparators(path)};
    else
        *arguments = QStringList{QStringLiteral("/select,") + QDir::toNativeSeparators(path)};
#else
    // Linux file browsers cannot select a file: open its folder.
    *program = QStringLiteral("xdg-open");
    *arguments = QStringList{info.isDir() ? path : info.absolutePath()};
#endif
}

void ShowInExplorer(const QString& path)
{
    QString program;
    QStringList arguments;
    ExplorerCommand(path, &program, &arguments);
    if (!QProcess::startDetached(program, arguments))
        qDebug().noquote() << "CommonIO :: CAN NOT SHOW ---" << path;
}
} // namespace CommonIO
