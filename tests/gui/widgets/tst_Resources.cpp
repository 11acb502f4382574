#include "CommonIcon.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QTest>

namespace
{
QStringList NamedPictures()
{
    QStringList paths;
    const QStringList colours = {"black",       "blue",  "brown", "brown_dark",
                                 "brown_light", "green", "red",   "silver"};
    for (const QString& colour : colours)
        for (const QString& suffix : {QString(), QStringLiteral("_2x")})
        {
            paths << QStringLiteral(":/Buttons/button_%1%2.png").arg(colour, suffix);
            paths << QStringLiteral(":/Buttons/button_menu_%1%2.png").arg(colour, suffix);
        }
    paths << ":/Buttons/button_menu_none.png"
          << ":/Buttons/button_menu_none_2x.png";
    for (const QString& aux : {"button_aux_top", "button_aux_top2", "button_aux_bottom"})
        for (const QString& state : {"", "_pressed", "_disable", "_hover"})
            paths << QStringLiteral(":/Buttons/%1%2.png").arg(aux, state);
    for (const QString& status : {"player_ready", "player_not_ready", "player_not_sync"})
        paths << QStringLiteral(":/PlayerStatus/%1.png").arg(status)
              << QStringLiteral(":/PlayerStatus/%1_hover.png").arg(status);
    paths << ":/PlayerStatus/player_no_photo.png";
    for (const QString& chunk : {"blue", "green", "red", "gray"})
        paths << QStringLiteral(":/Progress/progress_chunk_%1.png").arg(chunk);
    paths << ":/Progress/progress_back.png"
          << ":/Progress/progress_back_white.png"
          << ":/Progress/progress_back_green.png"
          << ":/Progress/progress_back_red.png"
          << ":/Progress/progress_control_green.png"
          << ":/Progress/progress_control_red.png"
          << ":/Progress/progress_page_active.png"
          << ":/Progress/progress_page_inactive.png";
    paths << ":/Frames/picture_border.png"
          << ":/Frames/picture_border_thin.png"
          << ":/Frames/frame_map.png"
          << ":/Frames/frame_page_back_dark.png"
          << ":/Frames/frame_map_back_dark.png";
    paths << ":/Common/search.png"
          << ":/Common/tree_arrow_down.png"
          << ":/Common/tree_arrow_up.png"
          << ":/Common/scroll_arrow_down.png"
          << ":/Common/scroll_arrow_up.png";
    paths << ":/Back/back_dark.png"
          << ":/Back/back_screenshot.png";
    paths << ":/AI/rav.png"
          << ":/AI/veska.png"
          << ":/AI/queen.png"
          << ":/AI/mission.png"
          << ":/AI/l_easy.png"
          << ":/AI/l_normal.png"
          << ":/AI/l_hard.png"
          << ":/AI/l_insane.png";
    paths << ":/Extras/engine.png";
    for (const QString& code : {"zorn", "gvm", "vq", "yx"})
        paths << QStringLiteral(":/Extras/game.%1.png").arg(code)
              << QStringLiteral(":/Main/text.%1.png").arg(code);
    paths << ":/GamesData/zorn/arm.png"
          << ":/GamesData/zorn/core.png"
          << ":/GamesData/zorn/mission.png";
    paths << ":/Lobby/spring.png"
          << ":/Lobby/zorn_linux.png"
          << ":/Lobby/zorn_windows.png"
          << ":/Lobby/zorn_osx.png";
    paths << ":/MapData/not_found.png"
          << ":/MapData/refresh.png"
          << ":/MapData/split_h.png"
          << ":/MapData/split_v.png"
          << ":/MapData/split_c.png"
          << ":/MapData/split_s.png";
    paths << ":/Sync/sync_info.png"
          << ":/Sync/sync_maps.png";
    for (const QString& name : CommonIcon::TeamFlagNames() + CommonIcon::CoopLinkNames())
        paths << QStringLiteral(":/TeamFlags/") + name;
    for (int n = 1; n <= 11; ++n)
        paths << QStringLiteral(":/GIF/InProgress/in_progress_%1%2.png").arg(n <= 9 ? "0" : "").arg(n);
    for (int n = 1; n <= 8; ++n)
        paths << QStringLiteral(":/GIF/InProgress2/in_progress2_0%1.png").arg(n);
    for (int n = 1; n <= 10; ++n)
        paths << QStringLiteral(":/GIF/Blink/blink_%1%2.png").arg(n <= 9 ? "0" : "").arg(n);
    for (const QString& lc : {"CZ", "RU", "EN", "DE", "ZH"})
        paths << QStringLiteral(":/TranslateFlags/%1.png").arg(lc);
    paths << ":/Main/Main.ico";
    return paths;
}
} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void EveryNamedPictureLoads()
    {
        QStringList missing;
        for (const QString& path : NamedPictures())
        {
            const QImage image(path);
            if (image.isNull() || image.width() < 2 || image.height() < 2)
                missing << path;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
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
        QVERIFY(!QIcon(QStringLiteral(":/Main/Main.ico")).pixmap(32).isNull());
    }
};

QTEST_MAIN(TestResources)
#include "tst_Resources.moc"
