// The compiled-in fonts and pictures: every resource the code names, the faces every label kind
// resolves to.
#include "AppDefines.h"
#include "CommonIcon.h"
#include "GuiFonts.h"
#include "GuiMetrics.h"
#include "NImageLabel.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFontInfo>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>

namespace
{
// Every ":/" path written in the program's sources (not the tests'), comments left out, with where
// it is written. "%1"-style placeholders stay in.
QMap<QString, QString> ResourcePathsInCode()
{
    QMap<QString, QString> paths;
    const QRegularExpression path("(?<![A-Za-z0-9]):/[A-Za-z0-9_.%/-]+");
    const QRegularExpression comment("//[^\n]*|/\\*.*?\\*/", QRegularExpression::DotMatchesEverythingOption);
    const QDir source(QStringLiteral(QM_SOURCE_DIR));
    for (const char* folder : {"app", "lobby", "content", "game", "gui", "developers", "tools"})
    {
        QDirIterator it(source.filePath(QLatin1String(folder)), {"*.cpp", "*.h"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
        {
            const QString file = it.next();
            auto match = path.globalMatch(QString::fromUtf8(TestFiles::Read(file)).remove(comment));
            while (match.hasNext())
                paths.insert(match.next().captured(), source.relativeFilePath(file));
        }
    }
    return paths;
}

// The compiled-in resources (files and folders), without a closing "/".
QStringList AllResources()
{
    QStringList all;
    QDirIterator it(":/", QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        all << it.next();
    return all;
}
} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    // Every ":/" path written in the code names a resource that is there, and a picture loads. A
    // path with a placeholder must name at least one resource; when it names one for a game code,
    // it must name one for every game.
    void EveryResourcePathInTheCodeLoads()
    {
        const QMap<QString, QString> paths = ResourcePathsInCode();
        QVERIFY2(paths.size() > 40, qPrintable(QString::number(paths.size())));
        const QStringList resources = AllResources();
        const QList<QByteArray> pictureFormats = QImageReader::supportedImageFormats();
        QStringList faults;
        for (auto it = paths.cbegin(); it != paths.cend(); ++it)
        {
            QString path = it.key();
            while (path.endsWith(QLatin1Char('/')) && path.size() > 2)
                path.chop(1);
            const QString where = " (" + it.value() + QLatin1Char(')');
            QStringList named;
            if (!path.contains(QLatin1Char('%')))
            {
                if (QFileInfo::exists(path))
                    named << path;
            }
            else
            {
                const QRegularExpression placeholder("%\\d");
                QStringList pieces = path.split(placeholder);
                for (QString& piece : pieces)
                    piece = QRegularExpression::escape(piece);
                const QString pattern = pieces.join("[^/]+");
                named = resources.filter(QRegularExpression(QLatin1Char('^') + pattern + QLatin1Char('$')));
                QStringList games;
                for (const GameDefinition& game : AppDefines::GameTable())
                    if (QFileInfo::exists(QString(path).replace(placeholder, game.shortCode)))
                        games << game.shortCode;
                if (!games.isEmpty() && games.size() != AppDefines::GameTable().size())
                    faults << path + " only for " + games.join(QLatin1Char(',')) + where;
            }
            if (named.isEmpty())
                faults << path + " names nothing" + where;
            for (const QString& file : named)
                if (pictureFormats.contains(QFileInfo(file).suffix().toLower().toLatin1()) &&
                    QImage(file).isNull())
                    faults << file + " does not load" + where;
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void BackgroundsForEveryGame()
    {
        for (const char* code : {"zorn", "gvm", "vq", "yx"})
        {
            const QDir dir(QStringLiteral(":/Backgrounds/%1/").arg(code));
            const QStringList names = dir.entryList(QDir::Files);
            QStringList plain;
            for (const QString& name : names)
                if (!name.contains(QLatin1String(".unfocus")))
                    plain << name;
            QVERIFY2(plain.size() >= 2, qPrintable(code));
            for (const QString& name : plain)
            {
                QString unfocused = name;
                unfocused.insert(name.lastIndexOf(QLatin1Char('.')), ".unfocus");
                QVERIFY2(names.contains(unfocused), qPrintable(code + QLatin1Char('/') + unfocused));
                const QImage picture(dir.filePath(name));
                QVERIFY(picture.width() >= 1024 && picture.height() >= 640);
                QCOMPARE(QImage(dir.filePath(unfocused)).size(), picture.size());
            }
        }
    }

    void CountryFlags()
    {
        const QStringList flags = QDir(":/Flags").entryList({"*.xpm"});
        QVERIFY2(flags.size() >= 240, qPrintable(QString::number(flags.size())));
        for (const char* code : {"de", "ru", "gb", "us", "cz", "cn", "xx"})
            QVERIFY2(!CommonIcon::GetFlagPath(QString::fromLatin1(code).toUpper()).isNull(), code);
        QVERIFY(CommonIcon::GetFlagPath("zz").isNull());

        // The converted flags keep their pixels.
        const QString source = "/usr/share/flags/countries/16x11/de.png";
        if (QFileInfo::exists(source))
        {
            const QImage original = QImage(source).convertToFormat(QImage::Format_ARGB32);
            const QImage converted = QImage(":/Flags/de.xpm").convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(converted, original);
        }
    }

    void TeamFlagIcons()
    {
        QVERIFY(!CommonIcon::GetTeamFlagIcon(0).isNull());
        QVERIFY(!CommonIcon::GetTeamFlagIcon(15).pixmap(16).isNull());
        QVERIFY(CommonIcon::GetTeamFlagIcon(16).isNull() && CommonIcon::GetTeamFlagIcon(-1).isNull());
    }

    void initTestCase()
    {
        const QStringList families = GuiFonts::LoadFonts();
        QVERIFY(families.contains("Play") && !families.contains("WenQuanYi Micro Hei"));
    }
    void cleanup() { SetGuiLanguage(QString()); }

    void FontFamiliesResolveToCompiledInFaces()
    {
        const QPair<QString, QString> faces[] = {{GuiFontMain, "Play"},
                                                 {GuiFontPixel, "creep2"},
                                                 {GuiFontCyrillic, "PT Sans Caption"},
                                                 {GuiFontArial, "Liberation Sans"},
                                                 {GuiFontCourier, "Liberation Mono"}};
        for (const auto& [family, face] : faces)
        {
            QFont font(family);
            font.setPixelSize(12);
            QCOMPARE(QFontInfo(font).family(), face);
        }
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
        QTest::newRow("0 ru") << 0 << true << days << false;
        QTest::newRow("14") << 14 << false << main << true;
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
        label.SetText("ready?");
        QCOMPARE(label.text(), upper ? "READY?" : "ready?");
        QCOMPARE(label.palette().color(QPalette::WindowText), QColor(Qt::red));
        label.SetColor(Qt::blue);
        QTRY_COMPARE(label.palette().color(QPalette::WindowText), QColor(Qt::blue));
    }
};

QTEST_MAIN(TestResources)
#include "tst_Resources.moc"
