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
    p.country = QStringLiteral("DE");
    p.rank = QStringLiteral("2");
    return p;
}

DataPlayer Spectator(const QString& name)
{
    DataPlayer p(name, false, false);
    p.country = QStringLiteral("FR");
    p.rank = QStringLiteral("0");
    return p;
}

DataPlayer Ai(const QString& name, const QString& shortName, const QString& owner, int team, int allyTeam,
              const QColor& color, const QString& side)
{
    DataPlayer p(name, true, true);
    p.aiShortName = shortName;
    p.aiVersion = QStringLiteral("0.1");
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
    r.hostIp = QStringLiteral("127.0.0.1");
    r.hostPort = QStringLiteral("8452");
    r.isHost = true;
    r.me = Player(QStringLiteral("Commander"), 0, 0);
    r.gameName = QStringLiteral("Test Game v1");
    r.gameHash = QStringLiteral("0");
    r.mapName = QStringLiteral("Test Map");
    r.mapHash = QStringLiteral("4294967295");
    r.engineVersion = QStringLiteral("106.0");
    r.startPosType = QStringLiteral("2");
    r.startRects.insert(0, QRect(0, 0, 100, 100));
    r.startRects.insert(1, QRect(80, 10, 20, 30));
    r.players << r.me;
    r.ais << Ai(QStringLiteral("Bot"), QStringLiteral("NullAI"), QStringLiteral("Commander"), 1, 1);
    r.options.SetValue(QStringLiteral("maxunits"), QStringLiteral("500"));
    return r;
}

DataStartScript Client(const QString& password)
{
    DataStartScript r;
    r.hostIp = QStringLiteral("192.168.1.20");
    r.hostPort = QStringLiteral("8452");
    r.isHost = false;
    r.me = Player(QStringLiteral("Commander"), 0, 0);
    r.me.password = password;
    r.playerIds = QStringList({QStringLiteral("7"), QStringLiteral("12")});
    r.playerNames = QStringList({QStringLiteral("Commander"), QStringLiteral("Other")});
    return r;
}
} // namespace TestRecords
