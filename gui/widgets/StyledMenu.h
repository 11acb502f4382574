#pragma once

#include <QMenu>

// The dark context menu of the lists.
class StyledMenu final : public QMenu
{
    Q_OBJECT

public:
    explicit StyledMenu(QWidget* parent = nullptr);
};
