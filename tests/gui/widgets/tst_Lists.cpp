// The lists built on the styled tree view: maps, custom AIs with their file, versions and taunts
// with their file, driven through their own functions and real mouse events.
#define QTEST_QPA_MOUSE_HANDLING // presses and releases go through the window like real ones
#include "Common.h"
#include "CustomAIFile.h"
#include "CustomAITreeView.h"
#include "GuiFonts.h"
#include "MapsTreeView.h"
#include "PathManager.h"
#include "SyncManager.h"
#include "TauntsManager.h"
#include "TauntsTreeView.h"
#include "TestArchive.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "VersionTreeView.h"

#include <QSignalSpy>
#include <QTest>

namespace
{
// Column texts of the visible rows, top to bottom.
QStringList VisibleTexts(const StyledTreeView& view, int column)
{
    QStringList texts;
    for (int r = 0; r < view.Model()->rowCount(); ++r)
        if (!view.isRowHidden(r, QModelIndex()))
            texts << view.Model()->item(r, column)->text().trimmed();
    return texts;
}

QPoint RowPoint(const StyledTreeView& view, int modelRow, int column)
{
    return view.visualRect(view.Model()->index(modelRow, column)).center();
}

DataMinimap Minimap(const QString& name, bool loaded)
{
    DataMinimap minimap;
    minimap.mapName = name;
    minimap.loaded = loaded;
    minimap.requestKind = 1;
    minimap.width = 8192;
    minimap.height = 4096;
    minimap.minWind = 5;
    minimap.maxWind = 25;
    minimap.tidalStrength = 18;
    minimap.maxMetal = 2.5f;
    minimap.rowPicture = QImage(54, 40, QImage::Format_RGB32);
    minimap.rowPicture.fill(Qt::darkGreen);
    return minimap;
}

void WriteTaunts(const QByteArray& content)
{
    QVERIFY(TestFiles::Write(PathManager::Instance()->GetTauntsDir() + "/taunts.ini", content));
}

QString CustomAIPath()
{
    return PathManager::Instance()->GetLobbyGameDataDir() + "/game.AIs.txt";
}
} // namespace

