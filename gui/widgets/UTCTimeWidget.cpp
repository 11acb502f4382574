#include "UTCTimeWidget.h"

#include "Common.h"
#include "GuiMetrics.h"
#include "NImageLabel.h"

#include <QVBoxLayout>

UTCTimeWidget::UTCTimeWidget(int kind, QWidget* parent) : QFrame(parent), m_kind(kind)
{
    QString title;
    QString tooltip;
    switch (kind)
    {
    case 0:
        title = tr("CET");
        tooltip = tr("Central European Time");
        break;
    case 1:
        title = tr("UTC");
        tooltip = tr("Coordinated Universal Time");
        break;
    case 2:
        title = tr("NOW");
        tooltip = tr("Local Time");
        break;
    default:
        break;
    }
    auto* titleLabel = new NImageLabel(8, title, Common::ColorMain());
    titleLabel->setAlignment(Qt::AlignCenter);
    titleLabel->setToolTip(tooltip);
    m_time = new NImageLabel(8, QString(), Common::ColorWhite());
    m_time->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(GuiUnit / 2);
    layout->addStretch();
    layout->addWidget(titleLabel);
    layout->addWidget(m_time);
    layout->addStretch();

    m_timer.setSingleShot(true);
    // A coarse timer may fire up to 5 % early, still in the old minute.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &UTCTimeWidget::DoUpdateTime);
    DoUpdateTime();
}

QDateTime UTCTimeWidget::TimeOfKind(int kind, const QDateTime& utcNow)
{
    const QDateTime utc = utcNow.toUTC();
    switch (kind)
    {
    case 0:
        return utc.addSecs(3600);
    case 1:
        return utc;
    default:
        return utc.toLocalTime();
    }
}

void UTCTimeWidget::DoUpdateTime()
{
    const QDateTime time = TimeOfKind(m_kind, QDateTime::currentDateTimeUtc());
    m_time->SetText(time.toString(QStringLiteral("hh:mm")));
    m_time->setToolTip(time.toString(QStringLiteral("dd MMMM yyyy")));
    // One pending redraw at a time, however often this runs.
    m_timer.start(int(Common::MsecsToNextMinute(QDateTime::currentDateTime())));
}
