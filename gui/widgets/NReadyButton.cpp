#include "NReadyButton.h"

#include "SoundManager.h"

#include <QEvent>

QString NReadyButton::ReadySheet()
{
    return QStringLiteral(
        "QPushButton{border-image: url(:/PlayerStatus/player_not_ready.png);border:\tnone;padding:\t0px;}"
        "QPushButton:hover{border-image: url(:/PlayerStatus/player_not_ready_hover.png);}"
        "QPushButton:hover:pressed{border-image: url(:/PlayerStatus/player_ready_hover.png);}"
        "QPushButton:checked{border-image: url(:/PlayerStatus/player_ready.png);}"
        "QPushButton:checked:hover{border-image: url(:/PlayerStatus/player_ready_hover.png);}"
        "QPushButton:checked:hover:pressed{border-image: url(:/PlayerStatus/player_not_ready_hover.png);}");
}

QString NReadyButton::NotSyncedSheet()
{
    return QStringLiteral(
        "QPushButton{border-image: url(:/PlayerStatus/player_not_sync.png);border:\tnone;padding:\t0px;}"
        "QPushButton:hover{border-image: url(:/PlayerStatus/player_not_sync_hover.png);}"
        "QPushButton:hover:pressed{border-image: url(:/PlayerStatus/player_not_sync.png);}"
        "QPushButton:checked{border-image: url(:/PlayerStatus/player_not_sync.png);}"
        "QPushButton:checked:hover{border-image: url(:/PlayerStatus/player_not_sync_hover.png);}"
        "QPushButton:checked:hover:pressed{border-image: url(:/PlayerStatus/player_not_sync.png);}");
}

NReadyButton::NReadyButton(bool silent, QWidget* parent) : QPushButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_LayoutUsesWidgetRect);
    setCheckable(true);
    installEventFilter(this);
    if (!silent)
        connect(this, &QPushButton::clicked, this, &NReadyButton::DoClicked);
    setStyleSheet(ReadySheet());
}

void NReadyButton::SetSynced(bool synced)
{
    setStyleSheet(synced ? ReadySheet() : NotSyncedSheet());
}

void NReadyButton::DoClicked()
{
    SoundManager::PlayButtonClick();
}

bool NReadyButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == this && event->type() == QEvent::Enter)
        SoundManager::PlayButtonHover();
    return QPushButton::eventFilter(watched, event);
}
