#include "NProgressPage.h"

#include "Common.h"
#include "NImageLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <cmath>

namespace
{
const QString InactivePicture = QStringLiteral(":/Progress/progress_page_inactive.png");
const QString ActivePicture = QStringLiteral(":/Progress/progress_page_active.png");
const QColor SeparatorGrey(158, 158, 158);

// Sizes are rounded to the nearest pixel, halves away from zero.
int Round(double value)
{
    return int(std::lround(value));
}
} // namespace

NProgressPage::NProgressPage(int count, int mode) : m_mode(mode)
{
    BuildSteps(count);
}

void NProgressPage::BuildSteps(int count)
{
    auto* layout = new QHBoxLayout();
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch(1);
    const QSize mark = QPixmap(InactivePicture).size();
    const int w = mark.width();
    const int h = mark.height();
    for (int i = 0; i < count; ++i)
    {
        if (m_mode == 0)
        {
            auto* dot = new QLabel();
            dot->setPixmap(QPixmap(InactivePicture));
            dot->setFixedSize(w, h);
            m_dots << dot;
            layout->addWidget(dot);
        }
        else if (m_mode == 1)
        {
            if (i == 0)
                layout->addSpacing(Round(w / 4.0));
            auto* number = new NImageLabel(5, QString(), Qt::white);
            number->setAlignment(Qt::AlignCenter);
            number->setFixedSize(Round(w * 0.5), Round(h * 0.5));
            number->SetText(QString::number(i + 1));
            m_numbers << number;
            layout->addWidget(number);
            if (i < count - 1)
            {
                auto* separator = new NImageLabel(5, QStringLiteral("-"), SeparatorGrey);
                separator->setAlignment(Qt::AlignCenter);
                separator->setFixedSize(Round(w / 2.0), Round(h / 2.0));
                layout->addWidget(separator);
            }
        }
    }
    layout->addStretch(1);
    setLayout(layout);
}

void NProgressPage::SetCurrentStep(int n)
{
    if (n < 0)
        return;
    if (m_mode == 0)
    {
        const QPixmap inactive(InactivePicture);
        const QPixmap active(ActivePicture);
        for (QLabel* dot : m_dots)
            dot->setPixmap(inactive);
        for (int i = 0; i <= n && i < m_dots.size(); ++i)
            m_dots[i]->setPixmap(active);
    }
    else if (m_mode == 1)
    {
        for (NImageLabel* number : m_numbers)
            number->SetColor(Qt::white);
        if (n < m_numbers.size())
            m_numbers[n]->SetColor(Common::ColorMain());
    }
}
