#include "CustomAITreeView.h"

#include "Common.h"
#include "CustomAIFile.h"

#include <QHeaderView>

namespace
{
constexpr int ColumnName = 2;
}

CustomAITreeView::CustomAITreeView(QWidget* parent)
    : VersionTreeView(
          {tr("AI Name"), Qt::AlignLeft | Qt::AlignVCenter, Common::Scale(180), QStringLiteral("%1")}, parent)
{
    header()->hide();
    LoadList();
    sortByColumn(ColumnName, Qt::AscendingOrder);
    SelectFirst();
}

void CustomAITreeView::LoadList()
{
    m_sides.clear();
    QStringList names;
    for (const CustomAIEntry& entry : CustomAIFile::Load(CustomAIFile::Path()))
    {
        // Rows take the ids 0, 1, 2, ... in this order.
        m_sides.insert(names.size(), entry.side);
        names << entry.name;
    }
    AddVersions(names);
}

int CustomAITreeView::GetSelectedSide() const
{
    return m_sides.value(GetIdByIndex(currentIndex()), 0);
}
