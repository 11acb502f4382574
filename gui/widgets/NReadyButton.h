#pragma once

#include <QPushButton>

// A player's ready mark in the battle room: checked means ready. When the player is not synced the
// button shows the not-synced pictures instead.
class NReadyButton : public QPushButton
{
    Q_OBJECT

public:
    explicit NReadyButton(bool silent = false, QWidget* parent = nullptr);

    static QString ReadySheet();
    static QString NotSyncedSheet();
    void SetSynced(bool synced);

public slots:
    void DoClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
