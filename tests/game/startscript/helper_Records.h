#pragma once

#include "DataStartScript.h"

// Launch records shared by the start-script tests.
namespace TestRecords
{
DataPlayer Player(const QString& name, int team, int allyTeam, const QColor& color = Qt::red,
                  const QString& side = "Arm");
DataPlayer Spectator(const QString& name);
DataPlayer Ai(const QString& name, const QString& shortName, const QString& owner, int team, int allyTeam,
              const QColor& color = Qt::blue, const QString& side = "Core");

// The host record of one player against one AI on another ally team, with one option.
DataStartScript OneAgainstAi();
// A client record joining a battle hosted elsewhere.
DataStartScript Client(const QString& password);
} // namespace TestRecords
