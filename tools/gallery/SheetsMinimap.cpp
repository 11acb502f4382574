// The minimap widgets in each of their states, with the real test map's minimap as the minimap
// service makes it from the map archive (tools/testcontent, the engine's unitsync library).
#include "AppSettings.h"
#include "GalleryKit.h"
#include "MinimapDataWidget.h"
#include "MinimapManager.h"
#include "MinimapSimpleDataWidget.h"
#include "MinimapSkirmishWidget.h"
#include "NButton.h"
#include "NSlider.h"
#include "PathManager.h"
#include "SyncManager.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#ifndef QM_TEST_CONTENT_DIR
#define QM_TEST_CONTENT_DIR ""
#endif

using namespace Gallery;

namespace
{
const QString TestMap = QStringLiteral("Quill Test Map");

template <typename Done>
bool WaitFor(Done done, int ms = 30000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QTest::qWait(20);
    return done();
}

// A picture like the test map's, for machines without the engine: the sheets say so.
QImage StandIn()
{
    QImage image(512, 512, QImage::Format_RGB32);
    const QColor quarters[] = {{200, 64, 32}, {64, 160, 64}, {32, 96, 200}, {232, 200, 80}};
    QPainter painter(&image);
    for (int q = 0; q < 4; ++q)
        painter.fillRect((q % 2) * 256, (q / 2) * 256, 256, 256, quarters[q]);
    return image;
}

// Runs the content index and the minimap service on the test content for as long as it lives.
class MinimapSource
{
public:
    MinimapSource()
    {
        m_oldHome = qgetenv("HOME");
        // unitsync reads the user's engine settings under HOME: keep the user's maps out of the sheets.
        qputenv("HOME", m_home.path().toUtf8());
        const QString maps = QStringLiteral(QM_TEST_CONTENT_DIR "/maps");
        if (QDir(maps).exists())
            QFile::link(maps, PathManager::Instance()->GetMapsDir());
        SyncManager::Instance();
        QObject::connect(MinimapManager::Instance(), &MinimapManager::OnMapLoad, &m_receiver,
                         [this](DataMinimap minimap)
                         {
                             if (minimap.mapName == TestMap)
                                 m_answer = minimap;
                         });
        MinimapManager::Load(TestMap, 0);
        WaitFor([this] { return !m_answer.mapName.isEmpty(); });
        if (!m_answer.loaded)
            qWarning("gallery: no minimap for the test map; the minimap sheets show a stand-in");
    }

    ~MinimapSource()
    {
        MinimapManager::Instance()->InvokeBlocking("DoDestroy");
        MinimapManager::Destroy();
        SyncManager::Instance()->InvokeBlocking("DoDestroy");
        SyncManager::Destroy();
        QFile::remove(PathManager::Instance()->GetMapsDir());
        qputenv("HOME", m_oldHome);
    }

