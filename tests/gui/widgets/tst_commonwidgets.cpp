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
        const QPixmap pixmap = Common::ColorSwatchPixmap(QColor(200, 10, 20), QSize(16, 12));
        QCOMPARE(pixmap.size(), QSize(16, 12));
        const QImage image = pixmap.toImage();
        const QColor border(30, 30, 30);
        QCOMPARE(image.pixelColor(0, 0), border);
        QCOMPARE(image.pixelColor(15, 11), border);
        QCOMPARE(image.pixelColor(8, 0), border);
        QCOMPARE(image.pixelColor(0, 6), border);
        QCOMPARE(image.pixelColor(8, 6), QColor(200, 10, 20));
        QCOMPARE(image.pixelColor(1, 1), QColor(200, 10, 20));
        QVERIFY(Common::ColorSwatchPixmap(Qt::red, QSize(0, 5)).isNull());
    }

    void HLine()
    {
        QScopedPointer<QFrame> line(Common::CreateHLine(3, QColor(1, 2, 3)));
        QVERIFY(line->parent() == nullptr);
        QCOMPARE(line->minimumHeight(), 3);
        QCOMPARE(line->maximumHeight(), 3);
        QVERIFY(line->styleSheet().contains("rgb(1,2,3)"));
        line->resize(100, 3);
        const QImage image = line->grab().toImage();
        QCOMPARE(image.pixelColor(50, 1), QColor(1, 2, 3));
        QScopedPointer<QFrame> none(Common::CreateHLine(-4, Qt::red));
        QCOMPARE(none->maximumHeight(), 0);
    }

    void NamedAndBlackBoxFrames()
    {
        auto* label = new QLabel("inside");
        QScopedPointer<QFrame> named(Common::CreateNamedFrame("PlayerBox", label));
        QCOMPARE(named->objectName(), QStringLiteral("PlayerBox"));
        QCOMPARE(named->styleSheet(), Common::StyleSheetById("PlayerBox"));
        QCOMPARE(label->parentWidget(), named.data());
        QVERIFY(named->layout()->indexOf(label) >= 0);

        auto* content = new QLabel("dark");
        QScopedPointer<QFrame> box(Common::CreateBlackBoxFrame(content));
        QCOMPARE(box->objectName(), QStringLiteral("FrameBlackBox"));
        QVERIFY(box->styleSheet().contains("QFrame#FrameBlackBox"));
        QVERIFY(box->styleSheet().contains("background-image"));
        QCOMPARE(content->parentWidget(), box.data());
        QScopedPointer<QFrame> empty(Common::CreateBlackBoxFrame(nullptr));
        QCOMPARE(empty->layout()->count(), 0);
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

    void TextBrowser()
    {
        QScopedPointer<QTextBrowser> browser(Common::TextBrowserStyle());
        QVERIFY(browser->isReadOnly());
        QVERIFY(browser->styleSheet().contains("Courier New"));
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
