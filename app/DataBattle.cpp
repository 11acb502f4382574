#include "DataBattle.h"

void DataBattleOptions::SetValue(const QString& key, const QString& value)
{
    for (DataBattleOption& option : options)
    {
        if (option.key == key)
        {
            option.value = value;
            return;
        }
    }
    options.append({key, value, QString(), QString()});
}

QString DataBattleOptions::Value(const QString& key) const
{
    for (const DataBattleOption& option : options)
    {
        if (option.key == key)
            return option.value;
    }
    return QString();
}

bool DataBattleOptions::Contains(const QString& key) const
{
    for (const DataBattleOption& option : options)
    {
        if (option.key == key)
            return true;
    }
    return false;
}
