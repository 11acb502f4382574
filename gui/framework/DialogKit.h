#pragma once

#include <QColor>
#include <QString>

class NButton;
class NButtonModal;
class NImageLabel;
class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QLayout;
class QWidget;

// Small building blocks shared by the dialogs.
namespace DialogKit
{
// A caption. Text that comes from outside (player names, map information, messages) is shown as
// plain text, never interpreted as rich text.
NImageLabel* Label(int fontKind, const QString& text, const QColor& color, bool centred = true);
// A picture from the resources, at its own size.
QLabel* Picture(const QString& path);
// A row holding the widget (or layout) between two stretches.
QHBoxLayout* Centred(QWidget* widget);
QHBoxLayout* Centred(QLayout* layout);
// The dialogs' usual choice button: NButton of colour 2 without a click sound of its own.
NButton* ChoiceButton(const QString& caption);
// Select and Cancel of the list dialogs: NButtonModal of colour 2 that plays no click of its own
// (the dialog plays the on or off sound).
NButtonModal* ModalButton(const QString& caption);
// A frame holding the layout.
QWidget* Framed(QLayout* layout);
} // namespace DialogKit
