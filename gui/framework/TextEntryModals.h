#pragma once

#include "NModalWidget.h"

class NLineEdit;

// Asks for one line of text. OK (or Enter) returns it and closes; Cancel (or Escape) closes.
class TextEntryModal : public NModalWidget
{
    Q_OBJECT

public:
    NLineEdit* LineEdit() const { return m_edit; }

public slots:
    void DoButtonCancelClick() override;

protected:
    TextEntryModal(const QString& title, const QString& prompt, bool password);

    NLineEdit* m_edit = nullptr;
};

// The value of a free-text option.
class TypeOptionStringModal final : public TextEntryModal
{
    Q_OBJECT

public:
    TypeOptionStringModal(const QString& title, const QString& prompt);

signals:
    void OnReturnValue(QString value);

public slots:
    void DoButtonOKClick() override;
};

// The password of a protected battle.
class TypePasswordModal final : public TextEntryModal
{
    Q_OBJECT

public:
    explicit TypePasswordModal(int battleId);

signals:
    void OnReturnValue(int battleID, QString value);

public slots:
    void DoButtonOKClick() override;

private:
    int m_battleId = 0;
};
