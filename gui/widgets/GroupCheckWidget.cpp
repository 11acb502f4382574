#include "GroupCheckWidget.h"

GroupCheckWidget::GroupCheckWidget(QWidget* parent) : QWidget(parent) {}

void GroupCheckWidget::Clear()
{
    m_lastId = -1;
}

void GroupCheckWidget::ButtonClicked(int id)
{
    if (id == m_lastId)
        return;
    m_lastId = id;
    emit OnButtonClicked(id);
}
