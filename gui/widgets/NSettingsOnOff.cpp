#include "NSettingsOnOff.h"

#include "Common.h"
#include "GuiMetrics.h"
#include "NButtonOnOff.h"
#include "NImageLabel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

NSettingsOnOff::NSettingsOnOff(const QString& title, const QString& description, QWidget* parent)
    : QWidget(parent), m_switch(new NButtonOnOff())
{
    auto* texts = new QVBoxLayout();
    texts->setContentsMargins(0, 0, 0, 0);
    texts->setSpacing(0);
    auto* titleLabel = new NImageLabel(14, title, Common::ColorMain());
    titleLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* descriptionLabel = new NImageLabel(16, description, Common::ColorWhite());
    descriptionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    texts->addStretch();
    texts->addWidget(titleLabel);
    texts->addSpacing(GuiUnit / 4);
    texts->addWidget(descriptionLabel);
    texts->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch();
    layout->addLayout(texts);
    layout->addSpacing(GuiUnit);
    layout->addWidget(m_switch);
    layout->addSpacing(GuiMarginSettings);

    connect(m_switch, &NButtonOnOff::OnValueChanged, this, &NSettingsOnOff::OnValueChanged);
}

bool NSettingsOnOff::GetValue() const
{
    return m_switch->GetValue();
}

void NSettingsOnOff::SetValue(bool value)
{
    m_switch->SetValue(value);
}
