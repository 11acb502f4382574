#include "ScreenResolutionTreeView.h"

#include "Common.h"
#include "DisplayResolutionList.h"

#include <QHeaderView>

ScreenResolutionTreeView::ScreenResolutionTreeView() : StyledTreeView(nullptr)
{
    const Row headerItems = CreateRow(4);
    headerItems[1]->setText(tr("Resolution"));
    headerItems[1]->setToolTip(tr("Screen Resolution"));
    headerItems[2]->setText(tr("Ratio"));
    headerItems[2]->setToolTip(tr("Screen Resolution Ratio"));
    for (int column = 0; column <= 2; ++column)
        headerItems[column]->setTextAlignment(Qt::AlignCenter);
    SetHeaderItems(headerItems);

    m_dataColumns = {1, 2, 3};
    hideColumn(0);
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(true);
    SetColumnWidthForHeader(1, 150);
    SetColumnWidthForHeader(2, 60);

    FillResolutions();
    // Column 0 has no sort key: the rows keep the order they were appended in.
    sortByColumn(0, Qt::AscendingOrder);
}

void ScreenResolutionTreeView::FillResolutions()
{
    const DisplayResolutionList* list = DisplayResolutionList::Instance();
    QSize start;
    QList<QSize> sizes{QSize()};
    QStringList ratios{list->GetCurrentResolution(start)};
    sizes[0] = start;
    // Walk down from the screen's size until the walk wraps round to it. The catalogue bounds the
    // walk as well, in case the screen changes on the way.
    QSize current = start;
    for (int steps = 0; steps < 64; ++steps)
    {
        const QString ratio = list->GetPreviousResolution(current);
        if (current == start)
            break;
        sizes << current;
        ratios << ratio;
    }

    m_sizes.clear();
    for (int i = sizes.size() - 1; i >= 0; --i)
    {
        m_sizes.insert(i, sizes[i]);
        const Row row = CreateRow(4);
        SetRowId(row, i);
        row[1]->setTextAlignment(Qt::AlignCenter);
        row[2]->setTextAlignment(Qt::AlignCenter);
        SetResolutionRow(row, sizes[i], ratios[i]);
        if (!AppendStyledItem(row))
            qDeleteAll(row);
    }
    ScrollToId(0);
}

void ScreenResolutionTreeView::SetResolutionRow(const Row& row, const QSize& size, const QString& ratio) const
{
    for (int column : {1, 2})
    {
        QSize hint = row[column]->sizeHint();
        hint.setHeight(Common::Scale(24));
        row[column]->setSizeHint(hint);
    }
    row[1]->setText(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()));
    row[2]->setText(ratio);
    ColorRow(row, Qt::white);
}

QSize ScreenResolutionTreeView::GetSelectedResolution() const
{
    return m_sizes.value(GetIdByIndex(currentIndex()), QSize());
}

bool ScreenResolutionTreeView::FilterRow(const Row&)
{
    return false;
}

void ScreenResolutionTreeView::CurrentIdChanged(int) {}

void ScreenResolutionTreeView::ItemPressed(int, int) {}

void ScreenResolutionTreeView::DoubleClicked(const Row& row)
{
    const int id = GetRowId(row);
    if (m_sizes.contains(id))
        emit OnDoubleClick(m_sizes.value(id));
}
