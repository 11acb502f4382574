#include "DebugStream.h"

#include "AppDefines.h"

#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace
{
std::mutex g_writeMutex;
}

DebugStream::~DebugStream()
{
    if (m_file.isOpen())
    {
        m_file.flush();
        m_file.close();
    }
}

namespace
{
void WarnNotOpen(const QString& filePath)
{
    const QByteArray warning = QStringLiteral("--- WARNING --- DebugStream :: CAN NOT OPEN LOG FILE --- %1 "
                                              "--- logging to standard output only\n")
                                   .arg(filePath)
                                   .toUtf8();
    std::fwrite(warning.constData(), 1, size_t(warning.size()), stdout);
    std::fflush(stdout);
}

// Each line goes to the file as it comes: a write that fails (a full disk) is seen at once.
constexpr QIODevice::OpenMode LogFileMode = QIODevice::WriteOnly | QIODevice::Text | QIODevice::Unbuffered;
} // namespace

bool DebugStream::AppendToFile(const QByteArray& bytes)
{
    qint64 done = 0;
    while (done < bytes.size())
    {
        const qint64 written = m_file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
        {
            m_cutLine = m_cutLine || done > 0;
            return false;
        }
        done += written;
    }
    return true;
}

void DebugStream::WriteToFile(const QByteArray& bytes)
{
    if (m_lostLines > 0)
    {
        // The file takes lines again: it says first what it is missing.
        const QByteArray note = (m_cutLine ? QByteArrayLiteral("\n") : QByteArray()) +
                                QStringLiteral("--- WARNING --- DebugStream :: %1 LOG LINES LOST --- %2\n")
                                    .arg(m_lostLines)
                                    .arg(m_lostReason)
                                    .toUtf8();
        if (!AppendToFile(note))
        {
            ++m_lostLines;
            return;
        }
        m_lostLines = 0;
        m_cutLine = false;
    }
    if (AppendToFile(bytes))
        return;
    if (m_lostLines++ > 0)
        return;
    // Said where it can be seen: the lines themselves still reach standard output.
    m_lostReason = m_file.errorString();
    const QString warning =
        QStringLiteral("--- WARNING --- DebugStream :: CAN NOT WRITE LOG FILE --- %1 --- %2 "
                       "--- logging to standard output only")
            .arg(m_file.fileName(), m_lostReason);
    const QByteArray out = warning.toUtf8() + '\n';
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    std::fflush(stdout);
    if (m_capture)
        m_capture(warning);
}

bool DebugStream::Open(const QString& filePath)
{
    std::lock_guard<std::mutex> lock(g_writeMutex);
    if (m_file.isOpen())
        m_file.close();
    m_file.setFileName(filePath);
    m_lostLines = 0;
    m_cutLine = false;
    if (!m_file.open(LogFileMode | QIODevice::Append))
    {
        WarnNotOpen(filePath);
        return false;
    }
    return true;
}

bool DebugStream::IsFileOpen() const
{
    std::lock_guard<std::mutex> lock(g_writeMutex);
    return m_file.isOpen();
}

QString DebugStream::GetFilePath() const
{
    std::lock_guard<std::mutex> lock(g_writeMutex);
    return m_file.fileName();
}

void DebugStream::SetCapture(std::function<void(const QString&)> capture)
{
    std::lock_guard<std::mutex> lock(g_writeMutex);
    m_capture = std::move(capture);
}

void DebugStream::SetEchoToStdout(bool echo)
{
    std::lock_guard<std::mutex> lock(g_writeMutex);
    m_echo = echo;
}

QString DebugStream::OpenNew(const std::function<QString(int copy)>& pathForCopy)
{
    constexpr int MaxCopies = 100;
    std::lock_guard<std::mutex> lock(g_writeMutex);
    if (m_file.isOpen())
        m_file.close();
    m_lostLines = 0;
    m_cutLine = false;
    for (int copy = 0; copy < MaxCopies; ++copy)
    {
        m_file.setFileName(pathForCopy(copy));
        // Made here or not at all: two copies started together never share a file.
        if (m_file.open(LogFileMode | QIODevice::NewOnly))
            return m_file.fileName();
        // Anything but a name taken by another copy will not get better with the next name.
        if (!m_file.exists())
            break;
    }
    WarnNotOpen(m_file.fileName());
    return QString();
}

void DebugStream::WriteLine(const QString& line)
{
    std::lock_guard<std::mutex> lock(g_writeMutex);
    QByteArray bytes = line.toUtf8();
    bytes.append('\n');
    if (m_echo)
    {
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        std::fflush(stdout);
    }
    if (m_capture)
        m_capture(line);
    if (m_file.isOpen())
        WriteToFile(bytes);
}

bool DebugStream::FormatMessage(QtMsgType type, const QString& message, QString* line)
{
    if (message.startsWith(QLatin1String("libpng warning")))
        return false;
    switch (type)
    {
    case QtDebugMsg:
        *line = QString();
        break;
    case QtInfoMsg:
        return false;
    case QtWarningMsg:
        *line = QStringLiteral("--- WARNING --- ");
        break;
    case QtCriticalMsg:
        *line = QStringLiteral("--- CRITICAL --- ");
        break;
    case QtFatalMsg:
        *line = QStringLiteral("--- FATAL_ERROR --- ");
        break;
    }
    // A value read from a file or the network may be huge: the log keeps the start of it.
    if (message.size() > MaxMessageLength)
        *line += message.leftRef(MaxMessageLength) +
                 QStringLiteral(" ... (%1 characters cut)").arg(message.size() - MaxMessageLength);
    else
        *line += message;
    return true;
}

void DebugStream::MessageHandler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    QString line;
    if (FormatMessage(type, message, &line))
    {
        // One log line per message: embedded line breaks would split a record.
        line.replace(QLatin1Char('\n'), QLatin1Char(' '));
        Instance()->WriteLine(line);
    }
    if (type == QtFatalMsg)
        std::abort();
}

void DebugStream::InstallMessageHandler()
{
    qInstallMessageHandler(&DebugStream::MessageHandler);
}

QStringList DebugStream::HeaderLines(const QString& gameName)
{
    return {QStringLiteral("Start logging!"),
            QDateTime::currentDateTime().toString(QStringLiteral("yyyy.MM.dd hh:mm:ss")),
            QStringLiteral("Qt version: %1").arg(AppDefines::GetQtVersionText()),
            QStringLiteral("Lobby version: %1").arg(AppDefines::GetLobbyVersion()),
            QStringLiteral("Current path: %1").arg(QDir::currentPath()),
            QStringLiteral("Locale: %1").arg(QLocale::system().name()),
            QStringLiteral("Game: %1").arg(gameName)};
}
