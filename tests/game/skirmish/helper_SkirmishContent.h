#pragma once

#include <QString>

class AppSettingsSkirmish;
class TestEnvironment;

// Installed content for skirmish tests: archives of maps and games that name themselves after their files and
// a fake engine folder in the test's engine data folder, indexed by a fresh content index. Removes the
// skirmish modes and the content index again when it goes, before the test's folders do.
class SkirmishContent
{
public:
    explicit SkirmishContent(TestEnvironment& env, const QString& engineVersion = "105.0");
    ~SkirmishContent();

    // Points the group's defaults at this content, so that a join finds everything.
    void UseAsDefaults(AppSettingsSkirmish* group) const;
    // Indexes the data folder again (after files were added).
    static void Rescan();

    QString mapName = "Skirmish Map A";
    QString otherMapName = "Skirmish Map B";
    QString gameVersion = "Skirmish Game 2";
    QString gameEntry = "Skirmish Game 2";
    QString engineVersion;
};
