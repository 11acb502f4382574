#include "Common.h"

#include "CommonIO.h"
#include "GuiMetrics.h"

#include <QDebug>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QTextStream>
#include <QTime>

namespace
{
QRandomGenerator g_random;

// The 16 player colours, by index, as battles and start scripts number them.
const QList<QColor>& PlayerPalette()
{
    static const QList<QColor> palette = {
        QColor(Qt::darkGreen), QColor(Qt::red),        QColor(255, 128, 0),     QColor(Qt::blue),
        QColor(Qt::magenta),   QColor(Qt::darkGray),   QColor(Qt::yellow),      QColor(Qt::green),
        QColor(Qt::darkBlue),  QColor(Qt::darkYellow), QColor(Qt::darkMagenta), QColor(Qt::gray),
        QColor(Qt::cyan),      QColor(Qt::white),      QColor(Qt::black),       QColor(Qt::darkRed)};
    return palette;
}
} // namespace

namespace Common
{
QColor ColorMain()
{
    return QColor(255, 195, 0);
}
QColor ColorLight()
{
    return QColor(35, 202, 255);
}
QColor ColorWhite()
{
    return QColor(Qt::white);
}
QColor ColorGreen()
{
    return QColor(Qt::green);
}
QColor ColorRed()
{
    return QColor(Qt::red);
}
QColor ColorLime()
{
    return QColor(0, 255, 0);
}
QColor ColorYellow()
{
    return QColor(255, 255, 0);
}
QColor ColorOrange()
{
    return QColor(255, 160, 0);
}
QColor ColorSkyBlue()
{
    return QColor(0, 160, 255);
}
QColor ColorDarkGray()
{
    return QColor(66, 66, 66);
}

QString ColorToHex(const QColor& color)
{
    return QStringLiteral("#%1%2%3")
        .arg(color.red(), 2, 16, QLatin1Char('0'))
        .arg(color.green(), 2, 16, QLatin1Char('0'))
        .arg(color.blue(), 2, 16, QLatin1Char('0'));
}

QString ColorToRgbText(const QColor& color)
{
    return QStringLiteral("%1,%2,%3").arg(color.red()).arg(color.green()).arg(color.blue());
}

QString ColoredHtml(const QColor& color, const QString& plainText)
{
    return QStringLiteral("<font color=%1>%2</font>").arg(ColorToHex(color), plainText.toHtmlEscaped());
}

QColor GetPlayerColor(int index)
{
    const auto& palette = PlayerPalette();
    if (index < 0 || index >= palette.size())
        return QColor(Qt::black);
    return palette.at(index);
}

int PlayerColorCount()
{
    return PlayerPalette().size();
}

QList<QColor> GetTeamColors()
{
    return {QColor(0, 160, 255),   QColor(255, 40, 40),   QColor(0, 220, 0),     QColor(255, 220, 0),
            QColor(255, 130, 0),   QColor(170, 60, 255),  QColor(0, 230, 220),   QColor(255, 90, 200),
            QColor(240, 240, 240), QColor(110, 110, 110), QColor(0, 90, 190),    QColor(150, 20, 20),
            QColor(0, 120, 40),    QColor(170, 120, 40),  QColor(120, 190, 255), QColor(200, 255, 120),
            QColor(128, 0, 128),   QColor(0, 128, 128),   QColor(128, 128, 0),   QColor(64, 64, 160)};
}

QString FormatClock(qint64 seconds)
{
    if (seconds < 0)
        seconds = 0;
    const qint64 h = seconds / 3600;
    const qint64 m = (seconds % 3600) / 60;
    const qint64 s = seconds % 60;
    if (h > 0)
        return QStringLiteral("%1:%2:%3")
            .arg(h, 2, 10, QLatin1Char('0'))
            .arg(m, 2, 10, QLatin1Char('0'))
            .arg(s, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(m, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
}

QString FormatDate(const QDateTime& dateTime)
{
    return FormatDate(dateTime, QDate::currentDate());
}

QString FormatDate(const QDateTime& dateTime, const QDate& today)
{
    const QDate date = dateTime.date();
    if (date == today)
        return QCoreApplication::translate("Common", "Today");
    if (date == today.addDays(-1))
        return QCoreApplication::translate("Common", "Yesterday");
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString FormatSize(qint64 bytes)
{
    if (bytes < 1024)
        return QStringLiteral("%1 %2").arg(bytes).arg(QStringLiteral("Bytes"));
    if (bytes < 1024 * 1024)
        return QStringLiteral("%1 %2").arg(bytes / 1024.0, 0, 'f', 1).arg(QStringLiteral("KB"));
    if (bytes < qint64(1024) * 1024 * 1024)
        return QStringLiteral("%1 %2").arg(bytes / (1024.0 * 1024.0), 0, 'f', 1).arg(QStringLiteral("MB"));
    return QStringLiteral("%1 %2")
        .arg(bytes / (1024.0 * 1024.0 * 1024.0), 0, 'f', 2)
        .arg(QStringLiteral("GB"));
}

qint64 MsecsToNextMinute(const QDateTime& time)
{
    const QDateTime next = time.addSecs(60 - time.time().second()).addMSecs(10);
    return time.msecsTo(next);
}

int Scale(int px)
{
    return int(px * GuiMetrics::UiScale);
}

int RandomInt(int low, int high)
{
    if (high < low)
        std::swap(low, high);
    return int(low + qint64(g_random.bounded(quint32(qint64(high) - low + 1))));
}

void InitRandomSeed()
{
    g_random.seed(quint32(QTime::currentTime().msecsSinceStartOfDay()));
}

QSize WindowSizeForScreen(const QSize& screen)
{
    int width = screen.width();
    int height = screen.height();
    if (width > GuiScreenWidthLimit)
        width = Scale(1152);
    if (height > GuiScreenHeightLimit)
    {
        height = Scale(800);
        for (int step : {1200, 1080, 960, 840})
        {
            if (screen.height() > Scale(step))
            {
                height = Scale(step);
                break;
            }
        }
    }
    // Never below the main window's minimum size.
    return QSize(qMax(width, GuiBaseWidth + 2 * GuiMargin), qMax(height, GuiBaseHeight + 2 * GuiMargin));
}

void InitWindowSize()
{
    GuiWindowSize = WindowSizeForScreen(GetScreenSize());
    const int w = GuiWindowSize.width();
    GuiMinimapWidth = int(int(double(w) / GuiBaseWidth * 430) * GuiMetrics::UiScale);
    GuiMinimapHeight = int(int(double(w) / GuiBaseWidth * 280) * GuiMetrics::UiScale);
}

QSize GetScreenSize()
{
    const auto screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return QSize(GuiBaseWidth + 2 * GuiMargin, GuiBaseHeight + 2 * GuiMargin);
    if (screens.size() < 2)
        return screens.first()->virtualGeometry().size();
    return QGuiApplication::primaryScreen()->geometry().size();
}

QString DarkBackgroundStyle()
{
    return QStringLiteral("border: 1px solid rgb(66, 66, 66); background: rgba(0, 0, 0, 100);");
}

QString StyleSheetById(const QString& objectName)
{
    return QStringLiteral("#%1 { %2 }").arg(objectName, DarkBackgroundStyle());
}

QString FrameImageStyle(const QString& objectName, bool pageBackground)
{
    return QStringLiteral(
               "QFrame#%1 { padding: %2px %3px %2px %3px; "
               "border-image: url(:/Frames/frame_map.png) %4 %5 %4 %5; "
               "border-width: %4px %5px %4px %5px; "
               "background-image: url(%6); background-origin: content; background-position: right; "
               "background-attachment: fixed; background-clip: border; }")
        .arg(objectName)
        .arg(int(GuiMetrics::UiScale * -20))
        .arg(int(GuiMetrics::UiScale * -60))
        .arg(int(GuiMetrics::UiScale * 36))
        .arg(int(GuiMetrics::UiScale * 76))
        .arg(pageBackground ? QStringLiteral(":/Frames/frame_page_back_dark.png")
                            : QStringLiteral(":/Frames/frame_map_back_dark.png"));
}

QString ScrollBarStyle()
{
    return QStringLiteral(
        "QScrollBar:vertical { width: 18px; margin: 22px 0 22px 0; background: rgba(0, 0, 0, 100); }"
        "QScrollBar::handle:vertical { background: gray; min-height: 25px; }"
        "QScrollBar::add-line:vertical { height: 22px; subcontrol-position: bottom; subcontrol-origin: "
        "margin; "
        "image: url(:/Common/scroll_arrow_down.png); }"
        "QScrollBar::sub-line:vertical { height: 22px; subcontrol-position: top; subcontrol-origin: margin; "
        "image: url(:/Common/scroll_arrow_up.png); }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }");
}

void ScaleImageFileToFill(QImage& target, const QString& filePath)
{
    target.fill(Qt::transparent);
    const QImage source(filePath);
    if (source.isNull() || target.isNull())
        return;
    const QImage scaled =
        source.scaled(target.size(), Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    QPainter painter(&target);
    painter.drawImage((target.width() - scaled.width()) / 2, (target.height() - scaled.height()) / 2, scaled);
}

bool WriteValue(const QString& filePath, const QString& value)
{
    if (CommonIO::SaveFile(filePath, value.toUtf8(), true))
        return true;
    qDebug().noquote() << "Common :: CAN NOT OPEN --- WriteValue" << filePath;
    return false;
}

QString ReadValue(const QString& filePath, QString* problem)
{
    QByteArray content;
    QString reason;
    const CommonIO::ReadStatus status = CommonIO::ReadFile(filePath, MaxValueFileBytes, &content, &reason);
    if (problem)
        *problem = status == CommonIO::ReadStatus::Ok || status == CommonIO::ReadStatus::Missing ? QString()
                                                                                                 : reason;
    return QString::fromUtf8(content).trimmed();
}
} // namespace Common
