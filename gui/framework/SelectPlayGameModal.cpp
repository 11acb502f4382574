#include "SelectPlayGameModal.h"

#include "AppDefines.h"
#include "AppRestart.h"
#include "Common.h"
#include "DialogKit.h"
#include "GuiMetrics.h"
#include "NButtonBase.h"
#include "NImageLabel.h"
#include "PathManager.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QVariant>

SelectPlayGameModal::SelectPlayGameModal() : NModalWidget(tr("Select Game").toUpper(), MODAL_CLOSE)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 5 * GuiUnit, 0, 4 * GuiUnit);
    layout->setSpacing(2 * GuiUnit);

    auto* games = new QHBoxLayout();
    games->setSpacing(2 * GuiUnit);
    games->addStretch();
    for (const GameDefinition& game : AppDefines::GameTable())
    {
        auto* column = new QVBoxLayout();
        column->setSpacing(GuiUnit);
        column->addWidget(DialogKit::Picture(QStringLiteral(":/Extras/game.%1.png").arg(game.shortCode)));
        NButton* button = DialogKit::ChoiceButton(game.namePattern);
        // The short code: the start-up game choice looks games up by it.
        button->setProperty("GAME_NAME_ID", game.shortCode);
        connect(button, &QPushButton::clicked, this, &SelectPlayGameModal::DoGameClick);
        column->addLayout(DialogKit::Centred(button));
        games->addWidget(DialogKit::Framed(column));
    }
    games->addStretch();
    layout->addLayout(games);
    layout->addLayout(CreateInfoLayout(GuiUnit));

    m_error = DialogKit::Label(3, QString(), Common::ColorRed());
    // It names a file, which may be long.
    m_error->setWordWrap(true);
    m_error->hide();
    layout->addWidget(m_error);
}

QHBoxLayout* SelectPlayGameModal::CreateInfoLayout(int unit)
{
    auto* row = new QHBoxLayout();
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2 * unit);
    row->addWidget(DialogKit::Label(16, tr("After select lobby is going to restart automatically"),
                                    Common::ColorGreen()));
    return row;
}

QString SelectPlayGameModal::RunGameFilePath()
{
    return QStringLiteral("%1/%2").arg(PathManager::Instance()->GetLobbyDataDir(),
                                       AppDefines::GetRunGameFileName());
}

void SelectPlayGameModal::DoGameClick()
{
    const QObject* button = sender();
    if (!button)
        return;
    const QString gameId = button->property("GAME_NAME_ID").toString();
    const QString path = RunGameFilePath();
    if (!Common::WriteValue(path, gameId))
    {
        // Restarting now would bring back the previous game and lose the choice silently.
        qWarning().noquote() << "SelectPlayGameModal :: NOT RESTARTED --- game choice not written" << path;
        m_error->SetText(
            tr("The game choice could not be saved to %1. The lobby is not restarted.").arg(path));
        m_error->show();
        return;
    }
    qDebug().noquote() << "SelectPlayGameModal :: GAME ---" << gameId;
    AppRestart::Restart();
}
