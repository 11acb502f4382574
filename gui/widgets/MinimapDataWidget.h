#pragma once

#include "DataMisc.h"
#include "MinimapPanel.h"

#include <QFrame>
#include <QMap>
#include <QRect>
#include <QString>

#include <memory>

class MinimapSkirmishWidget;
class NButton;
class NImageButtonAux;
class NImageLabel;
class NSlider;
class QButtonGroup;

// The map panel of the custom skirmish and the battle room: the start-box minimap, a bar with the
// map's name and size and a "MAP" button, and (when editable) four preset layouts of the start
// boxes with a slider for their size. It loads the current map's minimap through the minimap
// service. Its host turns the requests into boxes and feeds them back.
class MinimapDataWidget final : public QFrame
{
    Q_OBJECT

public:
    explicit MinimapDataWidget(bool editable);

    void SetStartRects(const QMap<int, QRect>& rects);
    QMap<int, QRect> GetStartRects() const;
    void SetReadOnly(bool readOnly);

    MinimapSkirmishWidget* GetMinimap() const { return m_minimap; }
    NImageLabel* GetNameLabel() const { return m_nameLabel; }
    NImageButtonAux* GetMapButton() const { return m_mapButton; }
    NSlider* GetSizeSlider() const { return m_sizeSlider; }
    NButton* GetSplitButton(int id) const;
    QFrame* GetControls() const { return m_controls; }
    QString GetMapName() const { return m_panel->GetMapName(); }

signals:
    void OnTeamRectClicked(int teamID);
    void OnTeamRectRemove(int teamID);
    void OnTeamRectAppend(QRect rect);
    void OnSelectMapClick(QString mapName);
    // A preset layout (0 to 3) with a box size in percent (10 to 40).
    void OnSelectMapRects(int layout, int size);

public slots:
    void DoMapChanged(QString mapName);
    void DoMapCacheDownload(QString mapName);
    void DoMapLoad(DataMinimap minimap);
    void DoMapFailed(QString mapName);
    void DoClear();
    void DoAppendStartRect(int teamID, QRect rect);
    void DoRemoveStartRect(int teamID);
    void DoButtonSelectMap();
    void DoMapRectSelectionChanged(int id);
    void DoRectSizeChanged(int pos);
    void DoRectSize2Changed(int pos);
    void DoRectSizeChanged();

private:
    QFrame* CreateMinimapArea(int width, int height);
    QFrame* CreateNameBar(int width, int height);
    QFrame* CreateSplitControls();

    bool m_editable = false;
    MinimapSkirmishWidget* m_minimap = nullptr;
    NImageButtonAux* m_mapButton = nullptr;
    NImageLabel* m_nameLabel = nullptr;
    NSlider* m_sizeSlider = nullptr;
    QButtonGroup* m_splitGroup = nullptr;
    QFrame* m_controls = nullptr;
    int m_boxSize = 10;
    int m_nameWidth = 0; // pixels the name bar's text may take
    std::unique_ptr<MinimapPanel> m_panel;
};
