#pragma once

#include "DataPlayer.h"
#include "NModalWidget.h"

class QLayout;

// The small dialogs that change one attribute of a player or AI. Each works on a copy of the
// record and hands the whole record back; Close or Escape returns nothing.

class SelectSideModal final : public NModalWidget
{
    Q_OBJECT

public:
    explicit SelectSideModal(const DataPlayer& player);
    // One button per side of the current game ("SIDE", "SIDE_NAME"), to the receiver's DoButtonClick().
    static QLayout* CreateSideButtons(QObject* receiver);

signals:
    void OnSideClick(DataPlayer player);

public slots:
    void DoButtonClick();

private:
    DataPlayer m_player;
};

class SelectAISideModal final : public NModalWidget
{
    Q_OBJECT

public:
    explicit SelectAISideModal(const DataPlayer& ai);

signals:
    void OnSideClick(DataPlayer player);

public slots:
    void DoButtonClick();

private:
    DataPlayer m_ai;
};

class SelectColorModal final : public NModalWidget
{
    Q_OBJECT

public:
    explicit SelectColorModal(const DataPlayer& player);
    static constexpr int MaxColors = 20;

signals:
    void OnColorClick(DataPlayer player);

public slots:
    void DoButtonClick();

private:
    DataPlayer m_player;
};

class SelectDifficultModal final : public NModalWidget
{
    Q_OBJECT

public:
    explicit SelectDifficultModal(const DataPlayer& ai);

signals:
    void OnDifficultClick(DataPlayer player);

public slots:
    void DoButtonClick();

private:
    DataPlayer m_ai;
};

// Returns "0" (fixed), "1" (random) or "2" (chosen in game).
class SelectStartPositionModal final : public NModalWidget
{
    Q_OBJECT

public:
    SelectStartPositionModal();

signals:
    void OnReturnValue(QString value);

public slots:
    void Do0Click();
    void Do1Click();
    void Do2Click();

private:
    void Return(const QString& value);
};
