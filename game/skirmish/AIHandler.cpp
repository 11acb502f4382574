#include "AIHandler.h"

#include <QDebug>

namespace
{
constexpr int MaxNameTries = 100;
}

AIHandler::AIHandler() : m_dummyAi(QStringLiteral("PlayerDummy"), false, true) {}

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
