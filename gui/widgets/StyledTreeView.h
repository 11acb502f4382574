#pragma once

#include <QHash>
#include <QList>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QTreeView>

class QHeaderView;

// Base of every list and table of the interface. Rows live in its own item model and are keyed by
// an integer id held in the first item of the row; subclasses build rows, filter them through
// FilterRow and react to presses and double clicks by id.
class StyledTreeView : public QTreeView
{
    Q_OBJECT

public:
    using Row = QList<QStandardItem*>;

    // Item data roles: the key the model sorts by, and the row id (first item only).
    static constexpr int SortRole = Qt::UserRole + 100;
    static constexpr int IdRole = Qt::UserRole + 101;

    explicit StyledTreeView(QWidget* parent = nullptr);
    ~StyledTreeView() override;

    // Installs the items as the horizontal header, in the header font.
    void SetHeaderItems(const QList<QStandardItem*>& items);

    static Row CreateRow(int n);
    static void SetRowId(const Row& row, int id);
    static int GetRowId(const Row& row);

    // Appends a row under the id of its first item; the view then owns the row. A row whose id is
    // already listed (or an empty row) is refused and logged, and stays the caller's to free or
    // reuse.
    bool AppendStyledItem(const Row& row);
    // The row of that id; empty (with a warning) when the id is unknown.
    Row GetItemById(int id) const;
    bool ContainsId(int id) const;
    int GetIdByIndex(const QModelIndex& index) const;
    int GetFreeId() const;
    QList<int> GetVisibleIds() const;
    void RemoveItemById(int id);
    void Clear();
    void SetRowHidden(int modelRow, bool hidden);
    // Runs FilterRow over every row, then keeps the current row or moves to the top visible one.
    void ApplyFilter();
    void SelectFirst();
    // Selects at once, centres 100 ms later (after the view has laid out new rows).
    void ScrollToId(int id);

    QStandardItemModel* Model() const { return m_model; }
    int RowCount() const { return m_rows.size(); }

    // The width a header section needs to show its text whole in the section's own font, with what
    // the header's style keeps around the text; a header that sorts when clicked keeps room for its
    // arrow.
    static int HeaderWidthNeeded(const QHeaderView* header, int section);

public slots:
    void DoScrollTo();

protected:
    // Hides or shows the row through SetRowHidden; the result is for the subclass's own use.
    virtual bool FilterRow(const Row& row) = 0;
    virtual void CurrentIdChanged(int id);
    virtual void DoubleClicked(const Row& row);
    // Also called with id -1 (and column -1) for a press outside any row.
    virtual void ItemPressed(int id, int column);

    // The column's width, or more where its header's text needs it (a longer translation). Call it
    // once the header items are set and sorting is switched on or off.
    void SetColumnWidthForHeader(int column, int width);

    // Gives the items of the data columns a solid text colour.
    void ColorRow(const Row& row, const QColor& color) const;
    bool IsRowHidden(const Row& row) const;

    bool viewportEvent(QEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void mousePressEvent(QMouseEvent* event) override;

protected slots:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

protected:
    // Columns whose text takes the row's colour; each subclass fills it.
    QList<int> m_dataColumns;

private:
    void SelectTop();

    QStandardItemModel* m_model = nullptr;
    QHash<int, Row> m_rows;
};
