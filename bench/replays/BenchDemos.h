#pragma once

#include <QByteArray>
#include <QString>

// The demo folders the replays benchmark works on. Each is generated once and kept (a marker file
// names what it holds); a folder whose marker differs is made anew.
namespace BenchDemos
{
// Unpacks to about 2.4 MB, packs to about 1.3 MB, like the stream of a real game.
constexpr int StreamSize = 2350 * 1024;
constexpr int BombCount = 20;
constexpr int NearLimitCount = 16;

// `count` demos of about 1.3 MB, 8 players and a spectator each, and the script bombs.
bool GenerateScanFolder(const QString& folder, int count);
// Only the script bombs: scripts as long as the engine reads, of 900000-odd sections, 2 million
// keys, or one 16 MB value.
bool GenerateBombFolder(const QString& folder);
// `demos` small demos (the newest files) and `others` older empty files beside them.
bool GenerateBigFolder(const QString& folder, int demos, int others);
// Valid demos just inside every limit of the script reader: the most players, AIs, teams and ally
// teams a script may hold, and keys up to just under the key limit.
bool GenerateNearLimitFolder(const QString& folder);
} // namespace BenchDemos
