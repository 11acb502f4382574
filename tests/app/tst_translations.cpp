// The translation sources hold every text the code marks for translation, no stale one, and a
// finished translation of each; the interface languages load from the compiled-in translations.
#include "AppDefines.h"
#include "AppSettings.h"
#include "Common.h"
#include "DataPlayer.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "TranslatorManager.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
const QString Folder = QStringLiteral(QM_SOURCE_DIR) + "/resources/translations/";

QStringList TsFiles()
{
    return QDir(Folder).entryList({"quillmere_*.ts"}, QDir::Files);
}
} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    // Brought up to date the way scripts/update-translations.sh does it, each file stays as it is.
    void SourcesAreUpToDate()
    {
        QString lupdate = QStandardPaths::findExecutable("lupdate");
        if (lupdate.isEmpty() && QFileInfo::exists("/usr/lib/qt5/bin/lupdate"))
            lupdate = "/usr/lib/qt5/bin/lupdate";
        QM_REQUIRE(!lupdate.isEmpty(), "lupdate (qttools5-dev-tools)");
        QTemporaryDir temp;
        QCOMPARE(TsFiles().size(), 5);
        for (const QString& name : TsFiles())
        {
            const QByteArray committed = TestFiles::Read(Folder + name);
            QVERIFY(TestFiles::Write(temp.filePath(name), committed));
            const QString code = name.mid(10, 2);
            QProcess process;
            process.setWorkingDirectory(QStringLiteral(QM_SOURCE_DIR));
            process.setProcessChannelMode(QProcess::MergedChannels);
            process.start(lupdate, {"-silent", "-no-obsolete", "-locations", "none", "-target-language",
                                    code == "cz" ? "cs" : code, "app", "lobby", "content", "game", "gui",
                                    "developers", "-ts", temp.filePath(name)});
            QVERIFY(process.waitForFinished(240000));
            QVERIFY2(process.exitCode() == 0, process.readAll().constData());
            const QStringList fresh = QString::fromUtf8(TestFiles::Read(temp.filePath(name))).split('\n');
            const QStringList old = QString::fromUtf8(committed).split('\n');
            int line = 0;
            while (line < fresh.size() && line < old.size() && fresh[line] == old[line])
                ++line;
            QVERIFY2(fresh == old,
                     qPrintable(QString("run scripts/update-translations.sh: %1 differs at line "
                                        "%2: \"%3\" would be \"%4\"")
                                    .arg(name)
                                    .arg(line + 1)
                                    .arg(old.value(line), fresh.value(line))));
        }
    }

    // A player who picks a language sees no English left over.
    void EveryTextTranslated()
    {
        QCOMPARE(TsFiles().size(), 5);
        QStringList problems;
        for (const QString& name : TsFiles())
        {
            const QStringList lines = QString::fromUtf8(TestFiles::Read(Folder + name)).split('\n');
            QVERIFY(lines.filter("<source>").size() > 100);
            for (int i = 0; i < lines.size(); ++i)
            {
                if (lines[i].contains("type=\"unfinished\"") ||
                    lines[i].contains("<translation></translation>") || lines[i].contains("<translation/>") ||
                    lines[i].contains("<numerusform></numerusform>"))
                    problems
                        << QString("%1 line %2: %3").arg(name).arg(i + 1).arg(lines.value(i - 1).trimmed());
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

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

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
