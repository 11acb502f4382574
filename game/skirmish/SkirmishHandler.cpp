#include "SkirmishHandler.h"

#include "AppDefines.h"
#include "AppSettings.h"
#include "SpringLaunchManager.h"
#include "SyncManager.h"

#include <QDebug>
#include <QMetaObject>
#include <QSet>

namespace
{
const QString MissionOption = QStringLiteral("mission_name");
}

SkirmishHandler::SkirmishHandler()
    : m_ais(new AIHandler()), m_dummyPlayer(QStringLiteral("DummyPlayer"), false, false),
      m_dummyAi(QStringLiteral("DummyAI"), true, true), m_meKey(AppDefines::GetWordYou())
{
    connect(m_ais, &AIHandler::OnAppend, this, &SkirmishHandler::OnPlayerJoined);
    connect(m_ais, &AIHandler::OnUpdate, this, &SkirmishHandler::OnPlayerChanged);
    connect(m_ais, &AIHandler::OnRemove, this, &SkirmishHandler::OnPlayerLeft);
    SpringLaunchManager* launcher = SpringLaunchManager::Instance();
    connect(launcher, SIGNAL(OnSkirmishStopped()), this, SLOT(DoGameStopped()));
    connect(launcher, &SpringLaunchManager::OnSkirmishStarted, this, [this] { m_starting = false; });
    connect(launcher, &SpringLaunchManager::OnSpringFailed, this, &SkirmishHandler::DoSpringFailed);
    SetMissionName(QStringLiteral("none"));
}

SkirmishHandler::~SkirmishHandler()
{
    delete m_ais;
}

void SkirmishHandler::StartBattle()
{
    QMetaObject::invokeMethod(this, "DoStartBattle", Qt::QueuedConnection);
}

QString SkirmishHandler::UnplayableReason() const
{
    SyncManager* content = SyncManager::Instance();
    if (m_battle.mapName.isEmpty() || !content->ContainsMap(m_battle.mapName))
        return QStringLiteral("no map: ") + m_battle.mapName;
    if (m_battle.gameName.isEmpty())
        return QStringLiteral("no game: ") + m_battle.gameVersion;
    if (m_battle.engineVersion.isEmpty() || !content->ContainsEngine(m_battle.engineVersion))
        return QStringLiteral("no engine: ") + m_battle.engineVersion;
    return QString();
}

void SkirmishHandler::DoStartBattle()
{
    qDebug() << "SkirmishHandler :: StartBattle";
    DataPlayer& me = GetMe();
    if (!me.IsSynced())
        qDebug() << "SkirmishHandler :: StartBattle --- Can't Start, you are not Synced!";
    if (me.inGame)
        qDebug() << "SkirmishHandler :: StartBattle --- Can't Start, you are in game!";
    if (SpringLaunchManager::Instance()->IsRunning())
    {
        qDebug() << "SkirmishHandler :: StartBattle can't start while replay watching!";
        return;
    }
    // An engine started without its content only dies at once; say why instead.
    const QString reason = UnplayableReason();
    if (!reason.isEmpty())
    {
        qWarning().noquote() << "SkirmishHandler :: StartBattle --- Can't Start," << reason;
        emit OnStartBattleError(reason);
        return;
    }

    DataStartScript script(m_battle);
    script.me = me;
    script.players = m_players.values();
    script.ais = m_ais->GetAIs();
    script.startRects = m_startRects;
    script.startPosType = m_startPosType;
    // The launcher may fail at once or later (an engine that can't be run); either way the
    // failure comes back through DoSpringFailed.
    m_starting = true;
    emit OnGameStart();
    SpringLaunchManager::Instance()->StartSkirmish(script);
}

void SkirmishHandler::DoSpringFailed(const QString& reason)
{
    // Another mode's or a lobby battle's failure is not ours.
    if (!m_starting)
        return;
    m_starting = false;
    qWarning().noquote() << "SkirmishHandler :: StartBattle --- the engine did not start," << reason;
    emit OnStartBattleError(reason);
}

DataPlayer& SkirmishHandler::GetMe()
{
    auto it = m_players.find(m_meKey);
    if (it == m_players.end())
    {
        qWarning() << "SkirmishHandler :: ME --- There is no ME in the list";
        it = m_players.insert(m_meKey, DataPlayer());
    }
    return *it;
}

