#include "GuiFonts.h"
#include "GuiMetrics.h"
#include "NImageLabel.h"
#include "TestEnvironment.h"

#include <QFontInfo>
#include <QGraphicsDropShadowEffect>
#include <QPainter>
#include <QTest>

class TestLabels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QStringList families = GuiFonts::LoadFonts();
        QVERIFY(families.contains("Play") && !families.contains("WenQuanYi Micro Hei"));
    }
    void cleanup() { SetGuiLanguage(QString()); }

    void FontFamiliesResolveToCompiledInFaces_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("face");
        QTest::newRow("main") << GuiFontMain << "Play";
        QTest::newRow("pixel") << GuiFontPixel << "creep2";
        QTest::newRow("cyrillic") << GuiFontCyrillic << "PT Sans Caption";
        QTest::newRow("arial") << GuiFontArial << "Liberation Sans";
        QTest::newRow("courier") << GuiFontCourier << "Liberation Mono";
    }
    void FontFamiliesResolveToCompiledInFaces()
    {
        QFETCH(QString, family);
        QFETCH(QString, face);
        QFont font(family);
        font.setPixelSize(12);
        QCOMPARE(QFontInfo(font).family(), face);
    }

    void ChineseFaceOnlyForChinese()
    {
        const QString chinese = "WenQuanYi Micro Hei";
        QVERIFY(GuiFonts::UseLanguage("EN").isEmpty());
        QVERIFY(GuiFonts::UseLanguage("RU").isEmpty());
        QVERIFY(GuiFonts::UseLanguage("ZH").contains(chinese));
        QVERIFY(GuiFonts::UseLanguage("ZH").isEmpty());
    }

    void ChineseTextHasGlyphs()
    {
        QFont font(GuiFontMain);
        font.setPixelSize(16);
        const QString text = "多人游戏";
        QImage image(200, 40, QImage::Format_ARGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(image.rect(), Qt::AlignCenter, text);
        painter.end();
        int lit = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                lit += qRed(image.pixel(x, y)) > 128;
        QVERIFY2(lit > 100, "Chinese text drew no glyphs");
    }

    // A Cyrillic interface swaps the Latin-only faces; unknown kinds fall back to the main face.
    // Sizes, spacing and shadows of each kind are the gallery's to show.
    void FontKinds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("cyrillic");
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("upper");
        const QString main = GuiFontMain, days = GuiFontCyrillic;
        QTest::newRow("0") << 0 << false << main << false;
        QTest::newRow("0 ru") << 0 << true << days << false;
        QTest::newRow("14") << 14 << false << main << true;
        QTest::newRow("17") << 17 << false << GuiFontPixel << false;
        QTest::newRow("17 ru") << 17 << true << days << false;
        QTest::newRow("18 ru") << 18 << true << GuiFontArial << false;
        QTest::newRow("unknown") << 42 << false << main << false;
        QTest::newRow("negative ru") << -1 << true << days << false;
    }
    void FontKinds()
    {
        QFETCH(int, kind);
        QFETCH(bool, cyrillic);
        QFETCH(QString, family);
        QFETCH(bool, upper);
        SetGuiLanguage(cyrillic ? "RU" : "EN");
        NImageLabel label(kind, "Mixed Case", Qt::red);
        QCOMPARE(label.IsCyrillic(), cyrillic);
        QCOMPARE(label.font().family(), family);
        QCOMPARE(label.text(), upper ? "MIXED CASE" : "Mixed Case");
        QVERIFY(qobject_cast<QGraphicsDropShadowEffect*>(label.graphicsEffect()));
        QCOMPARE(label.palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(label.palette().color(QPalette::Disabled, QPalette::ButtonText), QColor(Qt::red));
    }

    void CyrillicFlagIsReadAtConstruction()
    {
        NImageLabel before(0);
        SetGuiLanguage("RU");
        NImageLabel after(0);
        QCOMPARE(before.font().family(), GuiFontMain);
        QCOMPARE(after.font().family(), GuiFontCyrillic);
    }

    void UpperCaseKindsStayUpperAfterSetText()
    {
        NImageLabel upper(14);
        upper.SetText("ready?");
        QCOMPARE(upper.text(), "READY?");
        NImageLabel plain(3);
        plain.SetText("ready?");
        QCOMPARE(plain.text(), "ready?");
    }

    void SetColorTakesEffectLater()
    {
        NImageLabel label(3, "x", Qt::white);
        label.SetColor(QColor(255, 195, 0));
        QCOMPARE(label.palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(label.GetColor(), QColor(255, 195, 0));
        QTRY_COMPARE_WITH_TIMEOUT(label.palette().color(QPalette::WindowText), QColor(255, 195, 0), 1000);
    }
};

QTEST_MAIN(TestLabels)
#include "tst_Labels.moc"
