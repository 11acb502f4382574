#pragma once

#include "ContentArchive.h"

#include <QString>

// Names maps and games the way the engine (106.0, asked through its unitsync library) does:
//   map   an archive holding "mapinfo.lua", or a ".smf" map file and no "modinfo.lua". Its name
//         is mapinfo.lua's `name`, taken as it stands (blanks kept); when that is empty, the base
//         name of the first ".smf" file (unless mapinfo.lua gives a `mapfile`: then it has none).
//         A map of old has no mapinfo.lua but a modinfo.lua saying `modtype` 3 and its `name`.
//   game  any other archive holding "modinfo.lua" with a `name`, unless its `modtype` names
//         another kind than 1 (a game). The engine itself lists only games that say modtype 1.
// Then `version`, when not empty and not already part of the name (letter case counts), is
// added after a blank: "Comet Catcher" + "1.8" gives "Comet Catcher 1.8", "Quill 2 beta" + "2"
// stays "Quill 2 beta". A version given as a number reads as the engine writes it ("1.500000").
namespace ContentNaming
{
enum class Kind
{
    None,
    Map,
    Game
};

struct Content
{
    Kind kind = Kind::None;
    QString name;
    // The info file's `description`, its blanks simplified; empty when it gives none.
    QString description;
};

Content Describe(const ContentFiles& files);
QString VersionedName(const QString& name, const QString& version);
} // namespace ContentNaming
