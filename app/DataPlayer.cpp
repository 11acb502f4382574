#include "DataPlayer.h"

#include "AppDefines.h"

DataPlayer::DataPlayer() : name(tr("Unknown")), sideName(tr("Unknown")) {}

DataPlayer::DataPlayer(const QString& playerName, bool isPlayer, bool ai)
    : name(playerName), sideName(tr("Unknown")), plays(isPlayer), spectator(!isPlayer), isAi(ai)
{
}

QString DataPlayer::GetRgbColorText() const
{
    return QStringLiteral("%1 %2 %3")
        .arg(color.red() / 255.0, 0, 'f', 5)
        .arg(color.green() / 255.0, 0, 'f', 5)
        .arg(color.blue() / 255.0, 0, 'f', 5);
}

QString DataPlayer::GetSideName(int sideIndex)
{
    const QStringList sides = AppDefines::Instance()->GetSideNames();
    if (sideIndex < 0 || sideIndex >= sides.size())
        return QStringLiteral("NONE");
    return sides.at(sideIndex);
}

QString DataPlayer::SyncStatusWord(int code)
{
    switch (code)
    {
    case 1:
        return tr("Synced");
    case 2:
        return tr("Not synced");
    default:
        return tr("Unknown");
    }
}

void DataPlayer::SetSyncStatus(int code, const QString& text)
{
    syncStatus = code;
    synced = (code == 1);
    syncText = text.isEmpty() ? SyncStatusWord(code) : text;
}
