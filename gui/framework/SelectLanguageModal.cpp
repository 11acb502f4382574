#include "SelectLanguageModal.h"

#include "AppRestart.h"
#include "DialogKit.h"
#include "GuiMetrics.h"
#include "NButtonBase.h"
#include "SelectPlayGameModal.h"
#include "TranslatorManager.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QVariant>

SelectLanguageModal::SelectLanguageModal() : NModalWidget(tr("Select Language").toUpper(), MODAL_CLOSE)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 5 * GuiUnit, 0, 4 * GuiUnit);
    layout->setSpacing(2 * GuiUnit);

    auto* languages = new QHBoxLayout();
    languages->setSpacing(2 * GuiUnit);
    languages->addStretch();
    const QMap<QString, QString> names = TranslatorManager::GetLanguages();
    for (auto it = names.cbegin(); it != names.cend(); ++it)
    {
        auto* column = new QVBoxLayout();
        column->addLayout(
            DialogKit::Centred(DialogKit::Picture(QStringLiteral(":/TranslateFlags/%1.png").arg(it.key()))));
        NButton* button = DialogKit::ChoiceButton(it.value());
        button->setProperty("LC", it.key());
        connect(button, &QPushButton::clicked, this, &SelectLanguageModal::DoLanguageClick);
        column->addLayout(DialogKit::Centred(button));
        languages->addWidget(DialogKit::Framed(column));
    }
    languages->addStretch();
    layout->addLayout(languages);
    layout->addLayout(SelectPlayGameModal::CreateInfoLayout(GuiUnit));
}

void SelectLanguageModal::DoLanguageClick()
{
    const QObject* button = sender();
    if (!button)
        return;
    TranslatorManager::Instance()->Load(button->property("LC").toString());
    AppRestart::Restart();
}
