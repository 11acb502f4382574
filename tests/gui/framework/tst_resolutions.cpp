// The resolution catalogue and its steps on screens of several sizes, its list view and dialog.
#include "DisplayResolutionList.h"
#include "FrameKit.h"
#include "ScreenResolutionTreeView.h"
#include "SelectScreenResolutionModal.h"
#include "SoundManager.h"
#include "TestEnvironment.h"

#include <QPushButton>
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

    std::unique_ptr<TestEnvironment> m_env;
    QStringList m_sounds;

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_sounds.clear();
        FrameKit::SetSoundRecorder([this](const QString& sound) { m_sounds << sound; });
    }

    void cleanup()
    {
        FrameKit::SetSoundRecorder(nullptr);
        SoundManager::DestroyInstance();
        DisplayResolutionList::Instance()->SetScreenSizeSource(nullptr);
        m_env.reset();
    }

    void Steps_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("start");
        QTest::addColumn<bool>("larger");
        QTest::addColumn<QStringList>("walk");
        // Each way once round a ratio's list; then the edges.
        QTest::newRow("1920x1080 up")
            << QSize(1920, 1080) << QSize(1920, 1080) << true
            << QStringList{"1280x720 16:9", "1366x768 16:9", "1600x900 16:9", "1920x1080 16:9"};
        // Keys sorted as text put 640x480 and 800x600 last: the walk follows the sizes instead.
        QTest::newRow("1600x1200 down")
            << QSize(1600, 1200) << QSize(1600, 1200) << false
            << QStringList{"1400x1050 4:3", "1280x960 4:3", "1152x864 4:3", "1024x768 4:3",
                           "800x600 4:3",   "640x480 4:3",  "1600x1200 4:3"};
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

    void DialogAnswers_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("answer"); // the size sent, "-" for none
        QTest::addColumn<QString>("sound");
        for (const QStringList& row : {QStringList{"select", "1920x1080", "button.on"},
                                       {"row 1", "1366x768", "button.on"},
                                       {"no row", "-1x-1", "button.on"},
                                       {"cancel", "-", "button.off"},
                                       {"double click", "1600x900", "button.on"}})
            QTest::newRow(qPrintable(row[0])) << row[0] << row[1] << row[2];
    }

    void DialogAnswers()
    {
        QFETCH(QString, action);
        QFETCH(QString, answer);
        QFETCH(QString, sound);
        Pretend(QSize(1920, 1080));
        SelectScreenResolutionModal dialog;
        dialog.show();
        ScreenResolutionTreeView* view = dialog.GetView();
        QSignalSpy chosen(&dialog, SIGNAL(OnResolutionClick(QSize)));
        QSignalSpy exit(&dialog, SIGNAL(OnModalExit()));
        const auto button = [&](const QString& caption)
        {
            for (QPushButton* b : dialog.findChildren<QPushButton*>())
                if (FrameKit::GetButtonText(b) == caption)
                    return b;
            return static_cast<QPushButton*>(nullptr);
        };
        QVERIFY(button("SELECT") && button("CANCEL"));
        if (action == "row 1")
            view->setCurrentIndex(view->Model()->index(1, 1));
        if (action == "no row")
            view->setCurrentIndex(QModelIndex());
        if (action == "cancel")
            button("CANCEL")->click();
        else if (action == "double click")
        {
            const QRect rect = view->visualRect(view->Model()->index(2, 1));
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rect.center());
            // Answered only after the double click has been handled.
            QCOMPARE(exit.count(), 0);
        }
        else
            button("SELECT")->click();
        QTRY_COMPARE(exit.count(), 1);
        QCOMPARE(chosen.count(), answer == "-" ? 0 : 1);
        if (answer != "-")
        {
            const QSize size = chosen.first().first().toSize();
            QCOMPARE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()), answer);
        }
        QCOMPARE(m_sounds, QStringList{sound});
    }
};

QTEST_MAIN(TestResolutions)
#include "tst_resolutions.moc"
