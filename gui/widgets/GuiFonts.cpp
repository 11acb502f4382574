#include "GuiFonts.h"

#include "GuiMetrics.h"

#include <QDebug>
#include <QDir>
#include <QFont>
#include <QFontDatabase>

namespace GuiFonts
{
QStringList Substitutes(const QString& family)
{
    // WenQuanYi last everywhere: it carries the Chinese glyphs none of the others has.
    const QString cjk = QStringLiteral("WenQuanYi Micro Hei");
    if (family == GuiFontMain)
        return {QStringLiteral("Play"), cjk};
    if (family == GuiFontPixel)
        return {QStringLiteral("creep2"), QStringLiteral("Terminus"), cjk};
    if (family == GuiFontCyrillic)
        return {QStringLiteral("PT Sans Caption"), QStringLiteral("Play"), cjk};
    if (family == GuiFontArial)
        return {QStringLiteral("Liberation Sans"), cjk};
    if (family == GuiFontCourier)
        return {QStringLiteral("Liberation Mono"), QStringLiteral("WenQuanYi Micro Hei Mono")};
    return {};
}

QStringList LoadFonts()
{
    QStringList families;
    const QDir dir(QStringLiteral(":/Fonts"));
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    for (const QString& file : files)
    {
        const int id = QFontDatabase::addApplicationFont(dir.filePath(file));
        if (id < 0)
        {
            qDebug().noquote() << "GuiFonts :: CAN NOT LOAD ---" << file;
            continue;
        }
        for (const QString& family : QFontDatabase::applicationFontFamilies(id))
            if (!families.contains(family))
                families << family;
    }
    for (const QString& family : {GuiFontMain, GuiFontPixel, GuiFontCyrillic, GuiFontArial, GuiFontCourier})
        QFont::insertSubstitutions(family, Substitutes(family));
    qDebug().noquote() << "GuiFonts :: Load" << families.join(QStringLiteral(", "));
    return families;
}
} // namespace GuiFonts
