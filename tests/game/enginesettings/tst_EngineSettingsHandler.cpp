#include "AppSettings.h"
#include "Common.h"
#include "EngineSettingsFile.h"
#include "EngineSettingsHandler.h"
#include "PathManager.h"
#include "StartActionsHandler.h"
#include "TestEnvironment.h"
#include "helper_EngineSettingsReceiver.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <memory>
#include <thread>

namespace
{
// One start-up refresh, as the housekeeping worker runs it.
void RefreshOnce()
{
    EngineSettingsHandler::Instance()->SaveSpringDataDirToConfig();
    EngineSettingsHandler::Destroy();
}
} // namespace

class TestEngineSettingsHandler : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;

    QString PlayFile() const { return PathManager::Instance()->GetEngineSettingsFile(false); }
    QString ReplayFile() const { return PathManager::Instance()->GetEngineSettingsFile(true); }

    DataEngineSettings SafeMode()
    {
        DataEngineSettings es =
            EngineSettingsHandler::Instance()->GetPreset(EngineSettingsHandler::PresetSafeMode);
        es.SpringData = m_env->SpringDataDir();
        return es;
    }

    DataEngineSettings Parsed(const QString& path, const QSize& screen = Common::GetScreenSize())
    {
        return EngineSettingsFile::ToRecord(ReadValues(path), screen, m_env->SpringDataDir());
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        QVERIFY(QDir().mkpath(QFileInfo(PlayFile()).path()));
    }

    void cleanup()
    {
        EngineSettingsHandler::Destroy();
        m_env.reset();
    }

    void FirstStartMakesBothFilesInSafeMode()
    {
        QVERIFY(!QFile::exists(PlayFile()));
        RefreshOnce();
        QVERIFY(!EngineSettingsHandler::Exists());
        QVERIFY(m_env->LogContains(QStringLiteral("Initialize :: EngineSettingsHandler")));
        QVERIFY(m_env->LogContains(QStringLiteral("Destroy :: EngineSettingsHandler")));
        QVERIFY(m_env->LogContains(
            QStringLiteral("EngineSettingsHandler :: PLAY Graphic Settings file does NOT exist ") +
            PlayFile()));
        QVERIFY(m_env->LogContains(
            QStringLiteral("EngineSettingsHandler :: REPLAY Graphic Settings --- Making new one ") +
            ReplayFile()));

        const DataEngineSettings safe = SafeMode();
        for (const QString& path : {PlayFile(), ReplayFile()})
        {
            const EngineSettingsFile::Values values = ReadValues(path);
            QCOMPARE(values.size(), 132);
            QVERIFY(!values.contains(QStringLiteral("GraphicDetailsName")));
            QVERIFY(!values.contains(QStringLiteral("BlockCompositing")));
            QCOMPARE(values.value(QStringLiteral("SpringData")), m_env->SpringDataDir());
            QCOMPARE(values.value(QStringLiteral("Shadows")), QStringLiteral("-1"));
            QVERIFY(Parsed(path) == safe);
            QVERIFY(ReadBytes(path).startsWith("3DTrees = 0\nAdvMapShading = 0\n"));
        }
    }

    void SecondStartChangesNothing()
    {
        RefreshOnce();
        const QByteArray play = ReadBytes(PlayFile());
        const QByteArray replay = ReadBytes(ReplayFile());
        RefreshOnce();
        QCOMPARE(ReadBytes(PlayFile()), play);
        QCOMPARE(ReadBytes(ReplayFile()), replay);

        // Also for a file the user wrote with odd spacing, comments and unknown keys: once tidied,
        // it stays as it is.
        QVERIFY(
            WriteBytes(PlayFile(), "# mine\r\nShadows=1\r\n\r\nGuiOpacity = 0.123456789\r\nFoo = a = b\r\n"));
        RefreshOnce();
        const QByteArray tidied = ReadBytes(PlayFile());
        QVERIFY(tidied.startsWith("# mine\n"));
        QVERIFY(tidied.contains("\nFoo = a = b\n"));
        QVERIFY(tidied.contains("\nGuiOpacity = 0.123457\n"));
        RefreshOnce();
        QCOMPARE(ReadBytes(PlayFile()), tidied);
    }

    // A damaged file is kept aside before the start-up rewrite tidies it; a clean one is not.
    void DamagedFileKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("kept");
        QTest::newRow("clean") << QByteArray("# note\nShadows = 1\n\nFoo=a=b\n") << false;
        QTest::newRow("NUL bytes") << QByteArray("Shadows=1\n\0\0\0\n", 14) << true;
        QTest::newRow("broken UTF-8") << QByteArray("Shadows=1\nName=\xff\xfe\n") << true;
        QTest::newRow("line without a key") << QByteArray("Shadows=1\nsome words\n") << true;
    }

    void DamagedFileKept()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, kept);
        QVERIFY(WriteBytes(PlayFile(), content));
        RefreshOnce();
        QCOMPARE(QFile::exists(PlayFile() + ".corrupt"), kept);
        if (kept)
        {
            QCOMPARE(ReadBytes(PlayFile() + ".corrupt"), content);
            QVERIFY(
                m_env->LogContains("EngineSettingsHandler :: Engine Settings file is damaged --- kept as " +
                                   PlayFile() + ".corrupt"));
        }
        QCOMPARE(ReadValues(PlayFile()).value(QStringLiteral("Shadows")), QStringLiteral("1"));
        QVERIFY(!EngineSettingsFile::IsGarbage(ReadBytes(PlayFile())));
    }

    void CustomSyncFolderJoinsSpringData()
    {
        AppSettingsMain::Instance()->CustomSyncFolder = QStringLiteral("/mnt/sync");
        RefreshOnce();
        const QString expected = m_env->SpringDataDir() + QDir::listSeparator() + QStringLiteral("/mnt/sync");
        QCOMPARE(ReadValues(PlayFile()).value(QStringLiteral("SpringData")), expected);
        QCOMPARE(ReadValues(ReplayFile()).value(QStringLiteral("SpringData")), expected);

        // Dropping the folder again refreshes both files.
        AppSettingsMain::Instance()->CustomSyncFolder.clear();
        RefreshOnce();
        QCOMPARE(ReadValues(PlayFile()).value(QStringLiteral("SpringData")), m_env->SpringDataDir());
        QCOMPARE(ReadValues(ReplayFile()).value(QStringLiteral("SpringData")), m_env->SpringDataDir());
    }

    void PlayFileGainsMissingKeysAndKeepsItsOwn()
    {
        QVERIFY(WriteBytes(PlayFile(),
                           "Shadows = 1\nBlockCompositing = true;\nSpringData = /old\nTreeRadius = 2000\n"));
        RefreshOnce();
        const EngineSettingsFile::Values values = ReadValues(PlayFile());
        QCOMPARE(values.size(), 133);
        QCOMPARE(values.value(QStringLiteral("Shadows")), QStringLiteral("1"));
        QCOMPARE(values.value(QStringLiteral("TreeRadius")), QStringLiteral("2000"));
        QCOMPARE(values.value(QStringLiteral("BlockCompositing")), QStringLiteral("true;"));
        QCOMPARE(values.value(QStringLiteral("SpringData")), m_env->SpringDataDir());
        QCOMPARE(values.value(QStringLiteral("LinkOutgoingBandwidth")), QStringLiteral("65536"));
        QCOMPARE(values.value(QStringLiteral("XResolution")),
                 QString::number(Common::GetScreenSize().width()));

        // The replay file was missing: made anew, the play file untouched by that.
        QVERIFY(Parsed(ReplayFile()) == SafeMode());
    }

    void LoadEmitsTheParsedRecord()
    {
        QVERIFY(WriteBytes(PlayFile(), "Shadows = 1\nUseVBO = 0\nGuiOpacity = 0.5\n"));
        EngineSettingsHandler* handler = EngineSettingsHandler::Instance();
        EngineSettingsReceiver receiver(handler);
        handler->LoadEngineSettings(false, true);
        handler->LoadEngineSettings(false, false);
        QTRY_COMPARE(receiver.loaded.size(), 1);
        QTest::qWait(50);
        QCOMPARE(receiver.loaded.size(), 1);
        const DataEngineSettings es = receiver.loaded.first();
        QCOMPARE(es.Shadows, 1);
        QCOMPARE(es.UseVBO, false);
        QCOMPARE(es.GuiOpacity, 0.5f);
        QCOMPARE(es.TreeRadius, 1408);
        QCOMPARE(es.SpringData, m_env->SpringDataDir());
        // Loading reads, it does not write.
        QCOMPARE(ReadBytes(PlayFile()), QByteArray("Shadows = 1\nUseVBO = 0\nGuiOpacity = 0.5\n"));
    }

    void LoadMakesAMissingReplayFile()
    {
        EngineSettingsHandler* handler = EngineSettingsHandler::Instance();
        EngineSettingsReceiver receiver(handler);
        handler->LoadEngineSettings(true, false);
        QTRY_COMPARE(receiver.loaded.size(), 1);
        QVERIFY(m_env->LogContains(
            QStringLiteral("EngineSettingsHandler :: REPLAY Graphic Settings file does NOT exist ") +
            ReplayFile()));
        QVERIFY(QFile::exists(ReplayFile()));
        QVERIFY(receiver.loaded.first() == SafeMode());
        QVERIFY(Parsed(ReplayFile()) == SafeMode());
    }

    void SaveWritesAndSignals()
    {
        QVERIFY(WriteBytes(PlayFile(), "BlockCompositing = true;\nShadows = 1\n"));
        EngineSettingsHandler* handler = EngineSettingsHandler::Instance();
        EngineSettingsReceiver receiver(handler);
        DataEngineSettings es = handler->GetPreset(EngineSettingsHandler::PresetUltra);
        es.XResolution = 2560;
        es.InputTextGeo = QStringLiteral("0.26 0.73 0.02 0.028");
        handler->SaveEngineSettings(es, false, true);
        handler->LoadEngineSettings(false, false);
        QTRY_COMPARE(receiver.loaded.size(), 1);
        QVERIFY(receiver.saved.isEmpty());

        DataEngineSettings loaded = receiver.loaded.first();
        QVERIFY(handler->MatchesPreset(loaded, EngineSettingsHandler::PresetUltra));
        QCOMPARE(loaded.XResolution, 2560);
        QCOMPARE(loaded.InputTextGeo, es.InputTextGeo);
        QCOMPARE(ReadValues(PlayFile()).value(QStringLiteral("BlockCompositing")), QStringLiteral("true;"));

        loaded.Shadows = 0;
        handler->SaveEngineSettings(loaded, false, false);
        QTRY_COMPARE(receiver.saved.size(), 1);
        QCOMPARE(receiver.saved.first(), true);
        QCOMPARE(ReadValues(PlayFile()).value(QStringLiteral("Shadows")), QStringLiteral("0"));
        QVERIFY(!QFile::exists(ReplayFile()));
    }

    void UnwritableReplayPath()
    {
        // A folder where the replay file belongs: it can be neither read nor replaced.
        QVERIFY(QDir().mkpath(ReplayFile()));
        RefreshOnce();
        QVERIFY(Parsed(PlayFile()) == SafeMode());
        QVERIFY(QFileInfo(ReplayFile()).isDir());
        QVERIFY(m_env->LogContains(
            QStringLiteral("EngineSettingsHandler :: Engine Settings file can NOT be opened ") +
            ReplayFile()));

        EngineSettingsHandler* handler = EngineSettingsHandler::Instance();
        EngineSettingsReceiver receiver(handler);
        DataEngineSettings es = handler->GetPreset(EngineSettingsHandler::PresetHigh);
        m_env->ClearLog();
        handler->SaveEngineSettings(es, true, false);
        handler->LoadEngineSettings(true, false);
        QTRY_COMPARE(receiver.saved.size(), 1);
        QTRY_COMPARE(receiver.loaded.size(), 1);
        QCOMPARE(receiver.saved.first(), false);
        QVERIFY(m_env->LogContains(QStringLiteral("EngineSettingsHandler :: Engine Settings --- NOT saved ") +
                                   ReplayFile()));
        // Nothing could be read: the record holds the defaults, not half a file.
        DataEngineSettings defaults = DataEngineSettings::Defaults(Common::GetScreenSize());
        defaults.SpringData = m_env->SpringDataDir();
        QVERIFY(receiver.loaded.first() == defaults);

        // The play side is unaffected.
        handler->SaveEngineSettings(es, false, false);
        QTRY_COMPARE(receiver.saved.size(), 2);
        QCOMPARE(receiver.saved.at(1), true);
        QVERIFY(handler->MatchesPreset(Parsed(PlayFile()), EngineSettingsHandler::PresetHigh));
    }

    void FailedCopyKeepsThePlayFile()
    {
        QVERIFY(WriteBytes(PlayFile(), "Shadows = 1\nTreeRadius = 2500\n"));
        // A dangling link into a folder that does not exist: the replay file is missing and can
        // not be made.
        QVERIFY(QFile::link(m_env->Path(QStringLiteral("no/such/folder/replay.cfg")), ReplayFile()));
        RefreshOnce();
        QVERIFY(
            m_env->LogContains(QStringLiteral("EngineSettingsHandler :: Can NOT copy Engine Settings file")));
        QVERIFY(m_env->LogContains(QStringLiteral("EngineSettingsHandler :: From ") + PlayFile()));
        const EngineSettingsFile::Values values = ReadValues(PlayFile());
        QCOMPARE(values.value(QStringLiteral("Shadows")), QStringLiteral("1"));
        QCOMPARE(values.value(QStringLiteral("TreeRadius")), QStringLiteral("2500"));
        QCOMPARE(values.size(), 132);
    }

    void SaveIntoAMissingFileMakesIt()
    {
        EngineSettingsHandler* handler = EngineSettingsHandler::Instance();
        EngineSettingsReceiver receiver(handler);
        DataEngineSettings es = handler->GetPreset(EngineSettingsHandler::PresetLow);
        es.SpringData = QStringLiteral("/kept/as/given");
        handler->SaveEngineSettings(es, true, false);
        QTRY_COMPARE(receiver.saved.size(), 1);
        QCOMPARE(receiver.saved.first(), true);
        QCOMPARE(ReadValues(ReplayFile()).size(), 132);
        QCOMPARE(ReadValues(ReplayFile()).value(QStringLiteral("SpringData")),
                 QStringLiteral("/kept/as/given"));
    }

    void ScreenSizeHandedToAnotherThread()
    {
        // Made on a thread that must not touch the screens: the handed-over size is used.
        EngineSettingsHandler::SetScreenSize(QSize(1234, 567));
        std::thread maker([] { EngineSettingsHandler::Instance(); });
        maker.join();
        EngineSettingsHandler* handler = EngineSettingsHandler::Instance();
        EngineSettingsReceiver receiver(handler);
        QVERIFY(WriteBytes(PlayFile(), "Shadows = 1\n"));
        handler->LoadEngineSettings(false, false);
        QTRY_COMPARE(receiver.loaded.size(), 1);
        QCOMPARE(receiver.loaded.first().XResolution, 1234);
        QCOMPARE(receiver.loaded.first().YResolutionWindowed, 567);
        EngineSettingsHandler::Destroy();

        // Made on the GUI thread: the screen is asked directly.
        handler = EngineSettingsHandler::Instance();
        EngineSettingsReceiver second(handler);
        handler->LoadEngineSettings(false, false);
        QTRY_COMPARE(second.loaded.size(), 1);
        QCOMPARE(second.loaded.first().XResolution, Common::GetScreenSize().width());
    }

    void RunsAsAStartAction()
    {
        EngineSettingsHandler::AddStartAction();
        StartActionsHandler::Start();
        StartActionsHandler::Destroy();
        QVERIFY(!EngineSettingsHandler::Exists());
        QVERIFY(m_env->LogContains(
            QStringLiteral("StartActionsHandler :: Saves Engine Settings for Play and Replay")));
        QVERIFY(Parsed(PlayFile()) == SafeMode());
        QVERIFY(Parsed(ReplayFile()) == SafeMode());
        QCOMPARE(ReadValues(PlayFile()).value(QStringLiteral("XResolution")),
                 QString::number(Common::GetScreenSize().width()));
    }
};

QTEST_MAIN(TestEngineSettingsHandler)
#include "tst_EngineSettingsHandler.moc"
