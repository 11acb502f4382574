// The lists on the styled tree view, each empty, filled, with a selection, filtered, disabled and
// hovered.
#include "CustomAIFile.h"
#include "CustomAITreeView.h"
#include "GalleryKit.h"
#include "MapsTreeView.h"
#include "PathManager.h"
#include "StyledTreeView.h"
#include "SyncManager.h"
#include "TauntsManager.h"
#include "TauntsTreeView.h"
#include "TestArchive.h"
#include "TestFiles.h"
#include "VersionTreeView.h"

#include <QFile>
#include <QPainter>
#include <QRandomGenerator>

#include <functional>

using namespace Gallery;

namespace
{
// The plain base, as the replay or battle lists use it: two text columns.
class PlainList final : public StyledTreeView
{
public:
    PlainList()
    {
        m_dataColumns = {1, 2};
        SetHeaderItems({new QStandardItem(), new QStandardItem(QStringLiteral("Battle")),
                        new QStandardItem(QStringLiteral("Players"))});
        setColumnHidden(0, true);
        setColumnWidth(1, 190);
        setSortingEnabled(true);
    }
    void Add(const QString& name, int players)
    {
        Row row = CreateRow(3);
        SetRowId(row, GetFreeId());
        row[1]->setText(name);
        row[2]->setText(QString::number(players));
        row[2]->setTextAlignment(Qt::AlignCenter);
        row[2]->setData(players, SortRole);
        ColorRow(row, Qt::white);
        if (!AppendStyledItem(row))
            qDeleteAll(row);
    }
    void Filter(const QString& text)
    {
        m_filter = text;
        ApplyFilter();
    }

protected:
    bool FilterRow(const Row& row) override
    {
        const bool hidden = !row[1]->text().contains(m_filter, Qt::CaseInsensitive);
        SetRowHidden(row[0]->row(), hidden);
        return hidden;
    }

private:
    QString m_filter;
};

// How a list looks in each state: `makeEmpty` and `make` build it without and with rows, `filter`
// (for the lists with a search field) narrows it.
struct ListStates
{
    std::function<StyledTreeView*()> makeEmpty;
    std::function<StyledTreeView*()> make;
    std::function<void(StyledTreeView*)> filter;
    QSize size = QSize(300, 220);
};

void ListSheet(const QString& dir, const QString& name, const ListStates& states)
{
    Sheet sheet;
    QStringList captions = {"empty", "filled", "one selected", "filtered", "disabled", "hovered"};
    if (!states.filter)
        captions.removeOne(QStringLiteral("filtered"));
    for (int i = 0; i < captions.size(); ++i)
    {
        const QString& state = captions[i];
        StyledTreeView* view = state == QLatin1String("empty") ? states.makeEmpty() : states.make();
        view->setFixedSize(states.size);
        view->setCurrentIndex(QModelIndex());
        if (state == QLatin1String("one selected") || state == QLatin1String("disabled"))
            view->setCurrentIndex(view->Model()->index(1, 1));
        if (state == QLatin1String("filtered"))
            states.filter(view);
        if (state == QLatin1String("disabled"))
            view->setEnabled(false);
        if (state == QLatin1String("hovered"))
            MarkHover(view->viewport());
        sheet.Grid()->addWidget(Caption(state), (i / 3) * 2, i % 3, Qt::AlignCenter);
        sheet.Grid()->addWidget(view, (i / 3) * 2 + 1, i % 3);
    }
    Save(&sheet, dir, name);
}

// A list that reads its rows when it is made, with the rows dropped again.
template <typename View>
StyledTreeView* MakeEmpty()
{
    auto* list = new View();
    list->Clear();
    return list;
}

template <typename View>
StyledTreeView* Make()
{
    return new View();
}

QImage FakeMinimap(int seed, const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random{quint32(seed)};
    const QColor ground = QColor::fromHsv(20 + seed * 37 % 100, 90, 120);
    image.fill(ground);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 14; ++i)
    {
        const int r = 3 + random.bounded(size.height() / 3);
        p.setPen(Qt::NoPen);
        p.setBrush(i % 4 == 0 ? QColor(40, 80, 150) : ground.lighter(100 + random.bounded(50)));
        p.drawEllipse(QPoint(random.bounded(size.width()), random.bounded(size.height())), r, r);
    }
    return image;
}

void Maps(const QString& dir)
{
    ListStates states;
    states.size = QSize(560, 260);
    states.makeEmpty = Make<MapsTreeView>;
    states.make = []
    {
        struct Map
        {
            const char* name;
            int w, h, minWind, maxWind, tidal;
            float metal;
            bool picture;
        };
        const Map maps[] = {{"Dune Sea", 16, 8, 5, 25, 18, 2.5f, true},
                            {"Arm Pass", 12, 12, 0, 20, 10, 1.8f, true},
                            {"Crater [v2]", 20, 16, 8, 30, 15, 3.2f, true},
                            {"Frozen Fjord", 24, 24, 2, 12, 20, 2.0f, true},
                            {"Missing Picture", 0, 0, 0, 0, 0, 0.0f, false}};
        auto* list = new MapsTreeView();
        int seed = 1;
        for (const Map& m : maps)
        {
            list->AppendMap(QLatin1String(m.name));
            DataMinimap minimap;
            minimap.mapName = QLatin1String(m.name);
            minimap.loaded = m.picture;
            minimap.requestKind = 1;
            minimap.width = m.w * 512;
            minimap.height = m.h * 512;
            minimap.minWind = m.minWind;
            minimap.maxWind = m.maxWind;
            minimap.tidalStrength = m.tidal;
            minimap.maxMetal = m.metal;
            if (m.picture)
                minimap.rowPicture = FakeMinimap(seed++, QSize(54, 40));
            list->ChangeMap(minimap);
        }
        return list;
    };
    states.filter = [](StyledTreeView* view)
    { static_cast<MapsTreeView*>(view)->DoFilter(QStringLiteral("*a*s*")); };
    ListSheet(dir, QStringLiteral("MapsTreeView"), states);
}

