// Widget helpers of the Common namespace.
#include "CommonWidgets.h"
#include "GuiMetrics.h"
#include "TestEnvironment.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QtTest>

class TestCommonWidgets : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Common::SetMainWindow(nullptr); }

    void ColorSwatch()
    {
        const QImage image = Common::ColorSwatchPixmap(QColor(200, 10, 20), QSize(16, 12)).toImage();
        QCOMPARE(image.size(), QSize(16, 12));
        for (const QPoint& edge : {QPoint(0, 0), QPoint(15, 11), QPoint(8, 0), QPoint(0, 6)})
            QCOMPARE(image.pixelColor(edge), QColor(30, 30, 30));
        QCOMPARE(image.pixelColor(8, 6), QColor(200, 10, 20));
        QCOMPARE(image.pixelColor(1, 1), QColor(200, 10, 20));
        QVERIFY(Common::ColorSwatchPixmap(Qt::red, QSize(0, 5)).isNull());
    }

    void HLine()
    {
        QScopedPointer<QFrame> line(Common::CreateHLine(3, QColor(1, 2, 3)));
        QVERIFY(line->parent() == nullptr);
        QVERIFY(line->minimumHeight() == 3 && line->maximumHeight() == 3);
        line->resize(100, 3);
        QCOMPARE(line->grab().toImage().pixelColor(50, 1), QColor(1, 2, 3));
        QScopedPointer<QFrame> none(Common::CreateHLine(-4, Qt::red));
        QCOMPARE(none->maximumHeight(), 0);
    }

    // The frames take the widget they are given into their layout; a missing one leaves it empty.
    void FramesHoldTheirWidget()
    {
        auto* label = new QLabel("inside");
        QScopedPointer<QFrame> named(Common::CreateNamedFrame("PlayerBox", label));
        QCOMPARE(named->objectName(), QStringLiteral("PlayerBox"));
        QVERIFY(label->parentWidget() == named.data() && named->layout()->indexOf(label) >= 0);
        auto* content = new QLabel("dark");
        QScopedPointer<QFrame> box(Common::CreateBlackBoxFrame(content));
        QVERIFY(content->parentWidget() == box.data() && box->layout()->indexOf(content) >= 0);
        QScopedPointer<QFrame> empty(Common::CreateBlackBoxFrame(nullptr));
        QCOMPARE(empty->layout()->count(), 0);
        QVERIFY(QScopedPointer<QTextBrowser>(Common::TextBrowserStyle())->isReadOnly());
    }

    void MainFrameWithoutWindow()
    {
        auto* inner = new QVBoxLayout();
        inner->addWidget(new QLabel("page"));
        QScopedPointer<QHBoxLayout> outer(Common::CreateMainFrame(inner));
        QCOMPARE(outer->contentsMargins(), QMargins(GuiMargin, GuiMargin, GuiMargin, GuiMargin));
        QCOMPARE(outer->spacing(), 0);
        QCOMPARE(outer->count(), 1);
        QScopedPointer<QWidget> frame(outer->itemAt(0)->widget());
        QVERIFY(qobject_cast<QFrame*>(frame.data()));
        QCOMPARE(frame->layout(), inner);
        QCOMPARE(frame->minimumSize(), QSize(1024, 768));
        QVERIFY(frame->maximumWidth() >= 1024);
    }

    void MainFrameFollowsTheMainWindow()
    {
        QWidget window;
        window.setMinimumSize(1024, 768);
        window.resize(1152, 960);
        Common::SetMainWindow(&window);
        QCOMPARE(Common::GetMainWindow(), &window);
        QScopedPointer<QHBoxLayout> outer(Common::CreateMainFrame(new QVBoxLayout()));
        QScopedPointer<QWidget> frame(outer->itemAt(0)->widget());
        QCOMPARE(frame->minimumSize(), QSize(1024, 768));
        QCOMPARE(frame->maximumSize(), QSize(1152, 960));

        // A window that went away is forgotten.
        auto* gone = new QWidget();
        Common::SetMainWindow(gone);
        delete gone;
        QVERIFY(Common::GetMainWindow() == nullptr);
        QScopedPointer<QHBoxLayout> again(Common::CreateMainFrame(nullptr));
        QScopedPointer<QWidget> fallback(again->itemAt(0)->widget());
        QCOMPARE(fallback->minimumSize(), QSize(1024, 768));
    }

    void CenterOnScreen()
    {
        QWidget widget;
        widget.resize(200, 100);
        Common::CenterOnScreen(&widget);
        const QSize screen = Common::GetScreenSize();
        const QRect frame = widget.frameGeometry();
        QVERIFY(qAbs(frame.center().x() - screen.width() / 2) <= 1);
        QVERIFY(qAbs(frame.center().y() - screen.height() / 2) <= 1);
        Common::CenterOnScreen(nullptr);
    }
};

QTEST_MAIN(TestCommonWidgets)
#include "tst_commonwidgets.moc"
