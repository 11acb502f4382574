// The translation sources hold every text the code marks for translation, no stale one, and a
// finished translation of each.
#include "TestEnvironment.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace
{
// "context | source" of every current message; vanished and obsolete ones are left out. Those
// without a finished translation (marked unfinished, or an empty text or plural form) also go to
// *untranslated.
QSet<QString> ReadMessages(const QString& tsFile, QString* error, QStringList* untranslated = nullptr)
{
    QSet<QString> messages;
    QFile file(tsFile);
    if (!file.open(QIODevice::ReadOnly))
    {
        *error = "cannot read " + tsFile;
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    QString text;
    bool gone = false;
    bool unfinished = false;
    bool inTranslation = false;
    bool plural = false;
    bool emptyForm = false;
    while (!xml.atEnd())
    {
        xml.readNext();
        if (xml.isCharacters() && inTranslation)
            text += xml.text();
        else if (xml.isStartElement())
        {
            if (xml.name() == QLatin1String("context"))
                context.clear();
            else if (xml.name() == QLatin1String("name") && context.isEmpty())
                context = xml.readElementText();
            else if (xml.name() == QLatin1String("message"))
            {
                source.clear();
                gone = false;
            }
            else if (xml.name() == QLatin1String("source"))
                source = xml.readElementText();
            else if (xml.name() == QLatin1String("translation"))
            {
                const QString type = xml.attributes().value("type").toString();
                gone = type == QLatin1String("vanished") || type == QLatin1String("obsolete");
                unfinished = type == QLatin1String("unfinished");
                inTranslation = true;
                plural = false;
                emptyForm = false;
                text.clear();
            }
            else if (xml.name() == QLatin1String("numerusform"))
            {
                plural = true;
                emptyForm = emptyForm || xml.readElementText().isEmpty();
            }
        }
        else if (xml.isEndElement() && xml.name() == QLatin1String("translation"))
            inTranslation = false;
        else if (xml.isEndElement() && xml.name() == QLatin1String("message") && !gone)
        {
            messages.insert(context + " | " + source);
            if (untranslated && (unfinished || (plural ? emptyForm : text.isEmpty())))
                untranslated->append(context + " | " + source);
        }
    }
    if (xml.hasError())
        *error = tsFile + ": " + xml.errorString();
    return messages;
}

QString FindLupdate()
{
    QString path = QStandardPaths::findExecutable("lupdate");
    if (path.isEmpty() && QFileInfo::exists("/usr/lib/qt5/bin/lupdate"))
        path = "/usr/lib/qt5/bin/lupdate";
    return path;
}
} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void SourcesAreUpToDate()
    {
        const QString lupdate = FindLupdate();
        QM_REQUIRE(!lupdate.isEmpty(), "lupdate (qttools5-dev-tools)");
        const QString source = QStringLiteral(QM_SOURCE_DIR);
        QTemporaryDir temp;
        QVERIFY(temp.isValid());

        // A fresh extraction of the texts, written outside the tree.
        QProcess process;
        process.setWorkingDirectory(source);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(lupdate, {"-silent", "-no-obsolete", "-locations", "none", "app", "lobby", "content",
                                "game", "gui", "developers", "-ts", temp.filePath("fresh.ts")});
        QVERIFY(process.waitForFinished(240000));
        QVERIFY2(process.exitCode() == 0, process.readAll().constData());
        QString error;
        const QSet<QString> fresh = ReadMessages(temp.filePath("fresh.ts"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(!fresh.isEmpty());

        const QStringList tsFiles =
            QDir(source + "/resources/translations").entryList({"quillmere_*.ts"}, QDir::Files);
        QCOMPARE(tsFiles.size(), 5);
        QStringList problems;
        for (const QString& name : tsFiles)
        {
            const QSet<QString> committed = ReadMessages(source + "/resources/translations/" + name, &error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QStringList missing = (fresh - committed).values();
            QStringList stale = (committed - fresh).values();
            missing.sort();
            stale.sort();
            for (const QString& text : missing)
                problems << name + " lacks: " + text;
            for (const QString& text : stale)
                problems << name + " still holds: " + text;
        }
        if (!problems.isEmpty())
            QFAIL(qPrintable("run scripts/update-translations.sh\n" + problems.join('\n')));
    }

    // A player who picks a language sees no English left over.
    void EveryTextTranslated()
    {
        const QString folder = QStringLiteral(QM_SOURCE_DIR) + "/resources/translations/";
        const QStringList tsFiles = QDir(folder).entryList({"quillmere_*.ts"}, QDir::Files);
        QCOMPARE(tsFiles.size(), 5);
        QStringList problems;
        for (const QString& name : tsFiles)
        {
            QString error;
            QStringList untranslated;
            const QSet<QString> messages = ReadMessages(folder + name, &error, &untranslated);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QVERIFY(!messages.isEmpty());
            for (const QString& text : untranslated)
                problems << name + " does not translate: " + text;
        }
        if (!problems.isEmpty())
            QFAIL(qPrintable(problems.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
