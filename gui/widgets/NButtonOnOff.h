#pragma once

#include <QButtonGroup>
#include <QWidget>

class NButton;

// An ON/OFF switch made of two exclusive buttons.
class NButtonOnOff : public QWidget
{
    Q_OBJECT

public:
    explicit NButtonOnOff(QWidget* parent = nullptr);

    bool GetValue() const;
    // Sets the switch from code; emits nothing.
    void SetValue(bool value);

    NButton* OnButton() const { return m_on; }
    NButton* OffButton() const { return m_off; }

signals:
    void OnValueChanged(bool value);

public slots:
    void DoValueChanged(int id);

private:
    QButtonGroup* m_group = nullptr;
    NButton* m_on = nullptr;
    NButton* m_off = nullptr;
};