DataPlayer SkirmishHandler::PlayerData(const QString& name)
{
    const auto it = m_players.constFind(name);
    if (it != m_players.constEnd())
        return *it;
    if (m_ais->Contains(name))
        return m_ais->GetAI(name);
    qWarning().noquote() << "SkirmishHandler :: PlayerData --- No such player" << name;
    return m_dummyPlayer;
}

void SkirmishHandler::AppendAI(DataPlayer ai, bool assignTeam)
{
    if (IsAILimitReached())
        return;
    ai.aiOwner = GetMe().name;
    if (assignTeam)
    {
        QSet<int> used;
        for (const DataPlayer& p : qAsConst(m_players))
            used.insert(p.team);
        for (const DataPlayer& p : m_ais->GetAIs())
            used.insert(p.team);
        int team = 0;
        while (used.contains(team))
            ++team;
        ai.team = team;
    }
    m_ais->AppendUnique(ai);
}

void SkirmishHandler::RemoveAI(const QString& name)
{
    m_ais->DoRemove(name);
}

void SkirmishHandler::UpdateAI(const DataPlayer& ai)
{
    m_ais->DoUpdate(ai);
}

void SkirmishHandler::StoreAndAnnounceMe()
{
    DataPlayer& me = GetMe();
    if (AppSettingsSkirmish* settings = MySettings())
    {
        settings->Color = me.color;
        settings->Side = me.side;
    }
    const DataPlayer copy = me;
    emit OnPlayerChanged(copy);
    emit OnMeChanged(copy);
}

void SkirmishHandler::SetMyColor(const QColor& color)
{
    GetMe().color = color;
    StoreAndAnnounceMe();
}

void SkirmishHandler::SetMySide(int side, const QString& sideName)
{
    DataPlayer& me = GetMe();
    me.side = side;
    me.sideName = sideName;
    StoreAndAnnounceMe();
}

void SkirmishHandler::SetMyTeam(int team, bool silent)
{
    DataPlayer& me = GetMe();
    if (me.allyTeam == team)
        return;
    me.allyTeam = team;
    me.plays = team >= 0;
    me.spectator = !me.plays;
    if (!silent)
        StoreAndAnnounceMe();
}

void SkirmishHandler::SetMapName(const QString& mapName)
{
    if (mapName == m_battle.mapName)
        return;
    if (!SyncManager::Instance()->ContainsMap(mapName))
    {
        qWarning().noquote() << "SkirmishHandler :: SetMapName --- NO such a map" << mapName;
        return;
    }
    m_battle.mapName = mapName;
    emit OnMapChanged(mapName);
}

void SkirmishHandler::SetGameVersion(const QString& gameVersion)
{
    if (gameVersion == m_battle.gameVersion)
        return;
    if (!SyncManager::Instance()->ContainsGame(gameVersion))
    {
        qWarning().noquote() << "SkirmishHandler :: SetGameVersion --- NO such game" << gameVersion;
        return;
    }
    m_battle.gameVersion = gameVersion;
    m_battle.gameName = GameEntry(gameVersion);
}

void SkirmishHandler::SetEngineVersion(const QString& engineVersion)
{
    if (engineVersion == m_battle.engineVersion)
        return;
    if (!SyncManager::Instance()->ContainsEngine(engineVersion))
    {
        qWarning().noquote() << "SkirmishHandler :: SetEngineVersion --- NO such engine" << engineVersion;
        return;
    }
    m_battle.engineVersion = engineVersion;
}

QString SkirmishHandler::GameEntry(const QString& gameVersion)
{
    if (gameVersion.isEmpty())
        return QString();
    return SyncManager::Instance()->GetGameFilePath(gameVersion);
}

QString SkirmishHandler::MissionName() const
{
    return m_battle.options.Value(MissionOption);
}

void SkirmishHandler::SetMissionName(const QString& name)
{
    if (name == MissionName() && m_battle.options.Contains(MissionOption))
        return;
    if (name.isEmpty())
    {
        ClearMissionName();
        return;
    }
    QList<DataBattleOption>& options = m_battle.options.options;
    for (int i = 0; i < options.size(); ++i)
    {
        if (options.at(i).key == MissionOption)
        {
            options.removeAt(i);
            break;
        }
    }
    options.append({MissionOption, name, QString(), QString()});
}

void SkirmishHandler::ClearMissionName()
{
    SetMissionName(QStringLiteral("none"));
}

void SkirmishHandler::SetStartPosType(const QString& type)
{
    const QString value = type.trimmed();
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok || number < 0)
    {
        qWarning().noquote() << "SkirmishHandler :: SetStartPosType --- not a start position:" << type;
        return;
    }
    if (value != m_startPosType)
        m_startPosType = value;
}

