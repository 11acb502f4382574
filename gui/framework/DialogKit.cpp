#include "DialogKit.h"

#include "NButtonBase.h"
#include "NImageLabel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPixmap>

namespace DialogKit
{
NImageLabel* Label(int fontKind, const QString& text, const QColor& color, bool centred)
{
    auto* label = new NImageLabel(fontKind, QString(), color);
    label->setTextFormat(Qt::PlainText);
    label->SetText(text);
    if (centred)
        label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* Picture(const QString& path)
{
    auto* label = new QLabel();
    label->setPixmap(QPixmap(path));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QHBoxLayout* Centred(QWidget* widget)
{
    auto* row = new QHBoxLayout();
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch();
    row->addWidget(widget);
    row->addStretch();
    return row;
}

QHBoxLayout* Centred(QLayout* layout)
{
    auto* row = new QHBoxLayout();
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch();
    row->addLayout(layout);
    row->addStretch();
    return row;
}

NButton* ChoiceButton(const QString& caption)
{
    auto* button = new NButton(ButtonBlue, true);
    button->SetText(caption);
    return button;
}

NButtonModal* ModalButton(const QString& caption)
{
    auto* button = new NButtonModal(ButtonBlue, false);
    button->SetText(caption);
    return button;
}

QWidget* Framed(QLayout* layout)
{
    auto* frame = new QFrame();
    frame->setLayout(layout);
    return frame;
}
} // namespace DialogKit
