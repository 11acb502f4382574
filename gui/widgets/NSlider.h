#pragma once

#include <QSlider>

// The picture-drawn slider: green groove and handle, red when disabled. Unless silent it plays
// "button.on" when a move ends (tracking is off, so once per release).
class NSlider : public QSlider
{
    Q_OBJECT

public:
    explicit NSlider(Qt::Orientation orientation = Qt::Horizontal, bool silent = false,
                     QWidget* parent = nullptr);

    // Sets the value clamped to the range; emits nothing.
    void SetValue(int value);

public slots:
    void DoValueChanged(int value);
};
