#include "PageManager.h"

#include "GuiManager.h"
#include "ModalPage.h"
#include "NModalWidget.h"
#include "NPage.h"
#include "PageStorageManager.h"

#include <QDebug>
#include <QPointer>

PageManager::PageManager()
{
    qDebug() << "Initialize :: PageManager";
    m_entered.insert(ID_EMPTY, PageStorageManager::GetPage(ID_EMPTY));
    if (GuiManager::Exists())
        ConnectInput(GuiManager::Instance());
}

PageManager::~PageManager()
{
    qDebug() << "Destroy :: PageManager";
    // The keys come in ascending order. At shut-down no page code is running: the pages go now,
    // while the store and the managers they may use still exist, not later with the main window.
    const QList<int> ids = m_entered.keys();
    m_entered.clear();
    for (int id : ids)
    {
        if (PageStorageManager::Exists())
            PageStorageManager::DestroyPageNow(id);
    }
}

void PageManager::ConnectInput(QObject* guiManager)
{
    connect(guiManager, SIGNAL(OnMousePressEvent(QMouseEvent*)), this, SLOT(DoMousePressEvent(QMouseEvent*)),
            Qt::UniqueConnection);
    connect(guiManager, SIGNAL(OnKeyPressEvent(QKeyEvent*)), this, SLOT(DoKeyPressEvent(QKeyEvent*)),
            Qt::UniqueConnection);
}

NPage* PageManager::GetCurrentPageWidget() const
{
    return PageStorageManager::GetPage(m_visible);
}

NPage* PageManager::GetPagesWidget() const
{
    return PageStorageManager::GetPage(ID_EMPTY);
}

void PageManager::LogExit(int from, int to, const QString& detail)
{
    if (detail.isEmpty())
        qDebug().noquote() << "PageManager :: PAGE --- EXIT      " << NPage::PageIdToString(from) << "-->"
                           << NPage::PageIdToString(to);
    else
        qDebug().noquote() << "PageManager :: PAGE --- EXIT      " << NPage::PageIdToString(from) << "-->"
                           << NPage::PageIdToString(to) << "---" << detail;
}

void PageManager::SetNextPageStatic(int id)
{
    PageManager* manager = Instance();
    LogExit(manager->m_current, id);
    manager->SetNextPage(id, 0);
}

void PageManager::DoPageNextClick(int pageNextID)
{
    LogExit(m_current, pageNextID);
    SetNextPage(pageNextID, 0);
}

void PageManager::DoPageExitClick()
{
    auto* page = qobject_cast<NPage*>(sender());
    if (!page)
        return;
    LogExit(page->GetPageId(), page->GetExitPageId());
    SetNextPage(page->GetExitPageId(), page->GetPageId());
}

void PageManager::DoPageModalClick(NModalWidget* widgetModal)
{
    if (!widgetModal)
        return;
    NPage* modal = PageStorageManager::GetPage(ID_MODAL);
    modal->setModalWidget(widgetModal);
    LogExit(m_current, ID_MODAL,
            widgetModal->GetTitle().isEmpty() ? QStringLiteral("MESSAGE BOX") : widgetModal->GetTitle());
    SetNextPage(ID_MODAL, 0);
}

void PageManager::DoKeyPressEvent(QKeyEvent* event)
{
    if (NPage* page = GetCurrentPageWidget())
        page->keyPress(event);
}

void PageManager::DoMousePressEvent(QMouseEvent* event)
{
    if (NPage* page = GetCurrentPageWidget())
        page->mousePress(event);
}

void PageManager::EnterPage(int id)
{
    NPage* page = PageStorageManager::GetPage(id);
    if (!page)
        return;
    if (m_entered.value(id) == page)
    {
        // Entering twice would start its work twice and double its signals.
        qWarning().noquote() << "PageManager :: EnterPage --- TWICE" << id << page->GetPageName();
        return;
    }
    if (m_entered.contains(id))
        qWarning().noquote() << "PageManager :: EnterPage --- TWICE" << id << page->GetPageName();
    page->EnterPage();
    connect(page, &NPage::OnModalPageClick, this, &PageManager::DoPageModalClick, Qt::UniqueConnection);
    connect(page, &NPage::OnExitPageClick, this, &PageManager::DoPageExitClick, Qt::UniqueConnection);
    connect(page, &NPage::OnNextPageClick, this, &PageManager::DoPageNextClick, Qt::UniqueConnection);
    m_entered.insert(id, page);
}

