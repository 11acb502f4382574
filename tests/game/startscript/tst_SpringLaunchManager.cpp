#include "AppSettings.h"
#include "PathManager.h"
#include "SpringLaunchManager.h"
#include "StartScriptGenerator.h"
#include "SyncManager.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "helper_Records.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace TestRecords;

namespace
{
const QString Version = "106.0"; // the records' engine version

// A stand-in engine: records its arguments (one per line), its working folder and what the games
// folder holds while it runs, and that it came to its end; FAKE_SLEEP keeps it running, FAKE_CHATTY
// makes it write 20 MB.
const char* const FakeEngine = R"(#!/bin/sh
out="$(dirname "$0")/run"
: > "$out.args"
for a in "$@"; do printf '%s\n' "$a" >> "$out.args"; done
pwd > "$out.pwd"
ls games > "$out.games" 2>/dev/null
[ -n "$FAKE_CHATTY" ] && head -c 20000000 /dev/zero | tr '\0' 'x'
[ -n "$FAKE_CHATTY" ] && head -c 20000000 /dev/zero | tr '\0' 'y' >&2
[ -n "$FAKE_SLEEP" ] && sleep "$FAKE_SLEEP"
: > "$out.ended"
exit 0
)";

QStringList ReadLines(const QString& path)
{
    return QString::fromUtf8(TestFiles::Read(path)).split('\n', Qt::SkipEmptyParts);
}

QString ReadAll(const QString& path)
{
    return QString::fromUtf8(TestFiles::Read(path));
}

} // namespace

class TestSpringLaunchManager : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    QStringList m_signals;

    QString Data() const { return m_env->SpringDataDir(); }
    QString EngineDir() const { return Data() + "/engines/" + Version; }
    QString Script() const { return PathManager::Instance()->GetLaunchScriptFile(); }
    QString Config() const { return PathManager::Instance()->GetEngineSettingsFile(false); }

    void Setup(const QString& gameCode = "zorn")
    {
        m_env = std::make_unique<TestEnvironment>(gameCode);
        QVERIFY(TestFiles::Write(EngineDir() + "/spring", FakeEngine, true));
        SyncManager::SetSystemEnginePath(QString());

        SpringLaunchManager* launcher = SpringLaunchManager::Instance();
        m_signals.clear();
        const auto note = [this](const char* name) { return [this, name] { m_signals << name; }; };
        connect(launcher, &SpringLaunchManager::OnSpringStarted, this, note("SpringStarted"));
        connect(launcher, &SpringLaunchManager::OnSpringStopped, this, note("SpringStopped"));
        connect(launcher, &SpringLaunchManager::OnSkirmishStarted, this, note("SkirmishStarted"));
        connect(launcher, &SpringLaunchManager::OnSkirmishStopped, this, note("SkirmishStopped"));
        connect(launcher, &SpringLaunchManager::OnBattleStarted, this, note("BattleStarted"));
        connect(launcher, &SpringLaunchManager::OnBattleStopped, this, note("BattleStopped"));
        connect(launcher, &SpringLaunchManager::OnSpringFailed, this, note("SpringFailed"));
        connect(launcher, &SpringLaunchManager::OnReplayStarted, this,
                [this](const QString& f) { m_signals << "ReplayStarted " + f; });
        connect(launcher, &SpringLaunchManager::OnReplayStopped, this,
                [this](const QString& f) { m_signals << "ReplayStopped " + f; });
    }

    bool WaitStopped(int timeoutMs = 10000)
    {
        return QTest::qWaitFor(
            [this]
            {
                return !SpringLaunchManager::Instance()->IsRunning() &&
                       (m_signals.contains("SpringStopped") || m_signals.contains("SpringFailed"));
            },
            timeoutMs);
    }

    QStringList Args() const { return ReadLines(EngineDir() + "/run.args"); }

