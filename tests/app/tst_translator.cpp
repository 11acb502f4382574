// Interface languages and the compiled-in translations.
#include "AppDefines.h"
#include "AppSettings.h"
#include "Common.h"
#include "DataPlayer.h"
#include "TestEnvironment.h"
#include "TranslatorManager.h"

#include <QSignalSpy>
#include <QtTest>

class TestTranslator : public QObject
{
    Q_OBJECT

private slots:
    void Languages()
    {
        const QMap<QString, QString> languages = TranslatorManager::GetLanguages();
        QVERIFY(!languages.values().contains(QString()));
        QVERIFY(languages.contains(TranslatorManager::SystemLanguage()));
    }

    void LoadInstallsAndStores_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("today");
        QTest::addColumn<QString>("you");
        QTest::addColumn<QString>("quit");
        QTest::newRow("RU") << "RU" << QStringLiteral("Сегодня") << QStringLiteral("ВЫ")
                            << QStringLiteral("Выход");
        QTest::newRow("ZH") << "ZH" << QStringLiteral("今天") << QStringLiteral("你")
                            << QStringLiteral("退出");
        QTest::newRow("lower case") << "ru" << QStringLiteral("Сегодня") << QStringLiteral("ВЫ")
                                    << QStringLiteral("Выход");
    }

    void LoadInstallsAndStores()
    {
        QFETCH(QString, code);
        QFETCH(QString, today);
        QFETCH(QString, you);
        QFETCH(QString, quit);
        TestEnvironment env;
        auto* translator = TranslatorManager::Instance();
        QSignalSpy changed(translator, &TranslatorManager::OnLanguageChanged);
        QVERIFY(translator->Load(code));
        QCOMPARE(translator->GetLanguage(), code.toUpper());
        QCOMPARE(AppSettingsMain::Instance()->LocaleName, code.toUpper());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toString(), code.toUpper());
        QCOMPARE(Common::FormatDate(QDateTime::currentDateTime()), today);
        QCOMPARE(AppDefines::GetWordYou(), you);
        QVERIFY(DataPlayer().name != "Unknown");
        // A window text too: the resource holds the texts of every library.
        QCOMPARE(QCoreApplication::translate("MainMenuPage", "Quit"), quit);

        // Back to English: nothing installed.
        QVERIFY(translator->Load("EN"));
        QCOMPARE(Common::FormatDate(QDateTime::currentDateTime()), "Today");
        QCOMPARE(AppDefines::GetWordYou(), "YOU");
        QCOMPARE(AppSettingsMain::Instance()->LocaleName, "EN");
        TranslatorManager::Destroy();
    }

    void UnknownCodeFallsBackToEnglish()
    {
        TestEnvironment env;
        auto* translator = TranslatorManager::Instance();
        QVERIFY(translator->Load("RU"));
        QVERIFY(!translator->Load("XX"));
        QVERIFY(env.LogContains("TranslatorManager :: NO TRANSLATION --- XX --- EN used"));
        QCOMPARE(translator->GetLanguage(), "EN");
        QCOMPARE(AppSettingsMain::Instance()->LocaleName, "EN");
        QCOMPARE(AppDefines::GetWordYou(), "YOU");
        QVERIFY(!translator->Load("../../etc/passwd"));
        QCOMPARE(translator->GetLanguage(), "EN");

        // An empty code means the system's language.
        translator->Load(QString());
        QCOMPARE(translator->GetLanguage(), TranslatorManager::SystemLanguage());
        TranslatorManager::Destroy();
        // Destroying removes the translation.
        QCOMPARE(AppDefines::GetWordYou(), "YOU");
    }
};

QTEST_GUILESS_MAIN(TestTranslator)
#include "tst_translator.moc"
