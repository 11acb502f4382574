#pragma once

#include "StyledTreeView.h"

#include <QMap>

// The AIs the user named in "game.AIs.txt" (see CustomAIFile), sorted by name, for the AI choice
// dialog. A missing file is created with a commented example and the list stays empty.
class CustomAITreeView final : public StyledTreeView
{
    Q_OBJECT

public:
    explicit CustomAITreeView(QWidget* parent = nullptr);

    void LoadList();
    QString GetSelectedName() const;
    int GetSelectedSide() const;

signals:
    void OnDoubleClick();

protected:
    bool FilterRow(const Row& row) override;
    void DoubleClicked(const Row& row) override;

private:
    QMap<int, QString> m_names;
    QMap<int, int> m_sides;
};
