#include "VersionTreeView.h"

#include "Common.h"
#include "SyncManager.h"

#include <QHeaderView>

namespace
{
constexpr int ColumnVersion = 2;
}

VersionTreeView::VersionTreeView(const Design& design, QWidget* parent)
    : StyledTreeView(parent), m_design(design)
{
    m_dataColumns = {1, 2, 3};
    auto* versionHeader = new QStandardItem(design.header.toUpper());
    versionHeader->setTextAlignment(design.alignment);
    SetHeaderItems({new QStandardItem(), new QStandardItem(), versionHeader, new QStandardItem()});
    setColumnHidden(0, true);
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(true);
    setColumnWidth(1, Common::Scale(8));
    SetColumnWidthForHeader(ColumnVersion, design.width);
}

void VersionTreeView::AddVersions(const QStringList& versions)
{
    // A second call replaces the list: no row of the first may stay behind.
    Clear();
    m_versions.clear();
    int id = 0;
    for (const QString& version : versions)
    {
        Row row = CreateRow(4);
        SetRowId(row, id);
        row[ColumnVersion]->setTextAlignment(m_design.alignment);
        row[ColumnVersion]->setSizeHint(QSize(-1, Common::Scale(24)));
        row[ColumnVersion]->setText(m_design.rowText.arg(version));
        row[ColumnVersion]->setData(version, SortRole);
        ColorRow(row, Common::ColorWhite());
        if (AppendStyledItem(row))
            m_versions.insert(id, version);
        else
            qDeleteAll(row);
        ++id;
    }
}

QString VersionTreeView::GetSelectedVersion() const
{
    return m_versions.value(GetIdByIndex(currentIndex()));
}

bool VersionTreeView::FilterRow(const Row&)
{
    return false; // short lists without a search field
}

void VersionTreeView::DoubleClicked(const Row& row)
{
    if (m_versions.contains(GetRowId(row)))
        emit OnDoubleClick();
}

AiProjectVersionTreeView::AiProjectVersionTreeView(QWidget* parent)
    : VersionTreeView({tr("Version"), Qt::AlignCenter, Common::Scale(150), QStringLiteral("%1")}, parent)
{
}

void AiProjectVersionTreeView::SetVersions(const QStringList& versions)
{
    AddVersions(versions);
    sortByColumn(ColumnVersion, Qt::DescendingOrder);
}

EngineVersionTreeView::EngineVersionTreeView(QWidget* parent)
    : VersionTreeView({tr("Engine Version"), Qt::AlignLeft | Qt::AlignVCenter, Common::Scale(240),
                       QStringLiteral("SPRING %1")},
                      parent)
{
    LoadVersions();
}

void EngineVersionTreeView::LoadVersions()
{
    QStringList versions;
    for (const QString& version : SyncManager::Instance()->GetEngineVersions().keys())
        if (version.contains(QLatin1Char('.')))
            versions << version;
    AddVersions(versions);
    sortByColumn(ColumnVersion, Qt::AscendingOrder);
}

GameVersionTreeView::GameVersionTreeView(QWidget* parent)
    : VersionTreeView({tr("Game Version"), Qt::AlignLeft | Qt::AlignVCenter, Common::Scale(150),
                       QStringLiteral("GAME %1")},
                      parent)
{
    LoadVersions();
}

void GameVersionTreeView::LoadVersions()
{
    AddVersions(SyncManager::Instance()->GetGameVersions().keys());
    sortByColumn(ColumnVersion, Qt::AscendingOrder);
}
