#include "AppDefines.h"
#include "CommonIcon.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QTest>

namespace
{
// Every path a pattern names: each "{a,b}" group stands for each of its words.
QStringList Expand(const QString& pattern)
{
    const int open = pattern.indexOf('{');
    if (open < 0)
        return {pattern};
    const int close = pattern.indexOf('}', open);
    QStringList paths;
    for (const QString& word : pattern.mid(open + 1, close - open - 1).split(','))
        paths << Expand(pattern.left(open) + word + pattern.mid(close + 1));
    return paths;
}

QStringList NamedPictures()
{
    QStringList paths;
    for (const char* pattern :
         {":/Buttons/button_{,menu_}{black,blue,brown,brown_dark,brown_light,green,red,silver}{,_2x}.png",
          ":/Buttons/button_menu_none{,_2x}.png",
          ":/Buttons/button_aux_{top,top2,bottom}{,_pressed,_disable,_hover}.png",
          ":/PlayerStatus/player_{ready,not_ready,not_sync}{,_hover}.png",
          ":/PlayerStatus/player_no_photo.png",
          ":/Progress/progress_{chunk_blue,chunk_green,chunk_red,chunk_gray,back,back_white}.png",
          ":/Progress/progress_{back_green,back_red,control_green,control_red,page_active,page_inactive}.png",
          ":/Frames/"
          "{picture_border,picture_border_thin,frame_map,frame_page_back_dark,frame_map_back_dark}.png",
          ":/Common/{search,tree_arrow_down,tree_arrow_up,scroll_arrow_down,scroll_arrow_up}.png",
          ":/Back/back_{dark,screenshot}.png",
          ":/AI/{rav,veska,queen,mission,l_easy,l_normal,l_hard,l_insane}.png",
          ":/Extras/engine.png",
          ":/{Extras/game,Main/text}.{zorn,gvm,vq,yx}.png",
          ":/Main/Main.ico",
          ":/GamesData/zorn/{arm,core,mission}.png",
          ":/Lobby/{spring,zorn_linux,zorn_windows,zorn_osx}.png",
          ":/MapData/{not_found,refresh,split_h,split_v,split_c,split_s}.png",
          ":/Sync/sync_{info,maps}.png",
          ":/GIF/InProgress/in_progress_{01,02,03,04,05,06,07,08,09,10,11}.png",
          ":/GIF/InProgress2/in_progress2_0{1,2,3,4,5,6,7,8}.png",
          ":/GIF/Blink/blink_{01,02,03,04,05,06,07,08,09,10}.png",
          ":/TranslateFlags/{CZ,RU,EN,DE,ZH}.png"})
        paths << Expand(QString::fromLatin1(pattern));
    for (const QString& name : CommonIcon::TeamFlagNames() + CommonIcon::CoopLinkNames())
        paths << QStringLiteral(":/TeamFlags/") + name;
    return paths;
}

// The text of every string literal in C++ source, comments left out.
QStringList StringLiterals(const QString& code)
{
    QStringList literals;
    int i = 0;
    const int n = code.size();
    while (i < n)
    {
        if (code.midRef(i, 2) == QLatin1String("//"))
            i = code.indexOf('\n', i) < 0 ? n : code.indexOf('\n', i);
        else if (code.midRef(i, 2) == QLatin1String("/*"))
            i = code.indexOf(QLatin1String("*/"), i + 2) < 0 ? n
                                                             : code.indexOf(QLatin1String("*/"), i + 2) + 2;
        else if (code.midRef(i, 2) == QLatin1String("R\"") && (i == 0 || !code.at(i - 1).isLetterOrNumber()))
        {
            const int open = code.indexOf('(', i);
            const QString end = QLatin1Char(')') + code.mid(i + 2, open - i - 2) + QLatin1Char('"');
            const int close = code.indexOf(end, open);
            literals << code.mid(open + 1, close - open - 1);
            i = close + end.size();
        }
        else if (code.at(i) == '"' || code.at(i) == '\'')
        {
            const QChar quote = code.at(i);
            int j = i + 1;
            while (j < n && code.at(j) != quote)
                j += code.at(j) == '\\' ? 2 : 1;
            if (quote == '"')
                literals << code.mid(i + 1, j - i - 1);
            i = j + 1;
        }
        else
            ++i;
    }
    return literals;
}

// Every ":/" path in a string literal of the program's sources (not the tests'), with where it
// is written. "%1"-style placeholders stay in.
QMap<QString, QString> ResourcePathsInCode()
{
    QMap<QString, QString> paths;
    const QRegularExpression path(QStringLiteral("(?<![A-Za-z0-9]):/[A-Za-z0-9_.%/-]+"));
    const QDir source(QStringLiteral(QM_SOURCE_DIR));
    for (const char* folder : {"app", "lobby", "content", "game", "gui", "developers", "tools"})
    {
        QDirIterator it(source.filePath(QLatin1String(folder)),
                        {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
        {
            QFile file(it.next());
            if (!file.open(QIODevice::ReadOnly))
                continue;
            for (const QString& literal : StringLiterals(QString::fromUtf8(file.readAll())))
            {
                auto match = path.globalMatch(literal);
                while (match.hasNext())
                    paths.insert(match.next().captured(), source.relativeFilePath(file.fileName()));
            }
        }
    }
    return paths;
}

// The compiled-in resources (files and folders), without a closing "/".
QStringList AllResources()
{
    QStringList all;
    QDirIterator it(QStringLiteral(":/"), QDir::AllEntries | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        all << it.next();
    return all;
}
} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void EveryNamedPictureLoads()
    {
        const QStringList paths = NamedPictures();
        // The patterns name 144 pictures besides the team flags.
        QCOMPARE(paths.size(), 144 + CommonIcon::TeamFlagNames().size() + CommonIcon::CoopLinkNames().size());
        QStringList missing;
        for (const QString& path : paths)
        {
            const QImage image(path);
            if (image.isNull() || image.width() < 2 || image.height() < 2)
                missing << path;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
    }

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
            const QString where = QStringLiteral(" (") + it.value() + QLatin1Char(')');
            QStringList named;
            if (!path.contains(QLatin1Char('%')))
            {
                if (QFileInfo::exists(path))
                    named << path;
            }
            else
            {
                const QRegularExpression placeholder(QStringLiteral("%\\d"));
                QStringList pieces = path.split(placeholder);
                for (QString& piece : pieces)
                    piece = QRegularExpression::escape(piece);
                const QString pattern = pieces.join(QStringLiteral("[^/]+"));
                named = resources.filter(QRegularExpression(QLatin1Char('^') + pattern + QLatin1Char('$')));
                QStringList games;
                for (const GameDefinition& game : AppDefines::GameTable())
                    if (QFileInfo::exists(QString(path).replace(placeholder, game.shortCode)))
                        games << game.shortCode;
                if (!games.isEmpty() && games.size() != AppDefines::GameTable().size())
                    faults << path + QStringLiteral(" only for ") + games.join(QLatin1Char(',')) + where;
            }
            if (named.isEmpty())
                faults << path + QStringLiteral(" names nothing") + where;
            for (const QString& file : named)
                if (pictureFormats.contains(QFileInfo(file).suffix().toLower().toLatin1()) &&
                    QImage(file).isNull())
                    faults << file + QStringLiteral(" does not load") + where;
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void NineSliceSourcesAreBigEnough()
    {
        // Tiles cut from these pictures must fit: 34 px corners, 16 px corners, 12 px borders...
        QVERIFY(QImage(":/Frames/picture_border.png").width() >= 3 * 34);
        QVERIFY(QImage(":/Frames/picture_border_thin.png").width() >= 3 * 16);
        QVERIFY(QImage(":/Buttons/button_blue.png").width() > 2 * 12);
        QVERIFY(QImage(":/Buttons/button_menu_blue.png").width() > 2 * 34);
        QVERIFY(QImage(":/Buttons/button_menu_blue.png").height() >= 2 * 34);
        QVERIFY(QImage(":/Buttons/button_aux_top.png").height() >= 18 + 14);
        QCOMPARE(QImage(":/Buttons/button_blue_2x.png").size(),
                 QImage(":/Buttons/button_blue.png").size() * 2);
        const QImage frame(":/Frames/frame_map.png");
        QVERIFY(frame.width() > 2 * 76 && frame.height() > 2 * 36);
        // The middle of a picture frame is see-through.
        const QImage border(":/Frames/picture_border.png");
        QCOMPARE(qAlpha(border.pixel(border.width() / 2, border.height() / 2)), 0);
    }

    void BackgroundsForEveryGame()
    {
        for (const QString& code : {"zorn", "gvm", "vq", "yx"})
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
                unfocused.insert(name.lastIndexOf(QLatin1Char('.')), QStringLiteral(".unfocus"));
                QVERIFY2(names.contains(unfocused), qPrintable(code + QLatin1Char('/') + unfocused));
                const QImage picture(dir.filePath(name));
                QVERIFY(picture.width() >= 1024 && picture.height() >= 640);
                QCOMPARE(QImage(dir.filePath(unfocused)).size(), picture.size());
            }
        }
    }

    void CountryFlags()
    {
        const QStringList flags = QDir(QStringLiteral(":/Flags")).entryList({QStringLiteral("*.xpm")});
        QVERIFY2(flags.size() >= 240, qPrintable(QString::number(flags.size())));
        for (const char* code : {"de", "ru", "gb", "us", "cz", "cn", "xx"})
            QVERIFY2(!CommonIcon::GetFlagPath(QString::fromLatin1(code).toUpper()).isNull(), code);
        QVERIFY(CommonIcon::GetFlagPath(QStringLiteral("zz")).isNull());

        // The converted flags keep their pixels.
        const QString source = QStringLiteral("/usr/share/flags/countries/16x11/de.png");
        if (QFileInfo::exists(source))
        {
            const QImage original = QImage(source).convertToFormat(QImage::Format_ARGB32);
            const QImage converted =
                QImage(QStringLiteral(":/Flags/de.xpm")).convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(converted, original);
        }
    }

    void TeamFlagIcons()
    {
        QVERIFY(!CommonIcon::GetTeamFlagIcon(0).isNull());
        QVERIFY(!CommonIcon::GetTeamFlagIcon(15).pixmap(16).isNull());
        QVERIFY(CommonIcon::GetTeamFlagIcon(16).isNull());
    }
};

QTEST_MAIN(TestResources)
#include "tst_Resources.moc"
