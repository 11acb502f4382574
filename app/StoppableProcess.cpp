#include "StoppableProcess.h"

#include <QElapsedTimer>

#ifdef Q_OS_LINUX
#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;
#else
#include <QProcess>
#endif

namespace StoppableProcess
{
namespace
{
constexpr int StepMs = 5;
}

#ifdef Q_OS_LINUX
Result Run(const QString& program, const QStringList& arguments, int timeoutMs, const std::atomic_bool& stop,
           QByteArray* output)
{
    output->clear();
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return Result::FailedToStart;
    std::vector<QByteArray> args{QFile::encodeName(program)};
    for (const QString& argument : arguments)
        args.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0)
    {
        close(fds[0]);
        return Result::FailedToStart;
    }

    QElapsedTimer timer;
    timer.start();
    bool open = true;
    int status = 0;
    for (;;)
    {
        if (stop || timer.elapsed() > timeoutMs)
        {
            kill(pid, SIGKILL);
            close(fds[0]);
            if (stop)
                return Result::Stopped;
            waitpid(pid, &status, 0);
            return Result::TimedOut;
        }
        if (!open)
        {
            if (waitpid(pid, &status, WNOHANG) == pid)
                break;
            usleep(StepMs * 1000);
            continue;
        }
        pollfd fd{fds[0], POLLIN, 0};
        if (poll(&fd, 1, StepMs) <= 0)
            continue;
        char buffer[4096];
        const ssize_t n = read(fds[0], buffer, sizeof(buffer));
        if (n > 0)
            output->append(buffer, int(n));
        else if (n == 0 || errno != EINTR)
            open = false;
    }
    close(fds[0]);
    return Result::Finished;
}
#else
Result Run(const QString& program, const QStringList& arguments, int timeoutMs, const std::atomic_bool& stop,
           QByteArray* output)
{
    output->clear();
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted())
        return Result::FailedToStart;
    QElapsedTimer timer;
    timer.start();
    while (!process.waitForFinished(StepMs))
    {
        if (process.state() == QProcess::NotRunning)
            break;
        if (stop || timer.elapsed() > timeoutMs)
        {
            process.kill();
            process.waitForFinished(1000);
            return stop ? Result::Stopped : Result::TimedOut;
        }
    }
    *output = process.readAll();
    return Result::Finished;
}
#endif
} // namespace StoppableProcess
