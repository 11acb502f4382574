#include "SelectLanguageModal.h"

#include "AppRestart.h"
#include "AppSettings.h"
#include "Common.h"
#include "DialogKit.h"
#include "GuiMetrics.h"
#include "NButtonBase.h"
#include "NImageLabel.h"
#include "SelectPlayGameModal.h"
#include "TranslatorManager.h"

#include <QDebug>
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

    m_error = DialogKit::Label(3, QString(), Common::ColorRed());
    m_error->setWordWrap(true);
    m_error->hide();
    layout->addWidget(m_error);
}

void SelectLanguageModal::DoLanguageClick()
{
    const QObject* button = sender();
    if (!button)
        return;
    TranslatorManager* translator = TranslatorManager::Instance();
    const QString previous = translator->GetLanguage();
    translator->Load(button->property("LC").toString());
    if (!AppSettings::Save(AppSettingsMain::Instance()))
    {
        // Restarting now would bring back the previous language and lose the choice silently.
        const QString path = AppSettings::Instance()->GetFilePath(AppSettingsBase::File::Lobby);
        qWarning().noquote() << "SelectLanguageModal :: NOT RESTARTED --- language choice not written"
                             << path;
        translator->Load(previous);
        m_error->SetText(
            tr("The language choice could not be saved to %1. The lobby is not restarted.").arg(path));
        m_error->show();
        return;
    }
    AppRestart::Restart();
}
