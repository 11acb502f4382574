// The AI catalogue: plain functions, kept apart from the roster so that tools can use them
// without the roster's meta-object code.

#include "AIHandler.h"

QString AIHandler::NumberSuffix(int n)
{
    static const char* const roman[] = {"I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X"};
    if (n >= 1 && n <= 10)
        return QString::fromLatin1(roman[n - 1]);
    return QString::number(n);
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

QImage AIHandler::PictureFor(const DataPlayer& ai)
{
    if (ai.IsAiRav())
        return QImage(QStringLiteral(":/AI/rav.png"));
    if (ai.IsAiSkitters())
        return QImage(QStringLiteral(":/AI/queen.png"));
    if (ai.IsAiMission())
        return QImage(QStringLiteral(":/Extras/mission.png"));
    if (ai.IsAiVeska())
        return QImage(QStringLiteral(":/AI/veska.png"));
    return QImage(QStringLiteral(":/Extras/taunts.png"));
}