void Plain(const QString& dir)
{
    ListStates states;
    states.makeEmpty = Make<PlainList>;
    states.make = []
    {
        auto* list = new PlainList();
        int players = 2;
        for (const char* name : {"Team FFA all welcome", "1v1 ranked", "Coop vs AI", "Newbies only",
                                 "4v4 Dune Sea", "Chill games", "Tournament finals"})
            list->Add(QLatin1String(name), players++ % 9);
        return list;
    };
    states.filter = [](StyledTreeView* view) { static_cast<PlainList*>(view)->Filter(QStringLiteral("v")); };
    ListSheet(dir, QStringLiteral("StyledTreeView"), states);
}

void CustomAIs(const QString& dir)
{
    const QString path = CustomAIFile::Path();
    CustomAIFile::WriteTemplate(path);
    QFile append(path);
    append.open(QIODevice::Append);
    append.write("R.A.V. Reborn\t0\nShard\t1\nBARbarian\t0\nKAIK 0.13\t1\nNullAI\t0\n");
    append.close();
    ListStates states;
    states.makeEmpty = MakeEmpty<CustomAITreeView>;
    states.make = Make<CustomAITreeView>;
    ListSheet(dir, QStringLiteral("CustomAITreeView"), states);
    QFile::remove(path);
}

void VersionLists(const QString& dir)
{
    // A few engines and games in the gallery's own data folder for the content index to find.
    const QString data = PathManager::Instance()->GetSpringDataDir();
    for (const char* version : {"105.0", "104.0.1-1510", "106.0", "98.0", "nightly"})
        TestFiles::Write(data + QStringLiteral("/engines/%1/spring").arg(QLatin1String(version)),
                         "#!/bin/sh\n", true);
    for (const char* game :
         {"morvantis-1.0.sdz", "morvantis-1.1.sdz", "morvantis-test-7.sd7", "galvanic-2.4.sdz"})
        TestArchive::WriteNamedContent(data + QStringLiteral("/games/") + QLatin1String(game));
    SyncManager::SetSystemEnginePath(QString());
    SyncManager::Instance()->InvokeBlocking("DoReload");
    ListStates engines;
    engines.makeEmpty = MakeEmpty<EngineVersionTreeView>;
    engines.make = Make<EngineVersionTreeView>;
    ListSheet(dir, QStringLiteral("EngineVersionTreeView"), engines);
    ListStates games;
    games.makeEmpty = MakeEmpty<GameVersionTreeView>;
    games.make = Make<GameVersionTreeView>;
    ListSheet(dir, QStringLiteral("GameVersionTreeView"), games);
    SyncManager::Instance()->InvokeBlocking("DoDestroy");
    SyncManager::Destroy();

    ListStates projects;
    projects.size = QSize(220, 220);
    projects.makeEmpty = Make<AiProjectVersionTreeView>;
    projects.make = []
    {
        auto* list = new AiProjectVersionTreeView();
        list->SetVersions({"v1.0", "v1.1", "v1.2", "v2.0-beta", "v2.0", "v2.1"});
        return list;
    };
    ListSheet(dir, QStringLiteral("AiProjectVersionTreeView"), projects);
}

void Taunts(const QString& dir)
{
    const char* messages[] = {
        "Good game!",     "Rush them, now!", "Nice try.",      "Is that all you've got?",
        "For the swarm!", "Retreat!",        "Well played",    "Ten out of ten",
        "Hold the line",  "Incoming!",       "Eleven strikes", "Twelve to one"};
    QByteArray ini = "count=12\n";
    for (int i = 0; i < 12; ++i)
        ini += QStringLiteral("[%1]\nkey=%1\nmessage=%2\nfile=t%1.wav\n")
                   .arg(i + 1)
                   .arg(QLatin1String(messages[i]))
                   .toUtf8();
    TestFiles::Write(PathManager::Instance()->GetTauntsDir() + QStringLiteral("/taunts.ini"), ini);
    TauntsManager::Instance()->Load();
    ListStates states;
    states.makeEmpty = MakeEmpty<TauntsTreeView>;
    states.make = Make<TauntsTreeView>;
    states.filter = [](StyledTreeView* view)
    { static_cast<TauntsTreeView*>(view)->DoFilter(QStringLiteral("*the*")); };
    ListSheet(dir, QStringLiteral("TauntsTreeView"), states);
    TauntsManager::DestroyInstance();
}

void Lists(const QString& dir)
{
    Plain(dir);
    Maps(dir);
    CustomAIs(dir);
    VersionLists(dir);
    Taunts(dir);
}
} // namespace

static Registration s_lists("lists", Lists);
