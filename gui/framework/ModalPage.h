#pragma once

#include "NPage.h"

#include <QPointer>

#include "NModalWidget.h"
class QLabel;
class QPushButton;
class QVBoxLayout;

// The one page that shows dialogs: a band across the middle of the window with the dialog's
// title, the dialog and the standard buttons of its modal type.
class ModalPage : public NPage
{
    Q_OBJECT

public:
    // One process-wide instance, created on first use.
    static ModalPage* Instance();
    static bool Exists() { return s_instance != nullptr; }
    static void Destroy();
    // Forgets the instance and deletes it from the event loop, so that a dialog or button whose
    // code is still running on the stack is not deleted under it.
    static void DestroyLater();

    void setModalWidget(NModalWidget* widget) override;
    void keyPress(QKeyEvent* event) override;

    NModalWidget* GetModalWidget() const { return m_widget; }
    QLabel* GetTitleLabel() const { return m_title; }
    QPushButton* GetButtonOK() const { return m_ok; }
    QPushButton* GetButtonCancel() const { return m_cancel; }
    QPushButton* GetButtonClose() const { return m_close; }

public slots:
    void DoOK();
    // Also called from outside the pages to cancel the shown dialog.
    void DoCancel() override;
    void DoClose();
    void DoModalExit();

private:
    ModalPage();
    ~ModalPage() override;

    static inline ModalPage* s_instance = nullptr;

    QPointer<NModalWidget> m_widget;
    QVBoxLayout* m_content = nullptr;
    QLabel* m_title = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_close = nullptr;
};
