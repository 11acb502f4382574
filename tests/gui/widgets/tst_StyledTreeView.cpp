// The list base: rows by id, filtering, selection, presses and double clicks through real mouse events.
#define QTEST_QPA_MOUSE_HANDLING // presses, moves and releases go through the window like real ones
#include "GuiFonts.h"
#include "StyledTreeView.h"
#include "TestEnvironment.h"

#include <QHeaderView>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace
{
int g_deletedItems = 0;

struct CountedItem : QStandardItem
{
    using QStandardItem::QStandardItem;
    ~CountedItem() override { ++g_deletedItems; }
};

// Keeps rows whose column 1 contains the filter; records every hook call.
class ProbeView final : public StyledTreeView
{
    Q_OBJECT

public:
    ProbeView()
    {
        m_dataColumns = {1};
        SetHeaderItems({new QStandardItem(), new QStandardItem("Name")});
    }

    void Add(int id, const QString& text)
    {
        Row row = CreateRow(2);
        SetRowId(row, id);
        row[1]->setText(text);
        row[1]->setData(text.toLower(), SortRole);
        ColorRow(row, Qt::white);
        if (!AppendStyledItem(row))
            qDeleteAll(row);
    }

    QString filter;
    QStringList calls;

signals:
    void OnFiltered();

protected:
    bool FilterRow(const Row& row) override
    {
        const bool hidden = !filter.isEmpty() && !row[1]->text().contains(filter);
        SetRowHidden(row[0]->row(), hidden);
        emit OnFiltered();
        return hidden;
    }
    void CurrentIdChanged(int id) override { calls << QStringLiteral("current %1").arg(id); }
    void DoubleClicked(const Row& row) override { calls << QStringLiteral("double %1").arg(GetRowId(row)); }
    void ItemPressed(int id, int column) override
    {
        calls << QStringLiteral("pressed %1 %2").arg(id).arg(column);
    }
};

QPoint RowCentre(ProbeView& view, int id)
{
    const int modelRow = view.GetItemById(id).first()->row();
    return view.visualRect(view.Model()->index(modelRow, 1)).center();
}
} // namespace

