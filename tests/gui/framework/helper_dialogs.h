#pragma once

#include "NModalWidget.h"

#include <QPointer>
#include <QStringList>

class QWidget;

// Shows dialogs as the program does, on the modal page inside the real main window, and drives
// them with real key and mouse events. Needs a TestEnvironment; takes the interface down again.
class DialogHost
{
public:
    DialogHost();
    ~DialogHost();

    // Opens the dialog the way a page does.
    void Open(NModalWidget* dialog);
    // The modal page is on screen with the dialog.
    bool IsOpen() const;
    // A key press and release sent to the widget with the keyboard focus (else the window), so
    // that it travels up the widget tree as a typed key does.
    void Key(int key);
    void Type(const QString& text);
    void Click(QWidget* widget);
    void DoubleClick(QWidget* widget, const QPoint& at);
    // Interface sounds asked for since the dialog opened.
    QStringList Sounds() const { return m_sounds; }
    QWidget* Focus() const;

private:
    QPointer<NModalWidget> m_dialog;
    QStringList m_sounds;
};

// The buttons of a dialog whose property `name` is set, top to bottom and left to right on screen.
QList<class QPushButton*> ButtonsWith(QWidget* dialog, const char* name);
