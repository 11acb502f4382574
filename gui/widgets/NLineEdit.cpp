#include "NLineEdit.h"

#include "Common.h"
#include "NImageLabel.h"

NLineEdit::NLineEdit(QWidget* parent)
    : QLineEdit(parent),
      m_styleTemplate(QStringLiteral("QLineEdit{padding: 4px;border-style: solid;border: 2px solid "
                                     "rgb(%1);border-radius: 2px;color: %2;background: rgba( 12, 12, 12, 100 "
                                     ");}QLineEdit[echoMode=\"2\"]{lineedit-password-character: "
                                     "9679;}QLineEdit:disabled{background: #808080;}"))
{
    setStyleSheet(
        m_styleTemplate.arg(Common::ColorToRgbText(QColor(114, 104, 106)), QStringLiteral("white")));
    setFont(NImageLabel(15).font());
}
