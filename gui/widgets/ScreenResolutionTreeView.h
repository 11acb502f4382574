#pragma once

#include "StyledTreeView.h"

#include <QMap>
#include <QSize>

// Every listed resolution of the screen's ratio that fits the screen, smallest first, with the
// screen's own size last and current.
class ScreenResolutionTreeView final : public StyledTreeView
{
    Q_OBJECT

public:
    ScreenResolutionTreeView();

    // The size of the current row; invalid when there is none.
    QSize GetSelectedResolution() const;

signals:
    void OnDoubleClick(QSize resSize);

protected:
    bool FilterRow(const Row& row) override;
    void CurrentIdChanged(int id) override;
    void DoubleClicked(const Row& row) override;
    void ItemPressed(int id, int column) override;

private:
    void FillResolutions();
    void SetResolutionRow(const Row& row, const QSize& size, const QString& ratio) const;

    QMap<int, QSize> m_sizes;
};
