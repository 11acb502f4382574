#include "MainMenuPage.h"

#include "Common.h"
#include "FrameKit.h"
#include "GuiManager.h"
#include "GuiMetrics.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QuitConfirmModal::QuitConfirmModal() : NModalWidget(QString(), MODAL_OK_CANCEL)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2 * GuiUnit, 0, 2 * GuiUnit);
    layout->setSpacing(0);
    QLabel* text = FrameKit::CreateLabel(0, tr("Do you really want to quit?"), Common::ColorLight());
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
}

void QuitConfirmModal::DoButtonOKClick()
{
    NModalWidget::DoButtonOKClick();
    GuiManager::Instance()->RequestQuit();
}

void QuitConfirmModal::DoButtonCancelClick()
{
    NModalWidget::DoButtonCancelClick();
    emit OnModalExit();
}

MainMenuPage::MainMenuPage() : NPage(ID_MAIN_MENU, ID_EMPTY, QStringLiteral("Main Menu"))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(GuiMargin + GuiUnit, GuiMargin + GuiUnit, GuiMargin + GuiUnit,
                               GuiMargin + GuiUnit);
    layout->setSpacing(GuiUnit);
    layout->addWidget(CreateTitle(GuiUnit, tr("Main Menu")));
    layout->addStretch(1);

    struct Entry
    {
        QString caption;
        int pageId;
    };
    const QList<QPair<QString, QList<Entry>>> groups = {
        {tr("Single Player"),
         {{tr("Quick Skirmish"), ID_SKIRMISH_SIMPLE},
          {tr("Custom Skirmish"), ID_SKIRMISH_CUSTOM},
          {tr("Replays"), ID_REPLAYS}}},
        {tr("Multiplayer"),
         {{tr("Lobby Server"), ID_SPRING_LOGIN},
          {tr("Custom Server"), ID_SPRING_LOGIN_CUSTOM},
          {tr("Steam"), ID_STEAM_LOGIN}}},
        {tr("Program"),
         {{tr("Settings"), ID_GAME_SETTINGS},
          {tr("Extras"), ID_EXTRAS},
          {tr("About"), ID_ABOUT},
          {tr("Updates"), ID_UPDATES}}},
        {tr("Developers"), {{tr("AI Projects"), ID_AI_PROJECTS}, {tr("Game Tests"), ID_GAME_TESTS}}},
    };

    // Two columns (single player over the developers' tools, multiplayer over the program), so that
    // the menu fits the smallest window in every language: a third column left too little room for
    // the longest captions. They are one grid, whose rows both share: a window too short for the
    // longer column takes the same room from both, and their rows and headings stay in line.
    const QList<int> columnOfGroup = {0, 1, 1, 0};
    auto* grid = new QGridLayout();
    grid->setHorizontalSpacing(4 * GuiUnit);
    grid->setVerticalSpacing(GuiUnitHalf);
    int nextRow[2] = {0, 0};
    for (int index = 0; index < groups.size(); ++index)
    {
        const auto& group = groups.at(index);
        const int column = columnOfGroup.at(index);
        int& row = nextRow[column];
        if (row > 0)
        {
            // Between groups, two units more than between rows (the grid keeps no spacing of its
            // own around an empty row).
            grid->addItem(new QSpacerItem(0, 2 * GuiUnit, QSizePolicy::Minimum, QSizePolicy::Fixed), row++,
                          column);
        }
        QLabel* heading = FrameKit::CreateLabel(3, group.first, Common::ColorMain());
        heading->setAlignment(Qt::AlignCenter);
        grid->addWidget(heading, row++, column);
        m_headings << heading;
        for (const Entry& entry : group.second)
        {
            QPushButton* button = FrameKit::CreateModalButton(2, entry.caption);
            button->setProperty("PAGE_ID", entry.pageId);
            const int pageId = entry.pageId;
            connect(button, &QPushButton::clicked, this, [this, pageId] { emit OnNextPageClick(pageId); });
            grid->addWidget(button, row++, column);
            m_pageButtons << button;
        }
    }
    auto* center = new QHBoxLayout();
    center->addStretch(1);
    center->addLayout(grid);
    center->addStretch(1);
    layout->addLayout(center);
    layout->addStretch(1);

    auto* bottom = new QHBoxLayout();
    bottom->addStretch(1);
    m_quit = FrameKit::CreateMenuButton(7, tr("Quit"));
    m_quit->setObjectName(QStringLiteral("QuitButton"));
    connect(m_quit, &QPushButton::clicked, this, &MainMenuPage::DoQuitClick);
    bottom->addWidget(m_quit);
    bottom->addStretch(1);
    layout->addLayout(bottom);
}

void MainMenuPage::DoQuitClick()
{
    emit OnModalPageClick(new QuitConfirmModal());
}

void MainMenuPage::keyPress(QKeyEvent* event)
{
    if (event && (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Backspace))
        DoQuitClick();
}
