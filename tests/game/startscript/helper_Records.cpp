#include "helper_Records.h"

namespace TestRecords
{
DataPlayer Player(const QString& name, int team, int allyTeam, const QColor& color, const QString& side)
{
    DataPlayer p(name, true, false);
    p.team = team;
    p.allyTeam = allyTeam;
    p.color = color;
    p.sideName = side;
    p.country = "DE";
    p.rank = "2";
    return p;
}

DataPlayer Spectator(const QString& name)
{
    DataPlayer p(name, false, false);
    p.country = "FR";
    p.rank = "0";
    return p;
}

DataPlayer Ai(const QString& name, const QString& shortName, const QString& owner, int team, int allyTeam,
              const QColor& color, const QString& side)
{
    DataPlayer p(name, true, true);
    p.aiShortName = shortName;
    p.aiVersion = "0.1";
    p.aiOwner = owner;
    p.team = team;
    p.allyTeam = allyTeam;
    p.color = color;
    p.sideName = side;
    return p;
}

DataStartScript OneAgainstAi()
{
    DataStartScript r;
    r.hostIp = "127.0.0.1";
    r.hostPort = "8452";
    r.isHost = true;
    r.me = Player("Commander", 0, 0);
    r.gameName = "Test Game v1";
    r.gameHash = "0";
    r.mapName = "Test Map";
    r.mapHash = "4294967295";
    r.engineVersion = "106.0";
    r.startPosType = "2";
    r.startRects.insert(0, QRect(0, 0, 100, 100));
    r.startRects.insert(1, QRect(80, 10, 20, 30));
    r.players << r.me;
    r.ais << Ai("Bot", "NullAI", "Commander", 1, 1);
    r.options.SetValue("maxunits", "500");
    return r;
}

DataStartScript Client(const QString& password)
{
    DataStartScript r;
    r.hostIp = "192.168.1.20";
    r.hostPort = "8452";
    r.isHost = false;
    r.me = Player("Commander", 0, 0);
    r.me.password = password;
    r.playerIds = QStringList({"7", "12"});
    r.playerNames = QStringList({"Commander", "Other"});
    return r;
}
} // namespace TestRecords
