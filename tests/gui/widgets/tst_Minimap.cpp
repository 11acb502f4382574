#include "Common.h"
#include "GuiFonts.h"
#include "MinimapCache.h"
#include "MinimapDataWidget.h"
#include "MinimapManager.h"
#include "MinimapSimpleDataWidget.h"
#include "MinimapSkirmishWidget.h"
#include "NButton.h"
#include "NImageButtonAux.h"
#include "NImageLabel.h"
#include "NSlider.h"
#include "PathManager.h"
#include "SoundManager.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>

Q_DECLARE_METATYPE(QList<int>)

namespace
{
// A 340 x 240 minimap with margin 20 shows a 300 x 200 picture at (20, 20).
const QPoint Corner(20, 20);

QPixmap Picture(int w, int h)
{
    QPixmap picture(w, h);
    picture.fill(QColor(60, 140, 60));
    return picture;
}

void Move(QWidget* widget, QPoint pos, Qt::MouseButtons buttons)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// A press, two moves and a release, in picture pixels.
void Drag(QWidget* widget, QPoint from, QPoint to)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, from + Corner);
    Move(widget, (from + to) / 2 + Corner, Qt::LeftButton);
    Move(widget, to + Corner, Qt::LeftButton);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, to + Corner);
}

QString PlainText(const QLabel* label)
{
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText();
}

DataMinimap Answer(const QString& name, int kind, bool withPicture, const QString& info = QString())
{
    DataMinimap answer;
    answer.mapName = name;
    answer.infoText = info.isEmpty() ? name : info;
    answer.requestKind = kind;
    answer.width = 8192;
    answer.height = 4096;
    if (withPicture)
        answer.minimap = Picture(64, 32).toImage();
    answer.loaded = withPicture;
    return answer;
}

struct Board
{
    MinimapSkirmishWidget widget{20};
    QSignalSpy appended{&widget, &MinimapSkirmishWidget::OnTeamRectAppend};
    QSignalSpy clicked{&widget, &MinimapSkirmishWidget::OnTeamRectClicked};
    QSignalSpy removed{&widget, &MinimapSkirmishWidget::OnTeamRectRemove};

    explicit Board(const QPixmap& picture = Picture(300, 200))
    {
        widget.resize(340, 240);
        widget.SetPixmap(picture);
        widget.show();
    }
};
} // namespace

class TestMinimap : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;

