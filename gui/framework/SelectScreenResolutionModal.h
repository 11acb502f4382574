#pragma once

#include "NModalWidget.h"

#include <QSize>

class ScreenResolutionTreeView;

// Lets the player pick the engine's screen resolution from the sizes of the screen's ratio.
class SelectScreenResolutionModal final : public NModalWidget
{
    Q_OBJECT

public:
    SelectScreenResolutionModal();

    ScreenResolutionTreeView* GetView() const { return m_view; }

signals:
    void OnResolutionClick(QSize resSize);

public slots:
    void DoButtonOKClick() override;
    void DoButtonCancelClick() override;

private:
    ScreenResolutionTreeView* m_view = nullptr;
};
