#include "helper_Sounds.h"

SoundRecorder::SoundRecorder()
{
    SoundManager::SetRequestHook(
        [this](const SoundRequest& request)
        {
            QMutexLocker lock(&m_mutex);
            m_requests << request;
        });
}

SoundRecorder::~SoundRecorder()
{
    SoundManager::SetRequestHook(nullptr);
}

QList<SoundRequest> SoundRecorder::Requests() const
{
    QMutexLocker lock(&m_mutex);
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

QStringList SoundRecorder::Slots() const
{
    QStringList names;
    for (const SoundRequest& request : Requests())
        names << request.slot;
    return names;
}

void SoundRecorder::Clear()
{
    QMutexLocker lock(&m_mutex);
    m_requests.clear();
}
