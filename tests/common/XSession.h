#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTest>

#include <cstdio>
#include <signal.h>

#include <sys/types.h>

// The program under xvfb-run, its log read line by line while it runs, and xdotool talking to
// the same X server.
class XSession
{
public:
    ~XSession()
    {
        // A failure message is cut short; the whole program log tells what happened. The test's
        // own log is captured, so it goes straight to the error output.
        if (QTest::currentTestFailed())
        {
            for (const QString& line : m_lines)
                std::fprintf(stderr, "program: %s\n", line.toLocal8Bit().constData());
        }
        if (m_process.state() == QProcess::NotRunning)
            return;
        // The program first: xvfb-run then takes its X server down by itself.
        if (m_pid > 0)
        {
            ::kill(pid_t(m_pid), SIGTERM);
            if (!m_process.waitForFinished(5000))
                ::kill(pid_t(m_pid), SIGKILL);
        }
        if (!m_process.waitForFinished(5000))
        {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    // With `windowManager`, openbox frames the program's windows; it is up before the program starts.
    bool Start(const QString& program, const QProcessEnvironment& env, const QString& screen = "1280x1024",
               bool windowManager = false)
    {
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        // The first line tells the program's process id (the shell becomes the program) and which
        // display (and its key) it got.
        QString script = QStringLiteral("echo \"XSESSION $$ $DISPLAY $XAUTHORITY\"; exec \"$0\"");
        if (windowManager)
            script.prepend(QStringLiteral("openbox --sm-disable >/dev/null 2>&1 & n=0; "
                                          "while [ $n -lt 200 ] && ! xprop -root _NET_SUPPORTING_WM_CHECK "
                                          "2>/dev/null | grep -q 'window id'; "
                                          "do n=$((n + 1)); sleep 0.05; done; "));
        m_process.start("xvfb-run", {"-a", "-s", "-screen 0 " + screen + "x24", "sh", "-c", script, program});
        if (!m_process.waitForStarted(10000))
            return false;
        const QString first = WaitForLine("XSESSION ", 15000);
        const QStringList parts = first.split(' ', Qt::SkipEmptyParts);
        if (parts.size() < 3)
            return false;
        m_pid = parts.at(1).toLongLong();
        m_display = parts.at(2);
        m_xauthority = parts.value(3);
        return true;
    }

    // The first log line starting with `prefix` after those already matched, or empty on timeout.
    QString WaitForLine(const QString& prefix, int timeoutMs)
    {
        QElapsedTimer timer;
        timer.start();
        for (;;)
        {
            for (; m_next < m_lines.size(); ++m_next)
            {
                if (m_lines.at(m_next).startsWith(prefix))
                    return m_lines.at(m_next++);
            }
            if (timer.elapsed() > timeoutMs || (m_process.state() == QProcess::NotRunning && !ReadLines()))
                return QString();
            // The local web service answers from this event loop as well.
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            m_process.waitForReadyRead(20);
            ReadLines();
        }
    }

    // Lets the program run for a while, its log read (and passed over by WaitForLine) and the
    // test's events served meanwhile.
    void Wait(int ms) { WaitForLine(QStringLiteral("\n"), ms); }

    bool WaitForExit(int timeoutMs)
    {
        QElapsedTimer timer;
        timer.start();
        while (m_process.state() != QProcess::NotRunning && timer.elapsed() < timeoutMs)
        {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            m_process.waitForFinished(20);
        }
        ReadLines();
        if (!m_partial.isEmpty())
            m_lines << QString::fromUtf8(m_partial);
        m_partial.clear();
        return m_process.state() == QProcess::NotRunning && m_process.exitStatus() == QProcess::NormalExit &&
               m_process.exitCode() == 0;
    }

    bool Xdo(const QStringList& args, QString* output = nullptr) { return Tool("xdotool", args, output); }

    // Runs an X tool on the program's display; false (and a log line) when it failed.
    bool Tool(const QString& tool, const QStringList& args, QString* output = nullptr)
    {
        QProcess xdo;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", m_display);
        if (!m_xauthority.isEmpty())
            env.insert("XAUTHORITY", m_xauthority);
        xdo.setProcessEnvironment(env);
        xdo.start(tool, args);
        const bool finished = xdo.waitForFinished(10000);
        if (!finished)
        {
            xdo.kill();
            xdo.waitForFinished();
        }
        if (!finished || xdo.exitStatus() != QProcess::NormalExit || xdo.exitCode() != 0)
        {
            m_lines << tool + ' ' + args.join(' ') +
                           " FAILED: " + QString::fromUtf8(xdo.readAllStandardError());
            return false;
        }
        if (output)
            *output = QString::fromUtf8(xdo.readAllStandardOutput()).trimmed();
        return true;
    }

    // A line of the test's own among the program's, for the log shown on failure.
    void Note(const QString& line) { m_lines << "TEST: " + line; }
    QStringList Lines() const { return m_lines; }
    qint64 Pid() const { return m_pid; }

private:
    bool ReadLines()
    {
        const QByteArray bytes = m_process.readAll();
        if (bytes.isEmpty())
            return false;
        m_partial += bytes;
        int end;
        while ((end = m_partial.indexOf('\n')) >= 0)
        {
            m_lines << QString::fromUtf8(m_partial.left(end));
            m_partial.remove(0, end + 1);
        }
        return true;
    }

    QProcess m_process;
    QByteArray m_partial;
    QStringList m_lines;
    int m_next = 0;
    qint64 m_pid = 0;
    QString m_display;
    QString m_xauthority;
};
