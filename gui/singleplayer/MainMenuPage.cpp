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

    auto* grid = new QGridLayout();
    grid->setHorizontalSpacing(2 * GuiUnit);
    grid->setVerticalSpacing(GuiUnitHalf);
    int column = 0;
    for (const auto& group : groups)
    {
        QLabel* heading = FrameKit::CreateLabel(3, group.first, Common::ColorMain());
        heading->setAlignment(Qt::AlignCenter);
        grid->addWidget(heading, 0, column);
        int row = 1;
        for (const Entry& entry : group.second)
        {
            QPushButton* button = FrameKit::CreateMenuButton(2, entry.caption);
            button->setProperty("PAGE_ID", entry.pageId);
            const int pageId = entry.pageId;
            connect(button, &QPushButton::clicked, this, [this, pageId] { emit OnNextPageClick(pageId); });
            grid->addWidget(button, row++, column);
            m_pageButtons << button;
        }
        grid->setRowStretch(row, 0);
        ++column;
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
