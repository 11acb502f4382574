#include "PageStorageManager.h"

#include "ModalPage.h"

#include <QDebug>

namespace
{
PageStorageManager::PageFactory& Factory()
{
    static PageStorageManager::PageFactory factory;
    return factory;
}
} // namespace

PageStorageManager::PageStorageManager()
    : m_emptyPage(std::make_unique<NPage>(ID_EMPTY, ID_EMPTY, QStringLiteral("Empty")))
{
    qDebug() << "Initialize :: PageStorageManager";
    m_pages.insert(ID_UNKNOWN, m_emptyPage.get());
    m_pages.insert(ID_EMPTY, m_emptyPage.get());
    for (int id = ID_UNKNOWN; id <= ID_MODAL; ++id)
    {
        if (id != ID_UNKNOWN && id != ID_EMPTY && id != ID_MODAL)
            m_destroyable.insert(id);
    }
}

PageStorageManager::~PageStorageManager()
{
    qDebug() << "Destroy :: PageStorageManager";
    // Pages kept alive but not entered at the end would otherwise outlive their store.
    for (auto it = m_pages.cbegin(); it != m_pages.cend(); ++it)
    {
        if (it.key() == ID_MODAL)
            ModalPage::Destroy();
        else if (it.value() != m_emptyPage.get())
            delete it.value();
    }
    m_pages.clear();
    m_destroyable.clear();
}

void PageStorageManager::SetPageFactory(PageFactory factory)
{
    Factory() = std::move(factory);
}

NPage* PageStorageManager::GetPage(int id)
{
    PageStorageManager* store = Instance();
    const auto it = store->m_pages.constFind(id);
    if (it != store->m_pages.constEnd())
        return it.value();
    return store->CreatePage(id);
}

bool PageStorageManager::IsDestroyable(int id)
{
    return Instance()->m_destroyable.contains(id);
}

NPage* PageStorageManager::CreatePage(int id)
{
    const auto it = m_pages.constFind(id);
    if (it != m_pages.constEnd())
    {
        qWarning().noquote() << "PageStorageManager :: CreatePage (" << id << ") ALREADY EXIST.";
        return it.value();
    }
    if (id < ID_UNKNOWN || id > ID_MODAL)
    {
        qWarning().noquote() << "PageStorageManager :: PAGE" << id << "NOT EXIST. USE \"MainMenu\"";
        return m_pages.value(ID_MAIN_MENU, nullptr);
    }

    NPage* page = nullptr;
    if (id == ID_MODAL)
        page = ModalPage::Instance();
    else if (Factory())
        page = Factory()(id);
    if (!page)
    {
        qWarning().noquote() << "PageStorageManager :: CreatePage --- NO PAGE FOR" << id;
        return nullptr;
    }
    m_pages.insert(id, page);
    return page;
}

NPage* PageStorageManager::TakePage(int id)
{
    if (id == ID_UNKNOWN || id == ID_EMPTY)
        return nullptr;
    return m_pages.take(id);
}

void PageStorageManager::DestroyPage(int id)
{
    NPage* page = Instance()->TakePage(id);
    if (!page)
        return;
    if (id == ID_MODAL && ModalPage::Exists() && page == ModalPage::Instance())
    {
        ModalPage::DestroyLater();
        return;
    }
    page->hide();
    page->deleteLater();
}

void PageStorageManager::DestroyPageNow(int id)
{
    NPage* page = Instance()->TakePage(id);
    if (id == ID_MODAL && ModalPage::Exists() && page == ModalPage::Instance())
        ModalPage::Destroy();
    else
        delete page;
}
