#pragma once

#include "DataMisc.h"
#include "MinimapPanel.h"

#include <QFrame>
#include <QString>

#include <memory>

class MinimapWidget;
class NImageLabel;

// A read-only map panel: the framed minimap with one line under it naming the map and its size.
// It asks the minimap service for the map it is given and shows the answer for that map.
class MinimapSimpleDataWidget final : public QFrame
{
    Q_OBJECT

public:
    MinimapSimpleDataWidget(int width, int height);

    MinimapWidget* GetMinimap() const { return m_minimap; }
    NImageLabel* GetNameLabel() const { return m_nameLabel; }
    QString GetMapName() const { return m_panel->GetMapName(); }

public slots:
    void DoMapChanged(QString mapName);
    void DoMapLoad(DataMinimap minimap);
    void DoMapFailed(QString mapName);
    // Empties the minimap; the map name stays, so a late answer for it is still shown.
    void DoClear();

private:
    MinimapWidget* m_minimap = nullptr;
    NImageLabel* m_nameLabel = nullptr;
    std::unique_ptr<MinimapPanel> m_panel;
};
