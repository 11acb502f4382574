#include "CustomAITreeView.h"

#include "Common.h"
#include "CustomAIFile.h"

#include <QFile>
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
    const QString path = CustomAIFile::Path();
    if (!QFile::exists(path))
    {
        CustomAIFile::WriteTemplate(path);
        return;
    }
    m_sides.clear();
    QStringList names;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
    {
        for (const CustomAIEntry& entry : CustomAIFile::Parse(file.readAll()))
        {
            // Rows take the ids 0, 1, 2, ... in this order.
            m_sides.insert(names.size(), entry.side);
            names << entry.name;
        }
    }
    AddVersions(names);
}

int CustomAITreeView::GetSelectedSide() const
{
    return m_sides.value(GetIdByIndex(currentIndex()), 0);
}
