#pragma once

#include <QColor>
#include <QLabel>

// A caption with the one interface font, without the font kinds of NImageLabel.
class NLabel : public QLabel
{
    Q_OBJECT

public:
    explicit NLabel(const QString& text = QString(), const QColor& color = Qt::white,
                    QWidget* parent = nullptr);
};
