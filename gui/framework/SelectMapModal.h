#pragma once

#include "DataMisc.h"
#include "NModalWidget.h"

#include <QStringList>

class MapsTreeView;
class NButtonModal;
class NSearchWidget;

// The map choice: every installed map, filtered as the user types, with the minimaps filled in
// one map at a time by the minimap service.
class SelectMapModal final : public NModalWidget
{
    Q_OBJECT

public:
    explicit SelectMapModal(const QString& mapName);

    MapsTreeView* List() const { return m_list; }
    NSearchWidget* Search() const { return m_search; }
    NButtonModal* SelectButton() const { return m_select; }
    NButtonModal* CancelButton() const { return m_cancel; }
    // Maps whose minimaps are still to be asked for.
    int PendingCount() const { return m_pending.size(); }

    static constexpr int RequestKind = 1;

signals:
    void OnMapClick(QString mapName);

public slots:
    void DoMapReady(DataMinimap minimap);
    void DoMapFail(QString mapName);
    void DoButtonOKClick() override;
    void DoButtonCancelClick() override;

private:
    void RequestNext();

    QStringList m_pending;
    MapsTreeView* m_list = nullptr;
    NSearchWidget* m_search = nullptr;
    NButtonModal* m_select = nullptr;
    NButtonModal* m_cancel = nullptr;
    bool m_closed = false;
};
