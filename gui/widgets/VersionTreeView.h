#pragma once

#include "StyledTreeView.h"

#include <QMap>
#include <QStringList>

// A one-column list of versions to pick from: one design for AI project versions, installed engines
// and installed games (and the names of the custom AIs). Column 2 shows the version; the selected
// version is the version itself.
class VersionTreeView : public StyledTreeView
{
    Q_OBJECT

public:
    QString GetSelectedVersion() const;

signals:
    void OnDoubleClick();

protected:
    struct Design
    {
        QString header;          // upper-cased
        Qt::Alignment alignment; // of the header and the rows
        int width = 0;
        QString rowText; // "%1" stands for the version
    };
    VersionTreeView(const Design& design, QWidget* parent);

    // Replaces the list (rows of ids 0, 1, 2, ... in the given order); sorting is the caller's.
    void AddVersions(const QStringList& versions);

    bool FilterRow(const Row& row) override;
    void DoubleClicked(const Row& row) override;

private:
    Design m_design;
    QMap<int, QString> m_versions;
};

// The tags of one AI project, newest (by text) first.
class AiProjectVersionTreeView final : public VersionTreeView
{
    Q_OBJECT

public:
    explicit AiProjectVersionTreeView(QWidget* parent = nullptr);
    void SetVersions(const QStringList& versions);
};

// The installed engines of the content index (versions holding a "."), as "SPRING <version>".
class EngineVersionTreeView final : public VersionTreeView
{
    Q_OBJECT

public:
    explicit EngineVersionTreeView(QWidget* parent = nullptr);
    void LoadVersions();
};

// The installed games of the content index, as "GAME <version>".
class GameVersionTreeView final : public VersionTreeView
{
    Q_OBJECT

public:
    explicit GameVersionTreeView(QWidget* parent = nullptr);
    void LoadVersions();
};
