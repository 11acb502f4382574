#include "AIHandler.h"

#include <QDebug>

namespace
{
constexpr int MaxNameTries = 100;
}

AIHandler::AIHandler() : m_dummyAi(QStringLiteral("PlayerDummy"), false, true) {}

QString AIHandler::NumberSuffix(int n)
{
    static const char* const roman[] = {"I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X"};
    if (n >= 1 && n <= 10)
        return QString::fromLatin1(roman[n - 1]);
    return QString::number(n);
}

void AIHandler::UniqueName(DataPlayer& ai) const
{
    if (ai.aiOwner.isEmpty())
    {
        ai.name = tr("Unknown");
        ai.aiOwner = ai.name;
    }
    for (int n = 1; n <= MaxNameTries; ++n)
    {
        const QString candidate = ai.aiOwner + QLatin1Char(' ') + NumberSuffix(n);
        if (!m_ais.contains(candidate))
        {
            ai.name = candidate;
            return;
        }
    }
    // Every candidate is taken: the AI keeps the name it came with.
}

void AIHandler::AppendUnique(const DataPlayer& ai)
{
    DataPlayer copy = ai;
    UniqueName(copy);
    DoAppend(copy);
}

void AIHandler::DoAppend(DataPlayer ai)
{
    if (m_ais.contains(ai.name))
    {
        qWarning().noquote() << "AIManager :: DoAppend --- There is already such an AI" << ai.name;
        return;
    }
    m_ais.insert(ai.name, ai);
    const int number = m_order.isEmpty() ? 0 : m_order.lastKey() + 1;
    m_order.insert(number, ai.name);
    emit OnAppend(ai);
}

void AIHandler::DoUpdate(DataPlayer ai)
{
    auto it = m_ais.find(ai.name);
    if (it == m_ais.end())
    {
        qWarning().noquote() << "AIManager :: DoUpdate --- There is NO such an AI" << ai.name;
        return;
    }
    *it = ai;
    emit OnUpdate(ai);
}

void AIHandler::DoRemove(QString aiName)
{
    Remove(aiName);
}

void AIHandler::Remove(const QString& aiName)
{
    auto it = m_ais.find(aiName);
    if (it == m_ais.end())
    {
        qWarning().noquote() << "AIManager :: DoRemove --- There is NO such an AI" << aiName;
        return;
    }
    const DataPlayer removed = *it;
    m_ais.erase(it);
    for (auto o = m_order.begin(); o != m_order.end(); ++o)
    {
        if (o.value() == aiName)
        {
            m_order.erase(o);
            break;
        }
    }
    emit OnRemove(removed);
}

void AIHandler::Clear()
{
    m_ais.clear();
    m_order.clear();
}

DataPlayer AIHandler::GetAI(const QString& name) const
{
    const auto it = m_ais.constFind(name);
    if (it == m_ais.constEnd())
    {
        qWarning().noquote() << "AIManager :: There is NO such an AI" << name;
        return m_dummyAi;
    }
    return *it;
}

QList<DataPlayer> AIHandler::GetAIs() const
{
    QList<DataPlayer> list;
    for (const QString& name : m_order)
        list << m_ais.value(name);
    return list;
}

DataPlayer AIHandler::MakeBase(const QString& kind, const QString& shortName, const QColor& color,
                               const QString& picture)
{
    DataPlayer ai;
    ai.isAi = true;
    ai.aiKind = kind;
    ai.aiShortName = shortName;
    ai.color = color;
    ai.picture = QImage(picture);
    return ai;
}

void AIHandler::SetSide(DataPlayer& ai, int side)
{
    ai.side = side;
    ai.sideName = SideName(side);
}

DataPlayer AIHandler::MakeAI(const QString& kind, int level, int side)
{
    if (kind == KindRav())
        return MakeRavAI(side);
    if (kind == KindSkitters())
        return MakeSkitterhiveAI(level);
    if (kind == KindMission())
        return MakeMissionAI(side);
    if (kind == KindVeska())
        return MakeVeskaAI(side);
    return MakeCustomAI(kind, side);
}

DataPlayer AIHandler::MakeRavAI(int side)
{
    DataPlayer ai = MakeBase(KindRav(), QString(), QColor(0, 255, 0), QStringLiteral(":/AI/rav.png"));
    SetRavShortName(ai);
    SetSide(ai, side);
    return ai;
}

DataPlayer AIHandler::MakeSkitterhiveAI(int level)
{
    DataPlayer ai =
        MakeBase(KindSkitters(), QString(), QColor(255, 255, 0), QStringLiteral(":/AI/queen.png"));
    SetDifficultyName(ai, level);
    return ai;
}

DataPlayer AIHandler::MakeMissionAI(int side)
{
    DataPlayer ai =
        MakeBase(KindMission(), QString(), QColor(0, 160, 255), QStringLiteral(":/Extras/mission.png"));
    SetMissionShortName(ai);
    SetSide(ai, side);
    return ai;
}

DataPlayer AIHandler::MakeVeskaAI(int side)
{
    DataPlayer ai = MakeBase(KindVeska(), QStringLiteral("V.E.S.K.A."), QColor(0, 255, 0),
                             QStringLiteral(":/AI/veska.png"));
    SetSide(ai, side);
    return ai;
}

DataPlayer AIHandler::MakeCustomAI(const QString& shortName, int side)
{
    DataPlayer ai = MakeBase(QStringLiteral("%1 - %2").arg(KindCustom(), shortName), shortName,
                             QColor(255, 160, 0), QStringLiteral(":/Extras/taunts.png"));
    SetSide(ai, side);
    return ai;
}

void AIHandler::SetAIDescription(DataPlayer& ai, const QString& kind, int level)
{
    if (kind == KindRav())
        SetRavShortName(ai);
    else if (kind == KindSkitters())
        SetDifficultyName(ai, level);
    else if (kind == KindMission())
        SetMissionShortName(ai);
    else if (kind == KindVeska())
        ai.aiShortName = QStringLiteral("V.E.S.K.A.");
}

void AIHandler::SetDifficultyName(DataPlayer& ai, int level)
{
    switch (level)
    {
    case 1:
        ai.aiShortName = QStringLiteral("Skitter: Normal");
        break;
    case 2:
        ai.aiShortName = QStringLiteral("Skitter: Hard");
        break;
    case 3:
        ai.aiShortName = QStringLiteral("Skitter: Insane");
        break;
    default:
        ai.aiShortName = QStringLiteral("Skitter: Easy");
        break;
    }
}

void AIHandler::SetMissionShortName(DataPlayer& ai)
{
    ai.aiShortName = QStringLiteral("Mission AI");
}

void AIHandler::SetRavShortName(DataPlayer& ai)
{
    ai.aiShortName = QStringLiteral("R.A.V. - Normal");
}

QString AIHandler::SideName(int side)
{
    return DataPlayer::GetSideName(side);
}
