#pragma once

#include "NPage.h"
#include "Singleton.h"

#include <QMap>
#include <QObject>
#include <QSet>
#include <functional>
#include <memory>

// Owns the page objects: builds a page the first time its id is asked for, keeps it by id and
// deletes it when the page manager closes it.
class PageStorageManager : public QObject, public Singleton<PageStorageManager>
{
    Q_OBJECT
    friend class Singleton<PageStorageManager>;

public:
    // Builds the main page of an id (2..23), or returns null when it knows none. The program
    // installs the table of all its pages before the interface starts; tests install their own.
    using PageFactory = std::function<NPage*(int id)>;
    static void SetPageFactory(PageFactory factory);

    static NPage* GetPage(int id);
    static bool IsDestroyable(int id);
    // Forgets the page at once and deletes it from the event loop: the page's own code may still
    // be running below the call.
    static void DestroyPage(int id);
    // Forgets and deletes the page at once; for the shut-down, when no page code is running.
    static void DestroyPageNow(int id);

    NPage* CreatePage(int id);
    bool IsNotCreated(int id) const { return !m_pages.contains(id); }
    NPage* GetEmptyPage() const { return m_emptyPage.get(); }

private:
    PageStorageManager();
    ~PageStorageManager() override;

    // Removes the page from the cache and hands it over; none for ids 0 and 1 and unbuilt ones.
    NPage* TakePage(int id);

    std::unique_ptr<NPage> m_emptyPage;
    QMap<int, NPage*> m_pages;
    QSet<int> m_destroyable;
};