class TestStyledTreeView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiFonts::LoadFonts(); }

    // A refused row is left to the caller, who frees it or appends it again under another id.
    void DuplicateIdIsRefusedWhole_data()
    {
        QTest::addColumn<bool>("reused");
        QTest::newRow("the caller frees it") << false;
        QTest::newRow("the caller appends it under a free id") << true;
    }

    void DuplicateIdIsRefusedWhole()
    {
        QFETCH(bool, reused);
        TestEnvironment env;
        ProbeView view;
        view.Add(7, "first");
        g_deletedItems = 0;
        const StyledTreeView::Row second = {new CountedItem(), new CountedItem("second")};
        StyledTreeView::SetRowId(second, 7);
        QVERIFY(!view.AppendStyledItem(second));
        QCOMPARE(g_deletedItems, 0); // still the caller's
        QCOMPARE(view.Model()->rowCount(), 1);
        QCOMPARE(view.GetItemById(7)[1]->text(), "first");
        QVERIFY(env.LogContains("StyledTreeView::AppendStyledItem :: item with same id [ 7 ]!"));
        QVERIFY(env.LogContains("second"));
        QVERIFY(!view.AppendStyledItem({}));
        if (reused)
        {
            const int id = view.GetFreeId();
            StyledTreeView::SetRowId(second, id);
            QVERIFY(view.AppendStyledItem(second));
            QCOMPARE(view.Model()->rowCount(), 2);
            QCOMPARE(view.GetItemById(id)[1]->text(), "second");
            view.Clear(); // the view's now: it frees it
        }
        else
        {
            qDeleteAll(second);
        }
        QCOMPARE(g_deletedItems, 2);
    }

    void FreeIdAndLookups_data()
    {
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<int>("freeId");
        QTest::newRow("empty") << QList<int>() << 0;
        QTest::newRow("0 1 2") << QList<int>{0, 1, 2} << 3;
        QTest::newRow("3 4") << QList<int>{3, 4} << 2;
        QTest::newRow("0 2") << QList<int>{0, 2} << 3;
    }

    void FreeIdAndLookups()
    {
        QFETCH(QList<int>, ids);
        QFETCH(int, freeId);
        TestEnvironment env;
        ProbeView view;
        for (int id : ids)
            view.Add(id, QStringLiteral("row %1").arg(id));
        QCOMPARE(view.GetFreeId(), freeId);
        QVERIFY(!view.ContainsId(freeId));
        QVERIFY(view.GetItemById(freeId).isEmpty());
        QVERIFY(env.LogContains("StyledTreeView::GetItemById :: Item is absent!"));
        view.RemoveItemById(freeId); // unknown: nothing happens
        QCOMPARE(view.Model()->rowCount(), ids.size());
        if (!ids.isEmpty())
        {
            view.RemoveItemById(ids.first());
            QVERIFY(!view.ContainsId(ids.first()));
            QCOMPARE(view.Model()->rowCount(), ids.size() - 1);
            for (int id : ids.mid(1)) // rows below moved up and are still found by id
                QCOMPARE(view.GetItemById(id)[1]->text(), QStringLiteral("row %1").arg(id));
        }
        view.Clear();
        QVERIFY(view.GetVisibleIds().isEmpty());
        QCOMPARE(view.Model()->rowCount(), 0);
        QCOMPARE(view.Model()->horizontalHeaderItem(1)->text(), "Name");
    }

    void FilterKeepsOrMovesTheCurrentRow()
    {
        ProbeView view;
        view.resize(300, 300);
        view.show();
        for (const char* name : {"alpha", "beta", "gamma", "delta"})
            view.Add(view.GetFreeId(), QLatin1String(name));
        QSignalSpy filtered(&view, &ProbeView::OnFiltered);
        view.ScrollToId(2); // gamma
        view.filter = "a";
        view.calls.clear();
        view.ApplyFilter(); // gamma stays
        QCOMPARE(filtered.count(), 0);
        QCOMPARE(view.GetIdByIndex(view.currentIndex()), 2);
        QVERIFY(view.calls.isEmpty());
        QCOMPARE(view.GetVisibleIds().size(), 4);

        view.filter = "lt"; // only delta: the hidden current row gives way to it
        view.ApplyFilter();
        QCOMPARE(filtered.count(), 0);
        QCOMPARE(view.GetIdByIndex(view.currentIndex()), 3);
        QCOMPARE(view.calls, QStringList{"current 3"});
        QCOMPARE(view.GetVisibleIds(), QList<int>{3});

        view.filter = "nothing";
        view.ApplyFilter();
        QCOMPARE(view.GetIdByIndex(view.currentIndex()), -1);
        QVERIFY(view.GetVisibleIds().isEmpty());
    }

    void ScrollToIdSelectsNowAndCentresLater()
    {
        ProbeView view;
        view.resize(200, 120);
        view.show();
        for (int i = 0; i < 60; ++i)
            view.Add(i, QStringLiteral("row %1").arg(i));
        view.ScrollToId(45);
        QCOMPARE(view.GetIdByIndex(view.currentIndex()), 45);
        const int centre = view.viewport()->height() / 2;
        const int rowHeight = view.visualRect(view.currentIndex()).height();
        QVERIFY(qAbs(RowCentre(view, 45).y() - centre) > rowHeight); // only brought into view so far
        QTRY_VERIFY(qAbs(RowCentre(view, 45).y() - centre) <= rowHeight);
        view.ScrollToId(99); // unknown: nothing moves
        QCOMPARE(view.GetIdByIndex(view.currentIndex()), 45);
    }

    // The items carry their own colours: a disabled list shows its rows as they are.
    void DisabledRowsLookEnabled()
    {
        ProbeView view;
        view.resize(300, 200);
        view.Add(0, "alpha");
        view.Add(1, "beta");
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QImage enabled = view.viewport()->grab().toImage();
        const QRect text = view.visualRect(view.Model()->index(0, 1));
        bool white = false;
        for (int x = text.left(); x <= text.right() && !white; ++x)
            for (int y = text.top(); y <= text.bottom() && !white; ++y)
                white = enabled.pixel(x, y) == qRgb(255, 255, 255);
        QVERIFY(white);
        view.setEnabled(false);
        QCOMPARE(view.viewport()->grab().toImage(), enabled);
    }

    void MousePressesAndDoubleClicks()
    {
        ProbeView view;
        view.resize(300, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.Add(4, "four");
        view.Add(9, "nine");

        view.calls.clear();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(10, view.viewport()->height() - 5));
        QCOMPARE(view.calls, QStringList{"pressed -1 -1"});

        view.calls.clear();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, RowCentre(view, 9));
        QCOMPARE(view.calls, QStringList({"pressed 9 1", "current 9"}));

        view.calls.clear();
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, RowCentre(view, 4));
        QCOMPARE(view.calls.count("double 4"), 1);
        const int doubleAt = view.calls.indexOf("double 4");
        QCOMPARE(view.calls.value(doubleAt + 1), "pressed 4 1");

        // A double click on empty space reaches no row.
        view.calls.clear();
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(10, view.viewport()->height() - 5));
        QVERIFY(!view.calls.join(' ').contains("double"));

        // A model row whose id is not indexed: the lookup warns, then the double click does.
        TestEnvironment env;
        StyledTreeView::Row stray = StyledTreeView::CreateRow(2);
        StyledTreeView::SetRowId(stray, 5);
        stray[1]->setText("stray");
        view.Model()->appendRow(stray);
        view.calls.clear();
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {},
                           view.visualRect(view.Model()->index(stray[1]->row(), 1)).center());
        QVERIFY(!view.calls.join(' ').contains("double"));
        QVERIFY(view.calls.contains("pressed 5 1"));
        const QStringList log = env.LogLines();
        const int absent =
            log.indexOf(QRegularExpression(".*StyledTreeView::GetItemById :: Item is absent!$"));
        const int wrong =
            log.indexOf(QRegularExpression(".*StyledTreeView :: MouseButtonDblClick :: Got wrong id 5$"));
        QVERIFY(absent >= 0);
        QCOMPARE(wrong, absent + 1);
    }
};

QTEST_MAIN(TestStyledTreeView)
#include "tst_StyledTreeView.moc"
