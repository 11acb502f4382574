#include "LogFilesWorker.h"

#include "CommonIO.h"

#include <QCryptographicHash>
#include <QFile>
#include <QUrl>

namespace
{
// Positions in the texts of WebLog::SetLog.
enum Text
{
    PlayerName,
    EMail,
    Message,
    GameLog,
    LobbyLog,
    GameScreenshot,
    LobbyScreenshot,
    TextCount
};

QByteArray OrEmpty(const QString& text)
{
    return text.isEmpty() ? QByteArrayLiteral("EMPTY") : text.toUtf8();
}

// A file's bytes as percent-encoded Base64: of a log its end, at most maxBytes; a picture whole, or
// when it is larger than that, not at all. `fallback` stands in for a file that cannot be read.
QByteArray EncodedFile(const QString& filePath, qint64 maxBytes, bool isLog, const QByteArray& fallback)
{
    bool read = false;
    QByteArray data;
    if (isLog)
        data = LogFilesWorker::ReadTail(filePath, maxBytes, &read);
    else
        read = CommonIO::ReadFile(filePath, maxBytes, &data) == CommonIO::ReadStatus::Ok;
    if (!read)
        data = fallback;
    // Let each stage go as soon as the next exists: a large log is held about twice, not four times.
    QByteArray base64 = data.toBase64();
    data.clear();
    return base64.toPercentEncoding();
}
} // namespace

LogFilesWorker::LogFilesWorker()
{
    StartWorker();
}

LogFilesWorker::~LogFilesWorker()
{
    m_cancel.storeRelease(1);
    StopWorker();
}

QByteArray LogFilesWorker::ReadTail(const QString& filePath, qint64 maxBytes, bool* opened)
{
    // Never a FIFO or device in place of a log: the read would wait for good.
    QFile file;
    *opened = CommonIO::OpenRegularFile(&file, filePath) == CommonIO::ReadStatus::Ok;
    if (!*opened)
        return QByteArray();
    const qint64 size = file.size();
    if (size <= maxBytes)
        return file.readAll();
    // One byte more, to see whether the cut falls just after a line's end.
    file.seek(size - maxBytes - 1);
    const QByteArray tail = file.read(maxBytes + 1);
    // Begin at a whole line, which is also never inside a UTF-8 character.
    const int lineEnd = tail.indexOf('\n');
    return lineEnd < 0 ? tail.mid(1) : tail.mid(lineEnd + 1);
}

QByteArray LogFilesWorker::BuildUploadBody(const QStringList& texts, const QAtomicInt* cancel)
{
    if (texts.size() != TextCount)
        return QByteArray();
    const auto cancelled = [cancel] { return cancel && cancel->loadAcquire(); };
    const QByteArray name = OrEmpty(texts[PlayerName]);
    const QByteArray message = OrEmpty(texts[Message]);
    // The code is made of the texts as sent, so the service can check it against the fields.
    const QByteArray code = QCryptographicHash::hash(name + '|' + message, QCryptographicHash::Md5).toHex();

    QByteArray body;
    body += "player_name=" + QUrl::toPercentEncoding(QString::fromUtf8(name));
    body += "&e-mail=" + QUrl::toPercentEncoding(QString::fromUtf8(OrEmpty(texts[EMail])));
    body += "&message=" + QUrl::toPercentEncoding(QString::fromUtf8(message));
    body += "&code=" + code;
    const struct
    {
        const char* field;
        Text text;
        qint64 maxBytes;
        QByteArray fallback;
    } files[] = {
        {"&game_log=", GameLog, MaxUploadLogBytes, QByteArrayLiteral("Game Log file can NOT be opened")},
        {"&game_screenshot=", GameScreenshot, MaxUploadPictureBytes, QByteArray()},
        {"&lobby_log=", LobbyLog, MaxUploadLogBytes, QByteArrayLiteral("Lobby Log file can NOT be opened")},
        {"&lobby_screenshot=", LobbyScreenshot, MaxUploadPictureBytes, QByteArray()}};
    for (const auto& file : files)
    {
        if (cancelled())
            return QByteArray();
        body += file.field;
        const bool isLog = !file.fallback.isEmpty();
        body += EncodedFile(texts[file.text], file.maxBytes, isLog, file.fallback);
    }
    return cancelled() ? QByteArray() : body;
}

void LogFilesWorker::DoReadTail(int id, QString filePath, qint64 maxBytes)
{
    bool opened = false;
    const QByteArray tail = ReadTail(filePath, maxBytes, &opened);
    emit OnTailRead(id, QString::fromUtf8(tail), opened);
}

void LogFilesWorker::DoBuildUpload(QStringList texts)
{
    QByteArray body = BuildUploadBody(texts, &m_cancel);
    if (!m_cancel.loadAcquire())
        emit OnUploadBuilt(body);
}
