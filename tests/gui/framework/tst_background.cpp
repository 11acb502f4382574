// Background pictures: the pick, the focused and unfocused variants, the veil and the cover.

#include "BackgroundManager.h"
#include "TestEnvironment.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

namespace
{
void WritePicture(const QString& path, const QColor& color, const QSize& size = QSize(64, 48))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QVERIFY(image.save(path));
}

QColor Centre(const QPixmap& pixmap)
{
    const QImage image = pixmap.toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

bool Near(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) <= 3 && qAbs(a.green() - b.green()) <= 3 && qAbs(a.blue() - b.blue()) <= 3;
}
} // namespace

class TestBackground : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    QString m_folder;

    BackgroundManager* Manager(const QStringList& files)
    {
        const QList<QColor> colors = {Qt::red, Qt::blue, Qt::green, Qt::yellow, Qt::cyan, Qt::magenta};
        for (int i = 0; i < files.size(); ++i)
            WritePicture(m_folder + '/' + files.at(i), colors.at(i % colors.size()));
        BackgroundManager* manager = BackgroundManager::Instance();
        manager->LoadPicturesPaths(m_folder);
        return manager;
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        m_folder = m_env->Path("pictures");
        QDir().mkpath(m_folder);
    }

    void cleanup()
    {
        BackgroundManager::Destroy();
        m_env.reset();
    }

    void NoPictures()
    {
        BackgroundManager* manager = Manager({});
        QVERIFY(m_env->LogContains("BackgroundManager :: LoadPicturesPaths --- NO background pictures"));
        QVERIFY(!manager->SelectNextPicture());
        manager->Resize(QSize(120, 90));
        QCOMPARE(Centre(manager->GetCache()), QColor(Qt::black));
    }

    void OnePictureAndItsVariantNeverStalls()
    {
        BackgroundManager* manager = Manager({"01.jpg", "01.unfocus.jpg"});
        for (int i = 0; i < 20; ++i)
        {
            QVERIFY(manager->SelectNextPicture());
            QCOMPARE(manager->GetCurrentName(), "01.jpg");
        }
        QSignalSpy update(manager, &BackgroundManager::OnUpdateBackground);
        manager->DoChangeBack();
        QCOMPARE(update.count(), 1);
        QCOMPARE(manager->GetCurrentName(), "01.jpg");
        QVERIFY(!manager->GetCurrentPicture().isNull());
    }

    void PickNeverRepeatsAndNeverTakesAVariant()
    {
        BackgroundManager* manager =
            Manager({"01.png", "01.unfocus.png", "02.png", "02.unfocus.png", "03.png", "03.unfocus.png"});
        QSet<QString> seen;
        QString last;
        for (int i = 0; i < 60; ++i)
        {
            QVERIFY(manager->SelectNextPicture());
            const QString name = manager->GetCurrentName();
            QVERIFY(!name.contains("unfocus"));
            QVERIFY(name != last);
            last = name;
            seen << name;
        }
        QCOMPARE(seen.size(), 3);
        // The timer's change goes through the same pick.
        QSignalSpy update(manager, &BackgroundManager::OnUpdateBackground);
        manager->DoChangeBack();
        QCOMPARE(update.count(), 1);
        QVERIFY(manager->GetCurrentName() != last);
    }

    void UnfocusedVariantWithVeil()
    {
        BackgroundManager* manager = Manager({"01.png", "01.unfocus.png"});
        manager->Resize(QSize(200, 150));
        manager->SelectNextPicture();
        manager->ClearDim();
        manager->UpdateBackground(false);
        QCOMPARE(manager->GetCache().size(), QSize(200, 150));
        QVERIFY(Near(Centre(manager->GetCache()), Qt::red));

        // Leaving the main menu: the variant under a veil of alpha 200.
        manager->SetDimmed();
        manager->UpdateBackground(true);
        QCOMPARE(manager->GetCurrentName(), "01.unfocus.png");
        QCOMPARE(manager->GetVeilAlpha(), 200);
        QVERIFY(Near(Centre(manager->GetCache()), QColor(0, 0, 255 * 55 / 255)));
        manager->UpdateBackground(true);
        QCOMPARE(manager->GetCurrentName(), "01.unfocus.png");

        // Back on the menu: plain picture, no veil.
        manager->ClearDim();
        manager->UpdateBackground(false);
        QCOMPARE(manager->GetCurrentName(), "01.png");
        QVERIFY(Near(Centre(manager->GetCache()), Qt::red));
    }

    void MissingVariantKeepsThePicture()
    {
        BackgroundManager* manager = Manager({"07.png"});
        manager->Resize(QSize(100, 100));
        manager->SelectNextPicture();
        manager->UpdateBackground(true);
        QCOMPARE(manager->GetCurrentName(), "07.unfocus.png");
        QVERIFY(Near(Centre(manager->GetCache()), Qt::red));
        manager->UpdateBackground(false);
        QCOMPARE(manager->GetCurrentName(), "07.png");
    }

    void CoverCropsBothSidesEqually()
    {
        // Blue above, red in the middle, green below: a wide window shows only the middle.
        QImage image(100, 100, QImage::Format_RGB32);
        QPainter painter(&image);
        painter.fillRect(0, 0, 100, 25, Qt::blue);
        painter.fillRect(0, 25, 100, 50, Qt::red);
        painter.fillRect(0, 75, 100, 25, Qt::green);
        painter.end();
        QVERIFY(image.save(m_folder + "/wide.png"));
        BackgroundManager* manager = Manager({});
        manager->SelectNextPicture();
        manager->Resize(QSize(400, 100));
        const QImage cache = manager->GetCache().toImage();
        for (int y : {40, 50, 60})
            QVERIFY(Near(cache.pixelColor(200, y), Qt::red));
        // A tall window crops left and right; the bands then fill the height in order.
        manager->Resize(QSize(100, 400));
        const QImage tall = manager->GetCache().toImage();
        QVERIFY(Near(tall.pixelColor(50, 50), Qt::blue));
        QVERIFY(Near(tall.pixelColor(50, 200), Qt::red));
        QVERIFY(Near(tall.pixelColor(50, 350), Qt::green));
    }
};

QTEST_MAIN(TestBackground)
#include "tst_background.moc"
