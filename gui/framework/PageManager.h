#pragma once

#include "Singleton.h"

#include <QMap>
#include <QObject>

class NModalWidget;
class NPage;
class QKeyEvent;
class QMouseEvent;

// Decides which page is shown: the only place that switches pages. Main pages (2..23) replace
// one another and are destroyed when left (unless the new page keeps the previous one); the
// modal page (24) covers the last main page, which stays entered under it.
class PageManager : public QObject, public Singleton<PageManager>
{
    Q_OBJECT
    friend class Singleton<PageManager>;

public:
    static void SetNextPageStatic(int id);
    void SetNextPage(int id, int fromId);

    int GetCurrentPageId() const { return m_current; }
    int GetPreviousPageId() const { return m_previous; }
    int GetVisiblePageId() const { return m_visible; }
    int GetLastMainPageId() const { return m_lastMain; }
    int GetMainBeforeLastPageId() const { return m_mainBeforeLast; }
    QList<int> GetEnteredPageIds() const { return m_entered.keys(); }
    NPage* GetCurrentPageWidget() const;
    NPage* GetPagesWidget() const;

    // Relays the GUI manager's input signals to the visible page.
    void ConnectInput(QObject* guiManager);

signals:
    void OnVisiblePageChange(int idCurr, int idPrev);
    void OnExitCurrentPage(int id);
    void OnEnterCurrentPage(int id);

public slots:
    void DoMousePressEvent(QMouseEvent* event);
    void DoKeyPressEvent(QKeyEvent* event);
    void DoPageModalClick(NModalWidget* widgetModal);
    void DoPageExitClick();
    void DoPageNextClick(int pageNextID);

private:
    PageManager();
    ~PageManager() override;

    void EnterPage(int id);
    void ExitPage(int id);
    void CloseModal(QList<int>* closeList);
    static void LogExit(int from, int to, const QString& detail = QString());

    int m_current = 1;
    int m_previous = 1;
    int m_visible = 1;
    int m_previousVisible = 1;
    int m_lastMain = 1;
    int m_mainBeforeLast = 1;
    QMap<int, NPage*> m_entered;
};
