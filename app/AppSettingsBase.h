#pragma once

#include <QColor>
#include <QDebug>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <limits>
#include <memory>
#include <vector>

// One key of a settings group, bound to a member of the group.
class IAppSettingsParam
{
public:
    virtual ~IAppSettingsParam() = default;
    virtual QString Key() const = 0;
    // False when the stored value was unusable (the default was taken) or out of range (clamped):
    // either way the file is set right at the next save.
    virtual bool Load(const QSettings& settings) = 0;
    virtual void Save(QSettings& settings) const = 0;
    virtual void Reset() = 0;
    // The value as it is written.
    virtual QVariant Stored() const = 0;
};

namespace AppSettingsValues
{
enum class Conversion
{
    Ok,
    Clamped,
    Bad
};

// The stored text to a value. Numbers must be whole numbers; an int outside [min, max] is clamped.
Conversion ToValue(const QVariant& stored, int* value, qint64 min, qint64 max);
// Only "true", "false", "1" and "0": anything else ("maybe") is no answer.
Conversion ToValue(const QVariant& stored, bool* value, qint64, qint64);
// Colours are stored as readable "#aarrggbb" text.
Conversion ToValue(const QVariant& stored, QColor* value, qint64, qint64);
template <typename U>
Conversion ToValue(QVariant stored, U* value, qint64, qint64)
{
    if (stored.userType() != qMetaTypeId<U>() && !stored.convert(qMetaTypeId<U>()))
        return Conversion::Bad;
    *value = stored.value<U>();
    return Conversion::Ok;
}

template <typename U>
QVariant FromValue(const U& value)
{
    return QVariant::fromValue(value);
}
inline QVariant FromValue(const QColor& value)
{
    return value.name(QColor::HexArgb);
}

void WarnBad(const QSettings& settings, const QString& key);
void WarnClamped(const QSettings& settings, const QString& key, const QVariant& stored, const QVariant& used);
} // namespace AppSettingsValues

// The member's value at registration is the key's default.
template <typename T>
class AppSettingsParam : public IAppSettingsParam
{
public:
    AppSettingsParam(const QString& key, T& value, qint64 min, qint64 max)
        : m_key(key), m_value(value), m_default(value), m_min(min), m_max(max)
    {
    }

    QString Key() const override { return m_key; }
    const T& Default() const { return m_default; }

    bool Load(const QSettings& settings) override
    {
        using AppSettingsValues::Conversion;
        const QVariant stored = settings.value(m_key);
        if (!stored.isValid())
        {
            m_value = m_default;
            return true;
        }
        T value = m_default;
        switch (AppSettingsValues::ToValue(stored, &value, m_min, m_max))
        {
        case Conversion::Ok:
            m_value = value;
            return true;
        case Conversion::Clamped:
            AppSettingsValues::WarnClamped(settings, m_key, stored, AppSettingsValues::FromValue(value));
            m_value = value;
            return false;
        case Conversion::Bad:
            break;
        }
        AppSettingsValues::WarnBad(settings, m_key);
        m_value = m_default;
        return false;
    }

    void Save(QSettings& settings) const override
    {
        settings.setValue(m_key, AppSettingsValues::FromValue(m_value));
    }
    void Reset() override { m_value = m_default; }
    QVariant Stored() const override { return AppSettingsValues::FromValue(m_value); }

private:
    QString m_key;
    T& m_value;
    T m_default;
    qint64 m_min;
    qint64 m_max;
};

// A settings group: an INI group and its keys.
class AppSettingsBase
{
public:
    enum class File
    {
        Lobby, // "/lobby.settings.txt" in the lobby data folder
        Game   // "/lobby.settings.game.txt" in the lobby game data folder
    };

    AppSettingsBase(const QString& group, File file);
    virtual ~AppSettingsBase();

    QString GetGroup() const { return m_group; }
    File GetFile() const { return m_file; }
    QStringList GetKeys() const;

    // False when a stored value was unusable or out of range.
    bool Load(QSettings& settings);
    void Save(QSettings& settings) const;
    void ResetToDefaults();
    // Every key with the value it is written as.
    QVariantMap Values() const;

protected:
    template <typename T>
    void Register(const QString& key, T& member)
    {
        m_params.emplace_back(std::make_unique<AppSettingsParam<T>>(
            key, member, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    }
    // A number with a range: a stored value outside it is clamped into it.
    void Register(const QString& key, int& member, int min, int max)
    {
        m_params.emplace_back(std::make_unique<AppSettingsParam<int>>(key, member, min, max));
    }

private:
    QString m_group;
    File m_file;
    std::vector<std::unique_ptr<IAppSettingsParam>> m_params;
};
