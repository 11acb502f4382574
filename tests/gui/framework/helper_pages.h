#pragma once

#include "NModalWidget.h"
#include "NPage.h"

#include <QMap>
#include <QPointer>
#include <QVariant>

// A page that counts how often it is entered and left.
class CountingPage : public NPage
{
    Q_OBJECT

public:
    CountingPage(int ownId, int exitId, bool keep) : NPage(ownId, exitId, NPage::PageIdToString(ownId))
    {
        if (keep)
            SetKeepPreviousPage();
    }

    void EnterPage() override { ++entered; }
    void ExitPage() override { ++exited; }

    void EmitNext(int id) { emit OnNextPageClick(id); }
    void EmitExit() { emit OnExitPageClick(); }
    void EmitModal(NModalWidget* widget) { emit OnModalPageClick(widget); }

    int entered = 0;
    int exited = 0;
};

// A dialog that closes itself on demand.
class TestDialog : public NModalWidget
{
    Q_OBJECT

public:
    TestDialog(const QString& title, ModalType type = MODAL_OK_CANCEL) : NModalWidget(title, type) {}

    void DoButtonOKClick() override
    {
        ++okCalls;
        NModalWidget::DoButtonOKClick();
    }
    void DoButtonCancelClick() override
    {
        ++cancelCalls;
        NModalWidget::DoButtonCancelClick();
    }
    void Close() { emit OnModalExit(); }

    int okCalls = 0;
    int cancelCalls = 0;
};

// The page table of the program (own id, back id, keeps the previous page) built from
// counting pages, with a record of what was built and what was deleted.
class TestPageFactory
{
public:
    static void Install();
    static void Reset();

    // Every page built, in order, with its id.
    static QList<QPair<int, QPointer<NPage>>>& Built();
    static QList<int>& Deleted();
    static int BuiltCount(int id);
    static CountingPage* Latest(int id);
};

// Builds the whole interface frame (store, page manager, background, GUI manager, main window)
// over the counting pages, and takes it down again.
namespace TestUi
{
void Start();
void Stop();
// Reads one key of the lobby settings file as it is on disk.
QVariant StoredValue(const QString& group, const QString& key);
} // namespace TestUi
