// Start-up of the whole program on a real X server (Xvfb): time until the main window has painted,
// peak memory of the program alone and together with its child processes, and how long closing
// takes at any moment of the start. Runs from a fresh data folder and from a warm one (the same
// folder started again with nothing changed).
// Usage: qm_bench_startup <work folder> [runs per series]

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcessEnvironment>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{
constexpr double PaintTargetMs = 150;
constexpr double MemoryTargetMb = 90;
constexpr double CloseTargetMs = 100;
const QByteArray PaintedLine = "MainWindow :: PAINTED";
const QByteArray QuitLine = "GUI :: QUIT";
// A desktop session's runtime folder, in memory.
QString g_runtimeDir;

// QM_BENCH_CPUS ("4-7" or "4,6"): the program runs on these processors only, the bench elsewhere.
const cpu_set_t* g_cpus = nullptr;

bool ParseCpus(const QString& text, cpu_set_t* set)
{
    CPU_ZERO(set);
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
    {
        const int first = part.section(QLatin1Char('-'), 0, 0).toInt();
        const int last =
            part.contains(QLatin1Char('-')) ? part.section(QLatin1Char('-'), 1, 1).toInt() : first;
        for (int cpu = first; cpu <= last && cpu < CPU_SETSIZE; ++cpu)
            CPU_SET(cpu, set);
    }
    return CPU_COUNT(set) > 0;
}

struct Sample
{
    double paintedMs = -1; // from the fork to the line "MainWindow :: PAINTED"
    double closeMs = -1;   // from the line "GUI :: QUIT" to the end of the process
    double peakMb = 0;     // the program's own high-water mark
    double peakTreeMb = 0; // the program and its child processes together
    int children = 0;      // child processes seen
    QStringList childNames;
    bool ok = false;
};

// kB of a "/proc/<pid>/status" line such as "VmHWM:", or -1 when the process is gone.
long StatusKb(pid_t pid, const char* key)
{
    QFile file(QStringLiteral("/proc/%1/status").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray& line : lines)
    {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Every process below pid, through each thread's list of children.
void Descendants(pid_t pid, QList<pid_t>* out)
{
    const QStringList tasks =
        QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& task : tasks)
    {
        QFile file(QStringLiteral("/proc/%1/task/%2/children").arg(pid).arg(task));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& child : file.readAll().split(' '))
        {
            const pid_t id = pid_t(child.trimmed().toLong());
            if (id > 0)
            {
                out->append(id);
                Descendants(id, out);
            }
        }
    }
}

QString Name(pid_t pid)
{
    QFile file(QStringLiteral("/proc/%1/comm").arg(pid));
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()).trimmed()
                                          : QStringLiteral("?");
}

pid_t Spawn(const QStringList& command, const QProcessEnvironment& env, int outFd, const cpu_set_t* cpus)
{
    std::vector<QByteArray> args;
    for (const QString& a : command)
        args.push_back(a.toLocal8Bit());
    std::vector<QByteArray> vars;
    for (const QString& v : env.toStringList())
        vars.push_back(v.toLocal8Bit());
    std::vector<char*> argv, envp;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (QByteArray& v : vars)
        envp.push_back(v.data());
    envp.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0)
    {
        if (cpus)
            sched_setaffinity(0, sizeof(cpu_set_t), cpus);
        if (outFd >= 0)
        {
            dup2(outFd, STDOUT_FILENO);
            dup2(outFd, STDERR_FILENO);
        }
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    return pid;
}

