#include "MapsTreeView.h"

#include "Common.h"
#include "GuiMetrics.h"
#include "ListFilter.h"

#include <QDebug>
#include <QHeaderView>

namespace
{
enum Column
{
    ColumnId,
    ColumnName,
    ColumnMinimap,
    ColumnSize,
    ColumnWind,
    ColumnTidal,
    ColumnMetal,
    ColumnCount
};

QStandardItem* HeaderItem(const QString& text, const QString& tooltip, bool centred)
{
    auto* item = new QStandardItem(text);
    item->setToolTip(tooltip);
    if (centred)
        item->setTextAlignment(Qt::AlignCenter);
    return item;
}
} // namespace

MapsTreeView::MapsTreeView(QWidget* parent) : StyledTreeView(parent)
{
    m_dataColumns = {ColumnName, ColumnMinimap, ColumnSize, ColumnWind, ColumnTidal, ColumnMetal};
    SetHeaderItems({HeaderItem(QString(), QStringLiteral("Map ID"), true),
                    HeaderItem(tr("Name"), tr("Map Name"), false),
                    HeaderItem(QString(), tr("Minimap"), false), HeaderItem(tr("Size"), tr("Map Size"), true),
                    HeaderItem(tr("Wind"), tr("Map Wind Strength"), true),
                    HeaderItem(tr("Tidal"), tr("Map Tidal Strength"), true),
                    HeaderItem(tr("Metal"), tr("Map Metal Capacity"), true)});
    setIconSize(QSize(GuiMinimapRow, GuiMinimapSmall));
    setColumnWidth(ColumnMinimap, Common::Scale(4) + GuiMinimapRow);
    SetColumnWidthForHeader(ColumnSize, 80);
    SetColumnWidthForHeader(ColumnWind, 80);
    SetColumnWidthForHeader(ColumnTidal, 50);
    SetColumnWidthForHeader(ColumnMetal, 70);
    setColumnHidden(ColumnId, true);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(ColumnName, QHeaderView::Stretch);
    header()->setSectionsMovable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void MapsTreeView::AppendMap(const QString& name)
{
    // A name keeps its one row; new rows take a free id, so two names never meet on one id.
    const auto known = m_idsByName.find(name);
    if (known != m_idsByName.end())
    {
        if (ContainsId(known.value()))
            return;
        m_namesById.remove(known.value()); // its row went with a Clear of the base
        m_idsByName.erase(known);
    }
    const int id = GetFreeId();
    Row row = CreateRow(ColumnCount);
    SetRowId(row, id);
    row[ColumnName]->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = ColumnSize; column <= ColumnMetal; ++column)
        row[column]->setTextAlignment(Qt::AlignCenter);
    row[ColumnName]->setText(QStringLiteral(" ") + name);
    row[ColumnName]->setToolTip(QString());
    row[ColumnName]->setData(name.toLower(), SortRole);
    row[ColumnName]->setSizeHint(QSize(-1, Common::Scale(2) + GuiMinimapSmall));
    if (!AppendStyledItem(row))
    {
        qDeleteAll(row);
        return;
    }
    m_idsByName.insert(name, id);
    m_namesById.insert(id, name);
    FilterRow(row);
}

void MapsTreeView::ChangeMap(const DataMinimap& minimap)
{
    const auto found = m_idsByName.constFind(minimap.mapName);
    if (found == m_idsByName.constEnd())
    {
        qWarning().noquote() << "MapsTreeView :: Change :: There is no such map" << minimap.mapName;
        return;
    }
    const Row row = GetItemById(found.value());
    if (row.isEmpty())
    {
        qWarning().noquote() << "MapsTreeView :: Change :: There is no item with ID" << found.value();
        return;
    }
    Fill(row, minimap);
    FilterRow(row);
}

void MapsTreeView::Fill(const Row& row, const DataMinimap& minimap)
{
    if (!minimap.loaded)
    {
        ColorRow(row, Common::ColorRed());
        return;
    }
    row[ColumnMinimap]->setIcon(QIcon(QPixmap::fromImage(minimap.rowPicture)));
    row[ColumnMinimap]->setSizeHint(QSize(-1, Common::Scale(2) + GuiMinimapSmall));
    row[ColumnSize]->setText(QStringLiteral("%1 x %2").arg(minimap.width / 512).arg(minimap.height / 512));
    // Computed wide: the numbers come from files and the engine, and an int product overflows.
    row[ColumnSize]->setData(qint64(minimap.width) * minimap.height, SortRole);
    row[ColumnWind]->setText(QStringLiteral("%1 - %2").arg(minimap.minWind).arg(minimap.maxWind));
    row[ColumnWind]->setData(qint64(minimap.minWind) + minimap.maxWind, SortRole);
    row[ColumnMetal]->setText(QString::number(minimap.maxMetal, 'g', 6));
    row[ColumnMetal]->setData(minimap.maxMetal, SortRole);
    row[ColumnTidal]->setText(QString::number(minimap.tidalStrength));
    row[ColumnTidal]->setData(minimap.tidalStrength, SortRole);
    ColorRow(row, Common::ColorWhite());
}

void MapsTreeView::SelectMap(const QString& name)
{
    const auto found = m_idsByName.constFind(name);
    if (found != m_idsByName.constEnd())
        ScrollToId(found.value());
    else
        SelectFirst();
}

QString MapsTreeView::GetSelectedMap() const
{
    return m_namesById.value(GetIdByIndex(currentIndex()));
}

void MapsTreeView::DoFilter(QString text)
{
    m_filter = ListFilter::Make(text);
    ApplyFilter();
}

bool MapsTreeView::FilterRow(const Row& row)
{
    const bool hidden =
        !ListFilter::Matches(m_filter, row[ColumnName]->text(), row[ColumnSize]->text(),
                             row[ColumnWind]->text(), row[ColumnMetal]->text(), row[ColumnTidal]->text());
    SetRowHidden(row[ColumnId]->row(), hidden);
    return hidden;
}

void MapsTreeView::CurrentIdChanged(int id)
{
    const auto found = m_namesById.constFind(id);
    if (found != m_namesById.constEnd())
        emit OnSelectionChanged(found.value());
}

void MapsTreeView::DoubleClicked(const Row& row)
{
    const auto found = m_namesById.constFind(GetRowId(row));
    if (found != m_namesById.constEnd())
        emit OnDoubleClicked(found.value());
}
