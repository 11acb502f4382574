#include "GuiFonts.h"
#include "GuiMetrics.h"
#include "NImageLabel.h"
#include "NLabel.h"
#include "NPicture.h"
#include "SoundManager.h"
#include "TestEnvironment.h"

#include <QFontInfo>
#include <QGraphicsDropShadowEffect>
#include <QPainter>
#include <QSignalSpy>
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
        const QString chinese = QStringLiteral("WenQuanYi Micro Hei");
        QVERIFY(GuiFonts::UseLanguage(QStringLiteral("EN")).isEmpty());
        QVERIFY(GuiFonts::UseLanguage(QStringLiteral("RU")).isEmpty());
        QVERIFY(GuiFonts::UseLanguage(QStringLiteral("ZH")).contains(chinese));
        QVERIFY(GuiFonts::UseLanguage(QStringLiteral("ZH")).isEmpty());
    }

    void ChineseTextHasGlyphs()
    {
        QFont font(GuiFontMain);
        font.setPixelSize(16);
        const QString text = QStringLiteral("多人游戏");
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

    void FontKinds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("cyrillic");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("size");
        QTest::addColumn<double>("spacing");
        QTest::addColumn<int>("shadow");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("upper");
        const QString main = GuiFontMain, days = GuiFontCyrillic;
        QTest::newRow("0") << 0 << false << main << 24 << 2.0 << 2 << true << false;
        QTest::newRow("0 ru") << 0 << true << days << 20 << 1.0 << 2 << true << false;
        QTest::newRow("2 ru unchanged") << 2 << true << days << 22 << 2.0 << 2 << true << false;
        QTest::newRow("4") << 4 << false << main << 16 << 1.0 << 2 << true << false;
        QTest::newRow("8") << 8 << false << main << 12 << 1.2 << 2 << true << false;
        QTest::newRow("8 ru") << 8 << true << days << 10 << 1.0 << 2 << true << false;
        QTest::newRow("10") << 10 << false << main << 12 << 1.5 << 2 << true << false;
        QTest::newRow("11 ru") << 11 << true << days << 15 << 1.0 << 2 << true << false;
        QTest::newRow("12") << 12 << false << main << 26 << 2.0 << 2 << true << false;
        QTest::newRow("12 ru") << 12 << true << days << 21 << 1.0 << 2 << true << false;
        QTest::newRow("13 ru") << 13 << true << days << 11 << 1.0 << 2 << true << false;
        QTest::newRow("14") << 14 << false << main << 16 << 2.0 << 2 << true << true;
        QTest::newRow("14 ru") << 14 << true << days << 14 << 1.0 << 2 << true << true;
        QTest::newRow("15") << 15 << false << main << 12 << 2.0 << 2 << true << true;
        QTest::newRow("17") << 17 << false << GuiFontPixel << 10 << 1.0 << 0 << false << false;
        QTest::newRow("17 ru") << 17 << true << days << 10 << 1.0 << 0 << false << false;
        QTest::newRow("18") << 18 << false << main << 12 << 1.2 << 2 << true << false;
        QTest::newRow("18 ru") << 18 << true << GuiFontArial << 12 << 1.2 << 2 << true << false;
        QTest::newRow("unknown") << 42 << false << main << 12 << 2.0 << 2 << true << false;
        QTest::newRow("negative ru") << -1 << true << days << 12 << 2.0 << 2 << true << false;
    }
    void FontKinds()
    {
        QFETCH(int, kind);
        QFETCH(bool, cyrillic);
        QFETCH(QString, family);
        QFETCH(int, size);
        QFETCH(double, spacing);
        QFETCH(int, shadow);
        QFETCH(bool, bold);
        QFETCH(bool, upper);

        SetGuiLanguage(cyrillic ? QStringLiteral("RU") : QStringLiteral("EN"));
        NImageLabel label(kind, QStringLiteral("Mixed Case"), Qt::red);
        QCOMPARE(label.IsCyrillic(), cyrillic);
        QCOMPARE(label.font().family(), family);
        QCOMPARE(label.font().pixelSize(), size);
        // QFont keeps spacing in 1/64 px.
        QVERIFY2(qAbs(label.font().letterSpacing() - spacing) < 1.0 / 32,
                 qPrintable(QString::number(label.font().letterSpacing())));
        QCOMPARE(label.font().letterSpacingType(), QFont::AbsoluteSpacing);
        QCOMPARE(label.font().weight(), bold ? 75 : 50);
        QCOMPARE(label.text(), upper ? QStringLiteral("MIXED CASE") : QStringLiteral("Mixed Case"));
        auto* effect = qobject_cast<QGraphicsDropShadowEffect*>(label.graphicsEffect());
        QVERIFY(effect);
        QCOMPARE(effect->offset(), QPointF(shadow, shadow));
        QCOMPARE(effect->blurRadius(), 3.0);
        QCOMPARE(effect->color(), QColor(Qt::black));
        QCOMPARE(label.palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(label.palette().color(QPalette::Disabled, QPalette::ButtonText), QColor(Qt::red));
    }

    void PaddingStyleSheets()
    {
        QCOMPARE(NImageLabel(11).styleSheet(),
                 QStringLiteral("QLabel{padding-top: -4px;padding-bottom: 0px;}"));
        QCOMPARE(NImageLabel(12).styleSheet(),
                 QStringLiteral("QLabel{padding-top: -2px;padding-bottom: 0px;}"));
        QCOMPARE(NImageLabel(13).styleSheet(),
                 QStringLiteral("QLabel{padding-top: 0px;padding-bottom: 0px;}"));
        QVERIFY(NImageLabel(10).styleSheet().isEmpty());
        // At a larger interface scale sizes and shadows grow, truncated.
        const NFontSpec big = NImageLabel::FontSpec(11, false, 1.5);
        QCOMPARE(big.pixelSize, 27);
        QCOMPARE(big.shadow, 3);
        QCOMPARE(big.paddingTop, -6);
    }

    void CyrillicFlagIsReadAtConstruction()
    {
        NImageLabel before(0);
        SetGuiLanguage(QStringLiteral("RU"));
        NImageLabel after(0);
        QCOMPARE(before.font().family(), GuiFontMain);
        QCOMPARE(after.font().family(), GuiFontCyrillic);
    }

    void UpperCaseKindsStayUpperAfterSetText()
    {
        NImageLabel upper(14);
        upper.SetText(QStringLiteral("ready?"));
        QCOMPARE(upper.text(), QStringLiteral("READY?"));
        NImageLabel plain(3);
        plain.SetText(QStringLiteral("ready?"));
        QCOMPARE(plain.text(), QStringLiteral("ready?"));
        QCOMPARE(plain.GetTextWidth(), plain.fontMetrics().horizontalAdvance(QStringLiteral("ready?")));
    }

    void SetColorTakesEffectLater()
    {
        NImageLabel label(3, QStringLiteral("x"), Qt::white);
        label.SetColor(QColor(255, 195, 0));
        QCOMPARE(label.palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(label.GetColor(), QColor(255, 195, 0));
        QTRY_COMPARE_WITH_TIMEOUT(label.palette().color(QPalette::WindowText), QColor(255, 195, 0), 1000);
    }

    void PlainLabel()
    {
        NLabel label(QStringLiteral("Plain"), Qt::green);
        QCOMPARE(label.font().family(), GuiFontMain);
        QCOMPARE(label.font().pixelSize(), 12);
        QCOMPARE(label.palette().color(QPalette::WindowText), QColor(Qt::green));
        auto* effect = qobject_cast<QGraphicsDropShadowEffect*>(label.graphicsEffect());
        QVERIFY(effect && effect->offset() == QPointF(2, 2));
    }
};

QTEST_MAIN(TestLabels)
#include "tst_Labels.moc"