// One start of the program; it quits by itself after quitMs.
Sample Run(const QString& dataDir, const QString& home, const QString& display, int quitMs)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("SPRING_WRITEDIR"), dataDir);
    env.insert(QStringLiteral("QUILLMERE_AUTOQUIT_MS"), QString::number(quitMs));
    env.insert(QStringLiteral("QT_GSTREAMER_PLAYBIN_AUDIOSINK"), QStringLiteral("fakesink"));
    if (!g_runtimeDir.isEmpty())
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), g_runtimeDir);

    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return {};
    QElapsedTimer clock;
    clock.start();
    const pid_t pid = Spawn({QStringLiteral(QM_QUILLMERE_EXE)}, env, pipeFds[1], g_cpus);
    close(pipeFds[1]);
    Sample sample;
    QByteArray pending;
    double quitAt = -1;
    QStringList closing; // the lines from the quit on, for a slow close
    double sampledAt = -1e9;
    QMap<pid_t, long> childPeaks; // kB
    int status = 0;
    bool ended = false;
    while (!ended)
    {
        // Lines are taken as they come; /proc is read only every 20 ms, since reading a process's
        // memory figures slows down the process while it maps its libraries.
        pollfd fd{pipeFds[0], POLLIN, 0};
        if (poll(&fd, 1, 5) > 0)
        {
            char buffer[65536];
            const ssize_t n = read(pipeFds[0], buffer, sizeof(buffer));
            if (n > 0)
                pending.append(buffer, int(n));
            int end;
            while ((end = pending.indexOf('\n')) >= 0)
            {
                const QByteArray line = pending.left(end);
                pending.remove(0, end + 1);
                if (sample.paintedMs < 0 && line.startsWith(PaintedLine))
                    sample.paintedMs = clock.nsecsElapsed() / 1e6;
                if (quitAt < 0 && line.startsWith(QuitLine))
                    quitAt = clock.nsecsElapsed() / 1e6;
                if (quitAt >= 0)
                    closing << QStringLiteral("%1 %2")
                                   .arg(clock.nsecsElapsed() / 1e6, 7, 'f', 1)
                                   .arg(QString::fromUtf8(line));
            }
        }
        if (clock.nsecsElapsed() / 1e6 - sampledAt >= 20)
        {
            sampledAt = clock.nsecsElapsed() / 1e6;
            // The high-water marks only grow, so the last reading is the peak.
            const long hwm = StatusKb(pid, "VmHWM:");
            if (hwm > 0)
                sample.peakMb = qMax(sample.peakMb, hwm / 1024.0);
            QList<pid_t> children;
            Descendants(pid, &children);
            for (pid_t child : children)
            {
                if (!childPeaks.contains(child))
                    sample.childNames << Name(child);
                childPeaks[child] = qMax(childPeaks.value(child), StatusKb(child, "VmHWM:"));
            }
        }
        if (waitpid(pid, &status, WNOHANG) == pid)
            ended = true;
        else if (clock.elapsed() > 60000)
            kill(pid, SIGKILL);
    }
    const double endAt = clock.nsecsElapsed() / 1e6;
    close(pipeFds[0]);
    // As if every child ran at its own peak while the program was at its own.
    sample.peakTreeMb = sample.peakMb;
    for (long kb : qAsConst(childPeaks))
        sample.peakTreeMb += qMax(0L, kb) / 1024.0;
    sample.children = childPeaks.size();
    sample.closeMs = quitAt < 0 ? -1 : endAt - quitAt;
    if (qEnvironmentVariableIsSet("QM_BENCH_VERBOSE") && sample.closeMs > CloseTargetMs)
        std::printf("%s\n", qPrintable(closing.join(QLatin1Char('\n'))));
    if (qEnvironmentVariableIsSet("QM_BENCH_VERBOSE"))
        std::printf("  run: painted %.1f ms, quit at %.1f ms, close %.1f ms, peak %.1f MB, children %d\n",
                    sample.paintedMs, quitAt, sample.closeMs, sample.peakMb, sample.children);
    sample.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && sample.paintedMs > 0 && quitAt > 0;
    return sample;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

double Max(const std::vector<double>& values)
{
    return values.empty() ? -1 : *std::max_element(values.begin(), values.end());
}

struct Series
{
    std::vector<double> painted, peak, tree, close;
    int withChildren = 0;
    int failed = 0;
    QStringList childNames;

    void Add(const Sample& s)
    {
        if (!s.ok)
        {
            ++failed;
            return;
        }
        painted.push_back(s.paintedMs);
        peak.push_back(s.peakMb);
        tree.push_back(s.peakTreeMb);
        close.push_back(s.closeMs);
        if (s.children > 0)
            ++withChildren;
        for (const QString& name : s.childNames)
        {
            if (!childNames.contains(name))
                childNames << name;
        }
    }

    void Print(const char* name) const
    {
        std::printf("%-6s %2zu runs (%d failed): painted median %6.1f ms (max %6.1f); peak memory median "
                    "%5.1f MB (max %5.1f); with child processes median %6.1f MB (max %6.1f); runs with a "
                    "child process %d%s; close median %5.1f ms (max %5.1f)\n",
                    name, painted.size(), failed, Median(painted), Max(painted), Median(peak), Max(peak),
                    Median(tree), Max(tree), withChildren,
                    childNames.isEmpty() ? ""
                                         : qPrintable(" (" + childNames.join(QStringLiteral(", ")) + ")"),
                    Median(close), Max(close));
        std::fflush(stdout);
    }
};

