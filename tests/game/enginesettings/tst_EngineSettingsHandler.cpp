#include "AppSettings.h"
#include "Common.h"
#include "EngineSettingsFile.h"
#include "EngineSettingsHandler.h"
#include "PathManager.h"
#include "StartActionsHandler.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "helper_EngineSettingsReceiver.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <cmath>
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

    static EngineSettingsHandler* Handler() { return EngineSettingsHandler::Instance(); }
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
        QVERIFY(m_env->LogContains("EngineSettingsHandler :: PLAY Graphic Settings file does NOT exist " +
                                   PlayFile()));
        QVERIFY(m_env->LogContains("EngineSettingsHandler :: REPLAY Graphic Settings --- Making new one " +
                                   ReplayFile()));

        const DataEngineSettings safe = SafeMode();
        for (const QString& path : {PlayFile(), ReplayFile()})
        {
            const EngineSettingsFile::Values values = ReadValues(path);
            QCOMPARE(values.size(), 132);
            QVERIFY(!values.contains("GraphicDetailsName"));
            QVERIFY(!values.contains("BlockCompositing"));
            QCOMPARE(values.value("SpringData"), m_env->SpringDataDir());
            QCOMPARE(values.value("Shadows"), "-1");
            QVERIFY(Parsed(path) == safe);
            QVERIFY(TestFiles::Read(path).startsWith("3DTrees = 0\nAdvMapShading = 0\n"));
        }
    }

    void SecondStartChangesNothing()
    {
        RefreshOnce();
        const QByteArray play = TestFiles::Read(PlayFile());
        const QByteArray replay = TestFiles::Read(ReplayFile());
        // Not even written again: the files keep the time they were made at.
        const QDateTime made(QDate(2020, 1, 2), QTime(3, 4, 5));
        for (const QString& path : {PlayFile(), ReplayFile()})
            QVERIFY(TestFiles::SetModified(path, made));
        RefreshOnce();
        QCOMPARE(TestFiles::Read(PlayFile()), play);
        QCOMPARE(TestFiles::Read(ReplayFile()), replay);
        QCOMPARE(QFileInfo(PlayFile()).lastModified(), made);
        QCOMPARE(QFileInfo(ReplayFile()).lastModified(), made);

        // Also for a file the user wrote with odd spacing, comments and unknown keys: once tidied,
        // it stays as it is.
        QVERIFY(TestFiles::Write(PlayFile(),
                                 "# mine\r\nShadows=1\r\n\r\nGuiOpacity = 0.123456789\r\nFoo = a = b\r\n"));
        RefreshOnce();
        const QByteArray tidied = TestFiles::Read(PlayFile());
        QVERIFY(tidied.startsWith("# mine\n"));
        QVERIFY(tidied.contains("\nFoo = a = b\n"));
        QVERIFY(tidied.contains("\nGuiOpacity = 0.123457\n"));
        RefreshOnce();
        QCOMPARE(TestFiles::Read(PlayFile()), tidied);
    }

    // What a damaged disk, a hostile user or a text editor can leave in the play (or replay) file's
    // place, through the start-up refresh: the log line, what stays on disk, the values used, and
    // that nothing waits on it.
    void DamagedFileKept_data()
    {
        QTest::addColumn<QString>("place"); // how TestFiles::Place fills the file's place
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("logLine");     // %1: the file; a damaged one is kept as "%1.corrupt"
        QTest::addColumn<int>("treeRadius");      // what the refreshed file holds; -1: nothing read
        QTest::addColumn<QByteArrayList>("kept"); // lines the new file holds; "<as is>": the file untouched
        QTest::addColumn<bool>("replay");         // the replay file, not the play file
        const QString damaged =
            "--- WARNING --- EngineSettingsHandler :: Engine Settings file is damaged --- "
            "%2 --- kept as %1.corrupt";
        const auto row = [](const char* name, const QString& place, const QByteArray& content,
                            const QString& log, int treeRadius, const QByteArrayList& kept = {},
                            bool replay = false)
        { QTest::newRow(name) << place << content << log << treeRadius << kept << replay; };
        // A file of exactly the size limit: read, but a save that takes it past the limit is not made.
        QByteArray atLimit = "TreeRadius=2000\n";
        for (int i = 0; atLimit.size() < EngineSettingsFile::MaxFileBytes; ++i)
            atLimit +=
                "# a note of the player's, number " + QByteArray::number(i) + QByteArray(60000, '.') + '\n';
        atLimit.truncate(int(EngineSettingsFile::MaxFileBytes) - 1);
        atLimit += '\n';
        row("clean, default tree radius", "", "# note\nShadows = 1\n\nFoo=a=b\n", "", 1408,
            {"# note\n", "\nFoo = a=b\n"});
        row("empty file", "", "", "", 1408);
        row("NUL bytes", "", QByteArray("TreeRadius=2000\n\0\0\0\n", 20), damaged.arg("%1", "NUL bytes"),
            2000);
        // The engine reads bytes: a player's Latin-1 text is kept as it is.
        row("not UTF-8", "", "TreeRadius=2000\nName=\xff\xfe\n# caf\xe9\n", "", 2000,
            {"# caf\xe9\n", "\nName = \xff\xfe\n"});
        row("line without a key", "", "TreeRadius=2000\nsome words\n",
            damaged.arg("%1", "a line that is no setting"), 2000);
        // Saved again by an editor that puts a byte-order mark in front (Windows Notepad does): the
        // first key keeps its value, a first note stays a note, and the mark is gone.
        row("byte-order mark before the first key", "", "\xEF\xBB\xBFTreeRadius = 2000\n3DTrees = 0\n", "",
            2000, {"3DTrees = 0\n"});
        row("byte-order mark before a note", "", "\xEF\xBB\xBF# tuned by hand\nTreeRadius = 2000\n", "", 2000,
            {"# tuned by hand\n"});
        row("byte-order mark, replay file", "", "\xEF\xBB\xBFTreeRadius = 2000\n3DTrees = 0\n", "", 2000,
            {"3DTrees = 0\n"}, true);
        row("garbage key lines", "",
            "TreeRadius=2000\n\x01\x02 = junk\x03\nBad Key! = x\nGood_Key = kept\nPath = C:\\J\xe9\nnoise\n",
            damaged.arg("%1", "a line that is no setting"), 2000,
            {"\nGood_Key = kept\n", "\nPath = C:\\J\xe9\n"});
        row("at the size limit", "", atLimit,
            "--- WARNING --- EngineSettingsHandler :: Engine Settings file can NOT be saved %1 --- it would "
            "grow larger than 4194304 bytes",
            2000, {"<as is>"});
        row("folder", "folder", "",
            "--- WARNING --- EngineSettingsHandler :: Engine Settings file can NOT be opened %1 --- a folder",
            -1);
        row("unreadable", "unreadable", "TreeRadius=2000\n",
            "--- WARNING --- EngineSettingsHandler :: Engine Settings file can NOT be opened %1 --- "
            "Permission "
            "denied",
            -1);
        row("link loop", "link loop", "", damaged.arg("%1", "a link loop"), 1408);
        row("FIFO", "FIFO", "", damaged.arg("%1", "a FIFO"), 1408);
        row("too large", "large:4194305", "", damaged.arg("%1", "larger than 4194304 bytes"), 1408);
    }

    void DamagedFileKept()
    {
        QFETCH(QString, place);
        QFETCH(QByteArray, content);
        QFETCH(QString, logLine);
        QFETCH(int, treeRadius);
        QFETCH(QByteArrayList, kept);
        QFETCH(bool, replay);
        const QString file = replay ? ReplayFile() : PlayFile();
        QVERIFY(TestFiles::Place(file, place, content));
        QVERIFY(TestFiles::ReturnsPromptly(30000 * TestEnvironment::SlowdownFactor(), RefreshOnce));
        if (!logLine.isEmpty())
            QVERIFY2(m_env->LogContains(logLine.arg(file)), qPrintable(m_env->LogLines().join('\n')));
        else
            QVERIFY2(m_env->LogLines().filter("WARNING").isEmpty(), qPrintable(m_env->LogLines().join('\n')));
        const QString corrupt = file + ".corrupt";
        QCOMPARE(QFileInfo(corrupt).exists() || QFileInfo(corrupt).isSymLink(), logLine.contains(".corrupt"));
        if (logLine.contains(".corrupt") && place.isEmpty())
            QCOMPARE(TestFiles::Read(corrupt), content);
        if (treeRadius < 0)
        {
            // Nothing read, nothing replaced.
            QVERIFY(place == "folder" ? QFileInfo(file).isDir() : QFileInfo(file).size() == content.size());
            return;
        }
        // The new file holds the settings the old one had, none of its garbage, and reads as clean.
        const QByteArray written = TestFiles::Read(file);
        QCOMPARE(Parsed(file).TreeRadius, treeRadius);
        QVERIFY(!EngineSettingsFile::IsGarbage(written));
        QVERIFY(!written.contains("junk") && !written.contains("Bad Key") && !written.contains("noise"));
        QVERIFY(!written.contains("\xEF\xBB\xBF"));
        if (kept == QByteArrayList{"<as is>"})
            QVERIFY(written == content);
        for (const QByteArray& line : kept)
            QVERIFY2(kept.first() == "<as is>" || written.contains(line), line.constData());
        m_env->ClearLog();
        RefreshOnce();
        QVERIFY(!m_env->LogContains("damaged"));
        QVERIFY(TestFiles::Read(file) == written);
    }

    void CustomSyncFolderJoinsSpringData()
    {
        AppSettingsMain::Instance()->CustomSyncFolder = QStringLiteral("/mnt/sync");
        RefreshOnce();
        const QString expected = m_env->SpringDataDir() + QDir::listSeparator() + "/mnt/sync";
        QCOMPARE(ReadValues(PlayFile()).value("SpringData"), expected);
        QCOMPARE(ReadValues(ReplayFile()).value("SpringData"), expected);

        // Dropping the folder again refreshes both files.
        AppSettingsMain::Instance()->CustomSyncFolder.clear();
        RefreshOnce();
        QCOMPARE(ReadValues(PlayFile()).value("SpringData"), m_env->SpringDataDir());
        QCOMPARE(ReadValues(ReplayFile()).value("SpringData"), m_env->SpringDataDir());
    }

    void PlayFileGainsMissingKeysAndKeepsItsOwn()
    {
        QVERIFY(TestFiles::Write(
            PlayFile(), "Shadows = 1\nBlockCompositing = true;\nSpringData = /old\nTreeRadius = 2000\n"));
        RefreshOnce();
        const EngineSettingsFile::Values values = ReadValues(PlayFile());
        QCOMPARE(values.size(), 133);
        QCOMPARE(values.value("Shadows"), "1");
        QCOMPARE(values.value("TreeRadius"), "2000");
        QCOMPARE(values.value("BlockCompositing"), "true;");
        QCOMPARE(values.value("SpringData"), m_env->SpringDataDir());
        QCOMPARE(values.value("XResolution"), QString::number(Common::GetScreenSize().width()));

        // The replay file was missing: made anew, the play file untouched by that.
        QVERIFY(Parsed(ReplayFile()) == SafeMode());
    }

    void LoadEmitsTheParsedRecord()
    {
        QVERIFY(TestFiles::Write(PlayFile(), "Shadows = 1\nUseVBO = 0\nGuiOpacity = 0.5\n"));
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
        QCOMPARE(es.SpringData, m_env->SpringDataDir());
        // Loading reads, it does not write.
        QCOMPARE(TestFiles::Read(PlayFile()), QByteArray("Shadows = 1\nUseVBO = 0\nGuiOpacity = 0.5\n"));
    }

    void LoadMakesAMissingReplayFile()
    {
        EngineSettingsHandler* handler = EngineSettingsHandler::Instance();
        EngineSettingsReceiver receiver(handler);
        handler->LoadEngineSettings(true, false);
        QTRY_COMPARE(receiver.loaded.size(), 1);
        QVERIFY(m_env->LogContains("EngineSettingsHandler :: REPLAY Graphic Settings file does NOT exist " +
                                   ReplayFile()));
        QVERIFY(QFile::exists(ReplayFile()));
        QVERIFY(receiver.loaded.first() == SafeMode());
        QVERIFY(Parsed(ReplayFile()) == SafeMode());
    }

    void SaveWritesAndSignals()
    {
        QVERIFY(TestFiles::Write(PlayFile(), "BlockCompositing = true;\nShadows = 1\n"));
        EngineSettingsHandler* handler = EngineSettingsHandler::Instance();
        EngineSettingsReceiver receiver(handler);
        QVERIFY(receiver.connected);
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
        QCOMPARE(ReadValues(PlayFile()).value("BlockCompositing"), "true;");

        loaded.Shadows = 0;
        handler->SaveEngineSettings(loaded, false, false);
        QTRY_COMPARE(receiver.saved, QStringList{"saved"});
        QCOMPARE(ReadValues(PlayFile()).value("Shadows"), "0");
        QVERIFY(!QFile::exists(ReplayFile()));
    }

    void UnwritableReplayPath()
    {
        // A folder where the replay file belongs: it can be neither read nor replaced.
        QVERIFY(QDir().mkpath(ReplayFile()));
        RefreshOnce();
        QVERIFY(Parsed(PlayFile()) == SafeMode());
        QVERIFY(QFileInfo(ReplayFile()).isDir());
        QVERIFY(m_env->LogContains("EngineSettingsHandler :: Engine Settings file can NOT be opened " +
                                   ReplayFile()));

        EngineSettingsHandler* handler = EngineSettingsHandler::Instance();
        EngineSettingsReceiver receiver(handler);
        QVERIFY(receiver.connected);
        DataEngineSettings es = handler->GetPreset(EngineSettingsHandler::PresetHigh);
        m_env->ClearLog();
        handler->SaveEngineSettings(es, true, false);
        handler->LoadEngineSettings(true, false);
        QTRY_COMPARE(receiver.saved.size(), 1);
        QTRY_COMPARE(receiver.loaded.size(), 1);
        // The failure and its reason first, then the end of the save as for any other.
        QCOMPARE(receiver.saved.first(), "failed: " + ReplayFile() + " can NOT be opened --- a folder");
        QVERIFY(m_env->LogContains(
            QStringLiteral("--- WARNING --- EngineSettingsHandler :: Engine Settings --- NOT saved ") +
            ReplayFile()));
        // Nothing could be read: the record holds the defaults, not half a file.
        DataEngineSettings defaults = DataEngineSettings::Defaults(Common::GetScreenSize());
        defaults.SpringData = m_env->SpringDataDir();
        QVERIFY(receiver.loaded.first() == defaults);

        // The play side is unaffected.
        handler->SaveEngineSettings(es, false, false);
        QTRY_COMPARE(receiver.saved.size(), 2);
        QCOMPARE(receiver.saved.at(1), "saved");
        QVERIFY(handler->MatchesPreset(Parsed(PlayFile()), EngineSettingsHandler::PresetHigh));

        // A play file of the player's notes up to the size limit: read, but the save that would
        // take it past the limit is refused, and says so.
        QByteArray atLimit;
        for (int i = 0; atLimit.size() < EngineSettingsFile::MaxFileBytes; ++i)
            atLimit += "# note " + QByteArray::number(i) + QByteArray(60000, '.') + '\n';
        atLimit.truncate(int(EngineSettingsFile::MaxFileBytes) - 1);
        QVERIFY(TestFiles::Write(PlayFile(), atLimit + '\n'));
        handler->SaveEngineSettings(es, false, false);
        QTRY_COMPARE(receiver.saved.size(), 3);
        QCOMPARE(receiver.saved.at(2),
                 "failed: " + PlayFile() + " can NOT be saved --- it would grow larger than 4194304 bytes");
        QCOMPARE(QFileInfo(PlayFile()).size(), EngineSettingsFile::MaxFileBytes);
    }

    void FailedCopyKeepsThePlayFile()
    {
        QVERIFY(TestFiles::Write(PlayFile(), "Shadows = 1\nTreeRadius = 2500\n"));
        // A dangling link into a folder that does not exist: the replay file is missing and can
        // not be made.
        QVERIFY(QFile::link(m_env->Path("no/such/folder/replay.cfg"), ReplayFile()));
        RefreshOnce();
        QVERIFY(m_env->LogContains("EngineSettingsHandler :: Can NOT copy Engine Settings file"));
        QVERIFY(m_env->LogContains(QStringLiteral("EngineSettingsHandler :: From ") + PlayFile()));
        const EngineSettingsFile::Values values = ReadValues(PlayFile());
        QCOMPARE(values.value("Shadows"), "1");
        QCOMPARE(values.value("TreeRadius"), "2500");
        QCOMPARE(values.size(), 132);
    }

    void SaveIntoAMissingFileMakesIt()
    {
        EngineSettingsHandler* handler = EngineSettingsHandler::Instance();
        EngineSettingsReceiver receiver(handler);
        DataEngineSettings es = handler->GetPreset(EngineSettingsHandler::PresetLow);
        es.SpringData = QStringLiteral("/kept/as/given");
        handler->SaveEngineSettings(es, true, false);
        QTRY_COMPARE(receiver.saved, QStringList{"saved"});
        QCOMPARE(ReadValues(ReplayFile()).size(), 132);
        QCOMPARE(ReadValues(ReplayFile()).value("SpringData"), "/kept/as/given");
    }

    void ScreenSizeHandedToAnotherThread()
    {
        // Made on a thread that must not touch the screens: the handed-over size is used.
        EngineSettingsHandler::SetScreenSize(QSize(1234, 567));
        std::thread maker([] { EngineSettingsHandler::Instance(); });
        maker.join();
        EngineSettingsHandler* handler = EngineSettingsHandler::Instance();
        EngineSettingsReceiver receiver(handler);
        QVERIFY(TestFiles::Write(PlayFile(), "Shadows = 1\n"));
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

    // The start-up housekeeping runs the refresh of the first test on its worker.
    void RunsAsAStartAction()
    {
        EngineSettingsHandler::AddStartAction();
        StartActionsHandler::Start();
        StartActionsHandler::Destroy();
        QVERIFY(!EngineSettingsHandler::Exists());
        QVERIFY(m_env->LogContains("StartActionsHandler :: Saves Engine Settings for Play and Replay"));
        QVERIFY(Parsed(PlayFile()) == SafeMode() && Parsed(ReplayFile()) == SafeMode());
    }

    // The graphics presets.
    void SafeModeReadsItsValues()
    {
        const DataEngineSettings es = Handler()->GetPreset(EngineSettingsHandler::PresetSafeMode);
        // Values written as "-1;", "2;", "true;" read as what they say.
        QCOMPARE(es.Shadows, -1);
        QCOMPARE(es.ROAM, 2);
        QCOMPARE(es.WorkerThreadCount, 0);
        QCOMPARE(es.CompressTextures, true);
        QCOMPARE(es.UseVBO, false);
        QCOMPARE(es.ShadowMapSize, 2048); // not listed: the default stays
    }

    void OutOfRangeGivesSafeMode()
    {
        const DataEngineSettings safe = Handler()->GetPreset(5);
        QVERIFY(Handler()->GetPreset(6) == safe);
        QVERIFY(Handler()->GetPreset(-1) == safe);
        QVERIFY(Handler()->GetPreset(1000) == safe);
        QVERIFY(Handler()->GetPreset(4) != safe);
    }

    void MatchesOwnPresetFirst()
    {
        for (int i = 0; i < EngineSettingsHandler::PresetCount; ++i)
        {
            const DataEngineSettings es = Handler()->GetPreset(i);
            QVERIFY(Handler()->MatchesPreset(es, i));
            int first = -1;
            for (int j = 0; j < EngineSettingsHandler::PresetCount && first < 0; ++j)
                if (Handler()->MatchesPreset(es, j))
                    first = j;
            QCOMPARE(first, i);
        }
    }

    void MatchComparesOnlyPresetKeys()
    {
        DataEngineSettings es = Handler()->GetPreset(2);
        es.XResolution = 7;
        es.ShowClock = !es.ShowClock;
        es.WindowedEdgeMove = !es.WindowedEdgeMove;
        es.GuiOpacity = 0.1f;
        es.SpringData = QStringLiteral("/else");
        QVERIFY(Handler()->MatchesPreset(es, 2));
        // Any difference in a preset key breaks the match, even the smallest float step.
        es = Handler()->GetPreset(3);
        es.FeatureDrawDistance = std::nextafter(es.FeatureDrawDistance, 1e9f);
        QVERIFY(!Handler()->MatchesPreset(es, 3));
        es = Handler()->GetPreset(3);
        es.BumpWaterUseUniforms = !es.BumpWaterUseUniforms;
        QVERIFY(!Handler()->MatchesPreset(es, 3));
    }

    void PresetsFromAnotherThread()
    {
        // The settings page asks on its own thread while the worker runs.
        EngineSettingsHandler* handler = Handler();
        bool allMatched = true;
        std::thread asker(
            [handler, &allMatched]
            {
                for (int n = 0; n < 200; ++n)
                    allMatched = allMatched && handler->MatchesPreset(handler->GetPreset(n % 6), n % 6);
            });
        handler->LoadEngineSettings(false, true);
        asker.join();
        QVERIFY(allMatched);
    }
};

QTEST_MAIN(TestEngineSettingsHandler)
#include "tst_EngineSettingsHandler.moc"
