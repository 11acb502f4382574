#include "TranslatorManager.h"

#include "AppSettings.h"
#include "CommonIO.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLocale>

TranslatorManager::TranslatorManager()
{
    qDebug() << "Initialize :: TranslatorManager";
}

TranslatorManager::~TranslatorManager()
{
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
    qDebug() << "Destroy :: TranslatorManager";
}

QMap<QString, QString> TranslatorManager::GetLanguages()
{
    // QMap keeps its keys sorted: CZ, DE, EN, RU, ZH.
    return {{QStringLiteral("CZ"), QStringLiteral("Čeština")},
            {QStringLiteral("RU"), QStringLiteral("Русский")},
            {QStringLiteral("EN"), QStringLiteral("English")},
            {QStringLiteral("DE"), QStringLiteral("Deutsch")},
            {QStringLiteral("ZH"), QStringLiteral("中文")}};
}

QString TranslatorManager::SystemLanguage()
{
    QString code = QLocale::system().name().left(2).toUpper();
    if (code == QLatin1String("CS"))
        code = QStringLiteral("CZ");
    return GetLanguages().contains(code) ? code : QStringLiteral("EN");
}

bool TranslatorManager::Load(const QString& languageCode)
{
    QString code = languageCode.trimmed().toUpper();
    if (code.isEmpty())
        code = SystemLanguage();

    if (m_installed)
    {
        QCoreApplication::removeTranslator(&m_translator);
        m_installed = false;
    }
    bool ok = true;
    if (code != QLatin1String("EN"))
    {
        ok = m_translator.load(QStringLiteral(":/Translate/%1").arg(code));
        if (ok)
            m_installed = QCoreApplication::installTranslator(&m_translator);
        else
        {
            // An unknown code is not stored: the next start would fail the same way.
            qWarning().noquote() << "TranslatorManager :: NO TRANSLATION ---" << CommonIO::ForLog(code, 40)
                                 << "--- EN used";
            code = QStringLiteral("EN");
        }
    }
    m_language = code;
    AppSettingsMain::Instance()->LocaleName = code;
    qDebug().noquote() << "TranslatorManager :: LANGUAGE ---" << code;
    emit OnLanguageChanged(code);
    return ok;
}
