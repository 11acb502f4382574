#include "SevenZManager.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace
{
bool HaveSevenZip()
{
    return !QStandardPaths::findExecutable("7z").isEmpty();
}

// Runs the archive tool in `base` to pack test archives.
bool SevenZip(const QString& base, const QStringList& arguments)
{
    QProcess p;
    p.setWorkingDirectory(base);
    p.start("7z", arguments);
    return p.waitForFinished(30000) && p.exitCode() == 0;
}
} // namespace

class TestSevenZManager : public QObject
{
    Q_OBJECT

    TestEnvironment* env = nullptr;
    QObject* listener = nullptr; // lives on the test's thread: queued results land here in order
    QStringList events;

private slots:
    void init()
    {
        env = new TestEnvironment();
        listener = new QObject();
        events.clear();
        SevenZManager* m = SevenZManager::Instance();
        const auto note = [this](const QString& kind)
        {
            return [this, kind](const QString& path, const QString& id = QString())
            { events << (kind + ' ' + QFileInfo(path).fileName() + (id.isEmpty() ? "" : ' ' + id)); };
        };
        connect(m, qOverload<QString>(&SevenZManager::OnFinish), listener, note("finish1"));
        connect(m, qOverload<QString>(&SevenZManager::OnError), listener, note("error1"));
        connect(m, qOverload<QString, QString>(&SevenZManager::OnFinish), listener, note("finish2"));
        connect(m, qOverload<QString, QString>(&SevenZManager::OnError), listener, note("error2"));
    }

    void cleanup()
    {
        SevenZManager::Destroy();
        delete listener;
        delete env;
    }

    void extractsAndAnswersWithTheRequestKind()
    {
        QM_REQUIRE(HaveSevenZip(), "7z (p7zip-full)");
        const QString src = env->Path("src");
        QVERIFY(TestFiles::Write(src + "/m01/info.ini", "[general]\r\nauthor=me\r\n"));
        QVERIFY(TestFiles::Write(src + "/m01/images/a b.txt", "blank in name"));
        const QString archive = env->Path("pack one.7z");
        QVERIFY(SevenZip(src, {"a", "-t7z", archive, "m01"}));

        const QString dest1 = env->Path("out 1");
        const QString dest2 = env->Path("out2/deeper");
        SevenZManager::Extract(archive, dest1, "m01", -1);
        SevenZManager::Extract(archive, dest2); // plain request
        QTRY_COMPARE(events.size(), 2);
        QCOMPARE(events, (QStringList{"finish2 pack one.7z m01", "finish1 pack one.7z"}));
        for (const QString& dest : {dest1, dest2})
        {
            QCOMPARE(TestFiles::Read(dest + "/m01/info.ini"), QByteArray("[general]\r\nauthor=me\r\n"));
            QVERIFY(QFile::exists(dest + "/m01/images/a b.txt"));
        }
        QVERIFY(env->LogContains("SevenZManager :: FINISH ---"));
    }

    // The tool asks for a password on standard input; it must get none and fail at once.
    void passwordArchiveFailsWithoutWaiting()
    {
        QM_REQUIRE(HaveSevenZip(), "7z (p7zip-full)");
        const QString src = env->Path("src");
        QVERIFY(TestFiles::Write(src + "/locked/a.txt", "secret"));
        QVERIFY(SevenZip(src, {"a", "-psecret", "-mhe=on", env->Path("locked.7z"), "locked"}));
        SevenZManager::Extract(env->Path("locked.7z"), env->Path("out"), "l", -1);
        // A tool waiting for a password would never end.
        QTRY_COMPARE_WITH_TIMEOUT(events.size(), 1, 30000);
        QCOMPARE(events.first(), "error2 locked.7z l");
    }

    void missingArchiveAndMissingToolAreErrors()
    {
        SevenZManager::Extract(env->Path("nothing.7z"), env->Path("out"), "n", -1);
        QTRY_COMPARE(events, QStringList{"error2 nothing.7z n"});
        QVERIFY(env->LogContains("SevenZManager :: ERROR --- no such archive:"));

        const QString archive = env->Path("some.7z");
        QVERIFY(TestFiles::Write(archive, "x"));
        SevenZManager::Instance()->SetProgram(env->Path("no-such-tool"));
        SevenZManager::Extract(archive, env->Path("out"));
        QTRY_COMPARE(events.size(), 2);
        QCOMPARE(events.last(), "error1 some.7z");
        QVERIFY(env->LogContains("can't start the archive tool"));
    }
};

QTEST_GUILESS_MAIN(TestSevenZManager)
#include "tst_SevenZManager.moc"
