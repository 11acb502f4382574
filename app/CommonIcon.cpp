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
    // Country code to English country name, from the locales Qt knows.
    static const QHash<QString, QString> names = []
    {
        QHash<QString, QString> table;
        const auto locales =
            QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyCountry);
        for (const QLocale& locale : locales)
        {
            const QString code = locale.name().section(QLatin1Char('_'), -1).toLower();
            if (code.size() == 2 && locale.country() != QLocale::AnyCountry && !table.contains(code))
                table.insert(code, QLocale::countryToString(locale.country()));
        }
        return table;
    }();
    return names.value(countryCode.trimmed().toLower(), QStringLiteral("Unknown"));
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