private slots:
    void initTestCase() { GuiFonts::LoadFonts(); }
    void init() { m_env = std::make_unique<TestEnvironment>(); }
    void cleanup()
    {
        if (MinimapManager::Exists())
            MinimapManager::Instance()->InvokeBlocking("DoDestroy");
        MinimapManager::Destroy();
        SoundManager::DestroyInstance();
        m_env.reset();
    }

    // The loading picture shows only when nothing arrives within 400 ms; a null picture changes nothing.
    void LoadingState()
    {
        MinimapWidget widget(20);
        widget.resize(300, 200);
        widget.MapStateChanged(MapState::Loading);
        QCOMPARE(widget.GetState(), MapState::None);
        QTest::qWait(200);
        widget.SetPixmap(Picture(100, 50));
        QCOMPARE(widget.GetState(), MapState::Ready);
        QTest::qWait(400);
        QCOMPARE(widget.GetState(), MapState::Ready);
        QCOMPARE(widget.GetScaledPixmap().size(), QSize(260, 130));

        widget.MapStateChanged(MapState::Loading);
        widget.SetPixmap(QPixmap());
        QCOMPARE(widget.GetState(), MapState::None);
        QTRY_COMPARE_WITH_TIMEOUT(widget.GetState(), MapState::Loading, 1000);
        widget.MapStateChanged(MapState::NotFound);
        QCOMPARE(widget.GetState(), MapState::NotFound);
    }

    // A run of resizes refits the picture once, 200 ms after the last; nothing is refitted in state None.
    void ResizeRefits()
    {
        MinimapWidget widget(10);
        QSignalSpy offsets(&widget, &MinimapWidget::OnOffset);
        widget.resize(220, 220);
        widget.show();
        QTest::qWait(300);
        QCOMPARE(offsets.count(), 0);
        widget.SetPixmap(Picture(100, 100));
        QCOMPARE(offsets.count(), 1);
        QCOMPARE(offsets.last().value(1).toSize(), QSize(200, 200));
        for (const int side : {300, 320, 340})
        {
            widget.resize(side, 140);
            QTest::qWait(50);
        }
        QCOMPARE(offsets.count(), 1);
        QTRY_COMPARE(offsets.count(), 2);
        QCOMPARE(offsets.last().value(0).toPoint(), QPoint(110, 10));
        QCOMPARE(offsets.last().value(1).toSize(), QSize(120, 120));
    }

    // Left drags make boxes in hundredths of the picture, whichever way they go; boxes stay within 0..100.
    void Drag_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QRect>("box"); // null: no box
        const QRect drawn(QPoint(11, 11), QPoint(51, 61));
        QTest::newRow("drawn") << QPoint(30, 20) << QPoint(150, 120) << drawn;
        QTest::newRow("in reverse") << QPoint(150, 120) << QPoint(30, 20) << drawn;
        QTest::newRow("up and right") << QPoint(30, 120) << QPoint(150, 20) << drawn;
        QTest::newRow("15 pixels wide") << QPoint(30, 20) << QPoint(45, 60) << QRect();
        QTest::newRow("15 pixels high") << QPoint(30, 20) << QPoint(90, 35) << QRect();
        QTest::newRow("16 pixels each way")
            << QPoint(30, 20) << QPoint(46, 36) << QRect(QPoint(11, 11), QPoint(16, 19));
        QTest::newRow("from pixel 0")
            << QPoint(0, 0) << QPoint(60, 50) << QRect(QPoint(1, 1), QPoint(21, 26));
        QTest::newRow("from outside, above left")
            << QPoint(-15, -10) << QPoint(60, 50) << QRect(QPoint(0, 0), QPoint(21, 26));
        QTest::newRow("to beyond the edges")
            << QPoint(200, 100) << QPoint(315, 215) << QRect(QPoint(67, 51), QPoint(100, 100));
        QTest::newRow("last pixel column")
            << QPoint(299, 20) << QPoint(280, 60) << QRect(QPoint(94, 11), QPoint(100, 31));
        QTest::newRow("wholly right of the picture") << QPoint(301, 20) << QPoint(319, 80) << QRect();
        QTest::newRow("wholly above the picture") << QPoint(30, -19) << QPoint(150, -1) << QRect();
    }

    void Drag()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QRect, box);
        Board board;
        QCOMPARE(board.widget.GetScaledPixmap().size(), QSize(300, 200));
        ::Drag(&board.widget, from, to);
        QCOMPARE(board.appended.count(), box.isNull() ? 0 : 1);
        if (!box.isNull())
            QCOMPARE(board.appended.first().first().toRect(), box);
        QVERIFY(board.widget.GetRects().isEmpty());
        QCOMPARE(board.clicked.count() + board.removed.count(), 0);
    }

    // Only a drag begun on a shown picture can make a box; an empty or tiny minimap takes no input.
    void NoBoxWithoutADrag_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("release alone") << "release";
        QTest::newRow("pressed while loading") << "loading";
        QTest::newRow("ready without picture") << "nopicture";
        QTest::newRow("smaller than its margins") << "tiny";
        QTest::newRow("right drag") << "right";
    }

    void NoBoxWithoutADrag()
    {
        QFETCH(QString, how);
        Board board;
        board.widget.DoAddRect(0, QRect(QPoint(0, 0), QPoint(100, 100)));
        if (how == "loading")
        {
            board.widget.MapStateChanged(MapState::Loading);
            QTest::mousePress(&board.widget, Qt::LeftButton, {}, Corner + QPoint(10, 10));
            board.widget.SetPixmap(Picture(300, 200));
        }
        if (how == "nopicture")
        {
            board.widget.MapStateChanged(MapState::None);
            board.widget.grab(); // a paint in state None drops the picture
            board.widget.MapStateChanged(MapState::Ready);
            QVERIFY(board.widget.GetScaledPixmap().isNull());
        }
        if (how == "tiny")
        {
            board.widget.resize(30, 30);
            board.widget.SetPixmap(Picture(300, 200));
        }
        if (how == "right")
            QTest::mousePress(&board.widget, Qt::RightButton, {}, Corner + QPoint(10, 10));
        if (how == "nopicture" || how == "tiny")
            ::Drag(&board.widget, QPoint(10, 10), QPoint(200, 150));
        Move(&board.widget, Corner + QPoint(200, 150), how == "right" ? Qt::RightButton : Qt::NoButton);
        QTest::mouseRelease(&board.widget, how == "right" ? Qt::RightButton : Qt::LeftButton, {},
                            Corner + QPoint(200, 150));
        QCOMPARE(board.appended.count(), 0);
        QCOMPARE(board.clicked.count(), 0);
        QCOMPARE(board.removed.count(), how == "right" ? 1 : 0);
    }

    // Clicks report every box under the pointer, lowest ally first; receivers may change the boxes.
    void ClicksOnBoxes()
    {
        Board board;
        board.widget.DoAddRect(3, QRect(QPoint(30, 30), QPoint(80, 80)));
        board.widget.DoAddRect(1, QRect(QPoint(10, 10), QPoint(50, 50)));
        board.widget.DoAddRect(1, QRect(QPoint(10, 10), QPoint(50, 50))); // replaces, no second box
        QCOMPARE(board.widget.GetRects().size(), 2);
        connect(&board.widget, &MinimapSkirmishWidget::OnTeamRectRemove, &board.widget,
                &MinimapSkirmishWidget::DoRemoveRect);

        const QPoint both = Corner + QPoint(120, 80); // 40 %, 40 %
        Move(&board.widget, both, Qt::NoButton);
        QCOMPARE(board.widget.GetHoveredAlly(), 1);
        Move(&board.widget, Corner + QPoint(210, 140), Qt::NoButton);
        QCOMPARE(board.widget.GetHoveredAlly(), 3);
        Move(&board.widget, Corner + QPoint(290, 190), Qt::NoButton);
        QCOMPARE(board.widget.GetHoveredAlly(), -1);

        QTest::mouseClick(&board.widget, Qt::LeftButton, {}, both);
        QCOMPARE(board.clicked.count(), 2);
        QCOMPARE(board.clicked.at(0).first().toInt(), 1);
        QCOMPARE(board.clicked.at(1).first().toInt(), 3);
        QCOMPARE(board.appended.count(), 0);

        QTest::mouseClick(&board.widget, Qt::RightButton, {}, both);
        QCOMPARE(board.removed.count(), 2);
        QCOMPARE(board.removed.at(0).first().toInt(), 1);
        QCOMPARE(board.removed.at(1).first().toInt(), 3);
        QVERIFY(board.widget.GetRects().isEmpty());
    }

    // Boxes are drawn where the arithmetic puts them, also outside 0..100: nothing is clipped or
    // dropped. One hundredth of the 300 x 200 picture at (20, 20) is 3 pixels across and 2 down.
    void BoxesPaint_data()
    {
        QTest::addColumn<QRect>("box");
        QTest::addColumn<QRect>("drawn"); // widget pixels that change
        QTest::addColumn<QRect>("kept");  // widget pixels that stay as they were
        QTest::newRow("on the map") << QRect(QPoint(10, 10), QPoint(50, 50)) << QRect(60, 50, 50, 50)
                                    << QRect(0, 0, 340, 16);
        QTest::newRow("reaching past the map")
            << QRect(QPoint(-50, -50), QPoint(150, 150)) << QRect(0, 0, 340, 16) << QRect();
        QTest::newRow("right of the map")
            << QRect(QPoint(102, 10), QPoint(110, 50)) << QRect(328, 45, 10, 70) << QRect(22, 22, 296, 196);
        QTest::newRow("above the map")
            << QRect(QPoint(10, -9), QPoint(50, -2)) << QRect(60, 4, 100, 10) << QRect(22, 22, 296, 196);
    }

    void BoxesPaint()
    {
        QFETCH(QRect, box);
        QFETCH(QRect, drawn);
        QFETCH(QRect, kept);
        Board board;
        const QImage empty = board.widget.grab().toImage();
        board.widget.DoAddRect(2, box);
        const QImage painted = board.widget.grab().toImage();
        const auto changed = [&](const QRect& area)
        {
            int count = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    count += painted.pixel(x, y) != empty.pixel(x, y);
            return count;
        };
        QVERIFY(changed(drawn) > drawn.width() * drawn.height() / 4);
        QCOMPARE(changed(kept), 0);
        // No boxes over the not-found picture.
        board.widget.MapStateChanged(MapState::NotFound);
        const QImage notFound = board.widget.grab().toImage();
        board.widget.DoClearRectangles();
        QCOMPARE(board.widget.grab().toImage(), notFound);
    }

    // The map panel passes the minimap's boxes on, asks for presets, and takes only its own answers.
    void DataWidgetBoxesAndPresets()
    {
        MinimapDataWidget panel(true);
        panel.show();
        QVERIFY(panel.GetControls()->isVisible());
        QSignalSpy appended(&panel, &MinimapDataWidget::OnTeamRectAppend);
        QSignalSpy removed(&panel, &MinimapDataWidget::OnTeamRectRemove);
        QSignalSpy presets(&panel, &MinimapDataWidget::OnSelectMapRects);
        QSignalSpy selectMap(&panel, &MinimapDataWidget::OnSelectMapClick);
        // The host applies what the panel asks for.
        connect(&panel, &MinimapDataWidget::OnTeamRectAppend, &panel,
                [&panel](QRect rect) { panel.DoAppendStartRect(panel.GetStartRects().size(), rect); });
        connect(&panel, &MinimapDataWidget::OnTeamRectRemove, &panel, &MinimapDataWidget::DoRemoveStartRect);

        panel.DoMapChanged("Panel Map");
        panel.DoMapLoad(Answer("Panel Map", 0, true));
        MinimapSkirmishWidget* minimap = panel.GetMinimap();
        QCOMPARE(minimap->GetState(), MapState::Ready);
        const QPoint corner = minimap->GetPictureOffset();
        const QSize size = minimap->GetScaledPixmap().size();
        QVERIFY(size.width() > 100 && size.height() > 50);

        QTest::mousePress(minimap, Qt::LeftButton, {}, corner + QPoint(5, 5));
        Move(minimap, corner + QPoint(size.width() / 2, size.height() / 2), Qt::LeftButton);
        QTest::mouseRelease(minimap, Qt::LeftButton, {},
                            corner + QPoint(size.width() / 2, size.height() / 2));
        QCOMPARE(appended.count(), 1);
        QCOMPARE(panel.GetStartRects().keys(), QList<int>({0}));
        QTest::mouseClick(minimap, Qt::RightButton, {}, corner + QPoint(10, 10));
        QCOMPARE(removed.count(), 1);
        QVERIFY(panel.GetStartRects().isEmpty());

        // Preset buttons and the slider; a split button before the slider is touched asks for size 10.
        QTest::mouseClick(panel.GetSplitButton(2), Qt::LeftButton);
        QCOMPARE(presets.takeFirst(), QVariantList({2, 10}));
        panel.GetSizeSlider()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(presets.takeFirst(), QVariantList({2, panel.GetSizeSlider()->value()}));
        QTest::mouseClick(panel.GetSplitButton(3), Qt::LeftButton);
        QCOMPARE(presets.takeFirst(), QVariantList({3, panel.GetSizeSlider()->value()}));
        QVERIFY(presets.isEmpty());

        // Boxes the host adds join the shown ones; "clear" empties the minimap.
        panel.DoAppendStartRect(1, QRect(0, 0, 10, 10));
        panel.SetStartRects({{4, QRect(0, 0, 20, 20)}, {5, QRect(80, 80, 20, 20)}});
        panel.SetStartRects({});
        QCOMPARE(panel.GetStartRects().keys(), QList<int>({1, 4, 5}));
        panel.DoClear();
        QVERIFY(panel.GetStartRects().isEmpty());
        QCOMPARE(minimap->GetState(), MapState::None);

        QTest::mouseClick(panel.GetMapButton(), Qt::LeftButton);
        QCOMPARE(selectMap.takeFirst().first().toString(), "Panel Map");
        panel.SetReadOnly(true);
        QVERIFY(!panel.GetMapButton()->isEnabled() && !panel.GetSizeSlider()->isEnabled() &&
                !panel.GetSplitButton(0)->isEnabled());
        panel.SetReadOnly(false);
        QVERIFY(panel.GetMapButton()->isEnabled() && panel.GetSplitButton(3)->isEnabled());
    }

    void ReadOnlyPanelPassesNothingOn()
    {
        MinimapDataWidget panel(false);
        panel.show();
        QVERIFY(!panel.GetControls()->isVisible());
        QSignalSpy appended(&panel, &MinimapDataWidget::OnTeamRectAppend);
        QSignalSpy clicked(&panel, &MinimapDataWidget::OnTeamRectClicked);
        panel.DoMapChanged("Panel Map");
        panel.DoMapLoad(Answer("Panel Map", 0, true));
        panel.DoAppendStartRect(0, QRect(QPoint(0, 0), QPoint(100, 100)));
        MinimapSkirmishWidget* minimap = panel.GetMinimap();
        QSignalSpy own(minimap, &MinimapSkirmishWidget::OnTeamRectAppend);
        const QPoint corner = minimap->GetPictureOffset();
        QTest::mousePress(minimap, Qt::LeftButton, {}, corner + QPoint(2, 2));
        Move(minimap, corner + QPoint(80, 80), Qt::LeftButton);
        QTest::mouseRelease(minimap, Qt::LeftButton, {}, corner + QPoint(80, 80));
        QCOMPARE(own.count(), 1);
        QCOMPARE(appended.count() + clicked.count(), 0);
    }

    // Both panels show only answers of kind 0 for their map with a picture; texts never become markup.
    void PanelsTakeTheirAnswers_data()
    {
        QTest::addColumn<bool>("simple");
        QTest::newRow("map panel") << false;
        QTest::newRow("simple panel") << true;
    }

    void PanelsTakeTheirAnswers()
    {
        QFETCH(bool, simple);
        MinimapDataWidget panel(true);
        MinimapSimpleDataWidget simplePanel(430, 280);
        QWidget* shown = simple ? static_cast<QWidget*>(&simplePanel) : &panel;
        shown->show();
        const auto change = [&](const QString& name)
        { simple ? simplePanel.DoMapChanged(name) : panel.DoMapChanged(name); };
        const auto load = [&](const DataMinimap& answer)
        { simple ? simplePanel.DoMapLoad(answer) : panel.DoMapLoad(answer); };
        MinimapWidget* minimap = simple ? simplePanel.GetMinimap() : panel.GetMinimap();
        QLabel* label = simple ? simplePanel.GetNameLabel() : panel.GetNameLabel();

        const QString name = "Evil <b>Map</b> & Co";
        change(name);
        QCOMPARE(PlainText(label), name.toUpper());
        for (const DataMinimap& other :
             {Answer("Other Map", 0, true), Answer(name, 1, true), Answer(name, 0, false)})
            load(other);
        QCOMPARE(PlainText(label), name.toUpper());
        QTRY_COMPARE(minimap->GetState(), MapState::Loading);

        simple ? simplePanel.DoClear() : panel.DoClear();
        QCOMPARE(minimap->GetState(), MapState::None);
        load(Answer(name, 0, true, "<i>Info</i> & more"));
        QCOMPARE(minimap->GetState(), MapState::Ready);
        QCOMPARE(PlainText(label),
                 simple ? "<I>INFO</I> & MORE - ( 16 X 8 )" : "<I>INFO</I> & MORE - ( 16 x 8 )");
        // A description of many words is cut, the size stays whole, the line fits its bar.
        load(Answer(name, 0, true, QString("A very long description ").repeated(10)));
        const QString text = PlainText(label);
        QVERIFY2(text.endsWith(simple ? "( 16 X 8 )" : "( 16 x 8 )") && text.contains(QChar(0x2026)),
                 qPrintable(text));
        QVERIFY(QFontMetrics(label->font()).horizontalAdvance(text) <= (simple ? 430 : 430 - 100));
        simple ? simplePanel.DoMapFailed("Other Map") : panel.DoMapFailed("Other Map");
        QCOMPARE(minimap->GetState(), MapState::Ready);
        simple ? simplePanel.DoMapFailed(name) : panel.DoMapFailed(name);
        QCOMPARE(minimap->GetState(), MapState::NotFound);
    }

    // End to end through the minimap service: a cached map shows; a missing cache keeps the panel
    // loading until the host says the cache has come.
    void PanelAsksTheService()
    {
        MinimapManager::SetLibraryPath(m_env->Path("no/libunitsync.so"));
        MinimapDataWidget panel(true);
        panel.show();
        const QString cachePath =
            MinimapCache::FilePath(PathManager::Instance()->GetMinimapCacheDir(), "Late Map");
        panel.DoMapChanged("Late Map");
        QTRY_COMPARE(panel.GetMinimap()->GetState(), MapState::Loading);
        QVERIFY(m_env->LogContains("MinimapManager :: NO MINIMAP --- unknown map Late Map"));
        DataMinimap record = Answer("Late Map", 0, true, "Late Map");
        record.width = record.height = 1024;
        QVERIFY(MinimapCache::Write(cachePath, record, nullptr));
        panel.DoMapCacheDownload("Other Map");
        QTest::qWait(100);
        QCOMPARE(panel.GetMinimap()->GetState(), MapState::Loading);
        panel.DoMapCacheDownload("Late Map");
        QTRY_COMPARE(panel.GetMinimap()->GetState(), MapState::Ready);
        QCOMPARE(PlainText(panel.GetNameLabel()), "LATE MAP - ( 2 x 2 )");
        MinimapManager::SetLibraryPath(QString());
    }
};

QTEST_MAIN(TestMinimap)
#include "tst_Minimap.moc"
