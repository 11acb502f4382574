#include "GIFWidget.h"

GIFWidget::GIFWidget(int kind, bool visibleWhenStopped)
{
    if (!visibleWhenStopped)
    {
        m_hideWhenStopped = true;
        hide();
    }
    m_timer.setInterval(50);
    connect(&m_timer, &QTimer::timeout, this, &GIFWidget::DoTimerUpdate);
    LoadFrames(kind);
}

void GIFWidget::LoadFrames(int kind)
{
    // Kinds 0 and 2 number their pictures with two digits, kind 1 with "0" and one digit.
    const struct
    {
        int count;
        const char* pattern;
    } kinds[] = {{11, ":/GIF/InProgress/in_progress_%1.png"},
                 {8, ":/GIF/InProgress2/in_progress2_0%1.png"},
                 {10, ":/GIF/Blink/blink_%1.png"}};
    if (kind < 0 || kind > 2)
        return;
    for (int n = 1; n <= kinds[kind].count; ++n)
    {
        const QString number =
            kind == 1 ? QString::number(n) : QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        const QPixmap frame(QString::fromLatin1(kinds[kind].pattern).arg(number));
        if (!frame.isNull())
            m_frames << frame;
    }
    if (!m_frames.isEmpty())
        setPixmap(m_frames.first());
}

void GIFWidget::Start()
{
    m_timer.start();
    if (m_hideWhenStopped)
        show();
}

void GIFWidget::Stop()
{
    m_timer.stop();
    if (m_hideWhenStopped)
        hide();
}

void GIFWidget::DoTimerUpdate()
{
    // Without pictures there is nothing to show.
    if (m_frames.isEmpty())
        return;
    const int shown = m_frameIndex < m_frames.size() ? m_frameIndex : 0;
    setPixmap(m_frames[shown]);
    m_frameIndex = shown + 1;
}
