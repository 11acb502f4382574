#include "PathManager.h"
#include "TauntsManager.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace
{
void WriteTaunts(const QByteArray& content)
{
    const QString dir = PathManager::Instance()->GetTauntsDir();
    QDir().mkpath(dir);
    QFile file(dir + QStringLiteral("/taunts.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}
} // namespace

class TestTauntsManager : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_env.reset(new TestEnvironment()); }
    void cleanup()
    {
        TauntsManager::DestroyInstance();
        m_env.reset();
    }

    void MissingFile()
    {
        TauntsManager* taunts = TauntsManager::Instance();
        QCOMPARE(taunts->Count(), 0);
        QVERIFY(m_env->LogContains(QStringLiteral("Initialize :: TauntsManager")));
        QVERIFY(m_env->LogContains(
            QStringLiteral("TauntsManager :: Taunts list is empty, because *.ini file does NOT exist ") +
            PathManager::Instance()->GetTauntsDir() + QStringLiteral("/taunts.ini")));
        QSignalSpy cleared(taunts, &TauntsManager::OnClear);
        QSignalSpy reloaded(taunts, &TauntsManager::OnReload);
        taunts->Load();
        QCOMPARE(cleared.count(), 1);
        QCOMPARE(reloaded.count(), 0);
        QVERIFY(taunts->GetTauntFile(QStringLiteral("anything")).isEmpty());
        TauntsManager::DestroyInstance();
        QVERIFY(m_env->LogContains(QStringLiteral("Destroy :: TauntsManager")));
    }

    void LoadsAndLooksUp()
    {
        WriteTaunts("count=3\n"
                    "[1]\nkey=gg\nmessage=Good Game\nfile=gg.ogg\n"
                    "[2]\nkey=rush\nmessage=Rush them, now!\nfile=sub/rush.wav\n"
                    "[3]\nkey=\xd0\xbf\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82\nmessage="
                    "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82!\nfile=hi.wav\n");
        TauntsManager* taunts = TauntsManager::Instance();
        QCOMPARE(taunts->Count(), 3);
        QVERIFY(m_env->LogContains(QStringLiteral("TauntsManager :: Load 3 taunts")));
        QVERIFY(taunts->Contains(QStringLiteral("gg")));
        QVERIFY(!taunts->Contains(QStringLiteral("GG")));
        QCOMPARE(taunts->GetMessage(QStringLiteral("rush")), QStringLiteral("Rush them, now!"));
        QVERIFY(taunts->GetMessage(QStringLiteral("nope")).isEmpty());
        QCOMPARE(taunts->GetTaunts().value(QStringLiteral("gg")), QStringLiteral("Good Game"));
        QCOMPARE(taunts->GetMessage(QString::fromUtf8("привет")), QString::fromUtf8("Привет!"));

        // By message, in any letter case.
        QCOMPARE(taunts->GetTauntFile(QStringLiteral("good game")), QStringLiteral("gg.ogg"));
        QCOMPARE(taunts->GetTauntFile(QStringLiteral("RUSH THEM, NOW!")), QStringLiteral("sub/rush.wav"));
        QCOMPARE(taunts->GetTauntFile(QString::fromUtf8("привет!")), QStringLiteral("hi.wav"));
        // By a key in parentheses at the start, followed by other words.
        QCOMPARE(taunts->GetTauntFile(QStringLiteral("(gg) well played all")), QStringLiteral("gg.ogg"));
        QVERIFY(taunts->GetTauntFile(QStringLiteral("(unknown) text")).isEmpty());
        QVERIFY(taunts->GetTauntFile(QStringLiteral("(gg without end")).isEmpty());
        QVERIFY(taunts->GetTauntFile(QStringLiteral("say (gg)")).isEmpty());
        QVERIFY(taunts->GetTauntFile(QString()).isEmpty());

        QSignalSpy cleared(taunts, &TauntsManager::OnClear);
        taunts->Clear();
        QCOMPARE(cleared.count(), 1);
        QCOMPARE(taunts->Count(), 0);
        QSignalSpy reloaded(taunts, &TauntsManager::OnReload);
        taunts->Load();
        QCOMPARE(reloaded.count(), 1);
        QCOMPARE(taunts->Count(), 3);
    }

    void MissingGroupIsSkipped()
    {
        WriteTaunts(
            "count=2\n[1]\nkey=a\nmessage=Alpha\nfile=a.wav\n[3]\nkey=c\nmessage=Gamma\nfile=c.wav\n");
        TauntsManager* taunts = TauntsManager::Instance();
        QCOMPARE(taunts->GetTaunts(), (QHash<QString, QString>{{"a", "Alpha"}}));
        QVERIFY(taunts->GetTauntFile(QString()).isEmpty());
        QVERIFY(m_env->LogContains(QStringLiteral("TauntsManager :: Missing taunts --- 1 of 2 skipped")));
    }

    void LaterEntriesOverwrite()
    {
        WriteTaunts("count=2\n[1]\nkey=a\nmessage=Same\nfile=1.wav\n[2]\nkey=a\nmessage=SAME\nfile=2.wav\n");
        TauntsManager* taunts = TauntsManager::Instance();
        QCOMPARE(taunts->Count(), 1);
        QCOMPARE(taunts->GetMessage(QStringLiteral("a")), QStringLiteral("SAME"));
        QCOMPARE(taunts->GetTauntFile(QStringLiteral("same")), QStringLiteral("2.wav"));
    }

    void BadCountsAreBounded()
    {
        WriteTaunts("count=-5\n[1]\nkey=a\nmessage=A\nfile=a.wav\n");
        QCOMPARE(TauntsManager::Instance()->Count(), 0);
        TauntsManager::DestroyInstance();

        WriteTaunts("count=banana\n[1]\nkey=a\nmessage=A\nfile=a.wav\n");
        QCOMPARE(TauntsManager::Instance()->Count(), 0);
        TauntsManager::DestroyInstance();

        // A hostile pack claiming two billion entries is read up to the limit, quickly.
        WriteTaunts("count=2000000000\n[1]\nkey=a\nmessage=A\nfile=a.wav\n");
        TauntsManager* taunts = TauntsManager::Instance();
        QVERIFY(taunts->Count() <= 2);
        QVERIFY(taunts->Contains(QStringLiteral("a")));
        QVERIFY(m_env->LogContains(QStringLiteral("TauntsManager :: Too many taunts --- 2000000000")));
    }

private:
    QScopedPointer<TestEnvironment> m_env;
};

QTEST_MAIN(TestTauntsManager)
#include "tst_TauntsManager.moc"