void SkirmishHandler::InsertRect(int team, const QRect& rect)
{
    m_startRects.insert(team, rect);
    emit OnAppendStartRect(team, rect);
}

void SkirmishHandler::AppendRect(int team, const QRect& rect)
{
    if (!rect.isValid() || !Area().contains(rect))
    {
        qWarning().noquote() << "SkirmishHandler :: AppendRect --- Out of area" << rect.right()
                             << rect.bottom();
        return;
    }
    InsertRect(team, rect);
}

void SkirmishHandler::DoAppendRect(int teamID, QRect rect)
{
    const QRect inside = rect.normalized() & Area();
    if (inside.isEmpty())
    {
        qWarning().noquote() << "SkirmishHandler :: AppendRect --- Out of area" << rect.right()
                             << rect.bottom();
        return;
    }
    InsertRect(teamID, inside);
}

void SkirmishHandler::DoRemoveRect(int teamID)
{
    m_startRects.remove(teamID);
    emit OnRemoveStartRect(teamID);
}

void SkirmishHandler::SetStartRects(const QList<QRect>& rects)
{
    const QList<int> old = m_startRects.keys();
    m_startRects.clear();
    for (int team : old)
        emit OnRemoveStartRect(team);
    for (int i = 0; i < rects.size(); ++i)
        AppendRect(i, rects.at(i));
}

namespace
{
struct LayoutSize
{
    int d; // box depth in hundredths
    int c; // far edge of a centred box
    int h; // near edge of a centred box
};

LayoutSize Size(int percent)
{
    const int d = qBound(1, percent, 100);
    return {d, (d + 100) / 2, (100 - d) / 2};
}

QRect Box(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(x1, y1), QPoint(x2, y2));
}
} // namespace

QList<QRect> SkirmishHandler::makeStartRectsTopBottom(int percent)
{
    const LayoutSize s = Size(percent);
    return {Box(0, 0, 100, s.d), Box(0, 100 - s.d, 100, 100)};
}

QList<QRect> SkirmishHandler::makeStartRectsLeftRight(int percent)
{
    const LayoutSize s = Size(percent);
    return {Box(0, 0, s.d, 100), Box(100 - s.d, 0, 100, 100)};
}

QList<QRect> SkirmishHandler::makeStartRectsCorners(int percent)
{
    const LayoutSize s = Size(percent);
    return {Box(0, 0, s.d, s.d), Box(100 - s.d, 100 - s.d, 100, 100), Box(100 - s.d, 0, 100, s.d),
            Box(0, 100 - s.d, s.d, 100)};
}

QList<QRect> SkirmishHandler::makeStartRectsEdges(int percent)
{
    const LayoutSize s = Size(percent);
    return {Box(s.h, 0, s.c, s.d), Box(s.h, 100 - s.d, s.c, 100), Box(0, s.h, s.d, s.c),
            Box(100 - s.d, s.h, 100, s.c)};
}

QList<QRect> SkirmishHandler::MakeStartRectsLayout(int layout, int percent)
{
    switch (layout)
    {
    case 0:
        return makeStartRectsTopBottom(percent);
    case 1:
        return makeStartRectsLeftRight(percent);
    case 2:
        return makeStartRectsCorners(percent);
    case 3:
        return makeStartRectsEdges(percent);
    default:
        return {};
    }
}

void SkirmishHandler::ApplyStartRectsLayout(int layout, int percent)
{
    SetStartRects(MakeStartRectsLayout(layout, percent));
}

void SkirmishHandler::DoGameStopped()
{
    emit OnSkirmishStopped();
}

DataPlayer SkirmishHandler::DefaultAI(int gameIndex, int side)
{
    switch (gameIndex)
    {
    case 0:
        return AIHandler::MakeRavAI(side);
    case 1:
        return AIHandler::MakeVeskaAI(side);
    default:
        return AIHandler::MakeMissionAI(side);
    }
}

DataPlayer& SkirmishHandler::JoinMe()
{
    m_joined = 1;
    m_battle.hostedHere = true;
    DataPlayer me(m_meKey, true, false);
    return *m_players.insert(m_meKey, me);
}

void SkirmishHandler::ResetBattle()
{
    m_joined = 0;
    m_players.clear();
    m_battle = DataBattle();
    m_ais->Clear();
    // Every skirmish script names a mission, "none" when there is none.
    ClearMissionName();
}
