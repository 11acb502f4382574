#pragma once

#include <QPushButton>

// A checkable icon button that shows one picture when checked and another when not.
class StyledButton : public QPushButton
{
    Q_OBJECT

public:
    StyledButton(const QString& checkedPicture, const QString& uncheckedPicture, QWidget* parent = nullptr);

public slots:
    void DoClicked(bool checked);

private:
    QString m_checkedPicture;
    QString m_uncheckedPicture;
};
