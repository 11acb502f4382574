#include "CustomAITreeView.h"

#include "Common.h"
#include "CustomAIFile.h"

#include <QFile>
#include <QHeaderView>

namespace
{
constexpr int ColumnName = 2;
}

CustomAITreeView::CustomAITreeView(QWidget* parent) : StyledTreeView(parent)
{
    m_dataColumns = {1, 2, 3};
    auto* nameHeader = new QStandardItem(tr("AI Name").toUpper());
    nameHeader->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SetHeaderItems({new QStandardItem(), new QStandardItem(), nameHeader, new QStandardItem()});
    setColumnWidth(1, Common::Scale(8));
    setColumnWidth(ColumnName, Common::Scale(180));
    setColumnHidden(0, true);
    // The name column takes the room of the empty last one: long names aren't cut short.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(ColumnName, QHeaderView::Stretch);
    setColumnHidden(3, true);
    header()->setSectionsMovable(false);
    header()->hide();
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(true);
    LoadList();
    sortByColumn(ColumnName, Qt::AscendingOrder);
    SelectFirst();
}

void CustomAITreeView::LoadList()
{
    const QString path = CustomAIFile::Path();
    if (!QFile::exists(path))
    {
        CustomAIFile::WriteTemplate(path);
        return;
    }
    m_names.clear();
    m_sides.clear();
    Clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    int id = 0;
    for (const CustomAIEntry& entry : CustomAIFile::Parse(file.readAll()))
    {
        Row row = CreateRow(4);
        SetRowId(row, id);
        row[ColumnName]->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        row[ColumnName]->setText(QStringLiteral("%1").arg(entry.name));
        row[ColumnName]->setSizeHint(QSize(-1, Common::Scale(24)));
        row[ColumnName]->setData(entry.name, SortRole);
        ColorRow(row, Common::ColorWhite());
        AppendStyledItem(row);
        m_names.insert(id, entry.name);
        m_sides.insert(id, entry.side);
        ++id;
    }
}

QString CustomAITreeView::GetSelectedName() const
{
    return m_names.value(GetIdByIndex(currentIndex()));
}

int CustomAITreeView::GetSelectedSide() const
{
    return m_sides.value(GetIdByIndex(currentIndex()), 0);
}

bool CustomAITreeView::FilterRow(const Row&)
{
    return false; // the list is short and has no search field
}

void CustomAITreeView::DoubleClicked(const Row& row)
{
    if (m_names.contains(GetRowId(row)))
        emit OnDoubleClick();
}
