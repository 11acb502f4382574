#pragma once

#include "DataMission.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>

// Reads a mission's "info.ini": sections of key=value lines written by mission authors.
class MissionParser : public QObject
{
    Q_OBJECT

public:
    enum Mode
    {
        Header = 0, // author and version only, for the mission list
        Full = 1    // what a battle needs, for the briefing
    };

    // Fills the fields of the keys it meets; false only for empty data.
    static bool parse(const QByteArray& data, DataMission& mission, int mode);
    static bool parseHeader(const QByteArray& data, DataMission& mission)
    {
        return parse(data, mission, Header);
    }
    static bool parseFull(const QByteArray& data, DataMission& mission) { return parse(data, mission, Full); }

    // Description keys in the order they are looked for: the interface language (the system
    // language when none is chosen), then English.
    static QStringList DescriptionKeys(const QString& localeName);
};