class TestLists : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiFonts::LoadFonts(); }
    void init() { m_env.reset(new TestEnvironment()); }
    void cleanup()
    {
        if (SyncManager::Exists())
        {
            SyncManager::Instance()->InvokeBlocking("DoDestroy");
            SyncManager::Destroy();
        }
        TauntsManager::DestroyInstance();
        m_env.reset();
    }

    void MapsFilter_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("visible");
        QTest::newRow("empty") << "" << QStringList{"Dune Sea", "Crater [v2]", "Arm Pass"};
        QTest::newRow("word between stars, any case") << "*ARM*" << QStringList{"Arm Pass"};
        QTest::newRow("size text") << "*16 x 8*" << QStringList{"Dune Sea"};
        QTest::newRow("wind text") << "5 - 25" << QStringList{"Dune Sea"};
        QTest::newRow("metal text") << "2.5" << QStringList{"Dune Sea"};
        QTest::newRow("tidal text") << "18" << QStringList{"Dune Sea"};
        QTest::newRow("question mark") << "cr?ter" << QStringList{"Crater [v2]"};
        // No valid wildcard: matched as written rather than hiding every row.
        QTest::newRow("unclosed bracket") << "[v2" << QStringList{"Crater [v2]"};
        QTest::newRow("nothing") << "zzz" << QStringList();
    }

    void MapsFilter()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, visible);
        MapsTreeView maps;
        for (const char* name : {"Dune Sea", "Crater [v2]", "Arm Pass"})
            maps.AppendMap(QLatin1String(name));
        maps.ChangeMap(Minimap("Dune Sea", true));
        maps.DoFilter(pattern);
        QCOMPARE(VisibleTexts(maps, 1), visible);
    }

    void MapsRowsFillAndFollowTheFilter()
    {
        MapsTreeView maps;
        QSignalSpy selected(&maps, &MapsTreeView::OnSelectionChanged);
        QCOMPARE(maps.GetSelectedMap(), QString());
        maps.DoFilter("*sea*");
        maps.AppendMap("Dune Sea");
        maps.AppendMap("Arm Pass"); // hidden at once: it doesn't match
        QCOMPARE(VisibleTexts(maps, 1), QStringList{"Dune Sea"});

        // The same name twice keeps one row, and the next map still gets a row of its own.
        maps.AppendMap("Dune Sea");
        maps.AppendMap("Sea Gate");
        maps.DoFilter(QString());
        QCOMPARE(VisibleTexts(maps, 1), QStringList({"Dune Sea", "Arm Pass", "Sea Gate"}));
        QVERIFY(!m_env->LogContains("item with same id"));

        // The map facts' texts are the filter test's, the rows' looks the gallery's; the size sorts
        // by area, and a map without a picture shows no facts.
        maps.ChangeMap(Minimap("Dune Sea", true));
        QCOMPARE(maps.GetItemById(0)[3]->data(StyledTreeView::SortRole).toInt(), 8192 * 4096);
        // The largest map a minimap cache may hold: its area is beyond an int.
        DataMinimap largest = Minimap("Sea Gate", true);
        largest.width = largest.height = 65536;
        maps.ChangeMap(largest);
        QCOMPARE(maps.GetItemById(2)[3]->data(StyledTreeView::SortRole).toLongLong(), Q_INT64_C(4294967296));
        maps.ChangeMap(Minimap("Arm Pass", false));
        const StyledTreeView::Row red = maps.GetItemById(1);
        QVERIFY(red[3]->text().isEmpty() && red[6]->text().isEmpty());

        maps.ChangeMap(Minimap("Nowhere", true));
        QVERIFY(m_env->LogContains("MapsTreeView :: Change :: There is no such map Nowhere"));

        maps.SelectMap("Sea Gate");
        QCOMPARE(maps.GetSelectedMap(), "Sea Gate");
        QCOMPARE(selected.last().first().toString(), "Sea Gate");
        maps.SelectMap("Unknown"); // the top row
        QCOMPARE(maps.GetSelectedMap(), "Dune Sea");
    }

    void CustomAITemplate()
    {
        // The game's lobby folder isn't there yet: the template still gets written, whole.
        QDir(PathManager::Instance()->GetLobbyGameDataDir()).removeRecursively();
        CustomAITreeView view;
        QCOMPARE(view.RowCount(), 0);
        QVERIFY(TestFiles::Read(CustomAIPath()).endsWith("#\tR.A.V. Reborn\t0\n"));
        QCOMPARE(QDir(PathManager::Instance()->GetLobbyGameDataDir()).entryList(QDir::Files),
                 QStringList{"game.AIs.txt"});      // no temporary file left beside it
        QCOMPARE(CustomAITreeView().RowCount(), 0); // only comments
        QVERIFY(view.GetSelectedName().isEmpty());
        QCOMPARE(view.GetSelectedSide(), 0);
    }

    void CustomAIFileThatCannotBeMade()
    {
        const QString folder = PathManager::Instance()->GetLobbyGameDataDir();
        QDir(folder).removeRecursively();
        QVERIFY(TestFiles::Write(folder, "a file where the folder belongs"));
        CustomAITreeView view;
        QCOMPARE(view.RowCount(), 0);
        QVERIFY(m_env->LogContains("CustomAIFile :: CAN NOT CREATE " + CustomAIPath()));
    }

    void CustomAIParsing_data()
    {
        QTest::addColumn<QString>("place"); // how TestFiles::Place fills the file's place
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("entries"); // "name:side", sorted by name
        QTest::addColumn<QString>("logLine");     // %1: the file
        const auto row = [](const char* name, const QByteArray& file, const QStringList& entries,
                            const QString& place = QString(), const QString& log = QString())
        { QTest::newRow(name) << place << file << entries << log; };
        row("template line without its comment", "R.A.V. Reborn\t0\n", {"R.A.V. Reborn:0"});
        row("two, three and four tabs", "B\t\t1\nC\t\t\t2\nA\t\t\t\t3\n", {"A:3", "B:1", "C:2"});
        row("windows line ends", "Gamma Bot\t4\r\nDelta\t5\r\n", {"Delta:5", "Gamma Bot:4"});
        row("side not a number", "Wanderer\tfirst\n", {"Wanderer:0"});
        row("skipped lines",
            "#Commented\t1\n\tLeading\t1\nTrailing\t1\t\nThree\t1\tcolumns\nNoTab\n\nKept\t2", {"Kept:2"});
        row("names a start script can't carry",
            "Bad;Name\t1\n[Bot]\t1\nx}\t1\n{y\t1\nk=v\t1\nBell\x07\t1\nSafe (v2)\t3\n", {"Safe (v2):3"},
            QString(), "CustomAIFile :: AI name refused, it would break the start script: Bad;Name");
        row("utf-8", "\xd0\x91\xd0\xbe\xd1\x82\t2\n", {QString::fromUtf8("Бот:2")});
        // Damage and hostile places: an empty list, a log line, and no wait.
        row("empty file", "", {});
        row("folder", "", {}, "folder", "--- WARNING --- CustomAIFile :: CAN NOT READ %1 --- a folder");
        row("unreadable", "Kept\t2\n", {}, "unreadable",
            "CustomAIFile :: CAN NOT READ %1 --- Permission denied");
        const QString damaged =
            "--- WARNING --- CustomAIFile :: DAMAGED FILE %1 --- %2 --- kept as %1.corrupt";
        row("link loop", "", {}, "link loop", damaged.arg("%1", "a link loop"));
        row("FIFO", "", {}, "FIFO", damaged.arg("%1", "a FIFO"));
        row("too large", "", {}, "large:4194305", damaged.arg("%1", "larger than 4194304 bytes"));
        QByteArray many;
        QStringList first;
        for (int i = CustomAIFile::MaxEntries; i >= 0; --i)
        {
            many += "Bot " + QByteArray::number(100000 + i) + "\t1\n";
            if (i > 0)
                first.prepend(QStringLiteral("Bot %1:1").arg(100000 + i));
        }
        row("too many", many, first, QString(),
            "CustomAIFile :: TOO MANY AIs --- more than 1000 in %1 --- the first 1000 listed");
    }

    void CustomAIParsing()
    {
        QFETCH(QString, place);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, entries);
        QFETCH(QString, logLine);
        QVERIFY(TestFiles::Place(CustomAIPath(), place, file));
        std::unique_ptr<CustomAITreeView> made;
        QVERIFY(TestFiles::ReturnsPromptly(30000 * TestEnvironment::SlowdownFactor(),
                                           [&] { made = std::make_unique<CustomAITreeView>(); }));
        CustomAITreeView& view = *made;
        QStringList shown;
        for (int r = 0; r < view.Model()->rowCount(); ++r)
        {
            view.setCurrentIndex(view.Model()->index(r, 2));
            shown << QStringLiteral("%1:%2").arg(view.GetSelectedName()).arg(view.GetSelectedSide());
            QCOMPARE(view.Model()->item(r, 2)->text(), view.GetSelectedName());
        }
        QCOMPARE(shown, entries);
        QVERIFY2(logLine.isEmpty() || m_env->LogContains(logLine.arg(CustomAIPath())),
                 qPrintable(m_env->LogLines().join('\n')));
        const QFileInfo aside(CustomAIPath() + ".corrupt");
        QCOMPARE(aside.exists() || aside.isSymLink(), logLine.contains(".corrupt"));
    }

    void EngineAndGameVersions()
    {
        const QString data = m_env->SpringDataDir();
        SyncManager::SetSystemEnginePath(QString());
        for (const char* version : {"9.0", "105.0", "10.0", "nightly"})
            QVERIFY(TestFiles::Write(data + "/engines/" + version + "/spring", "#!/bin/sh\n", true));
        for (const char* game : {"zorn-1.2.sdz", "zorn-1.10.sdz"})
            QVERIFY(TestArchive::WriteNamedContent(data + "/games/" + game));
        EngineVersionTreeView engines;
        GameVersionTreeView games;
        // Sorted as text; an engine without a "." isn't offered.
        QCOMPARE(VisibleTexts(engines, 2), QStringList({"SPRING 10.0", "SPRING 105.0", "SPRING 9.0"}));
        QCOMPARE(VisibleTexts(games, 2), QStringList({"GAME zorn-1.10", "GAME zorn-1.2"}));
        QCOMPARE(engines.GetSelectedVersion(), QString());

        engines.resize(300, 300);
        engines.show();
        QVERIFY(QTest::qWaitForWindowExposed(&engines));
        QSignalSpy doubled(&engines, &VersionTreeView::OnDoubleClick);
        QTest::mouseDClick(engines.viewport(), Qt::LeftButton, {},
                           QPoint(20, engines.viewport()->height() - 4));
        QCOMPARE(doubled.count(), 0); // empty space; a row: the version dialogs' test
    }

    // Column 2 keeps its width; the empty column 3 takes the rest of the list.
    void VersionColumns()
    {
        AiProjectVersionTreeView aiProject;
        EngineVersionTreeView engines;
        GameVersionTreeView games;
        CustomAITreeView customAis;
        for (const auto& [view, width] : {std::pair<VersionTreeView*, int>{&aiProject, 150},
                                          {&engines, 240},
                                          {&games, 150},
                                          {&customAis, 180}})
        {
            view->resize(600, 200);
            view->show();
            QVERIFY(QTest::qWaitForWindowExposed(view));
            QCOMPARE(view->columnWidth(2), Common::Scale(width));
            QVERIFY(!view->isColumnHidden(3));
            QCOMPARE(view->columnWidth(1) + view->columnWidth(2) + view->columnWidth(3),
                     view->viewport()->width());
        }
    }

    void AiProjectVersionsReplaced()
    {
        AiProjectVersionTreeView versions;
        versions.SetVersions({"v1.0", "v1.2", "v1.1"});
        QCOMPARE(VisibleTexts(versions, 2), QStringList({"v1.2", "v1.1", "v1.0"}));
        versions.SetVersions({"v2.0", "v1.9"});
        QCOMPARE(VisibleTexts(versions, 2), QStringList({"v2.0", "v1.9"})); // none of the first list stays
        versions.setCurrentIndex(versions.Model()->index(1, 2));
        QCOMPARE(versions.GetSelectedVersion(), "v1.9");
    }

    void Taunts()
    {
        WriteTaunts("count=6\n[1]\nkey=10\nmessage=Ten out of ten\nfile=a.wav\n"
                    "[2]\nkey=9\nmessage=Nine lives\nfile=b.wav\n"
                    "[3]\nkey=1\nmessage=First blood\nfile=c.wav\n"
                    "[4]\nkey=gg\nmessage=Good game\nfile=d.wav\n"
                    "[5]\nkey=rush\nmessage=Rush them\nfile=e.wav\n"
                    "[6]\nkey=0\nmessage=Zero hour\nfile=f.wav\n");
        TauntsTreeView taunts;
        // By number, 10 after 9; the word keys after the numbers, each on a row of its own.
        QCOMPARE(VisibleTexts(taunts, 0), QStringList({"0", "1", "9", "10", "gg", "rush"}));
        QCOMPARE(taunts.GetSelectedTaunt(), "1");
        taunts.DoFilter("1");
        QCOMPARE(VisibleTexts(taunts, 0), QStringList({"1", "10"}));
        taunts.DoFilter("*RUSH*");
        QCOMPARE(VisibleTexts(taunts, 1), QStringList{"Rush them"});
        QCOMPARE(taunts.GetSelectedTaunt(), "rush"); // the current row was filtered away

        taunts.DoFilter(QString());
        taunts.resize(300, 300);
        taunts.show();
        QVERIFY(QTest::qWaitForWindowExposed(&taunts));
        QSignalSpy doubled(&taunts, &TauntsTreeView::OnDoubleClick);
        QTest::mouseDClick(taunts.viewport(), Qt::LeftButton, {}, RowPoint(taunts, 4, 1));
        QCOMPARE(doubled.count(), 1);
        QCOMPARE(doubled.first().first().toString(), "gg");
    }

    // Two keys of one number: one row, the other refused (and freed: the sanitizer build leaks nothing).
    void TauntsOfOneNumberTwice()
    {
        WriteTaunts("count=3\n[1]\nkey=7\nmessage=Seven\nfile=a.wav\n"
                    "[2]\nkey=07\nmessage=Oh seven\nfile=b.wav\n"
                    "[3]\nkey=gg\nmessage=Good game\nfile=c.wav\n");
        TauntsTreeView taunts;
        QCOMPARE(VisibleTexts(taunts, 0).size(), 2);
        QCOMPARE(VisibleTexts(taunts, 0).last(), "gg");
        QVERIFY(m_env->LogContains("StyledTreeView::AppendStyledItem :: item with same id [ 7 ]!"));
    }

    void TauntsWithoutNumberOne()
    {
        WriteTaunts("count=2\n[1]\nkey=gg\nmessage=Good game\nfile=d.wav\n"
                    "[2]\nkey=wp\nmessage=Well played\nfile=e.wav\n");
        TauntsTreeView taunts;
        QCOMPARE(VisibleTexts(taunts, 0), QStringList({"gg", "wp"}));
        QCOMPARE(taunts.GetSelectedTaunt(), "-1");
    }

    // The taunts file beneath the list.
    void TauntsFileMissing()
    {
        TauntsManager* taunts = TauntsManager::Instance();
        QCOMPARE(taunts->Count(), 0);
        QVERIFY(
            m_env->LogContains("TauntsManager :: Taunts list is empty, because *.ini file does NOT exist " +
                               PathManager::Instance()->GetTauntsDir() + "/taunts.ini"));
        QSignalSpy cleared(taunts, &TauntsManager::OnClear);
        QSignalSpy reloaded(taunts, &TauntsManager::OnReload);
        taunts->Load();
        QCOMPARE(cleared.count(), 1);
        QCOMPARE(reloaded.count(), 0);
        QVERIFY(taunts->GetTauntFile("anything").isEmpty());
    }

    void TauntsLoadAndLookUp()
    {
        WriteTaunts("count=3\n"
                    "[1]\nkey=gg\nmessage=Good Game\nfile=gg.ogg\n"
                    "[2]\nkey=rush\nmessage=Rush them, now!\nfile=sub/rush.wav\n"
                    "[3]\nkey=\xd0\xbf\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82\nmessage="
                    "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82!\nfile=hi.wav\n");
        TauntsManager* taunts = TauntsManager::Instance();
        QCOMPARE(taunts->Count(), 3);
        QVERIFY(m_env->LogContains("TauntsManager :: Load 3 taunts"));
        QVERIFY(taunts->Contains("gg"));
        QVERIFY(!taunts->Contains("GG"));
        QCOMPARE(taunts->GetMessage("rush"), "Rush them, now!");
        QVERIFY(taunts->GetMessage("nope").isEmpty());
        QCOMPARE(taunts->GetTaunts().value("gg"), "Good Game");
        QCOMPARE(taunts->GetMessage(QString::fromUtf8("привет")), QString::fromUtf8("Привет!"));

        // By message, in any letter case.
        QCOMPARE(taunts->GetTauntFile("good game"), "gg.ogg");
        QCOMPARE(taunts->GetTauntFile("RUSH THEM, NOW!"), "sub/rush.wav");
        QCOMPARE(taunts->GetTauntFile(QString::fromUtf8("привет!")), "hi.wav");
        // By a key in parentheses at the start, followed by other words.
        QCOMPARE(taunts->GetTauntFile("(gg) well played all"), "gg.ogg");
        QVERIFY(taunts->GetTauntFile("(unknown) text").isEmpty());
        QVERIFY(taunts->GetTauntFile("(gg without end").isEmpty());
        QVERIFY(taunts->GetTauntFile("say (gg)").isEmpty());
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

    // Odd files: each entry as "key:message:file", the file looked up by message.
    void TauntsOddFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("log");
        QTest::newRow("missing group skipped")
            << QByteArray(
                   "count=2\n[1]\nkey=a\nmessage=Alpha\nfile=a.wav\n[3]\nkey=c\nmessage=Gamma\nfile=c.wav\n")
            << QStringList{"a:Alpha:a.wav"} << "TauntsManager :: Missing taunts --- 1 of 2 skipped";
        QTest::newRow("later entries overwrite")
            << QByteArray(
                   "count=2\n[1]\nkey=a\nmessage=Same\nfile=1.wav\n[2]\nkey=a\nmessage=SAME\nfile=2.wav\n")
            << QStringList{"a:SAME:2.wav"} << "TauntsManager :: Load 1 taunts";
        const QByteArray one = "\n[1]\nkey=a\nmessage=A\nfile=a.wav\n";
        QTest::newRow("negative count")
            << "count=-5" + one << QStringList() << "TauntsManager :: Load 0 taunts";
        QTest::newRow("count not a number") << "count=banana" + one << QStringList() << "Load 0 taunts";
        // A hostile pack claiming two billion entries is read up to the limit, quickly.
        QTest::newRow("two billion") << "count=2000000000" + one << QStringList{"a:A:a.wav"}
                                     << "TauntsManager :: Too many taunts --- 2000000000";
    }

    void TauntsOddFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, entries);
        QFETCH(QString, log);
        WriteTaunts(file);
        TauntsManager* taunts = TauntsManager::Instance();
        const auto all = taunts->GetTaunts();
        QStringList read;
        for (auto it = all.cbegin(); it != all.cend(); ++it)
            read << it.key() + ':' + it.value() + ':' + taunts->GetTauntFile(it.value().toLower());
        QCOMPARE(read, entries);
        QVERIFY2(m_env->LogContains(log), qPrintable(m_env->LogLines().join('\n')));
    }

private:
    QScopedPointer<TestEnvironment> m_env;
};

QTEST_MAIN(TestLists)
#include "tst_Lists.moc"
