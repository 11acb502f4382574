#include "TextEntryModals.h"

#include "Common.h"
#include "DialogKit.h"
#include "GuiMetrics.h"
#include "NImageLabel.h"
#include "NLineEdit.h"

#include <QTimer>
#include <QVBoxLayout>

TextEntryModal::TextEntryModal(const QString& title, const QString& prompt, bool password)
    : NModalWidget(title.toUpper(), MODAL_OK_CANCEL)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 5 * GuiUnit, 0, 4 * GuiUnit);
    layout->setSpacing(2 * GuiUnit);
    NImageLabel* label = DialogKit::Label(3, prompt, Common::ColorMain());
    label->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(label);

    m_edit = new NLineEdit();
    m_edit->setAlignment(Qt::AlignCenter);
    m_edit->setFixedWidth(Common::Scale(360));
    if (password)
        m_edit->setEchoMode(QLineEdit::Password);
    layout->addLayout(DialogKit::Centred(m_edit));
    QTimer::singleShot(50, m_edit, [edit = m_edit] { edit->setFocus(); });
}

void TextEntryModal::DoButtonCancelClick()
{
    emit OnModalExit();
}

TypeOptionStringModal::TypeOptionStringModal(const QString& title, const QString& prompt)
    : TextEntryModal(title, prompt, false)
{
}

void TypeOptionStringModal::DoButtonOKClick()
{
    emit OnReturnValue(m_edit->text());
    emit OnModalExit();
}

TypePasswordModal::TypePasswordModal(int battleId)
    : TextEntryModal(tr("Battle is password protected"), tr("Please enter the password:"), true),
      m_battleId(battleId)
{
}

void TypePasswordModal::DoButtonOKClick()
{
    emit OnReturnValue(m_battleId, m_edit->text());
    emit OnModalExit();
}
