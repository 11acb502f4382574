#include "GuiMetrics.h"

QSize GuiWindowSize;
int GuiMinimapWidth = 430;
int GuiMinimapHeight = 280;
QString GuiLanguageCode;
bool GuiCyrillicFonts = false;

void SetGuiLanguage(const QString& code)
{
    GuiLanguageCode = code;
    GuiCyrillicFonts = (code == QLatin1String("RU"));
}
