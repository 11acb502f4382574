#include "AppSettingsBase.h"

#include "AppSettingsFiles.h"
#include "CommonIO.h"

namespace AppSettingsValues
{
Conversion ToValue(const QVariant& stored, int* value, qint64 min, qint64 max)
{
    bool ok = false;
    // Not QVariant's conversion: it takes "-99999999999" modulo 2^32.
    const qlonglong number = stored.toString().trimmed().toLongLong(&ok, 10);
    if (!ok)
        return Conversion::Bad;
    *value = int(qBound<qint64>(min, number, max));
    return *value == number ? Conversion::Ok : Conversion::Clamped;
}

Conversion ToValue(const QVariant& stored, bool* value, qint64, qint64)
{
    if (stored.userType() == QMetaType::Bool)
    {
        *value = stored.toBool();
        return Conversion::Ok;
    }
    const QString text = stored.toString().trimmed();
    if (text == QLatin1String("1") || text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        *value = true;
    else if (text == QLatin1String("0") || text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        *value = false;
    else
        return Conversion::Bad;
    return Conversion::Ok;
}

Conversion ToValue(const QVariant& stored, QColor* value, qint64, qint64)
{
    const QColor color =
        stored.userType() == QMetaType::QColor ? stored.value<QColor>() : QColor(stored.toString());
    if (!color.isValid())
        return Conversion::Bad;
    *value = color;
    return Conversion::Ok;
}

void WarnBad(const QSettings& settings, const QString& key)
{
    qWarning().noquote() << "AppSettings :: BAD VALUE ---" << settings.group() + QLatin1Char('/') + key
                         << "--- default used";
}

void WarnClamped(const QSettings& settings, const QString& key, const QVariant& stored, const QVariant& used)
{
    qWarning().noquote() << "AppSettings :: OUT OF RANGE ---" << settings.group() + QLatin1Char('/') + key
                         << "---" << CommonIO::ForLog(stored.toString(), 40) << "--- clamped to"
                         << used.toString();
}
} // namespace AppSettingsValues

AppSettingsBase::AppSettingsBase(const QString& group, File file) : m_group(group), m_file(file) {}

AppSettingsBase::~AppSettingsBase()
{
    if (AppSettings::Exists())
        AppSettings::Instance()->Unregister(this);
}

QStringList AppSettingsBase::GetKeys() const
{
    QStringList keys;
    for (const auto& param : m_params)
        keys << param->Key();
    return keys;
}

bool AppSettingsBase::Load(QSettings& settings)
{
    bool clean = true;
    settings.beginGroup(m_group);
    for (const auto& param : m_params)
        clean = param->Load(settings) && clean;
    settings.endGroup();
    return clean;
}

void AppSettingsBase::Save(QSettings& settings) const
{
    settings.beginGroup(m_group);
    for (const auto& param : m_params)
        param->Save(settings);
    settings.endGroup();
}

QVariantMap AppSettingsBase::Values() const
{
    QVariantMap values;
    for (const auto& param : m_params)
        values.insert(param->Key(), param->Stored());
    return values;
}

void AppSettingsBase::ResetToDefaults()
{
    for (const auto& param : m_params)
        param->Reset();
}
