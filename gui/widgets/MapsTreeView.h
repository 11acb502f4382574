#pragma once

#include "DataMisc.h"
#include "StyledTreeView.h"

#include <QMap>
#include <QRegExp>

// The table of installed maps in the map choice dialog: name, small minimap, size, wind, tidal
// strength and metal, filled in row by row as the minimap service answers.
class MapsTreeView final : public StyledTreeView
{
    Q_OBJECT

public:
    explicit MapsTreeView(QWidget* parent = nullptr);

    // Lists a map once; a name already listed is left as it is.
    void AppendMap(const QString& name);
    // Fills a listed map's row from its minimap answer (red when it has no picture).
    void ChangeMap(const DataMinimap& minimap);
    // Selects and centres the map, or the top row when it is not listed.
    void SelectMap(const QString& name);
    QString GetSelectedMap() const;

signals:
    void OnSelectionChanged(QString mapName);
    void OnDoubleClicked(QString mapName);

public slots:
    // A case-insensitive wildcard pattern over the name, size, wind, metal and tidal texts.
    void DoFilter(QString text);

protected:
    bool FilterRow(const Row& row) override;
    void CurrentIdChanged(int id) override;
    void DoubleClicked(const Row& row) override;

private:
    void Fill(const Row& row, const DataMinimap& minimap);

    QMap<QString, int> m_idsByName;
    QMap<int, QString> m_namesById;
    QRegExp m_filter;
};
