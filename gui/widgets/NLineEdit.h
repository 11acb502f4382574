#pragma once

#include <QLineEdit>

// The styled text field of the interface.
class NLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit NLineEdit(QWidget* parent = nullptr);

    // %1 the border colour as "r,g,b", %2 the text colour; subclasses restyle from it.
    QString GetStyleTemplate() const { return m_styleTemplate; }

private:
    QString m_styleTemplate;
};
