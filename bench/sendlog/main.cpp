// The send-log dialog's work on a 50 MB lobby log: what runs on the worker (the view's tail, the
// upload's body) and the one piece that runs on the GUI thread (filling the view with the tail).
// Usage: qm_bench_sendlog <work folder>

#include "LogFilesWorker.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextBrowser>

#include <cstdio>

namespace
{
constexpr qint64 LogBytes = 50 * 1024 * 1024;
constexpr qint64 TailBytes = 2 * 1024 * 1024; // SendLogModal::MaxLogViewBytes
// The interface may stand still this long while a view is filled.
constexpr qint64 ViewTargetMs = 250;
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString dir = app.arguments().value(1, QDir::tempPath());
    QDir().mkpath(dir);
    const QString log = dir + QStringLiteral("/lobby.log");
    {
        QFile file(log);
        if (!file.open(QIODevice::WriteOnly))
            return 2;
        QByteArray lines;
        for (int i = 0; i < 1000; ++i)
            lines += "12:00:00 SyncManager :: SCAN --- /home/player/.spring/maps/map_" +
                     QByteArray::number(i) + ".sd7\n";
        while (file.size() < LogBytes)
            file.write(lines);
    }

    QElapsedTimer clock;
    clock.start();
    bool opened = false;
    const QString tail = QString::fromUtf8(LogFilesWorker::ReadTail(log, TailBytes, &opened));
    const qint64 tailMs = clock.restart();
    QTextBrowser view;
    view.setLineWrapMode(QTextEdit::NoWrap);
    view.resize(600, 300);
    view.setPlainText(tail);
    const qint64 viewMs = clock.restart();
    const QByteArray body =
        LogFilesWorker::BuildUploadBody({"player", "", "message", QString(), log, QString(), QString()});
    const qint64 bodyMs = clock.restart();

    std::printf("%-42s %5lld ms\n", "tail of 2 MB read (worker)", tailMs);
    std::printf("%-42s %5lld ms  target < %lld ms\n", "view filled with it (GUI thread)", viewMs,
                ViewTargetMs);
    std::printf("%-42s %5lld ms  (%lld MB)\n", "upload body of a 50 MB log built (worker)", bodyMs,
                qint64(body.size()) >> 20);
    QFile::remove(log);
    return opened && viewMs < ViewTargetMs ? 0 : 1;
}
