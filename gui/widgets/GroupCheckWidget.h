#pragma once

#include <QWidget>

// Reports which button of a group, each known by an id, was chosen last, and only real changes.
// Subclasses hold the buttons and route their clicks to ButtonClicked.
class GroupCheckWidget : public QWidget
{
    Q_OBJECT

public:
    explicit GroupCheckWidget(QWidget* parent = nullptr);

    // -1 while none was chosen.
    int GetLastId() const { return m_lastId; }

signals:
    void OnButtonClicked(int id);

public slots:
    virtual void Clear();
    void ButtonClicked(int id);

private:
    int m_lastId = -1;
};
