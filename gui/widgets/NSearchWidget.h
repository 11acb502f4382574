#pragma once

#include <QTimer>
#include <QWidget>

class NLineEdit;

// The search field above a list. It reports the typed text once typing pauses for 300 ms;
// Escape clears it at once (or, when already empty, reports OnKeyEsc); Return reports OnKeyEnter;
// the arrow keys hand the focus on to the list.
class NSearchWidget final : public QWidget
{
    Q_OBJECT

public:
    explicit NSearchWidget(QWidget* parent = nullptr);

    NLineEdit* LineEdit() const { return m_edit; }
    QString GetText() const;

signals:
    void OnFilterChanged(QString text);
    void OnFocusNextWidget();
    void OnKeyEsc();
    void OnKeyEnter();

public slots:
    // Focuses the field 50 ms later, after a dialog that opens it has been shown.
    void setFocus();
    void DoTextChanged(QString text);
    void DoTimerFilterChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTimer m_timer;
    NLineEdit* m_edit = nullptr;
};
