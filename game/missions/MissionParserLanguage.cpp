// The parts of the mission reader that ask the program's settings.

#include "AppSettings.h"
#include "MissionParser.h"
#include "TranslatorManager.h"

QString MissionParser::InterfaceLanguage()
{
    const QString chosen = AppSettingsMain::Instance()->LocaleName.trimmed();
    return chosen.isEmpty() ? TranslatorManager::SystemLanguage() : chosen;
}

bool MissionParser::parse(const QByteArray& data, DataMission& mission, int mode)
{
    return parse(data, mission, mode, DescriptionKeys(InterfaceLanguage()));
}
