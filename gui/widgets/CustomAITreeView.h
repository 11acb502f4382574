#pragma once

#include "VersionTreeView.h"

#include <QMap>

// The AIs the user named in "game.AIs.txt" (see CustomAIFile), sorted by name, for the AI choice
// dialog. A missing file is created with a commented example and the list stays empty. The names
// are listed in the design of the version lists, without a header.
class CustomAITreeView final : public VersionTreeView
{
    Q_OBJECT

public:
    explicit CustomAITreeView(QWidget* parent = nullptr);

    void LoadList();
    QString GetSelectedName() const { return GetSelectedVersion(); }
    int GetSelectedSide() const;

private:
    QMap<int, int> m_sides;
};
