#pragma once

#include <QList>
#include <QWidget>

class NImageLabel;
class QLabel;

// A centred row of step marks showing where a wizard stands: dots (mode 0) or numbers (mode 1).
class NProgressPage final : public QWidget
{
    Q_OBJECT

public:
    NProgressPage(int count, int mode);

    // Marks step n (from 0): dots 0 to n light up; in numbers only number n takes the accent colour.
    // A negative n changes nothing.
    void SetCurrentStep(int n);

    const QList<QLabel*>& Dots() const { return m_dots; }
    const QList<NImageLabel*>& Numbers() const { return m_numbers; }

private:
    void BuildSteps(int count);

    int m_mode = 0;
    QList<QLabel*> m_dots;
    QList<NImageLabel*> m_numbers;
};
