#pragma once

#include <QSize>
#include <QString>

// Process-wide pixel metrics. Everything derives from one scale and one unit.
namespace GuiMetrics
{
constexpr double UiScale = 1.0;
constexpr int Scaled(int value)
{
    return int(value * UiScale);
}
} // namespace GuiMetrics

constexpr int GuiUnit = GuiMetrics::Scaled(8);
constexpr int GuiUnitHalf = GuiUnit / 2;
constexpr int GuiUnitOneAndHalf = GuiUnit + GuiUnit / 2;
constexpr int GuiMargin = 4 * GuiUnit;
constexpr int GuiMarginSettings = 4 * GuiUnit;
constexpr int GuiMarginSlider = 4 * GuiUnit;
constexpr int GuiSettingsIndent = 12 * GuiUnit;
constexpr int GuiSettingsLabelWidth = GuiMetrics::Scaled(220);
constexpr int GuiButtonMinWidth = GuiMetrics::Scaled(170);
constexpr int GuiAuxButtonHeight = GuiMetrics::Scaled(34);
constexpr int GuiSliderHeight = GuiMetrics::Scaled(20);
constexpr int GuiSearchHeight = GuiMetrics::Scaled(28);
constexpr int GuiMinimapSmall = GuiMetrics::Scaled(40);
constexpr int GuiMinimapRow = GuiMetrics::Scaled(54);
constexpr int GuiMinimapLarge = GuiMetrics::Scaled(256);
constexpr int GuiTopBarHeight = GuiMetrics::Scaled(64);
constexpr int GuiRowHeight = GuiMetrics::Scaled(26);
constexpr int GuiIconSize = GuiMetrics::Scaled(32);
constexpr int GuiScreenWidthLimit = GuiMetrics::Scaled(1200);
constexpr int GuiScreenHeightLimit = GuiMetrics::Scaled(800);
constexpr int GuiBaseWidth = GuiMetrics::Scaled(1024) - 2 * GuiMargin;
constexpr int GuiBaseHeight = GuiMetrics::Scaled(768) - 2 * GuiMargin;
inline const QSize GuiBaseSize(GuiBaseWidth, GuiBaseHeight);

// Set once at start-up from the primary screen (Common::InitWindowSize).
extern QSize GuiWindowSize;
extern int GuiMinimapWidth;
extern int GuiMinimapHeight;

// The interface language (copied from the settings before the first widget) and whether the
// Cyrillic fonts are used.
extern QString GuiLanguageCode;
extern bool GuiCyrillicFonts;
void SetGuiLanguage(const QString& code);

// Font families the widgets ask for. They are names, not files: start-up maps each one onto a
// compiled-in face with QFont::insertSubstitution.
inline const QString GuiFontMain = QStringLiteral("Forgotten Futurist Rg");
inline const QString GuiFontPixel = QStringLiteral("Smallest Pixel-7");
inline const QString GuiFontCyrillic = QStringLiteral("Days");
inline const QString GuiFontArial = QStringLiteral("Arial");
inline const QString GuiFontCourier = QStringLiteral("Courier New");
