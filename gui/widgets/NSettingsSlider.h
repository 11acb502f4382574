#pragma once

#include <QWidget>

class NImageLabel;
class NSlider;

// A settings row: title, slider and the value as a number, or a red "OFF" at zero.
// Moving the slider updates the number at once (OnValueChanged); releasing it plays "button.on"
// or, at zero, "button.off" (OnValueSoundChange). A key, the wheel or a click beside the handle
// does both at once.
class NSettingsSlider final : public QWidget
{
    Q_OBJECT

public:
    NSettingsSlider(const QString& title, int minimum, int maximum, bool highlight,
                    QWidget* parent = nullptr);

    // Clamped to the range; emits nothing.
    void SetValue(int value);
    int GetValue() const;
    void SetValueText(const QString& text);
    // Hides or shows both value labels, and whether zero shows "OFF".
    void SetLabelsVisible(bool visible);
    void SetLabelsWidth(int width);
    void SetSliderWidth(int width);

    NSlider* Slider() const { return m_slider; }
    NImageLabel* ValueLabel() const { return m_valueLabel; }
    NImageLabel* OffLabel() const { return m_offLabel; }

signals:
    void OnValueChanged(int value);
    void OnValueSoundChange(int value);

public slots:
    void DoValueChanged(int value);
    void DoValueSoundChanged(int value);

private slots:
    void DoValueSettled(int value);

private:
    void ShowValueOrOff(int value);

    NImageLabel* m_valueLabel = nullptr;
    NSlider* m_slider = nullptr;
    NImageLabel* m_offLabel = nullptr;
    bool m_showOff = true;
    int m_shownValue = 0; // the value the row shows and last reported
};
