// Settings groups, the two INI files, bad files and the skirmish codecs.
#include "AppDefines.h"
#include "AppSettings.h"
#include "PathManager.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QSettings>
#include <QtTest>

using Rects = QMap<int, QRect>;

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    // The stored key names are the file format; the defaults are what a first start writes.
    void KeysAndDefaults()
    {
        TestEnvironment env;
        auto* main = AppSettingsMain::Instance();
        QCOMPARE(main->GetKeys(),
                 (QStringList{"WindowState", "WindowPos", "WindowSize", "ShowIntroMovie", "UseGamesDirSDD",
                              "CustomSyncFolder", "LocaleName", "EngineVersions"}));
        QCOMPARE(main->WindowPos, QPoint(-1, -1));
        QVERIFY(!main->UseGamesDirSDD && main->CustomSyncFolder.isEmpty() && main->LocaleName.isEmpty());
        QStringList skirmishKeys{"TeamID",
                                 "Color",
                                 "Side",
                                 "SavedMapName",
                                 "SavedGameVersion",
                                 "SavedEngineVersion",
                                 "SavedMissionName",
                                 "SavedStartPosition",
                                 "MapRectAreaSize",
                                 "Rects"};
        for (int i = 1; i <= 8; ++i)
            skirmishKeys << QStringLiteral("AI_%1").arg(i);
        QCOMPARE(AppSettingsSkirmishCustom::Instance()->GetKeys(), skirmishKeys);
        QCOMPARE(AppSettingsSkirmishQuick::Instance()->GetKeys(), skirmishKeys);
    }

    void GameDefaultsFollowSelectedGame()
    {
        TestEnvironment env(QStringLiteral("vq"));
        const GameDefinition& game = AppDefines::Instance()->GetGame();
        QCOMPARE(game.shortCode, QStringLiteral("vq"));
        auto* quick = AppSettingsSkirmishQuick::Instance();
        QCOMPARE(quick->DefaultMapName, game.defaultMap);
        QCOMPARE(quick->DefaultGameVersion, game.gameVersion);
        QCOMPARE(quick->DefaultEngineVersion, game.engineVersion);
    }

    void RoundTripBothFiles()
    {
        TestEnvironment env;
        const QString lobbyFile = PathManager::Instance()->GetLobbySettingsFile();
        const QString gameFile = PathManager::Instance()->GetLobbyGameSettingsFile();
        auto* main = AppSettingsMain::Instance();
        auto* sound = AppSettingsSound::Instance();
        auto* custom = AppSettingsSkirmishCustom::Instance();
        main->WindowPos = QPoint(12, 34);
        main->WindowSize = QSize(1280, 900);
        main->WindowState = 2;
        main->CustomSyncFolder = QStringLiteral("/data/Spring äö");
        sound->MusicVolume = 13;
        sound->ButtonHoverMute = false;
        AppSettingsSpringConnection::Instance()->Login = QStringLiteral("Player One");
        AppSettingsSpringMyPersonal::Instance()->IsAdmin = true;
        custom->Color = QColor(10, 20, 30, 200);
        custom->Rects = QStringLiteral("0,0,20,100|80,0,20,100");
        custom->AI[7] = QStringLiteral("TEAM_ID=1|NAME_SHORT=AI: R.A.V.");
        AppSettingsSpringTests::Instance()->SavedEngineVersion = QStringLiteral("106.0");
        AppSettings::Instance()->SaveAll();

        // Each group lands in its own file; colours are readable text.
        QCOMPARE(QSettings(lobbyFile, QSettings::IniFormat).value("AppSettings.Sound/MusicVolume").toInt(),
                 13);
        QVERIFY(TestFiles::Read(gameFile).contains("Color=#c80a141e"));
        QVERIFY(!TestFiles::Read(lobbyFile).contains("Color="));

        // Everything changes in memory, then comes back from the files.
        for (AppSettingsBase* group : std::initializer_list<AppSettingsBase*>{
                 main, sound, AppSettingsSpringConnection::Instance(),
                 AppSettingsSpringMyPersonal::Instance(), custom, AppSettingsSpringTests::Instance()})
            group->ResetToDefaults();
        QCOMPARE(sound->MusicVolume, 50);
        AppSettings::Instance()->Load();
        QCOMPARE(main->WindowPos, QPoint(12, 34));
        QCOMPARE(main->WindowSize, QSize(1280, 900));
        QCOMPARE(main->WindowState, 2);
        QCOMPARE(main->CustomSyncFolder, QStringLiteral("/data/Spring äö"));
        QCOMPARE(sound->MusicVolume, 13);
        QCOMPARE(sound->ButtonHoverMute, false);
        QCOMPARE(sound->SoundsVolume, 70);
        QCOMPARE(AppSettingsSpringConnection::Instance()->Login, QStringLiteral("Player One"));
        QCOMPARE(AppSettingsSpringMyPersonal::Instance()->IsAdmin, true);
        QCOMPARE(custom->Color, QColor(10, 20, 30, 200));
        QCOMPARE(custom->Rects, QStringLiteral("0,0,20,100|80,0,20,100"));
        QCOMPARE(custom->AI[7], QStringLiteral("TEAM_ID=1|NAME_SHORT=AI: R.A.V."));
        QVERIFY(custom->AI[0].isEmpty());
        QCOMPARE(AppSettingsSpringTests::Instance()->SavedEngineVersion, QStringLiteral("106.0"));
    }

    void SaveOneGroupKeepsTheOthers()
    {
        TestEnvironment env;
        AppSettingsSound::Instance()->MusicVolume = 5;
        AppSettings::Instance()->SaveAll();
        AppSettingsSound::Instance()->MusicVolume = 6;
        AppSettingsMain::Instance()->ShowIntroMovie = false;
        AppSettings::Save(AppSettingsMain::Instance());
        AppSettings::Save(nullptr); // harmless
        const QSettings lobby(PathManager::Instance()->GetLobbySettingsFile(), QSettings::IniFormat);
        QCOMPARE(lobby.value("AppSettings.Main/ShowIntroMovie").toBool(), false);
        QCOMPARE(lobby.value("AppSettings.Sound/MusicVolume").toInt(), 5); // not saved again
    }

    // Bad values fall back to their defaults; keys and groups we do not know survive a save.
    void BadAndUnknownValues()
    {
        TestEnvironment env;
        const QString lobbyFile = PathManager::Instance()->GetLobbySettingsFile();
        QVERIFY(TestFiles::Write(lobbyFile,
                                 "[Other.Tool]\nKeep=me\n"
                                 "[AppSettings.Sound]\nMusicVolume=loud\nSoundsVolume=33\nFuture=1\n"
                                 "[AppSettings.Main]\nWindowSize=big\nWindowPos=@Point(5 6)\n"));
        QVERIFY(TestFiles::Write(PathManager::Instance()->GetLobbyGameSettingsFile(),
                                 "[AppSettings.Skirmish.Custom]\nColor=notacolour\n"));
        AppSettings::Instance()->Load();
        QCOMPARE(AppSettingsSound::Instance()->MusicVolume, 50);
        QCOMPARE(AppSettingsSound::Instance()->SoundsVolume, 33);
        QCOMPARE(AppSettingsMain::Instance()->WindowSize, QSize(-1, -1));
        QCOMPARE(AppSettingsMain::Instance()->WindowPos, QPoint(5, 6));
        QCOMPARE(AppSettingsSkirmishCustom::Instance()->Color, QColor(0, 160, 255));
        QVERIFY(
            env.LogContains("AppSettings :: BAD VALUE --- AppSettings.Sound/MusicVolume --- default used"));
        QVERIFY(env.LogContains("AppSettings :: BAD VALUE --- AppSettings.Skirmish.Custom/Color"));
        AppSettings::Instance()->SaveAll();
        const QSettings lobby(lobbyFile, QSettings::IniFormat);
        QCOMPARE(lobby.value("Other.Tool/Keep").toString(), QStringLiteral("me"));
        QCOMPARE(lobby.value("AppSettings.Sound/Future").toInt(), 1);
        QCOMPARE(lobby.value("AppSettings.Sound/SoundsVolume").toInt(), 33);
        // The bad value is replaced, although nothing was changed in memory.
        QCOMPARE(lobby.value("AppSettings.Sound/MusicVolume").toString(), QStringLiteral("50"));
    }

    void CorruptFileKeptAndDefaultsUsed()
    {
        TestEnvironment env;
        const QString lobbyFile = PathManager::Instance()->GetLobbySettingsFile();
        const QByteArray corrupt = "[AppSettings.Sound\nMusicVolume=11\n[AppSettings.Main]\nLocaleName=DE\n";
        QVERIFY(TestFiles::Write(lobbyFile, corrupt));
        AppSettings::Instance()->Load();
        QVERIFY(env.LogContains("--- WARNING --- AppSettings :: CORRUPT FILE --- " + lobbyFile));
        QCOMPARE(AppSettingsSound::Instance()->MusicVolume, 50);
        QVERIFY(AppSettingsMain::Instance()->LocaleName.isEmpty());
        QCOMPARE(TestFiles::Read(lobbyFile + ".corrupt"), corrupt);

        // Saving writes a sound file again and keeps the user's copy.
        AppSettingsSound::Instance()->MusicVolume = 44;
        AppSettings::Instance()->SaveAll();
        QCOMPARE(TestFiles::Read(lobbyFile + ".corrupt"), corrupt);
        QSettings lobby(lobbyFile, QSettings::IniFormat);
        QCOMPARE(lobby.status(), QSettings::NoError);
        QCOMPARE(lobby.value("AppSettings.Sound/MusicVolume").toInt(), 44);
        QCOMPARE(lobby.childGroups().size(), 4);
        // The game file was fine and is unaffected.
        QVERIFY(!QFile::exists(PathManager::Instance()->GetLobbyGameSettingsFile() + ".corrupt"));

        // Binary garbage and a file of NUL bytes give the defaults, are kept and are written anew
        // without a word of failure.
        const QString gameFile = PathManager::Instance()->GetLobbyGameSettingsFile();
        for (const QByteArray& garbage :
             {QByteArray("\x00\x01\xff\xfe[[[]]]===\n\x80\x81=\x02", 17), QByteArray(512, '\0'),
              QByteArray("[AppSettings.Skirmish.Custom]\0\n", 31)})
        {
            QFile::remove(gameFile + ".corrupt");
            QVERIFY(TestFiles::Write(gameFile, garbage));
            AppSettingsSkirmishCustom::Instance()->MapRectAreaSize = 7;
            env.ClearLog();
            AppSettings::Instance()->Load();
            QVERIFY(env.LogContains("--- WARNING --- AppSettings :: CORRUPT FILE --- " + gameFile));
            QCOMPARE(AppSettingsSkirmishCustom::Instance()->MapRectAreaSize, 20);
            AppSettings::Instance()->SaveAll();
            QCOMPARE(TestFiles::Read(gameFile + ".corrupt"), garbage);
            QVERIFY(!env.LogContains("CAN NOT SAVE"));
            const QSettings saved(gameFile, QSettings::IniFormat);
            QCOMPARE(saved.status(), QSettings::NoError);
            QCOMPARE(saved.value("AppSettings.Skirmish.Custom/MapRectAreaSize").toInt(), 20);
        }
    }

    // A save that changes nothing leaves the file as the user wrote it; one that does rewrites it
    // whole, keeping what is not ours.
    void UnchangedFileIsNotRewritten()
    {
        TestEnvironment env;
        const QString lobbyFile = PathManager::Instance()->GetLobbySettingsFile();
        const QByteArray text = "[AppSettings.Sound]\nMusicVolume = 12\n\n[Other]\nKeep=1\n";
        QVERIFY(TestFiles::Write(lobbyFile, text));
        AppSettings::Instance()->Load();
        AppSettings::Instance()->SaveAll();
        AppSettings::Save(AppSettingsSound::Instance());
        QCOMPARE(TestFiles::Read(lobbyFile), text);
        AppSettingsSound::Instance()->MusicVolume = 13;
        AppSettings::Instance()->SaveAll();
        const QSettings saved(lobbyFile, QSettings::IniFormat);
        QCOMPARE(saved.value("AppSettings.Sound/MusicVolume").toInt(), 13);
        QCOMPARE(saved.value("Other/Keep").toInt(), 1);
        QCOMPARE(saved.childGroups().size(), 5);
        QVERIFY(
            QDir(QFileInfo(lobbyFile).path()).entryList({"*.lock"}, QDir::Files | QDir::Hidden).isEmpty());
    }

    void UnreadableFileNotOverwritten()
    {
        TestEnvironment env;
        // A folder where the file should be: it can neither be read nor written.
        const QString lobbyFile = PathManager::Instance()->GetLobbySettingsFile();
        QVERIFY(QDir().mkpath(lobbyFile + "/inside"));
        AppSettings::Instance()->Load();
        QVERIFY(env.LogContains("--- WARNING --- AppSettings :: CAN NOT READ --- " + lobbyFile +
                                " --- defaults used"));
        QCOMPARE(AppSettingsSound::Instance()->MusicVolume, 50);
        AppSettings::Instance()->SaveAll();
        QVERIFY(env.LogContains("AppSettings :: CAN NOT SAVE --- AppSettings.Main, AppSettings.Sound, "
                                "AppSettings.Spring.Connection, AppSettings.Spring.MyPersonal --- " +
                                lobbyFile));
        QVERIFY(QFileInfo(lobbyFile + "/inside").isDir());
        // The other file is still written.
        QSettings game(PathManager::Instance()->GetLobbyGameSettingsFile(), QSettings::IniFormat);
        QVERIFY(game.childGroups().contains("AppSettings.Skirmish.Quick"));
    }

    void AiCodecRoundTrip()
    {
        TestEnvironment env;
        DataPlayer ai(QStringLiteral("bot"), true, true);
        ai.allyTeam = 2;
        ai.aiShortName = QStringLiteral("RAVAI");
        ai.aiKind = QStringLiteral("AI: R.A.V.");
        ai.side = 1;
        ai.sideName = QStringLiteral("Core");
        ai.color = QColor(1, 2, 3);
        const QString text = AppSettingsSkirmish::AiToString(ai);
        QCOMPARE(
            text,
            QStringLiteral(
                "TEAM_ID=2|NAME_DLL=RAVAI|NAME_SHORT=AI: R.A.V.|SIDE_ID=1|SIDE_NAME=Core|COLOR=#ff010203"));

        DataPlayer back;
        QVERIFY(AppSettingsSkirmish::AiFromString(text, &back));
        QVERIFY(back.isAi);
        QCOMPARE(AppSettingsSkirmish::AiToString(back), text);

        // Fields in any order, unknown fields ignored.
        QVERIFY(
            AppSettingsSkirmish::AiFromString("COLOR=#00ff00|NAME_SHORT=AI: SKITTERS|X=1|TEAM_ID=5", &back));
        QCOMPARE(back.aiKind, QStringLiteral("AI: SKITTERS"));
        QCOMPARE(back.allyTeam, 5);
        QCOMPARE(back.color, QColor(0, 255, 0));

        // A separator inside a value does not break the record.
        ai.sideName = QStringLiteral("A|B");
        QVERIFY(AppSettingsSkirmish::AiFromString(AppSettingsSkirmish::AiToString(ai), &back));
        QCOMPARE(back.side, 1);
        QCOMPARE(back.color, ai.color);

        // Bad numbers and colours give defaults, not a lost record.
        DataPlayer bad;
        QVERIFY(AppSettingsSkirmish::AiFromString("NAME_SHORT=AI: X|TEAM_ID=abc|SIDE_ID=|COLOR=nope", &bad));
        QVERIFY(bad.allyTeam == 0 && bad.side == 0 && bad.color.isValid());

        // A human player is no AI.
        QVERIFY(AppSettingsSkirmish::AiToString(DataPlayer(QStringLiteral("me"), true, false)).isEmpty());
    }

    void AiCodecGarbage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("separators") << QStringLiteral("||||");
        QTest::newRow("no name") << QStringLiteral("TEAM_ID=1|NAME_DLL=x|SIDE_ID=0");
        QTest::newRow("empty name") << QStringLiteral("NAME_SHORT=|TEAM_ID=1");
        QTest::newRow("no equals") << QStringLiteral("NAME_SHORT");
        QTest::newRow("binary") << QString::fromLatin1("\x01\x02=\xff|=|==");
    }

    void AiCodecGarbage()
    {
        QFETCH(QString, text);
        DataPlayer untouched(QStringLiteral("keep"), true, false);
        QVERIFY(!AppSettingsSkirmish::AiFromString(text, &untouched));
        QCOMPARE(untouched.name, QStringLiteral("keep"));
        QVERIFY(!untouched.isAi);
        QVERIFY(!AppSettingsSkirmish::AiFromString("NAME_SHORT=x", nullptr));
    }

    // Boxes are stored by position; broken ones are dropped and the others keep their teams.
    void RectsCodec_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Rects>("rects");
        QTest::addColumn<bool>("canonical"); // written back the same
        QTest::addColumn<QStringList>("logged");
        QTest::newRow("two") << "0,0,20,100|80,5,20,90" << Rects{{0, {0, 0, 20, 100}}, {1, {80, 5, 20, 90}}}
                             << true << QStringList();
        QTest::newRow("a gap") << "1,2,3,4|||5,6,7,8" << Rects{{0, {1, 2, 3, 4}}, {3, {5, 6, 7, 8}}} << true
                               << QStringList();
        QTest::newRow("empty") << "" << Rects() << true << QStringList();
        QTest::newRow("blank") << "   " << Rects() << false << QStringList();
        QTest::newRow("spaces") << " 1, 2 ,3,4 " << Rects{{0, {1, 2, 3, 4}}} << false << QStringList();
        QTest::newRow("broken") << "1,2,3|a,b,c,d|0,0,10,10|1,2,3,4,5|5,5,-1,5|9,9,9,9"
                                << Rects{{2, {0, 0, 10, 10}}, {5, {9, 9, 9, 9}}} << false
                                << QStringList{"1,2,3", "a,b,c,d"};
        QTest::newRow("separators") << "||||" << Rects() << false << QStringList();
        QTest::newRow("binary") << QString::fromLatin1("\x01\xff,\x02") << Rects() << false << QStringList();
    }

    void RectsCodec()
    {
        QFETCH(QString, text);
        QFETCH(Rects, rects);
        QFETCH(bool, canonical);
        QFETCH(QStringList, logged);
        TestEnvironment env;
        QCOMPARE(AppSettingsSkirmish::RectsFromString(text), rects);
        if (canonical)
            QCOMPARE(AppSettingsSkirmish::RectsToString(rects), text);
        for (const QString& box : logged)
            QVERIFY2(env.LogContains("AppSettingsSkirmish :: BAD RECT --- " + box), qPrintable(box));
    }

    void RectsLimits()
    {
        // Negative team numbers cannot be written; an absurd number of boxes is cut off.
        QVERIFY(AppSettingsSkirmish::RectsToString({{-1, QRect(1, 1, 1, 1)}}).isEmpty());
        QStringList many;
        for (int i = 0; i < 1000; ++i)
            many << "1,1,1,1";
        QCOMPARE(AppSettingsSkirmish::RectsFromString(many.join('|')).size(), AppSettingsSkirmish::MaxRects);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
