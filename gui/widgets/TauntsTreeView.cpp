#include "TauntsTreeView.h"

#include "Common.h"
#include "ListFilter.h"
#include "TauntsManager.h"

#include <QHeaderView>

namespace
{
constexpr int ColumnKey = 0;
constexpr int ColumnTitle = 1;
} // namespace

TauntsTreeView::TauntsTreeView(QWidget* parent) : StyledTreeView(parent)
{
    m_dataColumns = {ColumnKey, ColumnTitle};
    auto* keyHeader = new QStandardItem();
    keyHeader->setToolTip(tr("Taunt Number"));
    keyHeader->setTextAlignment(Qt::AlignCenter);
    auto* titleHeader = new QStandardItem(tr("Title"));
    titleHeader->setToolTip(tr("Taunt Title"));
    SetHeaderItems({keyHeader, titleHeader});
    setColumnWidth(ColumnKey, 60);
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(true);
    Load();
    sortByColumn(ColumnKey, Qt::AscendingOrder);
}

void TauntsTreeView::Load()
{
    const QHash<QString, QString> taunts = TauntsManager::Instance()->GetTaunts();
    // Keys that are no numbers can't be their own id: they would all meet on id 0. They take free
    // ids instead and sort after the highest number, in key order.
    QMap<QString, QString> named;
    qint64 lastNumber = -1;
    for (auto it = taunts.cbegin(); it != taunts.cend(); ++it)
    {
        bool isNumber = false;
        const int number = it.key().toInt(&isNumber, 10);
        if (isNumber && number >= 0)
        {
            AddTaunt(number, number, it.key(), it.value());
            lastNumber = qMax(lastNumber, qint64(number));
        }
        else
        {
            named.insert(it.key(), it.value());
        }
    }
    for (auto it = named.cbegin(); it != named.cend(); ++it)
        AddTaunt(GetFreeId(), ++lastNumber, it.key(), it.value());
    // No filter yet, so every row shows; no row is current unless there is taunt number 1 (a taunt
    // keyed by a word may sit on id 1, but isn't it).
    bool isNumber = false;
    m_keys.value(1).toInt(&isNumber, 10);
    if (isNumber)
        ScrollToId(1);
}

void TauntsTreeView::AddTaunt(int id, qint64 order, const QString& key, const QString& message)
{
    const int rowHeight = Common::Scale(24);
    Row row = CreateRow(2);
    SetRowId(row, id);
    row[ColumnKey]->setTextAlignment(Qt::AlignCenter);
    row[ColumnTitle]->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    row[ColumnKey]->setText(key);
    row[ColumnKey]->setData(order, SortRole);
    row[ColumnKey]->setSizeHint(QSize(-1, rowHeight));
    row[ColumnTitle]->setText(message);
    row[ColumnTitle]->setData(message.toLower(), SortRole);
    row[ColumnTitle]->setSizeHint(QSize(-1, rowHeight));
    ColorRow(row, Common::ColorWhite());
    // Two keys of one number ("7" and "07"): the second is refused and logged.
    if (AppendStyledItem(row))
        m_keys.insert(id, key);
    else
        qDeleteAll(row);
}

QString TauntsTreeView::GetSelectedTaunt() const
{
    return m_keys.value(GetIdByIndex(currentIndex()), QStringLiteral("-1"));
}

void TauntsTreeView::DoFilter(QString text)
{
    m_filter = ListFilter::Make(text);
    ApplyFilter();
}

bool TauntsTreeView::FilterRow(const Row& row)
{
    const bool hidden = !ListFilter::Matches(m_filter, row[ColumnTitle]->text(), row[ColumnKey]->text());
    SetRowHidden(row[ColumnKey]->row(), hidden);
    return hidden;
}

void TauntsTreeView::DoubleClicked(const Row& row)
{
    emit OnDoubleClick(m_keys.value(GetRowId(row), QString::number(GetRowId(row))));
}
