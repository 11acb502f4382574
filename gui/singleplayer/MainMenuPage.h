#pragma once

#include "NModalWidget.h"
#include "NPage.h"

#include <QList>

class QLabel;
class QPushButton;

// Asks before the program quits.
class QuitConfirmModal : public NModalWidget
{
    Q_OBJECT

public:
    QuitConfirmModal();

public slots:
    void DoButtonOKClick() override;
    void DoButtonCancelClick() override;
};

// The main menu: one button for each page a player can go to from here, and Quit. The campaign and
// tutorial lists and the mission and AI editors have no entry; they are shown by page id.
class MainMenuPage : public NPage
{
    Q_OBJECT

public:
    MainMenuPage();

    void keyPress(QKeyEvent* event) override;

    // The page buttons, each carrying its page id in the property "PAGE_ID".
    QList<QPushButton*> GetPageButtons() const { return m_pageButtons; }
    QPushButton* GetQuitButton() const { return m_quit; }
    // The headings over the groups of page buttons.
    QList<QLabel*> GetHeadings() const { return m_headings; }

public slots:
    void DoQuitClick();

private:
    QList<QLabel*> m_headings;
    QList<QPushButton*> m_pageButtons;
    QPushButton* m_quit = nullptr;
};
