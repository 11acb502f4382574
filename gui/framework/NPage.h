#pragma once

#include "NPageID.h"

#include <QFrame>
#include <QString>

class NModalWidget;
class QKeyEvent;
class QMouseEvent;

// Base of every full-window page. A page never switches pages itself: it asks through its three
// signals, which the page manager connects only while the page is entered.
class NPage : public QFrame
{
    Q_OBJECT

public:
    NPage(int ownId, int exitId, const QString& name);
    ~NPage() override;

    int GetPageId() const { return m_ownId; }
    int GetExitPageId() const { return m_exitId; }
    void SetExitPageId(int id) { m_exitId = id; }
    QString GetPageName() const { return m_name; }

    bool IsKeepPreviousPage() const { return m_keepPrevious; }
    void SetKeepPreviousPage() { m_keepPrevious = true; }

    bool IsUnderModal() const { return m_underModal; }
    void SetUnderModal(bool underModal) { m_underModal = underModal; }

    static QString PageIdToString(int id);
    // The standard title bar of a page; the caller owns the frame.
    static QFrame* CreateTitle(int unit, const QString& title);

signals:
    void OnModalPageClick(NModalWidget* widgetModal);
    void OnExitPageClick();
    void OnNextPageClick(int pageNextID);

public:
    virtual void DoCancel() {}
    virtual void EnterPage() {}
    virtual void ExitPage() {}
    virtual void mousePress(QMouseEvent*) {}
    virtual void keyPress(QKeyEvent*) {}
    virtual void setModalWidget(NModalWidget*) {}

private:
    const int m_ownId;
    int m_exitId;
    const QString m_name;
    QString m_extraText;
    bool m_keepPrevious = false;
    bool m_underModal = false;
};
