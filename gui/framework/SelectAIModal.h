#pragma once

#include "DataPlayer.h"
#include "NModalWidget.h"

class CustomAITreeView;
class QPushButton;

// "Add an AI": one column of buttons per AI family that suits the current game. Each button is
// an AI key with a difficulty level and a side; a press hands back the AI's record.
class SelectAIModal final : public NModalWidget
{
    Q_OBJECT

public:
    explicit SelectAIModal(int allyTeam);

    // The values an AI button carries ("NAME_SHORT", "LEVEL", "SIDE_ID"; absent numbers read 0).
    static QString GetButtonNameShort(const QObject* button);
    static int GetButtonLevel(const QObject* button);
    static int GetButtonSideId(const QObject* button);

    // The family columns, shared with the side and difficulty dialogs: every button's clicked()
    // goes to the receiver's DoButtonClick(), the custom button to its DoButtonCustomClick().
    static QWidget* CreateRavButtons(QObject* receiver);
    static QWidget* CreateVeskaButtons(QObject* receiver);
    static QWidget* CreateSkitterhiveButtons(QObject* receiver);
    static QWidget* CreateMissionButtons(QObject* receiver);
    QWidget* CreateCustomButtons();

    CustomAITreeView* CustomList() const { return m_customList; }

signals:
    void OnAIClick(DataPlayer ai);

public slots:
    void DoButtonClick();
    void DoButtonCustomClick();

private:
    int m_allyTeam = 0;
    CustomAITreeView* m_customList = nullptr;
};
