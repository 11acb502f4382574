#include "BackgroundManager.h"

#include "AppDefines.h"
#include "Common.h"

#include <QDebug>
#include <QDir>
#include <QPainter>
#include <QTimer>

namespace
{
constexpr QPainter::RenderHints AllHints =
    QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform;
constexpr QPainter::RenderHints PictureHints = QPainter::Antialiasing | QPainter::SmoothPixmapTransform;
const QLatin1String Unfocus(".unfocus");
} // namespace

BackgroundManager::BackgroundManager()
{
    qDebug() << "Initialize :: BackgroundManager";
    Common::InitRandomSeed();
    m_timer = new QTimer(this);
    m_timer->setInterval(ChangeIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &BackgroundManager::DoChangeBack, Qt::QueuedConnection);
    LoadPicturesPaths(PictureFolder());
    m_cache = QPixmap(10, 10);
    m_cache.fill(Qt::transparent);
}

BackgroundManager::~BackgroundManager()
{
    qDebug() << "Destroy :: BackgroundManager";
    delete m_timer;
    m_timer = nullptr;
}

QString BackgroundManager::PictureFolder()
{
    const QString code = AppDefines::Exists() ? AppDefines::Instance()->GetShortCode() : QString();
    return QStringLiteral(":/Backgrounds/%1/").arg(code);
}

void BackgroundManager::LoadPicturesPaths(const QString& folder)
{
    m_pictures.clear();
    QString base = folder;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    const QStringList names = QDir(base).entryList(QDir::Files, QDir::Name);
    for (const QString& name : names)
        m_pictures.insert(name, base + name);
    if (m_pictures.isEmpty())
        qDebug() << "BackgroundManager ::"
                 << "LoadPicturesPaths --- NO background pictures";
}

void BackgroundManager::StartTimer()
{
    m_timer->start();
}

void BackgroundManager::StopTimer()
{
    m_timer->stop();
}

bool BackgroundManager::IsTimerActive() const
{
    return m_timer->isActive();
}

bool BackgroundManager::SelectNextPicture()
{
    if (m_pictures.isEmpty())
        return false;
    const QStringList names = m_pictures.keys();
    if (names.size() == 1)
    {
        m_currentName = names.first();
    }
    else
    {
        // Draw only among the names that can qualify, so the pick always ends (one picture
        // and its unfocused variant leave nothing to draw).
        QStringList candidates;
        for (const QString& name : names)
        {
            if (name != m_currentName && !name.contains(QLatin1String("unfocus")))
                candidates << name;
        }
        if (!candidates.isEmpty())
            m_currentName = candidates.at(Common::RandomInt(0, candidates.size() - 1));
    }
    m_picture = QPixmap(m_pictures.value(m_currentName));
    return true;
}

void BackgroundManager::UpdateBackground(bool unfocused)
{
    if (unfocused && !m_currentName.contains(Unfocus))
    {
        const int dot = m_currentName.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0)
            m_currentName.insert(dot, Unfocus);
        else
            m_currentName += Unfocus;
    }
    else if (!unfocused && m_currentName.contains(Unfocus))
    {
        m_currentName.remove(Unfocus);
    }
    if (m_pictures.contains(m_currentName))
        m_picture = QPixmap(m_pictures.value(m_currentName));
    Render(m_cache.size());
}

void BackgroundManager::Resize(const QSize& size)
{
    Render(size);
}

void BackgroundManager::Render(const QSize& size)
{
    m_cache = QPixmap(size.isEmpty() ? QSize(10, 10) : size);
    m_cache.fill(Qt::transparent);
    QPainter painter(&m_cache);
    Paint(&painter, m_cache.size());
}

void BackgroundManager::Draw(QPainter* painter) const
{
    painter->setRenderHints(AllHints, false);
    painter->drawPixmap(0, 0, m_cache);
}

void BackgroundManager::Paint(QPainter* painter, const QSize& size) const
{
    const int w = size.width();
    const int h = size.height();
    if (m_picture.isNull())
    {
        painter->setRenderHints(AllHints, false);
        painter->fillRect(0, 0, w, h, QColor(0, 0, 0, 255));
    }
    else
    {
        const double scale = qMax(double(w) / m_picture.width(), double(h) / m_picture.height());
        const double dw = m_picture.width() * scale;
        const double dh = m_picture.height() * scale;
        painter->setRenderHints(PictureHints, true);
        painter->drawPixmap(QRectF((w - dw) / 2.0, (h - dh) / 2.0, dw, dh), m_picture,
                            QRectF(m_picture.rect()));
    }
    if (m_veilAlpha > 0)
    {
        painter->setRenderHints(AllHints, false);
        painter->fillRect(0, 0, w, h, QColor(0, 0, 0, m_veilAlpha));
    }

    const int b = Common::Scale(34);
    const int t = 34;
    painter->setRenderHints(AllHints, false);
    const QPixmap border(QStringLiteral(":/Frames/picture_border.png"));
    if (border.isNull())
        return;
    const int iw = border.width();
    const int ih = border.height();
    const int mx = (iw - t) / 2;
    const int my = (ih - t) / 2;
    painter->drawPixmap(QRect(0, 0, b, b), border, QRect(0, 0, t, t));
    painter->drawPixmap(QRect(b, 0, w - 2 * b, b), border, QRect(mx, 0, t, t));
    painter->drawPixmap(QRect(w - b, 0, b, b), border, QRect(iw - t, 0, t, t));
    painter->drawPixmap(QRect(w - b, b, b, h - 2 * b), border, QRect(iw - t, my, t, t));
    painter->drawPixmap(QRect(w - b, h - b, b, b), border, QRect(iw - t, ih - t, t, t));
    painter->drawPixmap(QRect(b, h - b, w - 2 * b, b), border, QRect(mx, ih - t, t, t));
    painter->drawPixmap(QRect(0, h - b, b, b), border, QRect(0, ih - t, t, t));
    painter->drawPixmap(QRect(0, b, b, h - 2 * b), border, QRect(0, my, t, t));
}

void BackgroundManager::DoChangeBack()
{
    if (SelectNextPicture())
    {
        Render(m_cache.size());
        emit OnUpdateBackground();
    }
}
