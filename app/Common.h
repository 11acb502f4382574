#pragma once

#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// Helpers shared by every layer: formatting, colours, style-sheet texts and the interface scale.
// Widget helpers of the same namespace live in the widget library (CommonWidgets.h).
namespace Common
{
QColor ColorMain();
QColor ColorLight();
QColor ColorWhite();
QColor ColorGreen();
QColor ColorRed();
QColor ColorLime();
QColor ColorYellow();
QColor ColorOrange();
QColor ColorSkyBlue();
QColor ColorDarkGray();

QString ColorToHex(const QColor& color);     // "#rrggbb"
QString ColorToRgbText(const QColor& color); // "r,g,b"
// "<font color=#rrggbb>text</font>" for rich-text labels; the text is plain and gets escaped, so a
// "<" or "&" from a map archive or a player shows as written instead of becoming markup.
QString ColoredHtml(const QColor& color, const QString& plainText);

// The 16-colour player palette; black outside it.
QColor GetPlayerColor(int index);
int PlayerColorCount();
QList<QColor> GetTeamColors();

QString FormatClock(qint64 seconds);
QString FormatDate(const QDateTime& dateTime);
// The same against a given today, for callers that date many records at once.
QString FormatDate(const QDateTime& dateTime, const QDate& today);
QString FormatSize(qint64 bytes);
qint64 MsecsToNextMinute(const QDateTime& time);

int Scale(int px);
int RandomInt(int low, int high);
void InitRandomSeed();

// Window size from the primary screen (needs a QGuiApplication).
void InitWindowSize();
QSize WindowSizeForScreen(const QSize& screen);
QSize GetScreenSize();

QString DarkBackgroundStyle();
QString StyleSheetById(const QString& objectName);
QString FrameImageStyle(const QString& objectName, bool pageBackground);
QString ScrollBarStyle();

void ScaleImageFileToFill(QImage& target, const QString& filePath);
bool WriteValue(const QString& filePath, const QString& value);
// The text of a small file, trimmed; empty when it is missing or can not be used, which `problem`
// then says (empty for a missing file).
QString ReadValue(const QString& filePath, QString* problem = nullptr);
constexpr qint64 MaxValueFileBytes = 4096;
} // namespace Common
