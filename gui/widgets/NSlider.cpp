#include "NSlider.h"

#include "GuiMetrics.h"
#include "SoundManager.h"

#include <QSignalBlocker>

NSlider::NSlider(Qt::Orientation orientation, bool silent, QWidget* parent) : QSlider(orientation, parent)
{
    setFixedHeight(GuiSliderHeight);
    setStyleSheet(QStringLiteral(
        "QSlider::groove:horizontal{height: 0px;border-image:\turl(:/Progress/progress_back_white.png) 5 5 5 "
        "5;border-top:\t5px transparent;border-bottom:\t5px transparent;border-right:\t5px "
        "transparent;border-left:\t5px transparent;left: 4px;right: 4px;}QSlider::handle:horizontal{width: "
        "20px;height: 20px;margin: -10px -4;image: "
        "url(:/Progress/progress_control_green.png);}QSlider::handle:horizontal:disabled{width: 20px;height: "
        "20px;margin: -10px -4;image: "
        "url(:/Progress/"
        "progress_control_red.png);}QSlider::add-page:horizontal{}QSlider::sub-page:horizontal{"
        "height: 0px;border-image:\turl(:/Progress/progress_back_green.png) 5 5 5 5;border-top:\t5px "
        "transparent;border-bottom:\t5px transparent;border-right:\t5px transparent;border-left:\t5px "
        "transparent;}QSlider::sub-page:horizontal:disabled{height: "
        "0px;border-image:\turl(:/Progress/progress_back_red.png) 5 5 5 5;border-top:\t5px "
        "transparent;border-bottom:\t5px transparent;border-right:\t5px transparent;border-left:\t5px "
        "transparent;}"));
    if (!silent)
    {
        setTracking(false);
        connect(this, &QSlider::valueChanged, this, &NSlider::DoValueChanged);
    }
}

void NSlider::SetValue(int value)
{
    const QSignalBlocker blocker(this);
    setValue(qBound(minimum(), value, maximum()));
}

void NSlider::DoValueChanged(int)
{
    SoundManager::PlayButtonOn();
}
