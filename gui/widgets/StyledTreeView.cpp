#include "StyledTreeView.h"

#include "Common.h"
#include "GuiMetrics.h"
#include "NImageLabel.h"

#include <QDebug>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStyleOptionHeader>
#include <QTimer>

namespace
{
QString StyleSheet()
{
    return QStringLiteral(
               "#StyledTreeView{\toutline: none;\t%1}QHeaderView::section{\tcolor: #FFC300;\tpadding: "
               "%2px;\tpadding-left: %3px;\tborder: none;\tbackground-color: "
               "black;}QHeaderView::section:checked{\tbackground-color: "
               "black;}QHeaderView::section:hover{\tbackground-color: "
               "black;}QHeaderView::down-arrow{\tpadding-right: 4px;\timage: "
               "url(:/Common/tree_arrow_down.png);\tsubcontrol-position: center "
               "right;}QHeaderView::up-arrow{\tpadding-right: 4px;\timage: "
               "url(:/Common/tree_arrow_up.png);\tsubcontrol-position: center "
               "right;}QTreeView::item{\tbackground-color: "
               "transparent;\tborder: none;\tpadding: 0px;}QTreeView::item:hover{\tbackground-color: rgba( "
               "41, 98, "
               "255, 0.2 );}QTreeView::item:selected{\tbackground-color: rgba( 41, 98, 255, 0.2 );}%4")
        .arg(Common::DarkBackgroundStyle())
        .arg(GuiUnit - GuiUnit / 4)
        .arg(GuiUnit)
        .arg(Common::ScrollBarStyle());
}
} // namespace

