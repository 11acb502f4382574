#include "CommonIcon.h"

#include <QHash>
#include <QLocale>

namespace
{
const QStringList& ColourWords()
{
    static const QStringList words = {QStringLiteral("blue"),   QStringLiteral("red"),     QStringLiteral("green"),
                                      QStringLiteral("yellow"), QStringLiteral("orange"),  QStringLiteral("violet"),
                                      QStringLiteral("cyan"),   QStringLiteral("pink"),    QStringLiteral("white"),
                                      QStringLiteral("gray"),   QStringLiteral("navy"),    QStringLiteral("maroon"),
                                      QStringLiteral("forest"), QStringLiteral("bronze"),  QStringLiteral("sky"),
                                      QStringLiteral("lime")};
    return words;
}
} // namespace

namespace CommonIcon
{
QStringList TeamFlagNames()
{
    QStringList names;
    for (const QString& word : ColourWords())
        names << QStringLiteral("flag_%1.png").arg(word);
    return names;
}

QStringList CoopLinkNames()
{
    QStringList names;
    for (const QString& word : ColourWords())
        names << QStringLiteral("link_%1.png").arg(word);
    return names;
}

QString GetCountryName(const QString& countryCode)
{
    static QHash<QString, QString> cache;
    const QString code = countryCode.toLower();
    auto it = cache.constFind(code);
    if (it != cache.constEnd())
        return *it;
    QString name;
    const QLocale::Country country = QLocale(QStringLiteral("und_") + code.toUpper()).country();
    if (code.size() == 2 && country != QLocale::AnyCountry)
        name = QLocale::countryToString(country);
    if (name.isEmpty())
        name = QStringLiteral("Unknown");
    cache.insert(code, name);
    return name;
}

QPixmap GetFlagPath(const QString& countryCode)
{
    return QPixmap(QStringLiteral(":/Flags/%1.xpm").arg(countryCode.toLower()));
}

QIcon GetFlagIcon(const QString& countryCode, QString* countryName)
{
    if (countryName)
        *countryName = GetCountryName(countryCode);
    return QIcon(GetFlagPath(countryCode));
}

QIcon GetTeamFlagIcon(int index)
{
    const QStringList names = TeamFlagNames();
    if (index < 0 || index >= names.size())
        return QIcon();
    return QIcon(QStringLiteral(":/TeamFlags/%1").arg(names.at(index)));
}

QIcon IconFromImage(const QImage& image)
{
    return QIcon(QPixmap::fromImage(image));
}
} // namespace CommonIcon
