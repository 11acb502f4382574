#include "NSettingsSliderOnOff.h"

#include "GuiMetrics.h"
#include "NButtonOnOff.h"
#include "NSettingsSlider.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

NSettingsSliderOnOff::NSettingsSliderOnOff(const QString& title, QWidget* parent)
    : QWidget(parent), m_slider(new NSettingsSlider(title, 0, 100, true)), m_switch(new NButtonOnOff())
{
    m_slider->SetLabelsVisible(false);
    m_slider->SetSliderWidth(GuiSettingsLabelWidth);

    auto* column = new QVBoxLayout();
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addStretch();
    column->addWidget(m_slider);
    column->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch();
    layout->addLayout(column);
    layout->addSpacing(GuiUnit);
    layout->addWidget(m_switch);
    layout->addSpacing(GuiMarginSlider);

    connect(m_slider, &NSettingsSlider::OnValueChanged, this, &NSettingsSliderOnOff::OnValueChange);
    connect(m_slider, &NSettingsSlider::OnValueSoundChange, this, &NSettingsSliderOnOff::OnValueSoundChange);
    connect(m_switch, &NButtonOnOff::OnValueChanged, this, &NSettingsSliderOnOff::OnEnableChange);
}

void NSettingsSliderOnOff::SetOn(bool on)
{
    m_switch->SetValue(on);
}

void NSettingsSliderOnOff::SetValue(int value)
{
    m_slider->SetValue(value);
}

void NSettingsSliderOnOff::SetSliderEnabled(bool enabled)
{
    m_slider->setEnabled(enabled);
}
