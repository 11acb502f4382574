#include "StyledButton.h"

StyledButton::StyledButton(const QString& checkedPicture, const QString& uncheckedPicture, QWidget* parent)
    : QPushButton(parent), m_checkedPicture(checkedPicture), m_uncheckedPicture(uncheckedPicture)
{
    setFocusPolicy(Qt::NoFocus);
    setCheckable(true);
    setFlat(true);
    setStyleSheet(QStringLiteral("QPushButton{border: none; padding: 0px; background: transparent;}"));
    const QPixmap picture(m_uncheckedPicture);
    if (!picture.isNull())
        setIconSize(picture.size());
    connect(this, &QPushButton::clicked, this, &StyledButton::DoClicked);
    DoClicked(false);
}

void StyledButton::DoClicked(bool checked)
{
    setIcon(QIcon(checked ? m_checkedPicture : m_uncheckedPicture));
}
