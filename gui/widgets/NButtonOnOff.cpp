#include "NButtonOnOff.h"

#include "GuiMetrics.h"
#include "NButtonBase.h"
#include "SoundManager.h"

#include <QHBoxLayout>
#include <QSignalBlocker>

namespace
{
NButton* MakeSwitchButton(const QString& caption, int checkedColor, QWidget* parent)
{
    auto* button = new NButton(ButtonBlack, false, parent);
    button->SetText(caption);
    button->SetCheckable(true);
    button->SetFixedWidth(60);
    button->SetImageHover(ButtonSilver);
    button->SetImageHoverPressed(ButtonBlack);
    button->SetImageChecked(checkedColor);
    button->SetImageHoverChecked(checkedColor);
    button->ApplyStyle();
    return button;
}
} // namespace

NButtonOnOff::NButtonOnOff(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_on = MakeSwitchButton(tr("ON"), ButtonGreen, this);
    m_off = MakeSwitchButton(tr("OFF"), ButtonRed, this);
    layout->addWidget(m_on);
    layout->addSpacing(GuiUnitHalf);
    layout->addWidget(m_off);

    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    m_group->addButton(m_on, 0);
    m_group->addButton(m_off, 1);
    connect(m_group, &QButtonGroup::idClicked, this, &NButtonOnOff::DoValueChanged);
}

bool NButtonOnOff::GetValue() const
{
    return m_group->checkedId() == 0;
}

void NButtonOnOff::SetValue(bool value)
{
    const QSignalBlocker blocker(this);
    const QSignalBlocker groupBlocker(m_group);
    m_on->setChecked(value);
    m_off->setChecked(!value);
}

void NButtonOnOff::DoValueChanged(int id)
{
    if (id != 0)
        SoundManager::PlayButtonOff();
    emit OnValueChanged(id == 0);
    if (id == 0)
        SoundManager::PlayButtonOn();
}
