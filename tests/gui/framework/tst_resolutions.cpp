// The resolution catalogue and its steps on screens of several sizes.
#include "DisplayResolutionList.h"

#include <QtTest>

namespace
{
QString Text(const QSize& size, const QString& ratio)
{
    return QStringLiteral("%1x%2 %3").arg(size.width()).arg(size.height()).arg(ratio);
}
} // namespace

class TestResolutions : public QObject
{
    Q_OBJECT

    DisplayResolutionList* Pretend(const QSize& screen)
    {
        DisplayResolutionList* list = DisplayResolutionList::Instance();
        list->SetScreenSizeSource([screen] { return screen; });
        return list;
    }

private slots:
    void cleanup() { DisplayResolutionList::Instance()->SetScreenSizeSource(nullptr); }

    void Steps_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("start");
        QTest::addColumn<bool>("larger");
        QTest::addColumn<QStringList>("walk");
        QTest::newRow("1920x1080 down")
            << QSize(1920, 1080) << QSize(1920, 1080) << false
            << QStringList{"1600x900 16:9", "1366x768 16:9", "1280x720 16:9", "1920x1080 16:9"};
        QTest::newRow("1920x1080 up")
            << QSize(1920, 1080) << QSize(1920, 1080) << true
            << QStringList{"1280x720 16:9", "1366x768 16:9", "1600x900 16:9", "1920x1080 16:9"};
        // Keys sorted as text put 640x480 and 800x600 last: the walk follows the sizes instead.
        QTest::newRow("1600x1200 down")
            << QSize(1600, 1200) << QSize(1600, 1200) << false
            << QStringList{"1400x1050 4:3", "1280x960 4:3", "1152x864 4:3", "1024x768 4:3",
                           "800x600 4:3",   "640x480 4:3",  "1600x1200 4:3"};
        QTest::newRow("1600x1200 up")
            << QSize(1600, 1200) << QSize(1600, 1200) << true
            << QStringList{"640x480 4:3",  "800x600 4:3",   "1024x768 4:3", "1152x864 4:3",
                           "1280x960 4:3", "1400x1050 4:3", "1600x1200 4:3"};
        QTest::newRow("1920x1200 never larger than the screen")
            << QSize(1920, 1200) << QSize(1920, 1200) << false
            << QStringList{"1680x1050 16:10", "1440x900 16:10", "1280x800 16:10", "1920x1200 16:10"};
        QTest::newRow("1920x1200 up from a size of another ratio")
            << QSize(1920, 1200) << QSize(1024, 768) << true << QStringList{"1280x800 16:10"};
        QTest::newRow("1280x1024 alone in its ratio")
            << QSize(1280, 1024) << QSize(1280, 1024) << true << QStringList{"1280x1024 Custom"};
        QTest::newRow("1280x1024 down")
            << QSize(1280, 1024) << QSize(1280, 1024) << false << QStringList{"1280x1024 Custom"};
        QTest::newRow("unlisted screen")
            << QSize(1920, 1201) << QSize(1280, 720) << true << QStringList{"1280x720 Custom"};
        QTest::newRow("unlisted screen, unlisted size")
            << QSize(1920, 1201) << QSize(1000, 700) << false << QStringList{"1024x768 Custom"};
        QTest::newRow("unlisted size becomes the screen")
            << QSize(1920, 1080) << QSize(1000, 700) << true << QStringList{"1920x1080 16:9"};
    }

    void Steps()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, start);
        QFETCH(bool, larger);
        QFETCH(QStringList, walk);
        DisplayResolutionList* list = Pretend(screen);
        QSize size = start;
        QStringList seen;
        for (int i = 0; i < walk.size(); ++i)
        {
            const QString ratio = larger ? list->GetNextResolution(size) : list->GetPreviousResolution(size);
            seen << Text(size, ratio);
        }
        QCOMPARE(seen, walk);
    }

    void Current_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QString>("current");
        QTest::newRow("1920x1080") << QSize(1920, 1080) << "1920x1080 16:9";
        QTest::newRow("1360x768") << QSize(1360, 768) << "1360x768 ~16:9";
        QTest::newRow("unlisted") << QSize(1920, 1201) << "1024x768 Custom";
        QTest::newRow("none") << QSize() << "1024x768 Custom";
    }

    void Current()
    {
        QFETCH(QSize, screen);
        QFETCH(QString, current);
        DisplayResolutionList* list = Pretend(screen);
        QSize size(1, 1);
        const QString ratio = list->GetCurrentResolution(size);
        QCOMPARE(Text(size, ratio), current);
        QCOMPARE(list->GetRatioText(QSize(1280, 800)), QString("16:10"));
        QCOMPARE(list->GetRatioText(QSize(800, 1280)), QString("Custom"));
    }
};

QTEST_MAIN(TestResolutions)
#include "tst_resolutions.moc"
