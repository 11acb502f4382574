#include "SevenZManager.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace
{
// Lives on the test's thread, so queued results from the worker land here in order.
class Listener : public QObject
{
    Q_OBJECT

public:
    QStringList events;

public slots:
    void Finish1(QString path) { events << QStringLiteral("finish1 ") + QFileInfo(path).fileName(); }
    void Error1(QString path) { events << QStringLiteral("error1 ") + QFileInfo(path).fileName(); }
    void Finish2(QString path, QString id)
    {
        events << QStringLiteral("finish2 %1 %2").arg(QFileInfo(path).fileName(), id);
    }
    void Error2(QString path, QString id)
    {
        events << QStringLiteral("error2 %1 %2").arg(QFileInfo(path).fileName(), id);
    }
};

bool HaveSevenZip()
{
    return !QStandardPaths::findExecutable(QStringLiteral("7z")).isEmpty();
}

bool WriteFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// Packs the folder `name` inside `base` into `archive`, keeping the folder at the top.
bool MakeArchive(const QString& base, const QString& name, const QString& archive)
{
    QProcess p;
    p.setWorkingDirectory(base);
    p.start(QStringLiteral("7z"), {QStringLiteral("a"), QStringLiteral("-t7z"), archive, name});
    return p.waitForFinished(30000) && p.exitCode() == 0;
}
} // namespace

class TestSevenZManager : public QObject
{
    Q_OBJECT

private:
    TestEnvironment* env = nullptr;
    Listener* listener = nullptr;

    void Connect()
    {
        SevenZManager* m = SevenZManager::Instance();
        connect(m, SIGNAL(OnFinish(QString)), listener, SLOT(Finish1(QString)));
        connect(m, SIGNAL(OnError(QString)), listener, SLOT(Error1(QString)));
        connect(m, SIGNAL(OnFinish(QString, QString)), listener, SLOT(Finish2(QString, QString)));
        connect(m, SIGNAL(OnError(QString, QString)), listener, SLOT(Error2(QString, QString)));
    }

private slots:
    void init()
    {
        env = new TestEnvironment();
        listener = new Listener();
        Connect();
    }

    void cleanup()
    {
        SevenZManager::Destroy();
        delete listener;
        delete env;
    }

    void argumentsKeepPathsWhole()
    {
        const QStringList args =
            SevenZManager::ExtractArguments(QStringLiteral("/a b/x.7z"), QStringLiteral("/c d"));
        QCOMPARE(args, (QStringList{"x", "-y", "/a b/x.7z", "-o/c d"}));
    }

    void extractsAndAnswersWithTheRequestKind()
    {
        QM_REQUIRE(HaveSevenZip(), "7z (p7zip-full)");
        const QString src = env->Path(QStringLiteral("src"));
        QVERIFY(WriteFile(src + QStringLiteral("/m01/info.ini"), "[general]\r\nauthor=me\r\n"));
        QVERIFY(WriteFile(src + QStringLiteral("/m01/images/a b.txt"), "blank in name"));
        const QString archive = env->Path(QStringLiteral("pack one.7z"));
        QVERIFY(MakeArchive(src, QStringLiteral("m01"), archive));

        const QString dest1 = env->Path(QStringLiteral("out 1"));
        const QString dest2 = env->Path(QStringLiteral("out2/deeper"));
        SevenZManager::Extract(archive, dest1, QStringLiteral("m01"), -1);
        SevenZManager::Extract(archive, dest2); // plain request
        QTRY_COMPARE(listener->events.size(), 2);
        QCOMPARE(listener->events, (QStringList{"finish2 pack one.7z m01", "finish1 pack one.7z"}));

        for (const QString& dest : {dest1, dest2})
        {
            QFile info(dest + QStringLiteral("/m01/info.ini"));
            QVERIFY(info.open(QIODevice::ReadOnly));
            QCOMPARE(info.readAll(), QByteArray("[general]\r\nauthor=me\r\n"));
            QVERIFY(QFile::exists(dest + QStringLiteral("/m01/images/a b.txt")));
        }
        QVERIFY(env->LogContains(QStringLiteral("SevenZManager :: FINISH ---")));
    }

    void brokenArchiveIsAnError()
    {
        QM_REQUIRE(HaveSevenZip(), "7z (p7zip-full)");
        const QString archive = env->Path(QStringLiteral("broken.7z"));
        QVERIFY(WriteFile(archive, QByteArray("7z\xBC\xAF\x27\x1C") + " garbage that is no archive"));
        SevenZManager::Extract(archive, env->Path(QStringLiteral("out")), QStringLiteral("b"), 3);
        SevenZManager::Extract(archive, env->Path(QStringLiteral("out")));
        QTRY_COMPARE(listener->events.size(), 2);
        QCOMPARE(listener->events, (QStringList{"error2 broken.7z b", "error1 broken.7z"}));
        QVERIFY(env->LogContains(QStringLiteral("SevenZManager :: ERROR --- exit code")));
    }

    // The tool asks for a password on standard input; it must get none and fail at once.
    void passwordArchiveFailsWithoutWaiting()
    {
        QM_REQUIRE(HaveSevenZip(), "7z (p7zip-full)");
        const QString src = env->Path(QStringLiteral("src"));
        QVERIFY(WriteFile(src + QStringLiteral("/locked/a.txt"), "secret"));
        QProcess p;
        p.setWorkingDirectory(src);
        p.start(QStringLiteral("7z"),
                {QStringLiteral("a"), QStringLiteral("-psecret"), QStringLiteral("-mhe=on"),
                 env->Path(QStringLiteral("locked.7z")), QStringLiteral("locked")});
        QVERIFY(p.waitForFinished(30000) && p.exitCode() == 0);
        QElapsedTimer timer;
        timer.start();
        SevenZManager::Extract(env->Path(QStringLiteral("locked.7z")), env->Path(QStringLiteral("out")),
                               QStringLiteral("l"), -1);
        QTRY_COMPARE_WITH_TIMEOUT(listener->events.size(), 1, 10000);
        QCOMPARE(listener->events.first(), QStringLiteral("error2 locked.7z l"));
        QVERIFY(timer.elapsed() < 10000);
    }

    void missingArchiveAndMissingToolAreErrors()
    {
        SevenZManager::Extract(env->Path(QStringLiteral("nothing.7z")), env->Path(QStringLiteral("out")),
                               QStringLiteral("n"), -1);
        QTRY_COMPARE(listener->events.size(), 1);
        QCOMPARE(listener->events.first(), QStringLiteral("error2 nothing.7z n"));
        QVERIFY(env->LogContains(QStringLiteral("SevenZManager :: ERROR --- no such archive:")));

        const QString archive = env->Path(QStringLiteral("some.7z"));
        QVERIFY(WriteFile(archive, "x"));
        SevenZManager::Instance()->SetProgram(env->Path(QStringLiteral("no-such-tool")));
        SevenZManager::Extract(archive, env->Path(QStringLiteral("out")));
        QTRY_COMPARE(listener->events.size(), 2);
        QCOMPARE(listener->events.last(), QStringLiteral("error1 some.7z"));
        QVERIFY(env->LogContains(QStringLiteral("can't start the archive tool")));

        SevenZManager::Instance()->SetProgram(QString());
        QCOMPARE(SevenZManager::Instance()->Program(), SevenZManager::DefaultProgram());
    }
};

QTEST_GUILESS_MAIN(TestSevenZManager)
#include "tst_SevenZManager.moc"
