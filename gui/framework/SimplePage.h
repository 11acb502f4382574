#pragma once

#include "NPage.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

// A page with the standard title bar, a body and a Back button; Escape and Backspace go back.
// Pages that only need to exist in the navigation start from it.
class SimplePage : public NPage
{
    Q_OBJECT

public:
    SimplePage(int ownId, int exitId, const QString& name, const QString& title);

    void keyPress(QKeyEvent* event) override;

    QVBoxLayout* GetBody() const { return m_body; }
    QPushButton* GetBackButton() const { return m_back; }
    // Adds a button that asks for another page.
    QPushButton* AddPageButton(const QString& caption, int pageId);

private:
    QVBoxLayout* m_body = nullptr;
    QPushButton* m_back = nullptr;
};
