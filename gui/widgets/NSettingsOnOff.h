#pragma once

#include <QWidget>

class NButtonOnOff;

// A settings row: title and description on the right, then an ON/OFF switch.
class NSettingsOnOff final : public QWidget
{
    Q_OBJECT

public:
    NSettingsOnOff(const QString& title, const QString& description, QWidget* parent = nullptr);

    bool GetValue() const;
    // Emits nothing.
    void SetValue(bool value);
    NButtonOnOff* Switch() const { return m_switch; }

signals:
    void OnValueChanged(bool value);

private:
    NButtonOnOff* m_switch = nullptr;
};
