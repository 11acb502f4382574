#pragma once

#include <QPushButton>

// A country flag as a checkable button: bright when checked or under the pointer, dimmed otherwise.
class NFlagButton : public QPushButton
{
    Q_OBJECT

public:
    explicit NFlagButton(const QString& countryCode, QWidget* parent = nullptr);

    QString GetCountryCode() const { return m_code; }

    enum FlagState
    {
        FlagEnter,
        FlagLeave,
        FlagPressed,
        FlagReleased
    };
    // The icon picture for a state; exposed for the gallery and tests.
    QImage Render(FlagState state) const;

public slots:
    void DoToggle(bool value);
    void DoClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyState(FlagState state);

    QString m_code;
};