// Starts a server that writes where it listens to the file descriptor it is given ("{fd}" in the
// arguments) and returns its pid, or -1; `answer` gets what it wrote.
pid_t StartServer(QStringList arguments, QString* answer)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    arguments.replaceInStrings(QStringLiteral("{fd}"), QString::number(fds[1]));
    std::vector<QByteArray> args;
    for (const QString& a : arguments)
        args.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0)
    {
        close(fds[0]);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    char buffer[512] = {};
    const ssize_t n = read(fds[0], buffer, sizeof(buffer) - 1);
    close(fds[0]);
    if (n <= 0)
        return -1;
    *answer = QString::fromLatin1(buffer).trimmed();
    return pid;
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: %s <work folder> [runs]\n", argv[0]);
        return 2;
    }
    const QString work = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const int runs = argc > 2 ? qMax(1, atoi(argv[2])) : 15;
    QDir(work).removeRecursively();
    QDir().mkpath(work + QStringLiteral("/home"));
    const QString home = work + QStringLiteral("/home");

    static cpu_set_t cpus;
    const QString cpuList = qEnvironmentVariable("QM_BENCH_CPUS");
    if (!cpuList.isEmpty() && ParseCpus(cpuList, &cpus))
        g_cpus = &cpus;

    QString display;
    const pid_t xvfb = StartServer(
        {"Xvfb", "-displayfd", "{fd}", "-screen", "0", "1920x1080x24", "-nolisten", "tcp", "-noreset"},
        &display);
    display.prepend(QLatin1Char(':'));
    if (xvfb < 0)
    {
        std::fprintf(stderr, "Xvfb did not start (package xvfb)\n");
        return 2;
    }
    // As in a desktop session, the runtime folder is in memory (/run/user/<uid> elsewhere).
    QTemporaryDir runtime(QStringLiteral("/dev/shm/quillmere-bench-XXXXXX"));
    if (runtime.isValid())
        g_runtimeDir = runtime.path();
    // A private session bus, as a desktop session has one (without it, the accessibility bridge
    // makes libdbus fork a helper at every start).
    QString bus;
    const pid_t busPid =
        StartServer({"dbus-daemon", "--session", "--nofork", "--print-address", "{fd}"}, &bus);
    if (busPid > 0)
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus.toLocal8Bit());
    else
        std::printf("no session bus (package dbus): libdbus may fork a helper at every start\n");
    std::printf("Xvfb %s 1920x1080, %d runs per series, the program quits 1500 ms after its start, "
                "program on processors %s\n",
                qPrintable(display), runs, g_cpus ? qPrintable(cpuList) : "any");

    Series fresh, warm, closing;
    for (int i = 0; i < runs; ++i)
        fresh.Add(Run(work + QStringLiteral("/fresh%1").arg(i), home, display, 1500));
    fresh.Print("fresh");

    // The warm folder: one start to make it, then the same folder again and again.
    const QString warmDir = work + QStringLiteral("/warm");
    Run(warmDir, home, display, 1500);
    for (int i = 0; i < runs; ++i)
        warm.Add(Run(warmDir, home, display, 1500));
    warm.Print("warm");

    // Closing at different moments of a fresh start, while the start-up work still runs.
    for (const int at : {1, 100, 250, 500, 800})
    {
        for (int i = 0; i < 3; ++i)
            closing.Add(Run(work + QStringLiteral("/close%1_%2").arg(at).arg(i), home, display, at));
    }
    closing.Print("close");

    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
    if (busPid > 0)
    {
        kill(busPid, SIGTERM);
        waitpid(busPid, nullptr, 0);
    }

    const bool paintOk = Median(warm.painted) > 0 && Median(warm.painted) < PaintTargetMs;
    const bool memoryOk = Max(warm.peak) > 0 && Max(warm.peak) < MemoryTargetMb;
    const bool childOk = warm.withChildren == 0;
    const bool closeOk = Max(closing.close) >= 0 && Max(closing.close) < CloseTargetMs &&
                         Max(warm.close) < CloseTargetMs && Max(fresh.close) < CloseTargetMs;
    const bool runsOk = fresh.failed + warm.failed + closing.failed == 0;
    std::printf("warm paint < %.0f ms: %s; warm peak memory < %.0f MB: %s; warm start without child "
                "process: %s; closing < %.0f ms: %s; all runs clean: %s\n",
                PaintTargetMs, paintOk ? "MET" : "MISSED", MemoryTargetMb, memoryOk ? "MET" : "MISSED",
                childOk ? "MET" : "MISSED", CloseTargetMs, closeOk ? "MET" : "MISSED", runsOk ? "yes" : "NO");
    return paintOk && memoryOk && childOk && closeOk && runsOk ? 0 : 1;
}
