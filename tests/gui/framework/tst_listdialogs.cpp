// The list choice dialogs and the map choice, over the content index and taunts of a test folder,
// driven with real keys, clicks and double clicks.

#include "FrameKit.h"
#include "ListChoiceModals.h"
#include "MapsTreeView.h"
#include "MinimapManager.h"
#include "NButtonBase.h"
#include "NLineEdit.h"
#include "NSearchWidget.h"
#include "PathManager.h"
#include "SelectMapModal.h"
#include "SyncManager.h"
#include "TauntsManager.h"
#include "TauntsTreeView.h"
#include "TestArchive.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "VersionTreeView.h"
#include "helper_dialogs.h"

#include <QSignalSpy>
#include <QtTest>

namespace
{
// The middle of a list's row as drawn.
QPoint RowPoint(QTreeView* view, int row)
{
    return view->visualRect(view->model()->index(row, 1)).center();
}
} // namespace

class TestListDialogs : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<DialogHost> m_host;

    void Content(const QStringList& files)
    {
        for (const QString& file : files)
            QVERIFY(file.startsWith("engines/") ? TestFiles::Write(m_env->Path(file), "x", true)
                                                : TestArchive::WriteNamedContent(m_env->Path(file)));
        SyncManager::SetSystemEnginePath(QString());
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        // Minimaps come from caches only: no map archive here holds a map file.
        MinimapManager::SetLibraryPath(m_env->Path("no-unitsync.so"));
    }

    void cleanup()
    {
        m_host.reset();
        for (auto* worker :
             {static_cast<WorkerThread*>(MinimapManager::Exists() ? MinimapManager::Instance() : nullptr),
              static_cast<WorkerThread*>(SyncManager::Exists() ? SyncManager::Instance() : nullptr)})
        {
            if (worker)
                worker->InvokeBlocking("DoDestroy");
        }
        MinimapManager::Destroy();
        SyncManager::Destroy();
        TauntsManager::DestroyInstance();
        MinimapManager::SetLibraryPath(QString());
        m_env.reset();
    }

    void VersionDialogs_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("result"); // empty: no result
        QTest::addColumn<QStringList>("sounds");
        const QStringList on{"button.on"}, off{"button.off"};
        const auto row = [](const char* name, const char* kind, const char* input, const QStringList& result,
                            const QStringList& sounds)
        { QTest::newRow(name) << QString(kind) << QString(input) << result << sounds; };
        row("engine, double click", "engine", "double click 1", {"106.0"}, on);
        row("engine, row then Enter", "engine", "click 0 enter", {"105.0"}, on);
        row("engine, nothing chosen", "engine", "enter", {""}, on);
        row("engine, Cancel", "engine", "cancel", {}, off);
        row("engine, Escape", "engine", "escape", {}, off);
        row("game, double click", "game", "double click 0", {"Alpha 1"}, on);
        row("AI project, Select", "ai", "click 1 select", {"v1"}, on);
        row("nothing to choose", "empty", "select", {""}, on);
    }

    void VersionDialogs()
    {
        QFETCH(QString, kind);
        QFETCH(QString, input);
        QFETCH(QStringList, result);
        QFETCH(QStringList, sounds);
        Content({"engines/105.0/spring", "engines/106.0/spring", "games/Alpha 1.sdz", "games/Beta 2.sd7"});
        m_host = std::make_unique<DialogHost>();
        VersionChoiceModal* dialog = nullptr;
        const char* signal = nullptr;
        if (kind == "engine")
        {
            dialog = new SelectEngineVersionModal();
            signal = SIGNAL(OnEngineVersionClick(QString));
        }
        else if (kind == "game")
        {
            dialog = new SelectGameVersionModal();
            signal = SIGNAL(OnGameVersionClick(QString));
        }
        else
        {
            dialog = new SelectAiProjectVersionModal(kind == "ai" ? QStringList{"v1", "v2"} : QStringList{});
            signal = SIGNAL(OnVersionClick(QString));
        }
        QSignalSpy chosen(dialog, signal);
        m_host->Open(dialog);
        VersionTreeView* list = dialog->List();
        if (input.startsWith("click"))
        {
            const QPoint at = RowPoint(list, input.mid(6, 1).toInt());
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
            input = input.mid(8);
        }
        if (input.startsWith("double click"))
            m_host->DoubleClick(list->viewport(), RowPoint(list, input.right(1).toInt()));
        else if (input.startsWith("select"))
            m_host->Click(dialog->SelectButton());
        else if (input == "cancel")
            m_host->Click(dialog->CancelButton());
        if (input.endsWith("enter"))
            m_host->Key(Qt::Key_Return);
        else if (input == "escape")
            m_host->Key(Qt::Key_Escape);
        QTRY_VERIFY(!m_host->IsOpen());
        QTest::qWait(20); // a queued double click would come now
        QCOMPARE(chosen.count(), result.size());
        if (!result.isEmpty())
            QCOMPARE(chosen.first().first().toString(), result.first());
        QCOMPARE(m_host->Sounds(), sounds);
    }

    void TauntSearchConfirmsOnce()
    {
        const QString dir = PathManager::Instance()->GetTauntsDir();
        QVERIFY(TestFiles::Write(dir + "/taunts.ini",
                                 "[General]\ncount=3\n[1]\nkey=1\nmessage=Hello there\n"
                                 "[2]\nkey=2\nmessage=Nice shot\n[3]\nkey=gg\nmessage=Good game\n"));
        TauntsManager::Instance();
        m_host = std::make_unique<DialogHost>();
        for (const QString& how : {QStringLiteral("search field"), QStringLiteral("list")})
        {
            auto* dialog = new SelectTauntModal();
            QSignalSpy taunts(dialog, &SelectTauntModal::OnTauntClick);
            m_host->Open(dialog);
            QTRY_COMPARE(m_host->Focus(), static_cast<QWidget*>(dialog->Search()->LineEdit()));
            m_host->Type("nice");
            QTRY_COMPARE(dialog->List()->GetVisibleIds(), QList<int>{2});
            if (how == "list")
            {
                m_host->Key(Qt::Key_Tab);
                QCOMPARE(m_host->Focus(), static_cast<QWidget*>(dialog->List()));
            }
            // Enter gives one taunt, never two.
            m_host->Key(Qt::Key_Return);
            QVERIFY(!m_host->IsOpen());
            QTest::qWait(20);
            QCOMPARE(taunts.count(), 1);
            QCOMPARE(taunts.first().first().toString(), "2");
            QVERIFY(m_host->Sounds().isEmpty());
        }

        // Escape clears the search first, then closes.
        auto* dialog = new SelectTauntModal();
        QSignalSpy taunts(dialog, &SelectTauntModal::OnTauntClick);
        m_host->Open(dialog);
        QTRY_COMPARE(m_host->Focus(), static_cast<QWidget*>(dialog->Search()->LineEdit()));
        m_host->Type("gg");
        m_host->Key(Qt::Key_Escape);
        QVERIFY(m_host->IsOpen());
        QCOMPARE(dialog->Search()->GetText(), QString());
        m_host->Key(Qt::Key_Escape);
        QVERIFY(!m_host->IsOpen());
        QCOMPARE(taunts.count(), 0);
        QCOMPARE(m_host->Sounds(), QStringList{"button.off"});
    }

    void MapChoice_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("result");
        QTest::newRow("Enter in the search field") << "enter" << QStringList{"Bravo Ford"};
        QTest::newRow("typed, then Enter") << "type charl enter" << QStringList{"Charlie Hills"};
        QTest::newRow("double click on a row") << "double click 0" << QStringList{"alpha flats"};
        QTest::newRow("Select") << "select" << QStringList{"Bravo Ford"};
        QTest::newRow("Cancel") << "cancel" << QStringList{};
        QTest::newRow("Escape") << "escape" << QStringList{};
    }

    void MapChoice()
    {
        QFETCH(QString, input);
        QFETCH(QStringList, result);
        Content({"maps/Charlie Hills.sd7", "maps/alpha flats.sdz", "maps/Bravo Ford.sd7"});
        m_host = std::make_unique<DialogHost>();
        // Counted on this thread: a QSignalSpy would record on the minimap service's thread.
        int answers = 0;
        QObject receiver;
        connect(MinimapManager::Instance(), &MinimapManager::OnMapLoad, &receiver, [&answers] { ++answers; });
        auto* dialog = new SelectMapModal("Bravo Ford");
        QSignalSpy chosen(dialog, &SelectMapModal::OnMapClick);
        // One request at a time; an answer to another kind of request moves nothing on.
        QCOMPARE(dialog->PendingCount(), 2);
        DataMinimap other;
        other.mapName = "Charlie Hills";
        other.requestKind = 0;
        dialog->DoMapReady(other);
        QCOMPARE(dialog->PendingCount(), 2);
        m_host->Open(dialog);
        MapsTreeView* list = dialog->List();
        // Sorted by name, any letter case; the map given is current.
        QStringList names;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            names << list->model()->index(row, 1).data().toString().trimmed();
        QCOMPARE(names, (QStringList{"alpha flats", "Bravo Ford", "Charlie Hills"}));
        QCOMPARE(list->GetSelectedMap(), "Bravo Ford");

        QTRY_COMPARE(dialog->PendingCount(), 0);
        QTRY_COMPARE(answers, 3);

        QTRY_COMPARE(m_host->Focus(), static_cast<QWidget*>(dialog->Search()->LineEdit()));
        if (input.startsWith("type"))
        {
            m_host->Type("charl");
            QTRY_COMPARE(list->GetSelectedMap(), "Charlie Hills");
        }
        if (input.startsWith("double click"))
            m_host->DoubleClick(list->viewport(), RowPoint(list, 0));
        else if (input == "select")
            m_host->Click(dialog->SelectButton());
        else if (input == "cancel")
            m_host->Click(dialog->CancelButton());
        else if (input == "escape")
            m_host->Key(Qt::Key_Escape);
        if (input.endsWith("enter"))
            m_host->Key(Qt::Key_Return);
        QTRY_VERIFY(!m_host->IsOpen());
        QTest::qWait(20);
        QCOMPARE(chosen.count(), result.size());
        if (!result.isEmpty())
            QCOMPARE(chosen.first().first().toString(), result.first());
        QCOMPARE(m_host->Sounds(), QStringList{result.isEmpty() ? "button.off" : "button.on"});
    }

    void NoMaps()
    {
        Content({});
        m_host = std::make_unique<DialogHost>();
        int answers = 0;
        QObject receiver;
        connect(MinimapManager::Instance(), &MinimapManager::OnMapLoad, &receiver, [&answers] { ++answers; });
        auto* dialog = new SelectMapModal("Anything");
        QSignalSpy chosen(dialog, &SelectMapModal::OnMapClick);
        m_host->Open(dialog);
        QCOMPARE(dialog->List()->RowCount(), 0);
        m_host->Click(dialog->SelectButton());
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.first().first().toString(), QString());
        QVERIFY(!m_host->IsOpen());
        QTest::qWait(50);
        QCOMPARE(answers, 0);
    }
};

QTEST_MAIN(TestListDialogs)
#include "tst_listdialogs.moc"
