#pragma once

#include <QString>
#include <QWidget>

// What the modal page shows around a dialog.
enum ModalType : int
{
    MODAL_OK_CANCEL = 0,
    MODAL_CLOSE = 1,
    MODAL_NO_BUTTONS = 2
};

// Base of every dialog. Dialogs live on the one modal page, never in windows of their own; a
// dialog that is done emits OnModalExit.
class NModalWidget : public QWidget
{
    Q_OBJECT

public:
    NModalWidget(const QString& title, ModalType type);
    ~NModalWidget() override;

    ModalType GetModalType() const { return m_type; }
    QString GetTitle() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }

    // Plays the off sound, then closes the dialog.
    void ExitWithSound();

signals:
    void OnClick_OK();
    void OnClick_Cancel();
    void OnModalExit();

public slots:
    virtual void DoButtonOKClick();
    virtual void DoButtonCancelClick();

private:
    QString m_title;
    ModalType m_type;
};
