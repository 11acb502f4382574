#pragma once

#include "Singleton.h"

#include <QMap>
#include <QObject>
#include <QTranslator>

// Installs the interface translation of the chosen language.
class TranslatorManager : public QObject, public Singleton<TranslatorManager>
{
    Q_OBJECT
    friend class Singleton<TranslatorManager>;

public:
    // Language code to native language name, in a fixed order.
    static QMap<QString, QString> GetLanguages();
    // The language code of the system locale when we have it, else "EN".
    static QString SystemLanguage();

    // Installs ":/Translate/<code>" (an empty code means the system language), stores the
    // language in the main settings group and announces it.
    bool Load(const QString& languageCode);
    QString GetLanguage() const { return m_language; }

signals:
    void OnLanguageChanged(QString languageCode);

private:
    TranslatorManager();
    ~TranslatorManager() override;

    QTranslator m_translator;
    bool m_installed = false;
    QString m_language;
};
