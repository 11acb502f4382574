#include "SpringPlayer.h"

DataPlayer SpringPlayer::ToDataPlayer() const
{
    DataPlayer player(name, true, false);
    player.id = id;
    player.country = country;
    player.rank = rank;
    player.localTime = localTime;
    player.platform = platform;
    player.picture = picture;
    player.inGame = IsInGame();
    return player;
}
