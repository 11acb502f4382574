#pragma once

#include "DataMission.h"

#include <QByteArray>
#include <QStringList>

// Reads a mission's "info.ini": sections of key=value lines written by mission authors.
// No state of its own; every read is one call.
class MissionParser
{
public:
    enum Mode
    {
        Header = 0, // author and version only, for the mission list
        Full = 1    // what a battle needs, for the briefing
    };

    // Fills the fields of the keys it meets; false only for empty data. The description is
    // taken from the first of `descriptionKeys` that the file holds.
    static bool parse(const QByteArray& data, DataMission& mission, int mode,
                      const QStringList& descriptionKeys);
    // As above, in the interface language.
    static bool parse(const QByteArray& data, DataMission& mission, int mode);
    static bool parseHeader(const QByteArray& data, DataMission& mission)
    {
        return parse(data, mission, Header, QStringList());
    }
    static bool parseFull(const QByteArray& data, DataMission& mission) { return parse(data, mission, Full); }

    // "description_<language>", then "description_en".
    static QStringList DescriptionKeys(const QString& language);
    // The chosen interface language, or the system's when none is chosen.
    static QString InterfaceLanguage();
};