private slots:
    void cleanup()
    {
        qunsetenv("FAKE_SLEEP");
        qunsetenv("FAKE_CHATTY");
        SpringLaunchManager::Destroy();
        if (SyncManager::Exists())
            SyncManager::Destroy();
        m_env.reset();
    }

    void Skirmish_ExactArgumentsScriptAndSignalOrder()
    {
        Setup();
        const DataStartScript record = OneAgainstAi();
        SpringLaunchManager::Instance()->StartSkirmish(record);
        QVERIFY(WaitStopped());
        QCOMPARE(Args(), QStringList({"--config", Config(), "--write-dir", Data(), Script()}));
        QCOMPARE(ReadLines(EngineDir() + "/run.pwd"), QStringList({QDir(Data()).canonicalPath()}));
        QCOMPARE(m_signals,
                 QStringList({"SpringStarted", "SkirmishStarted", "SpringStopped", "SkirmishStopped"}));
        QCOMPARE(ReadAll(Script()), StartScriptGenerator(record).Script());
        QVERIFY(m_env->LogContains("SpringLaunchManager :: Start Script file is written " + Script()));
        const QString line =
            QStringLiteral(
                "SpringLaunchManager :: Start Spring \"%1/spring\" --config \"%2\" --write-dir \"%3\" \"%4\"")
                .arg(EngineDir(), Config(), Data(), Script());
        QVERIFY2(m_env->LogContains(line), qPrintable(m_env->LogLines().join('\n')));
        QVERIFY(SpringLaunchManager::Instance()->GetStartedAt().isValid());
        QVERIFY(SpringLaunchManager::Instance()->GetStoppedAt() >=
                SpringLaunchManager::Instance()->GetStartedAt());
    }

    void Battle_ClientScriptAndBattleSignals()
    {
        Setup();
        DataStartScript record = Client("pw");
        record.engineVersion = Version;
        SpringLaunchManager::Instance()->StartBattle(record);
        QVERIFY(WaitStopped());
        QCOMPARE(Args(), QStringList({"--config", Config(), "--write-dir", Data(), Script()}));
        QCOMPARE(m_signals,
                 QStringList({"SpringStarted", "BattleStarted", "SpringStopped", "BattleStopped"}));
        QCOMPARE(ReadAll(Script()), StartScriptGenerator(record).Script());
    }

    void Replay_NameMeAndNoScript()
    {
        Setup();
        const QString replay = Data() + "/demos/my replay \"1\".sdfz";
        SpringLaunchManager::Instance()->StartReplay(replay, Version);
        QVERIFY(WaitStopped());
        QCOMPARE(Args(), QStringList({"--config", Config(), "--write-dir", Data(), "--name", "ME", replay}));
        QVERIFY(!QFile::exists(Script()));
        QCOMPARE(m_signals, QStringList({"SpringStarted", "ReplayStarted " + replay, "SpringStopped",
                                         "ReplayStopped " + replay}));
        QVERIFY(
            m_env->LogContains(QStringLiteral("--write-dir \"%1\" --name ME \"%2\"").arg(Data(), replay)));
    }

    void SecondGameRow_Safemode()
    {
        Setup("gvm");
        SpringLaunchManager::Instance()->StartSkirmish(OneAgainstAi());
        QVERIFY(WaitStopped());
        QCOMPARE(Args(), QStringList({"--config", Config(), "--write-dir", Data(), "--safemode", Script()}));
    }

    void CustomSyncFolder_IsTheWriteDirEvenWithBlanksAndQuotes()
    {
        Setup();
        const QString custom = m_env->Path("my \"sync\" folder");
        AppSettingsMain::Instance()->CustomSyncFolder = custom;
        SpringLaunchManager::Instance()->StartReplay(Data() + "/r.sdfz", Version);
        QVERIFY(WaitStopped());
        QCOMPARE(Args().mid(2, 2), QStringList({"--write-dir", custom}));
    }

    void SddFolders_HiddenWhileRunningAndRestored()
    {
        Setup();
        const QString games = Data() + "/games";
        QDir().mkpath(games + "/Game.SDD");
        QDir().mkpath(games + "/dev.sdd");
        QDir().mkpath(games + "/Keep.useless");
        QDir().mkpath(games + "/plain");
        QFile(games + "/file.sdd").open(QIODevice::WriteOnly);
        SpringLaunchManager::Instance()->StartSkirmish(OneAgainstAi());
        QVERIFY(WaitStopped());
        QCOMPARE(ReadLines(EngineDir() + "/run.games"),
                 QStringList({"Game.SDD.useless", "Keep.useless", "dev.sdd.useless", "file.sdd", "plain"}));
        QDir dir(games);
        QCOMPARE(dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
                 QStringList({"Game.SDD", "Keep.useless", "dev.sdd", "file.sdd", "plain"}));
    }

    void SddFolders_OptionOnRestoresAndHidesNothing()
    {
        Setup();
        AppSettingsMain::Instance()->UseGamesDirSDD = true;
        const QString games = Data() + "/games";
        QDir().mkpath(games + "/Left.sdd.useless");
        QDir().mkpath(games + "/Dev.sdd");
        SpringLaunchManager::Instance()->StartSkirmish(OneAgainstAi());
        QVERIFY(WaitStopped());
        QCOMPARE(ReadLines(EngineDir() + "/run.games"), QStringList({"Dev.sdd", "Left.sdd"}));
    }

    void AlreadyRunning_RefusedBeforeAnythingIsWritten()
    {
        Setup();
        qputenv("FAKE_SLEEP", "2");
        SpringLaunchManager* launcher = SpringLaunchManager::Instance();
        launcher->StartSkirmish(OneAgainstAi());
        QTRY_VERIFY(m_signals.contains("SpringStarted"));
        QVERIFY(launcher->IsRunning());
        const QString firstScript = ReadAll(Script());

        DataStartScript other = OneAgainstAi();
        other.mapName = "Another Map";
        launcher->StartBattle(other);
        launcher->StartReplay(Data() + "/r.sdfz", Version);
        QVERIFY(m_env->LogContains(
            "SpringLaunchManager :: Game already launched! Can't start another game instance!"));
        QCOMPARE(ReadAll(Script()), firstScript);
        QCOMPARE(m_signals, QStringList({"SpringStarted", "SkirmishStarted"}));
        QVERIFY(WaitStopped());
        QCOMPARE(m_signals,
                 QStringList({"SpringStarted", "SkirmishStarted", "SpringStopped", "SkirmishStopped"}));
    }

    // A start that cannot go ahead fails once, runs nothing and leaves the games folder as it was.
    void FailedStart_RestoresFolders_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("log");
        const QString refused = QStringLiteral(
            "SpringLaunchManager :: Start failed --- the engine would refuse the start script");
        QTest::newRow("engine not found")
            << 0 << "SpringLaunchManager :: Start Spring \"ENGINE NOT FOUND\" --config";
        QTest::newRow("engine cannot start")
            << 1 << "SpringLaunchManager :: Start failed --- the engine could not be started";
        QTest::newRow("script cannot be written")
            << 2 << "SpringLaunchManager :: Could not open file to write Start Script";
        QTest::newRow("script cut short part-way, the last one kept")
            << 3 << "SpringLaunchManager :: Start failed --- the start script could not be written";
        // Which records the engine would refuse: the generator's tests; here two of them.
        QTest::newRow("empty script") << 5 << refused;
        QTest::newRow("player without a name") << 6 << refused + ": player 0 has no name";
    }

    void FailedStart_RestoresFolders()
    {
        QFETCH(int, fault);
        QFETCH(QString, log);
        Setup();
        QDir().mkpath(Data() + "/games/Dev.sdd");
        QFile engine(EngineDir() + "/spring");
        DataStartScript record = OneAgainstAi();
        if (fault == 0)
            record.engineVersion = "0.0-unknown";
        else if (fault == 1)
            engine.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner); // not executable
        else if (fault == 2)
            QDir().mkpath(Script()); // a folder where the file should be
        else if (fault == 6)
            record.players.first().name = " ";
        else if (fault == 5)
        {
            record = Client(QString());
            record.me.isBattleFounder = true;
            record.engineVersion = Version;
        }
        const auto start = [&] { SpringLaunchManager::Instance()->StartSkirmish(record); };
        if (fault == 3)
            QVERIFY(TestFiles::Write(Script(), "[GAME]\n{\n}\n"));
        fault == 3 ? TestFiles::WithFileSizeLimit(100, start) : start(); // the new script is cut short
        QVERIFY(WaitStopped());
        QCOMPARE(m_signals, QStringList({"SpringFailed"}));
        QVERIFY2(m_env->LogContains(log), qPrintable(m_env->LogLines().join('\n')));
        QVERIFY(!QFile::exists(EngineDir() + "/run.args"));
        QVERIFY(QDir(Data() + "/games/Dev.sdd").exists());
        QVERIFY(!QDir(Data() + "/games/Dev.sdd.useless").exists());
        QVERIFY(!SpringLaunchManager::Instance()->IsRunning());
        if (fault == 3)
        {
            QCOMPARE(ReadAll(Script()), "[GAME]\n{\n}\n");
            const QDir folder = QFileInfo(Script()).dir();
            QCOMPARE(folder.entryList({"spring.start*"}, QDir::Files | QDir::Hidden),
                     QStringList{QFileInfo(Script()).fileName()});
        }
        if (fault > 3)
            QVERIFY(!QFile::exists(Script()));
        if (fault != 1)
            return;
        // The next launch works again.
        engine.setPermissions(engine.permissions() | QFileDevice::ExeOwner);
        m_signals.clear();
        SpringLaunchManager::Instance()->StartSkirmish(OneAgainstAi());
        QVERIFY(WaitStopped());
        QCOMPARE(m_signals.first(), "SpringStarted");
    }

    void WriteStartScript_EmptyTextAndUtf8()
    {
        Setup();
        QVERIFY(SpringLaunchManager::Instance()->WriteStartScript(QString()));
        QCOMPARE(QFileInfo(Script()).size(), 0);
        const QString text = "[GAME]\n{\n\tMyPlayerName=Žluťoučký;\n}";
        QVERIFY(SpringLaunchManager::Instance()->WriteStartScript(text));
        QFile file(Script());
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QCOMPARE(QString::fromUtf8(file.readAll()), text);
    }

    void ChattyEngine_NeverBlocks()
    {
        Setup();
        qputenv("FAKE_CHATTY", "1");
        SpringLaunchManager::Instance()->StartSkirmish(OneAgainstAi());
        QVERIFY(WaitStopped(30000));
        QCOMPARE(m_signals.last(), "SkirmishStopped");
    }

    void Destroy_KillsARunningEngineAndRestoresFolders()
    {
        Setup();
        qputenv("FAKE_SLEEP", "30");
        QDir().mkpath(Data() + "/games/Dev.sdd");
        SpringLaunchManager::Instance()->StartSkirmish(OneAgainstAi());
        QTRY_VERIFY(m_signals.contains("SpringStarted"));
        QVERIFY(QDir(Data() + "/games/Dev.sdd.useless").exists());
        SpringLaunchManager::Destroy();
        // Killed, not waited for: it never came to its end.
        QVERIFY(!QFile::exists(EngineDir() + "/run.ended"));
        QVERIFY(m_env->LogContains("Destroy :: SpringLaunchManager"));
        QVERIFY(QDir(Data() + "/games/Dev.sdd").exists());
    }
};

QTEST_GUILESS_MAIN(TestSpringLaunchManager)
#include "tst_SpringLaunchManager.moc"
