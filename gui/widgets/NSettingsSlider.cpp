#include "NSettingsSlider.h"

#include "Common.h"
#include "NImageLabel.h"
#include "NSlider.h"
#include "SoundManager.h"

#include <QHBoxLayout>

NSettingsSlider::NSettingsSlider(const QString& title, int minimum, int maximum, bool highlight,
                                 QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* titleLabel = new NImageLabel(14, title, highlight ? Common::ColorMain() : Common::ColorWhite());
    m_slider = new NSlider(Qt::Horizontal, true);
    m_slider->setTracking(false);
    m_offLabel = new NImageLabel(15, tr("OFF"), Common::ColorRed());
    m_offLabel->setFixedWidth(Common::Scale(65));
    m_offLabel->hide();
    m_valueLabel = new NImageLabel(15, QString(), Common::ColorWhite());
    m_valueLabel->setFixedWidth(Common::Scale(65));
    layout->addWidget(titleLabel, 0);
    layout->addWidget(m_slider, 1);
    layout->addWidget(m_offLabel);
    layout->addWidget(m_valueLabel);
    m_slider->setRange(minimum, maximum);
    m_shownValue = m_slider->value();

    connect(m_slider, &QSlider::sliderMoved, this, &NSettingsSlider::DoValueChanged);
    // Keys, the wheel and clicks beside the handle change the value without a drag: the number
    // follows them before their sound plays.
    connect(m_slider, &QSlider::valueChanged, this, &NSettingsSlider::DoValueSettled);
    connect(m_slider, &QSlider::valueChanged, this, &NSettingsSlider::DoValueSoundChanged);
}

void NSettingsSlider::SetValue(int value)
{
    m_slider->SetValue(value);
    m_shownValue = m_slider->value();
    m_valueLabel->SetText(QString::number(m_shownValue));
    ShowValueOrOff(m_shownValue);
}

int NSettingsSlider::GetValue() const
{
    return m_slider->value();
}

void NSettingsSlider::SetValueText(const QString& text)
{
    m_valueLabel->SetText(text);
}

void NSettingsSlider::SetLabelsVisible(bool visible)
{
    m_showOff = visible;
    m_valueLabel->setVisible(visible);
    m_offLabel->setVisible(visible);
    // Never "OFF" beside a number: of the two, only the one the value calls for stays.
    ShowValueOrOff(m_slider->value());
}

void NSettingsSlider::SetLabelsWidth(int width)
{
    m_valueLabel->setFixedWidth(width);
    m_offLabel->setFixedWidth(width);
}

void NSettingsSlider::SetSliderWidth(int width)
{
    m_slider->setFixedWidth(width);
}

void NSettingsSlider::DoValueChanged(int value)
{
    m_shownValue = value;
    m_valueLabel->SetText(QString::number(value));
    ShowValueOrOff(value);
    emit OnValueChanged(value);
}

void NSettingsSlider::DoValueSettled(int value)
{
    // A drag has shown and reported its value while it moved; its release is no second change.
    if (value != m_shownValue)
        DoValueChanged(value);
}

void NSettingsSlider::DoValueSoundChanged(int value)
{
    if (value != 0)
        SoundManager::PlayButtonOn();
    else
        SoundManager::PlayButtonOff();
    emit OnValueSoundChange(value);
}

void NSettingsSlider::ShowValueOrOff(int value)
{
    if (!m_showOff)
        return;
    m_valueLabel->setVisible(value != 0);
    m_offLabel->setVisible(value == 0);
}