    bool IsReal() const { return m_answer.loaded; }
    QPixmap Picture() const { return QPixmap::fromImage(m_answer.loaded ? m_answer.minimap : StandIn()); }

private:
    QTemporaryDir m_home;
    QByteArray m_oldHome;
    QObject m_receiver;
    DataMinimap m_answer;
};

void Hover(QWidget* widget, QPoint pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// Lays the sheet out as Save will and lets the minimaps refit to their final sizes (200 ms after a resize).
void Settle(Sheet& sheet)
{
    sheet.adjustSize();
    sheet.resize(sheet.sizeHint().expandedTo(QSize(640, 200)));
    sheet.show();
    QTest::qWait(300);
}

void Note(Sheet& sheet, const MinimapSource& source, int row)
{
    if (!source.IsReal())
        sheet.Grid()->addWidget(
            Caption(QStringLiteral("stand-in picture: no test map or unitsync library here")), row, 0, 1, 4);
}

template <typename Widget>
Widget* Sized(Widget* widget, int w, int h)
{
    widget->setFixedSize(w, h);
    return widget;
}

void MinimapWidgets(const QString& dir, const MinimapSource& source)
{
    Sheet sheet;
    const QString names[] = {QStringLiteral("none"), QStringLiteral("loading"), QStringLiteral("not found"),
                             QStringLiteral("ready"), QStringLiteral("ready, 16 x 8 map")};
    for (int i = 0; i < 5; ++i)
    {
        auto* minimap = Sized(new MinimapWidget(20), 260, 190);
        minimap->setStyleSheet(QStringLiteral("background: rgba(0, 0, 0, 110);"));
        if (i == 1)
            minimap->TimerLoading();
        if (i == 2)
            minimap->MapStateChanged(MapState::NotFound);
        if (i == 3)
            minimap->SetPixmap(source.Picture());
        if (i == 4)
            minimap->SetPixmap(source.Picture().scaled(512, 256));
        sheet.Grid()->addWidget(Caption(names[i]), (i / 3) * 2, i % 3, Qt::AlignCenter);
        sheet.Grid()->addWidget(minimap, (i / 3) * 2 + 1, i % 3);
    }
    Note(sheet, source, 4);
    Settle(sheet);
    Save(&sheet, dir, QStringLiteral("MinimapWidget"));
}

void AddBoxes(MinimapSkirmishWidget* minimap)
{
    minimap->DoAddRect(0, QRect(QPoint(0, 0), QPoint(30, 30)));
    minimap->DoAddRect(1, QRect(QPoint(70, 70), QPoint(100, 100)));
    minimap->DoAddRect(2, QRect(QPoint(70, 0), QPoint(100, 25)));
    minimap->DoAddRect(3, QRect(QPoint(20, 20), QPoint(45, 50)));
    minimap->DoAddRect(4, QRect(QPoint(5, 85), QPoint(10, 92)));
}

void SkirmishWidgets(const QString& dir, const MinimapSource& source)
{
    Sheet sheet;
    const QString names[] = {QStringLiteral("boxes, ally 1 hovered"), QStringLiteral("drawing a box"),
                             QStringLiteral("loading"), QStringLiteral("not found")};
    for (int i = 0; i < 4; ++i)
    {
        auto* minimap = Sized(new MinimapSkirmishWidget(20), 340, 300);
        minimap->resize(340, 300);
        minimap->setStyleSheet(QStringLiteral("background: rgba(0, 0, 0, 110);"));
        minimap->SetPixmap(source.Picture());
        AddBoxes(minimap);
        const QPoint corner = minimap->GetPictureOffset();
        const QSize size = minimap->GetScaledPixmap().size();
        if (i == 0)
            Hover(minimap, corner + QPoint(size.width() * 85 / 100, size.height() * 85 / 100));
        if (i == 1)
        {
            QTest::mousePress(minimap, Qt::LeftButton, {},
                              corner + QPoint(size.width() / 2, size.height() / 3));
            QMouseEvent drag(QEvent::MouseMove, corner + QPoint(size.width() * 3 / 4, size.height() * 2 / 3),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(minimap, &drag);
        }
        if (i == 2)
            minimap->TimerLoading();
        if (i == 3)
            minimap->MapStateChanged(MapState::NotFound);
        sheet.Grid()->addWidget(Caption(names[i]), (i / 2) * 2, i % 2, Qt::AlignCenter);
        sheet.Grid()->addWidget(minimap, (i / 2) * 2 + 1, i % 2);
    }
    Note(sheet, source, 4);
    Save(&sheet, dir, QStringLiteral("MinimapSkirmishWidget"));
}

void DataWidgets(const QString& dir, const MinimapSource& source)
{
    Sheet sheet;
    auto* editable = new MinimapDataWidget(true);
    editable->DoMapChanged(TestMap);
    auto* readOnly = new MinimapDataWidget(false);
    readOnly->DoMapChanged(TestMap);
    auto* loading = new MinimapDataWidget(true);
    loading->DoMapChanged(QStringLiteral("Map Without Cache"));
    loading->GetMinimap()->TimerLoading();
    loading->SetReadOnly(true);
    WaitFor([&] { return editable->GetMinimap()->GetState() == MapState::Ready; },
            source.IsReal() ? 10000 : 0);
    WaitFor([&] { return readOnly->GetMinimap()->GetState() == MapState::Ready; },
            source.IsReal() ? 10000 : 0);
    if (!source.IsReal())
    {
        editable->GetMinimap()->SetPixmap(source.Picture());
        readOnly->GetMinimap()->SetPixmap(source.Picture());
    }
    for (MinimapDataWidget* panel : {editable, readOnly})
        AddBoxes(panel->GetMinimap());
    editable->GetSplitButton(2)->setChecked(true);
    editable->GetSizeSlider()->setValue(25);
    sheet.Grid()->addWidget(Caption(QStringLiteral("editable, ally 1 hovered")), 0, 0, Qt::AlignCenter);
    sheet.Grid()->addWidget(editable, 1, 0, Qt::AlignTop);
    sheet.Grid()->addWidget(Caption(QStringLiteral("not editable")), 0, 1, Qt::AlignCenter);
    sheet.Grid()->addWidget(readOnly, 1, 1, Qt::AlignTop);
    sheet.Grid()->addWidget(Caption(QStringLiteral("loading, read-only")), 0, 2, Qt::AlignCenter);
    sheet.Grid()->addWidget(loading, 1, 2, Qt::AlignTop);
    Note(sheet, source, 2);
    Settle(sheet);
    MinimapSkirmishWidget* minimap = editable->GetMinimap();
    Hover(minimap, minimap->GetPictureOffset() + QPoint(minimap->GetScaledPixmap().width() * 85 / 100,
                                                        minimap->GetScaledPixmap().height() * 85 / 100));
    Save(&sheet, dir, QStringLiteral("MinimapDataWidget"));
}

void SimpleDataWidgets(const QString& dir, const MinimapSource& source)
{
    Sheet sheet;
    const QString names[] = {QStringLiteral("ready"), QStringLiteral("loading"), QStringLiteral("not found")};
    QList<MinimapSimpleDataWidget*> panels;
    for (int i = 0; i < 3; ++i)
    {
        auto* panel = new MinimapSimpleDataWidget(430, 280);
        panel->DoMapChanged(i == 0 ? TestMap : QStringLiteral("Map <Without> & Cache"));
        if (i == 1)
            panel->GetMinimap()->TimerLoading();
        if (i == 2)
            panel->DoMapFailed(QStringLiteral("Map <Without> & Cache"));
        sheet.Grid()->addWidget(Caption(names[i]), (i / 2) * 2, i % 2, Qt::AlignCenter);
        sheet.Grid()->addWidget(panel, (i / 2) * 2 + 1, i % 2);
        panels << panel;
    }
    WaitFor([&] { return panels[0]->GetMinimap()->GetState() == MapState::Ready; },
            source.IsReal() ? 10000 : 0);
    if (!source.IsReal())
        panels[0]->GetMinimap()->SetPixmap(source.Picture());
    Note(sheet, source, 4);
    Settle(sheet);
    Save(&sheet, dir, QStringLiteral("MinimapSimpleDataWidget"));
}

void Minimaps(const QString& dir)
{
    const MinimapSource source;
    MinimapWidgets(dir, source);
    SkirmishWidgets(dir, source);
    DataWidgets(dir, source);
    SimpleDataWidgets(dir, source);
}
} // namespace

static Registration s_minimaps("minimaps", Minimaps);
