#include "TauntsManager.h"

#include "PathManager.h"

#include <QDebug>
#include <QFileInfo>
#include <QSet>
#include <QSettings>

namespace
{
// An unquoted comma makes QSettings split the value into a list; a taunt text keeps its commas.
QString IniText(const QSettings& ini, const QString& key)
{
    const QVariant value = ini.value(key);
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}
} // namespace

TauntsManager::TauntsManager()
{
    qDebug().noquote() << "Initialize :: TauntsManager";
    Load();
}

TauntsManager::~TauntsManager()
{
    qDebug().noquote() << "Destroy :: TauntsManager";
}

void TauntsManager::Clear()
{
    m_messages.clear();
    m_files.clear();
    emit OnClear();
}

void TauntsManager::Load()
{
    Clear();
    const QString path = PathManager::Instance()->GetTauntsDir() + QStringLiteral("/taunts.ini");
    if (!QFileInfo::exists(path))
    {
        qDebug().noquote() << "TauntsManager :: Taunts list is empty, because *.ini file does NOT exist"
                           << path;
        return;
    }

    QSettings ini(path, QSettings::IniFormat);
    ini.setIniCodec("UTF-8");
    int count = ini.value(QStringLiteral("count"), 0).toInt();
    if (count < 0)
        count = 0;
    if (count > MaxTaunts)
    {
        qDebug().noquote() << "TauntsManager :: Too many taunts ---" << count << "read" << MaxTaunts;
        count = MaxTaunts;
    }
    const QStringList groups = ini.childGroups();
    const QSet<QString> present(groups.cbegin(), groups.cend());
    int missing = 0;
    for (int i = 1; i <= count; ++i)
    {
        // A count larger than the list would otherwise add an empty taunt.
        if (!present.contains(QString::number(i)))
        {
            ++missing;
            continue;
        }
        ini.beginGroup(QString::number(i));
        const QString key = IniText(ini, QStringLiteral("key"));
        const QString message = IniText(ini, QStringLiteral("message"));
        const QString file = IniText(ini, QStringLiteral("file"));
        ini.endGroup();
        m_messages.insert(key, message);
        m_files.insert(message.toLower(), file);
    }
    if (missing > 0)
        qDebug().noquote() << "TauntsManager :: Missing taunts ---" << missing << "of" << count << "skipped";
    qDebug().noquote() << "TauntsManager :: Load" << m_messages.size() << "taunts";
    emit OnReload();
}

QString TauntsManager::GetTauntFile(const QString& text) const
{
    if (text.isEmpty())
        return QString();
    const QString lower = text.toLower();
    auto it = m_files.constFind(lower);
    if (it != m_files.constEnd())
        return *it;
    if (text.startsWith(QLatin1Char('(')) && text.contains(QLatin1Char(')')))
    {
        const int close = text.indexOf(QLatin1Char(')'));
        const QString key = text.mid(1, close - 1);
        if (m_messages.contains(key))
            return m_files.value(m_messages.value(key).toLower());
    }
    return QString();
}