StyledTreeView::StyledTreeView(QWidget* parent) : QTreeView(parent)
{
    setObjectName(QStringLiteral("StyledTreeView"));
    setStyleSheet(StyleSheet());
    setRootIsDecorated(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformRowHeights(true);
    setAttribute(Qt::WA_MacShowFocusRect, false);

    const QFont listFont = NImageLabel(18, QString(), Qt::white).font();
    header()->setFont(listFont);
    setFont(listFont);

    m_model = new QStandardItemModel(this);
    m_model->setSortRole(SortRole);
    setModel(m_model);
}

StyledTreeView::~StyledTreeView() = default;

void StyledTreeView::SetHeaderItems(const QList<QStandardItem*>& items)
{
    const QFont headerFont = NImageLabel(8).font();
    for (int i = 0; i < items.size(); ++i)
    {
        items[i]->setFont(headerFont);
        m_model->setHorizontalHeaderItem(i, items[i]);
    }
}

int StyledTreeView::HeaderWidthNeeded(const QHeaderView* header, int section)
{
    const QAbstractItemModel* model = header->model();
    if (!model)
        return 0;
    const QString text = model->headerData(section, header->orientation(), Qt::DisplayRole).toString();
    const QVariant font = model->headerData(section, header->orientation(), Qt::FontRole);
    // Where the style puts the text in a wide section: what it keeps back is the same at any width.
    QStyleOptionHeader option;
    option.initFrom(header);
    if (header->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    option.orientation = header->orientation();
    option.section = section;
    option.text = text;
    option.rect = QRect(0, 0, 1000, qMax(header->height(), 30));
    if (header->isSortIndicatorShown() &&
        (header->sectionsClickable() || header->sortIndicatorSection() == section))
        option.sortIndicator = QStyleOptionHeader::SortDown;
    const QRect label = header->style()->subElementRect(QStyle::SE_HeaderLabel, &option, header);
    const QFontMetrics metrics(font.canConvert<QFont>() ? font.value<QFont>() : header->font());
    return metrics.horizontalAdvance(text) + option.rect.width() - label.width();
}

void StyledTreeView::SetColumnWidthForHeader(int column, int width)
{
    setColumnWidth(column, qMax(width, HeaderWidthNeeded(header(), column)));
}

StyledTreeView::Row StyledTreeView::CreateRow(int n)
{
    Row row;
    for (int i = 0; i < n; ++i)
        row << new QStandardItem();
    return row;
}

void StyledTreeView::SetRowId(const Row& row, int id)
{
    if (!row.isEmpty())
        row.first()->setData(id, IdRole);
}

int StyledTreeView::GetRowId(const Row& row)
{
    return row.isEmpty() ? -1 : row.first()->data(IdRole).toInt();
}

bool StyledTreeView::AppendStyledItem(const Row& row)
{
    if (row.isEmpty())
        return false;
    const int id = GetRowId(row);
    if (m_rows.contains(id))
    {
        qWarning().noquote()
            << QStringLiteral("StyledTreeView::AppendStyledItem :: item with same id [ %1 ]!").arg(id);
        for (const QStandardItem* item : row)
            qWarning().noquote() << item->text();
        // The refused row stays the caller's, to free or to append again under another id.
        return false;
    }
    m_rows.insert(id, row);
    m_model->appendRow(row);
    return true;
}

StyledTreeView::Row StyledTreeView::GetItemById(int id) const
{
    const auto found = m_rows.constFind(id);
    if (found == m_rows.constEnd())
    {
        qWarning().noquote() << "StyledTreeView::GetItemById :: Item is absent!";
        return Row();
    }
    return found.value();
}

bool StyledTreeView::ContainsId(int id) const
{
    return m_rows.contains(id);
}

int StyledTreeView::GetIdByIndex(const QModelIndex& index) const
{
    if (!index.isValid())
        return -1;
    return m_model->index(index.row(), 0, index.parent()).data(IdRole).toInt();
}

int StyledTreeView::GetFreeId() const
{
    int id = m_rows.size();
    while (m_rows.contains(id))
        ++id;
    return id;
}

QList<int> StyledTreeView::GetVisibleIds() const
{
    QList<int> ids;
    for (auto it = m_rows.cbegin(); it != m_rows.cend(); ++it)
        if (!IsRowHidden(it.value()))
            ids << it.key();
    return ids;
}

void StyledTreeView::RemoveItemById(int id)
{
    const auto found = m_rows.find(id);
    if (found == m_rows.end())
        return;
    const int modelRow = found.value().first()->row();
    m_rows.erase(found);
    m_model->removeRow(modelRow);
}

void StyledTreeView::Clear()
{
    m_rows.clear();
    m_model->removeRows(0, m_model->rowCount());
}

void StyledTreeView::SetRowHidden(int modelRow, bool hidden)
{
    setRowHidden(modelRow, QModelIndex(), hidden);
}

bool StyledTreeView::IsRowHidden(const Row& row) const
{
    return isRowHidden(row.first()->row(), QModelIndex());
}

void StyledTreeView::ApplyFilter()
{
    blockSignals(true);
    for (const Row& row : qAsConst(m_rows))
        FilterRow(row);
    blockSignals(false);

    const int currentId = GetIdByIndex(currentIndex());
    if (currentId != -1)
    {
        const Row current = GetItemById(currentId);
        if (!current.isEmpty() && !IsRowHidden(current))
            return;
    }
    if (!m_rows.isEmpty())
        SelectTop();
}

void StyledTreeView::SelectFirst()
{
    if (!m_rows.isEmpty())
        SelectTop();
}

void StyledTreeView::SelectTop()
{
    QModelIndex top = indexAt(QPoint(0, 0));
    if (!top.isValid())
    {
        // A view without height has no row under its top edge: take the first visible row instead.
        for (int r = 0; r < m_model->rowCount() && !top.isValid(); ++r)
            if (!isRowHidden(r, QModelIndex()))
                top = m_model->index(r, 0);
    }
    setCurrentIndex(top);
    scrollTo(top, QAbstractItemView::PositionAtCenter);
}

void StyledTreeView::ScrollToId(int id)
{
    const auto found = m_rows.constFind(id);
    if (found == m_rows.constEnd())
        return;
    setCurrentIndex(m_model->index(found.value().first()->row(), 0));
    QTimer::singleShot(100, this, &StyledTreeView::DoScrollTo);
}

void StyledTreeView::DoScrollTo()
{
    scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
}

void StyledTreeView::ColorRow(const Row& row, const QColor& color) const
{
    for (int column : m_dataColumns)
        if (column >= 0 && column < row.size())
            row[column]->setForeground(QBrush(color));
}

void StyledTreeView::CurrentIdChanged(int) {}

void StyledTreeView::DoubleClicked(const Row&) {}

void StyledTreeView::ItemPressed(int, int) {}

bool StyledTreeView::viewportEvent(QEvent* event)
{
    switch (event->type())
    {
    case QEvent::MouseButtonDblClick:
    {
        const QModelIndex index = indexAt(static_cast<QMouseEvent*>(event)->pos());
        const int id = GetIdByIndex(index);
        if (id != -1)
        {
            const Row row = GetItemById(id);
            if (!row.isEmpty())
                DoubleClicked(row);
            else
                qWarning("StyledTreeView :: MouseButtonDblClick :: Got wrong id %i", id);
            ItemPressed(id, index.column());
        }
        break;
    }
    case QEvent::Enter:
        setMouseTracking(true);
        break;
    case QEvent::Leave:
        setMouseTracking(false);
        break;
    default:
        break;
    }
    return QTreeView::viewportEvent(event);
}

void StyledTreeView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    CurrentIdChanged(GetIdByIndex(current));
    QTreeView::currentChanged(current, previous);
}

void StyledTreeView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    // Rows look the same whether or not the window has the focus.
    QStyleOptionViewItem active = option;
    active.state |= QStyle::State_Active;
    QTreeView::drawRow(painter, active, index);
}

void StyledTreeView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->pos());
    ItemPressed(GetIdByIndex(index), index.column());
    QTreeView::mousePressEvent(event);
}
