// Settings groups, the two INI files, bad files and the skirmish codecs.
#include "AppDefines.h"
#include "AppSettings.h"
#include "CommonIO.h"
#include "IniText.h"
#include "PathManager.h"
#include "StartActionsHandler.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "TranslatorManager.h"

#include <QSettings>
#include <QtTest>

using Rects = QMap<int, QRect>;

namespace
{
// What the AI codec writes for a default DataPlayer (untranslated).
const QString EmptyPlayerText =
    QStringLiteral("TEAM_ID=0|NAME_DLL=|NAME_SHORT=|SIDE_ID=-1|SIDE_NAME=Unknown|COLOR=#ffffff00");

// Lines as QSettings ends them, each with its end.
QList<QPair<QByteArray, QByteArray>> IniLines(const QByteArray& text)
{
    QList<QPair<QByteArray, QByteArray>> lines;
    for (int from = 0; from < text.size();)
    {
        int end = from;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        const int next = text.mid(end, 2) == "\r\n" ? end + 2 : qMin(end + 1, int(text.size()));
        lines.append({text.mid(from, end - from), text.mid(end, next - end)});
        from = next;
    }
    return lines;
}

// What is wrong with a saved lobby file that held `original`: each key of our groups must be there
// once, and every line of the player's that is no key of ours must be there, in its order.
QString MergeFaults(const QByteArray& saved, const QByteArray& original)
{
    QMap<QString, int> ours;
    for (AppSettingsBase* group : std::initializer_list<AppSettingsBase*>{
             AppSettingsMain::Instance(), AppSettingsSound::Instance(),
             AppSettingsSpringConnection::Instance(), AppSettingsSpringMyPersonal::Instance()})
    {
        for (const QString& key : group->GetKeys())
            ours.insert(group->GetGroup() + '/' + key, 0);
    }
    const auto isOurs = [&ours](const QByteArray& group, const QByteArray& line, QString* key)
    {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith(';') || !trimmed.contains('='))
            return false;
        *key = QString::fromUtf8(group + '/' + trimmed.left(trimmed.indexOf('=')).trimmed());
        return ours.contains(*key);
    };
    QByteArray group;
    QList<QByteArray> savedLines;
    for (const auto& line : IniLines(saved))
    {
        savedLines << line.first;
        QString key;
        if (line.first.trimmed().startsWith('['))
            group = line.first.trimmed().mid(1).split(']').first().trimmed();
        else if (isOurs(group, line.first, &key))
            ++ours[key];
    }
    for (auto it = ours.constBegin(); it != ours.constEnd(); ++it)
    {
        if (it.value() != 1)
            return QStringLiteral("%1 written %2 times").arg(it.key()).arg(it.value());
    }
    int at = 0;
    group.clear();
    for (const auto& line : IniLines(original))
    {
        QString key;
        if (line.first.trimmed().startsWith('['))
            group = line.first.trimmed().mid(1).split(']').first().trimmed();
        else if (isOurs(group, line.first, &key))
            continue;
        while (at < savedLines.size() && savedLines[at] != line.first)
            ++at;
        if (at++ == savedLines.size())
            return QStringLiteral("lost: ") + QString::fromUtf8(line.first.left(100));
    }
    return QString();
}
} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void GameDefaultsFollowSelectedGame()
    {
        TestEnvironment env("vq");
        const GameDefinition& game = AppDefines::Instance()->GetGame();
        QCOMPARE(game.shortCode, "vq");
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
        auto* custom = AppSettingsSkirmishCustom::Instance();
        main->WindowPos = QPoint(12, 34);
        main->WindowSize = QSize(1280, 900);
        main->WindowState = 2;
        main->CustomSyncFolder = "/data/Spring äö";
        AppSettingsSound::Instance()->MusicVolume = 13;
        AppSettingsSound::Instance()->ButtonHoverMute = false;
        AppSettingsSpringConnection::Instance()->Login = "Player One";
        AppSettingsSpringMyPersonal::Instance()->IsAdmin = true;
        custom->Color = QColor(10, 20, 30, 200);
        custom->Rects = "0,0,20,100|80,0,20,100";
        custom->AI[7] = "TEAM_ID=1|NAME_SHORT=AI: R.A.V.";
        AppSettingsSpringTests::Instance()->SavedEngineVersion = "106.0";
        AppSettings::Instance()->SaveAll();

        // Each group lands in its own file; colours are readable text.
        QCOMPARE(QSettings(lobbyFile, QSettings::IniFormat).value("AppSettings.Sound/MusicVolume").toInt(),
                 13);
        QVERIFY(TestFiles::Read(gameFile).contains("Color=#c80a141e"));
        QVERIFY(!TestFiles::Read(lobbyFile).contains("Color="));

        // Everything changes in memory, then every key comes back from the files.
        const std::initializer_list<AppSettingsBase*> groups{main,
                                                             AppSettingsSound::Instance(),
                                                             AppSettingsSpringConnection::Instance(),
                                                             AppSettingsSpringMyPersonal::Instance(),
                                                             custom,
                                                             AppSettingsSpringTests::Instance()};
        QList<QVariantMap> saved;
        for (AppSettingsBase* group : groups)
        {
            saved << group->Values();
            group->ResetToDefaults();
            QVERIFY2(group->Values() != saved.last(), qPrintable(group->GetGroup()));
        }
        AppSettings::Instance()->Load();
        for (AppSettingsBase* group : groups)
            QCOMPARE(group->Values(), saved.takeFirst());
        QCOMPARE(main->CustomSyncFolder, "/data/Spring äö");
        QCOMPARE(custom->Color, QColor(10, 20, 30, 200));
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

    // What a player or a broken disk can leave in a settings file, through the real load and save:
    // the log line, the value used, what stays on disk, and that nothing waits on the file.
    void BadFiles_data()
    {
        QTest::addColumn<QString>("place"); // how TestFiles::Place fills the lobby file's place
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("logLine"); // %1: the file
        QTest::addColumn<int>("musicVolume");
        QTest::addColumn<QByteArray>(
            "kept"); // in the saved file; "<aside>": moved aside, "<as is>": untouched
        const QByteArray sound = "[AppSettings.Sound]\nMusicVolume=33\n";
        // A file of exactly the size limit: read, but a save would take it past the limit.
        QByteArray atLimit = sound;
        for (int i = 0; atLimit.size() < CommonIO::MaxSettingsFileBytes; ++i)
            atLimit +=
                "; a note of the player's, number " + QByteArray::number(i) + QByteArray(60000, '.') + '\n';
        atLimit.truncate(int(CommonIO::MaxSettingsFileBytes) - 1);
        atLimit += '\n';
        const auto row = [](const char* name, const QString& place, const QByteArray& content,
                            const QString& log, int volume, const QByteArray& kept)
        { QTest::newRow(name) << place << content << log << volume << kept; };
        const QString corrupt = "--- WARNING --- AppSettings :: CORRUPT FILE --- %1 --- ";
        const QString aside = " --- kept as %1.corrupt --- defaults used";
        row("empty file", "", "", "AppSettings :: LOADED", 50, "[AppSettings.Sound]");
        const QString notRead =
            "--- WARNING --- AppSettings :: CAN NOT READ --- %1 --- %2 --- defaults used, "
            "nothing saved to it";
        row("folder", "folder", "", notRead.arg("%1", "a folder"), 50, "<as is>");
        row("unreadable", "unreadable", sound, notRead.arg("%1", "Permission denied"), 50, "<as is>");
        row("at the size limit", "", atLimit,
            "--- WARNING --- AppSettings :: CAN NOT SAVE --- AppSettings.Main, AppSettings.Sound, "
            "AppSettings.Spring.Connection, AppSettings.Spring.MyPersonal --- %1 --- it would grow larger "
            "than 4194304 bytes",
            33, "<as is>");
        row("link loop", "link loop", "", corrupt + "a link loop" + aside, 50, "<aside>");
        row("FIFO", "FIFO", "", corrupt + "a FIFO" + aside, 50, "<aside>");
        row("too large", "large:4194305", "", corrupt + "larger than 4194304 bytes" + aside, 50, "<aside>");
        row("NUL bytes", "", sound + QByteArray(16, 0), corrupt + "control characters" + aside, 50,
            "<aside>");
        row("control characters", "", "[AppSettings.Sound\nMusicVolume=3\n\x01\x02\n", corrupt, 50,
            "<aside>");
        // The player's own lines stay, and later saves still work.
        row("comment", "", "# my volume\n" + sound, "AppSettings :: LOADED", 33,
            "# my volume\n[AppSettings.Sound]");
        row("line without =", "", sound + "just words\n;old\n", "AppSettings :: LOADED", 33,
            "just words\n;old\n");
        row("group not closed", "", "[AppSettings.Sound\nMusicVolume=33\n", "AppSettings :: LOADED", 33,
            "[AppSettings.Sound\nMusicVolume=33\n");
        row("other keys and groups", "",
            "[Other.Tool]\nKeep=me\n[AppSettings.Sound]\nMusicVolume=loud\nFuture=1\n",
            "AppSettings :: BAD VALUE --- AppSettings.Sound/MusicVolume --- default used", 50,
            "[Other.Tool]\nKeep=me\n[AppSettings.Sound]\nMusicVolume=50\nFuture=1\n");
        // A quoted value that runs on into a line looking like ours: the line can not stay as it is.
        row("quotes across lines", "", "[AppSettings.Sound]\nFuture=\"x\nMusicVolume=3\"\n",
            "AppSettings :: LINES NOT KEPT --- %1 --- old text kept as %1.corrupt", 50, "<aside>");
        row("out of range", "", "[AppSettings.Sound]\nMusicVolume=-99999999999\n",
            "AppSettings :: OUT OF RANGE --- AppSettings.Sound/MusicVolume --- -99999999999 --- clamped to 0",
            0, "MusicVolume=0\n");
        row("port 0", "", "[AppSettings.Spring.Connection]\nPort=0\n" + sound,
            "--- WARNING --- AppSettings :: OUT OF RANGE --- AppSettings.Spring.Connection/Port --- 0 --- "
            "clamped to 1",
            33, "\nPort=1\n");
        // A key the player wrote twice: QSettings takes the later line, the save keeps one.
        row("key twice", "", "[AppSettings.Sound]\nMusicVolume=33\n; mine\nMusicVolume=44\n",
            "AppSettings :: LOADED", 44, "[AppSettings.Sound]\nMusicVolume=44\n");
        row("CRLF", "", "; mine\r\n[AppSettings.Sound]\r\nMusicVolume=33\r\n", "AppSettings :: LOADED", 33,
            "; mine\r\n[AppSettings.Sound]\r\nMusicVolume=33\r\n");
        row("tabs", "", "[AppSettings.Sound]\n;\tmy\tnote\nMusicVolume=33\nFuture=a\tb\n",
            "AppSettings :: LOADED", 33, ";\tmy\tnote\nMusicVolume=33\nFuture=a\tb\n");
        row("maybe", "", sound + "MusicMute=maybe\n",
            "AppSettings :: BAD VALUE --- AppSettings.Sound/MusicMute --- default used", 33,
            "MusicMute=false\n");
        row("huge language", "",
            "[AppSettings.Main]\nLocaleName=" + QByteArray(1024 * 1024, 'x') + "\n" + sound,
            "TranslatorManager :: NO TRANSLATION --- " + QString(40, 'X') +
                "... (1048576 characters) --- EN used",
            33, "LocaleName=EN\n");
    }

    void BadFiles()
    {
        QFETCH(QString, place);
        QFETCH(QByteArray, content);
        QFETCH(QString, logLine);
        QFETCH(int, musicVolume);
        QFETCH(QByteArray, kept);
        TestEnvironment env;
        const QString file = PathManager::Instance()->GetLobbySettingsFile();
        const QString gameFile = PathManager::Instance()->GetLobbyGameSettingsFile();
        QVERIFY(TestFiles::Place(file, place, content));
        QVERIFY(TestFiles::Write(gameFile,
                                 "[AppSettings.Skirmish.Custom]\nColor=notacolour\nMapRectAreaSize=400\n"));
        env.ClearLog();
        bool saved = false;
        QVERIFY(TestFiles::ReturnsPromptly(30000 * TestEnvironment::SlowdownFactor(),
                                           [&]
                                           {
                                               AppSettings::Instance()->Load();
                                               // As the program starts: the language comes from the file.
                                               TranslatorManager::Instance()->Load(
                                                   AppSettingsMain::Instance()->LocaleName);
                                               TranslatorManager::Destroy();
                                               AppSettingsSound::Instance()->SoundsVolume = 71; // to save
                                               saved = AppSettings::Instance()->SaveAll();
                                           }));
        // Not arg(): on a line without "%1" it warns with the line itself, which the log then holds.
        const QString expected = QString(logLine).replace("%1", file);
        QVERIFY2(env.LogContains(expected), qPrintable(env.LogLines().join('\n').left(5000)));
        for (const QString& line : env.LogLines())
            QVERIFY(line.size() < 500);
        QCOMPARE(AppSettingsSound::Instance()->MusicVolume, musicVolume);
        // The other file: its bad values replaced, the rest of it kept.
        QVERIFY(env.LogContains("AppSettings :: BAD VALUE --- AppSettings.Skirmish.Custom/Color"));
        QVERIFY(env.LogContains(
            "OUT OF RANGE --- AppSettings.Skirmish.Custom/MapRectAreaSize --- 400 --- clamped to 100"));
        QVERIFY(TestFiles::Read(gameFile).contains("Color=#ff00a0ff\nMapRectAreaSize=100\n"));

        QCOMPARE(QFileInfo(file + ".corrupt").exists() || QFileInfo(file + ".corrupt").isSymLink(),
                 kept == "<aside>");
        if (kept == "<as is>")
        {
            QVERIFY(!saved);
            // Said once, however often the program tries.
            AppSettings::Instance()->SaveAll();
            AppSettings::Save(AppSettingsSound::Instance());
            QCOMPARE(env.LogLines().filter(file).size(), 1);
            QCOMPARE(QFileInfo(file).isDir(), place == "folder");
            if (place.isEmpty())
                QVERIFY(TestFiles::Read(file) == content);
            return;
        }
        QVERIFY2(saved && !env.LogContains("CAN NOT SAVE"), qPrintable(env.LogLines().join('\n').left(5000)));
        const QByteArray savedText = TestFiles::Read(file);
        if (kept == "<aside>" && place.isEmpty())
            QCOMPARE(TestFiles::Read(file + ".corrupt"), content);
        else if (kept != "<aside>")
        {
            QVERIFY2(savedText.contains(kept), savedText.left(2000).constData());
            // The whole text: ours once each, the player's lines all there, the file's own line ends.
            const QString faults = MergeFaults(savedText, content);
            QVERIFY2(faults.isEmpty(), qPrintable(faults + "\n" + savedText.left(3000)));
            if (content.contains("\r\n"))
            {
                for (const auto& line : IniLines(savedText))
                    QVERIFY2(line.second == "\r\n", line.first.constData());
            }
        }
        QSettings written(file, QSettings::IniFormat);
        QCOMPARE(written.value("AppSettings.Sound/SoundsVolume").toInt(), 71);
        // Written again: what it now holds reads cleanly.
        env.ClearLog();
        AppSettings::Instance()->Load();
        QCOMPARE(AppSettingsSound::Instance()->MusicVolume, musicVolume);
        QCOMPARE(env.LogLines().filter("AppSettings ::"), QStringList{"AppSettings :: LOADED"});
    }

    // The merge on its own, whole texts: our lines where the file has them, missing ones after their
    // group's last key, missing groups at the end, each line's own end; merging again changes nothing.
    void Merge_data()
    {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QByteArray>("ours");
        QTest::addColumn<QByteArray>("merged");
        const QByteArray ours = "[G]\na=5\nb=6\n";
        const auto row = [](const char* name, const QByteArray& original, const QByteArray& ours,
                            const QByteArray& merged) { QTest::newRow(name) << original << ours << merged; };
        row("keys replaced where they are", "; top\n[G]\na=1\n; between\nb=2\n[H]\nx=1\n", ours,
            "; top\n[G]\na=5\n; between\nb=6\n[H]\nx=1\n");
        row("missing key after the group's last key", "[G]\na=1\n; note\n\n[H]\nx=1\n", ours,
            "[G]\na=5\nb=6\n; note\n\n[H]\nx=1\n");
        row("keys written twice: once", "[G]\na=1\nb=2\na=3\nb=4\n", ours, "[G]\na=5\nb=6\n");
        row("a group named twice", "[G]\na=1\n[H]\nx=1\n[G]\nc=3\n", ours,
            "[G]\na=5\n[H]\nx=1\n[G]\nc=3\nb=6\n");
        row("a missing group after a blank line", "[H]\nx=1", ours, "[H]\nx=1\n\n[G]\na=5\nb=6\n");
        row("empty file", "", ours, "[G]\na=5\nb=6\n");
        row("CRLF", "[H]\r\nx=1\r\n[G]\r\na=1\r\n", ours, "[H]\r\nx=1\r\n[G]\r\na=5\r\nb=6\r\n");
        row("CRLF, a group added", "[H]\r\nx=1\r\n", ours, "[H]\r\nx=1\r\n\r\n[G]\r\na=5\r\nb=6\r\n");
        row("lone CR line ends", "[G]\ra=1\r; mine\r", ours, "[G]\ra=5\rb=6\n; mine\r");
        row("a CR inside a line ends it, as for QSettings", "[G]\nx=1\ra=1\n", ours, "[G]\nx=1\ra=5\nb=6\n");
        row("a dropped line between a lone CR and a blank line", "[G]\ra=1\ra=2\n\n", "[G]\na=5\n",
            "[G]\ra=5\r\n\n");
        row("tabs and odd lines stay", "[G]\n;\tnote\nv=a\tb\njust words\na=1\n", ours,
            "[G]\n;\tnote\nv=a\tb\njust words\na=5\nb=6\n");
        row("a CR at the end of our line", "[G]\na=1\n", "[G]\na=5\r\r\nb=6\r\n", "[G]\na=5\nb=6\n");
    }

    void Merge()
    {
        QFETCH(QByteArray, original);
        QFETCH(QByteArray, ours);
        QFETCH(QByteArray, merged);
        QCOMPARE(IniText::Merge(original, ours), merged);
        QCOMPARE(IniText::Merge(merged, ours), merged);
    }

    // Damaged or removed after it was read: the save keeps a damaged text aside, writes a clean file,
    // and the next start reads this run's values from it, also those of groups the save was not for.
    void DamagedBetweenLoadAndSave_data()
    {
        QTest::addColumn<QByteArray>("damaged"); // empty: the file removed
        QTest::addColumn<bool>("oneGroup");      // saved: the sound group alone, or all groups
        const QByteArray damaged = "[AppSettings.Sound]\nMusicVolume=12\n\x01\x02\n";
        QTest::newRow("damaged, all groups saved") << damaged << false;
        QTest::newRow("damaged, one group saved") << damaged << true;
        QTest::newRow("removed, one group saved") << QByteArray() << true;
    }

    void DamagedBetweenLoadAndSave()
    {
        QFETCH(QByteArray, damaged);
        QFETCH(bool, oneGroup);
        TestEnvironment env;
        const QString file = PathManager::Instance()->GetLobbySettingsFile();
        QVERIFY(TestFiles::Write(
            file,
            "; mine\n[AppSettings.Sound]\nMusicVolume=33\n[AppSettings.Spring.Connection]\nPort=8300\n"));
        AppSettings::Instance()->Load();
        QCOMPARE(AppSettingsSound::Instance()->MusicVolume, 33);
        if (damaged.isEmpty())
            QVERIFY(QFile::remove(file));
        else
            QVERIFY(TestFiles::Write(file, damaged));
        AppSettingsSound::Instance()->SoundsVolume = 71;
        QVERIFY(oneGroup ? AppSettings::Save(AppSettingsSound::Instance())
                         : AppSettings::Instance()->SaveAll());
        // The exit's save: nothing changed since.
        QVERIFY(AppSettings::Instance()->SaveAll());
        if (!damaged.isEmpty())
        {
            QVERIFY2(env.LogContains("--- WARNING --- AppSettings :: CORRUPT FILE --- " + file +
                                     " --- control characters --- kept as " + file + ".corrupt"),
                     qPrintable(env.LogLines().join('\n')));
            QCOMPARE(TestFiles::Read(file + ".corrupt"), damaged);
        }
        const QString faults = MergeFaults(TestFiles::Read(file), QByteArray());
        QVERIFY2(faults.isEmpty(), qPrintable(faults));
        QVERIFY(!TestFiles::Read(file).contains("\x01"));

        env.ClearLog();
        AppSettingsSound::Instance()->ResetToDefaults();
        AppSettingsSpringConnection::Instance()->ResetToDefaults();
        AppSettings::Instance()->Load();
        QCOMPARE(AppSettingsSound::Instance()->MusicVolume, 33);
        QCOMPARE(AppSettingsSound::Instance()->SoundsVolume, 71);
        QCOMPARE(AppSettingsSpringConnection::Instance()->Port, 8300);
        QCOMPARE(env.LogLines().filter("AppSettings ::"), QStringList{"AppSettings :: LOADED"});
    }

    // Every damaged file is kept: a later one does not replace an earlier copy; the oldest of a few
    // goes, but never a folder.
    void DamagedCopiesKept()
    {
        TestEnvironment env;
        const QString file = PathManager::Instance()->GetLobbySettingsFile();
        const auto damaged = [](int i) { return "[broken " + QByteArray::number(i) + "\x01\n"; };
        // Lines that can't stay as they are: the old text is kept the same way.
        QVERIFY(TestFiles::Write(CommonIO::CorruptPath(file), "earlier"));
        const QByteArray quotes = "[AppSettings.Sound]\nFuture=\"x\nMusicVolume=3\"\n";
        QVERIFY(TestFiles::Write(file, quotes));
        AppSettings::Instance()->Load();
        AppSettingsSound::Instance()->SoundsVolume = 71;
        QVERIFY(AppSettings::Instance()->SaveAll());
        QVERIFY(env.LogContains("AppSettings :: LINES NOT KEPT --- " + file));
        QCOMPARE(TestFiles::Read(CommonIO::CorruptPath(file)), quotes);
        QCOMPARE(TestFiles::Read(CommonIO::CorruptPath(file, 1)), QByteArray("earlier"));
        for (int i = 0; i <= CommonIO::CorruptCopies; ++i)
        {
            QVERIFY(TestFiles::Write(file, damaged(i)));
            AppSettings::Instance()->Load();
        }
        QCOMPARE(CommonIO::CorruptPath(file, 2), file + ".corrupt.2");
        for (int copy = 0; copy < CommonIO::CorruptCopies; ++copy)
            QCOMPARE(TestFiles::Read(CommonIO::CorruptPath(file, copy)),
                     damaged(CommonIO::CorruptCopies - copy));
        QVERIFY(!QFileInfo::exists(CommonIO::CorruptPath(file, CommonIO::CorruptCopies)));

        // The oldest is a folder: the next damaged file stays where it is, and is not written over.
        const QString oldest = CommonIO::CorruptPath(file, CommonIO::CorruptCopies - 1);
        QVERIFY(QFile::remove(oldest));
        QVERIFY(TestFiles::Write(oldest + "/inside", "kept"));
        QVERIFY(TestFiles::Write(file, damaged(9)));
        env.ClearLog();
        AppSettings::Instance()->Load();
        QVERIFY(env.LogContains("control characters --- left where it is --- defaults used"));
        QVERIFY(!AppSettings::Instance()->SaveAll());
        QCOMPARE(TestFiles::Read(file), damaged(9));
        QCOMPARE(TestFiles::Read(oldest + "/inside"), QByteArray("kept"));
    }

    // A save cut short by a kill leaves a temporary copy: the start-up housekeeping removes the old
    // ones of our files, and nothing else.
    void LeftoversRemovedAtStart()
    {
        TestEnvironment env;
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        const QString lobby = PathManager::Instance()->GetLobbyDataDir();
        // Qt draws each of the six letters from both cases: all lower, all upper and a capital first
        // are its names too.
        const QStringList gone{
            lobby + "/spring.settings.play.cfg.XkQzRt",  lobby + "/lobby.settings.txt.aBcDeF",
            lobby + "/lobby.settings.txt.abcdef",        lobby + "/lobby.settings.txt.ABCDEF",
            lobby + "/lobby.settings.txt.Abcdef",        lobby + "/zorn/game.AIs.txt.QwErTy",
            lobby + "/replays.cache.rc3.pLmKoI",         lobby + "/content.cache.tRfVbG",
            lobby + "/minimaps/Dune Sea.minimap.GtHyJu", runtime.path() + "/quillmere-settings-AbCdEf"};
        // Copies the player named, names of other files, and leftovers too young to be sure of.
        const QStringList young{lobby + "/spring.settings.replay.cfg.QwErTy",
                                runtime.path() + "/quillmere-settings-young1"};
        const QStringList stay = QStringList{lobby + "/lobby.settings.txt.backup",
                                             lobby + "/lobby.settings.txt.Backup",
                                             lobby + "/lobby.settings.txt.BACKUP",
                                             lobby + "/lobby.settings.txt.BeFoRe",
                                             lobby + "/notes.txt.AbCdEf",
                                             lobby + "/spring.settings.play.cfg.XkQzRtt",
                                             lobby + "/spring.settings.play.cfg.XkQz1t",
                                             lobby + QString::fromUtf8("/content.cache.abcde\u212a")} +
                                 young;
        const QDateTime old =
            QDateTime::currentDateTime().addSecs(-StartActionsHandler::LeftoverAgeSeconds - 60);
        const QDateTime recent =
            QDateTime::currentDateTime().addSecs(-StartActionsHandler::LeftoverAgeSeconds + 60);
        for (const QString& path : gone + stay)
        {
            const bool folder = path.contains("quillmere-settings");
            QVERIFY(TestFiles::Write(folder ? path + "/draft.ini" : path, "x"));
            QVERIFY(TestFiles::SetModified(path, young.contains(path) ? recent : old));
        }
        StartActionsHandler::Start();
        StartActionsHandler::Destroy();
        qunsetenv("XDG_RUNTIME_DIR");
        for (const QString& path : gone)
            QVERIFY2(!QFileInfo::exists(path), qPrintable(path));
        for (const QString& path : stay)
            QVERIFY2(QFileInfo::exists(path), qPrintable(path));
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

    void AiCodecRoundTrip()
    {
        TestEnvironment env;
        DataPlayer ai("bot", true, true);
        ai.allyTeam = 2;
        ai.aiShortName = "RAVAI";
        ai.aiKind = "AI: R.A.V.";
        ai.side = 1;
        ai.sideName = "Core";
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
        QCOMPARE(back.aiKind, "AI: SKITTERS");
        QCOMPARE(back.allyTeam, 5);
        QCOMPARE(back.color, QColor(0, 255, 0));

        // A separator inside a value does not break the record.
        ai.sideName = "A|B";
        QVERIFY(AppSettingsSkirmish::AiFromString(AppSettingsSkirmish::AiToString(ai), &back));
        QCOMPARE(back.side, 1);
        QCOMPARE(back.color, ai.color);

        // Bad numbers and colours give defaults, not a lost record.
        DataPlayer bad;
        QVERIFY(AppSettingsSkirmish::AiFromString("NAME_SHORT=AI: X|TEAM_ID=abc|SIDE_ID=|COLOR=nope", &bad));
        QVERIFY(bad.allyTeam == 0 && bad.side == 0 && bad.color.isValid());

        // An empty player, as unused slots hold it, has no AI kind: it reads back as no AI.
        QCOMPARE(AppSettingsSkirmish::AiToString(DataPlayer()), EmptyPlayerText);
    }

    void AiCodecGarbage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty, as earlier versions stored unused slots") << QString();
        QTest::newRow("an empty player, as unused slots are stored") << EmptyPlayerText;
        QTest::newRow("separators") << QStringLiteral("||||");
        QTest::newRow("no name") << QStringLiteral("TEAM_ID=1|NAME_DLL=x|SIDE_ID=0");
        QTest::newRow("empty name") << QStringLiteral("NAME_SHORT=|TEAM_ID=1");
        QTest::newRow("no equals") << QStringLiteral("NAME_SHORT");
        QTest::newRow("binary") << QString::fromLatin1("\x01\x02=\xff|=|==");
    }

    void AiCodecGarbage()
    {
        QFETCH(QString, text);
        DataPlayer untouched("keep", true, false);
        QVERIFY(!AppSettingsSkirmish::AiFromString(text, &untouched));
        QCOMPARE(untouched.name, "keep");
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
