#pragma once

#include <QWidget>

class NButtonOnOff;
class NSettingsSlider;

// A settings row of a slider (0-100, no value labels) with its own ON/OFF switch.
class NSettingsSliderOnOff final : public QWidget
{
    Q_OBJECT

public:
    explicit NSettingsSliderOnOff(const QString& title, QWidget* parent = nullptr);

    // Both emit nothing.
    void SetOn(bool on);
    void SetValue(int value);
    void SetSliderEnabled(bool enabled);

    NSettingsSlider* SliderRow() const { return m_slider; }
    NButtonOnOff* Switch() const { return m_switch; }

signals:
    void OnEnableChange(bool value);
    void OnValueChange(int value);
    void OnValueSoundChange(int value);

private:
    NSettingsSlider* m_slider = nullptr;
    NButtonOnOff* m_switch = nullptr;
};
