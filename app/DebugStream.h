#pragma once

#include "Singleton.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <functional>
#include <mutex>

// The program's log: every message is one line on standard output and in the log file.
class DebugStream : public Singleton<DebugStream>
{
    friend class Singleton<DebugStream>;

public:
    // Opens (appends to) the log file. Returns false, and keeps logging to standard output
    // only, when the file cannot be written.
    bool Open(const QString& filePath);
    // Creates a log file no other copy of the program writes to: the first of pathForCopy(0),
    // pathForCopy(1), ... that does not exist yet. Returns its path, or empty (standard output
    // only, with a warning) when none can be made.
    QString OpenNew(const std::function<QString(int copy)>& pathForCopy);
    bool IsFileOpen() const;
    QString GetFilePath() const;

    // Safe from any thread, like everything here.
    void WriteLine(const QString& line);

    // Tests capture what would be written.
    void SetCapture(std::function<void(const QString&)> capture);
    void SetEchoToStdout(bool echo);

    // Longer messages are cut to this many characters.
    static constexpr int MaxMessageLength = 2000;
    // Turns a Qt message into the log line; returns false for messages that are dropped.
    static bool FormatMessage(QtMsgType type, const QString& message, QString* line);
    static void MessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message);
    static void InstallMessageHandler();

    // Writes the start-of-log header lines.
    static QStringList HeaderLines(const QString& gameName);

private:
    DebugStream() = default;
    ~DebugStream() override;

    // Under the write lock. A file that stops taking lines (a full disk) is said once on standard
    // output; when it takes them again, it first gets a line saying how many it missed.
    void WriteToFile(const QByteArray& bytes);
    bool AppendToFile(const QByteArray& bytes);

    QFile m_file;
    bool m_echo = true;
    std::function<void(const QString&)> m_capture;
    int m_lostLines = 0;
    QString m_lostReason;
    bool m_cutLine = false; // the file ends in part of a line
};
