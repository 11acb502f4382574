#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>

// Runs a short-lived program to read what it prints (standard output and error together), for
// worker threads. Another thread may set `stop` at any time: the program is then killed at once
// and Run returns without waiting for the system to tear it down, which for a big program takes
// tens of milliseconds a shut-down should not wait for; the system reaps it when this program
// ends. So `stop` is meant for the shut-down only.
namespace StoppableProcess
{
enum class Result
{
    Finished,
    Stopped,
    TimedOut,
    FailedToStart
};

Result Run(const QString& program, const QStringList& arguments, int timeoutMs, const std::atomic_bool& stop,
           QByteArray* output);
} // namespace StoppableProcess