void PageManager::ExitPage(int id)
{
    NPage* page = PageStorageManager::GetPage(id);
    if (!page)
        return;
    if (!m_entered.contains(id))
    {
        // Leaving a page that is not entered would stop work it never started.
        qWarning().noquote() << "PageManager :: ExitPage --- TWICE" << id << page->GetPageName();
        return;
    }
    page->ExitPage();
    disconnect(page, &NPage::OnModalPageClick, nullptr, nullptr);
    disconnect(page, &NPage::OnExitPageClick, nullptr, nullptr);
    disconnect(page, &NPage::OnNextPageClick, nullptr, nullptr);
    m_entered.remove(id);
}

void PageManager::CloseModal(QList<int>* closeList)
{
    closeList->append(ID_MODAL);
    ExitPage(ID_MODAL);
    if (NPage* last = PageStorageManager::GetPage(m_lastMain))
        last->SetUnderModal(false);
}

void PageManager::SetNextPage(int id, int fromId)
{
    NPage* target = PageStorageManager::GetPage(id);
    if (!target)
    {
        qWarning().noquote() << "PageManager :: SetNextPage --- NO PAGE" << id;
        return;
    }
    const int real = target->GetPageId();
    if (real != id)
    {
        qWarning().noquote() << "PageManager :: PAGES --- CHANGE" << id << ">>" << real
                             << NPage::PageIdToString(real);
        id = real;
    }
    if (id == ID_UNKNOWN)
    {
        qWarning().noquote() << "PageManager :: SetNextPage --- NPageID::ID_UNKNOWN";
        return;
    }
    if (id == ID_MODAL && m_current == ID_MODAL)
    {
        qWarning().noquote() << "PageManager :: SetNextPage --- NPageID::ID_MODAL is in use";
        return;
    }
    if (id == m_current)
    {
        qWarning().noquote() << "PageManager :: SetNextPage --- SELECTED ALREADY" << m_current
                             << NPage::PageIdToString(m_current);
        return;
    }

    const bool destroyable = PageStorageManager::IsDestroyable(id);
    if (target->GetExitPageId() == ID_UNKNOWN && destroyable)
        target->SetExitPageId(m_lastMain);
    if (id == ID_MODAL)
        target->SetExitPageId(m_current);
    const bool becomesMain = destroyable && id != m_lastMain;

    QList<int> closeList;
    bool enter = false;
    NPage* lastMain = PageStorageManager::GetPage(m_lastMain);
    if (fromId == 0)
    {
        if (id == ID_MODAL && lastMain)
            lastMain->SetUnderModal(true);
        if (destroyable)
        {
            if (lastMain && lastMain->IsUnderModal())
                CloseModal(&closeList);
            if (m_lastMain != id)
            {
                closeList.append(m_lastMain);
                ExitPage(m_lastMain);
            }
        }
        enter = m_lastMain != id;
    }
    else
    {
        closeList.append(fromId);
        ExitPage(fromId);
        if (fromId == ID_MODAL)
        {
            if (lastMain)
                lastMain->SetUnderModal(false);
        }
        else if (fromId == m_lastMain && lastMain && lastMain->IsUnderModal() && m_entered.contains(ID_MODAL))
        {
            // The page under a dialog left: the dialog goes with it, or it would be left
            // entered over a page that no longer exists.
            CloseModal(&closeList);
        }
        enter = becomesMain;
    }

    if (enter)
        EnterPage(id);

    NPage* from = PageStorageManager::GetPage(fromId);
    if (target->IsKeepPreviousPage() && from && from->GetExitPageId() != id)
        closeList.removeOne(m_lastMain);

    if (becomesMain)
    {
        m_mainBeforeLast = m_lastMain;
        m_lastMain = id;
    }
    m_previousVisible = m_visible;
    m_visible = id;
    m_previous = m_current;
    m_current = id;

    emit OnExitCurrentPage(m_previous);
    emit OnEnterCurrentPage(m_current);
    if (m_visible != m_previousVisible)
        emit OnVisiblePageChange(m_visible, m_previousVisible);

    for (int closeId : qAsConst(closeList))
        PageStorageManager::DestroyPage(closeId);
}
