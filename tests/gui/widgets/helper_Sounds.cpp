#include "helper_Sounds.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QWidget>
#include <QtMath>

void Enter(QWidget* widget)
{
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(widget, &enter);
}

void WriteWav(const QString& path, int msecs)
{
    const int rate = 22050;
    QByteArray data;
    QDataStream pcm(&data, QIODevice::WriteOnly);
    pcm.setByteOrder(QDataStream::LittleEndian);
    for (int i = 0; i < rate * msecs / 1000; ++i)
        pcm << qint16(8000 * qSin(2 * M_PI * 440 * i / rate));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + data.size());
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2) << quint16(2)
        << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(data.size());
    out.writeRawData(data.constData(), data.size());
}

SoundRecorder::SoundRecorder()
{
    SoundManager::SetRequestHook(
        [this](const SoundRequest& request)
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_requests << request;
        });
}

SoundRecorder::~SoundRecorder()
{
    SoundManager::SetRequestHook(nullptr);
}

QList<SoundRequest> SoundRecorder::Requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

QStringList SoundRecorder::Played() const
{
    QStringList names;
    for (const SoundRequest& request : Requests())
        if (request.slot == QLatin1String("DoMediaPlay"))
            names << request.fileName;
    return names;
}

void SoundRecorder::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_requests.clear();
}
