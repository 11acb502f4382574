#include "GuiFonts.h"

#include "GuiMetrics.h"

#include <QDebug>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QResource>

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

namespace
{
const QString ChineseFace = QStringLiteral("wqy-microhei.ttc");

// The resource is stored uncompressed, so the face is read straight from the program's image
// instead of being copied onto the heap (once by the font database, again by each font engine).
QStringList AddFace(const QString& path)
{
    const QResource resource(path);
    const QByteArray data =
        resource.compressionAlgorithm() == QResource::NoCompression
            ? QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), int(resource.size()))
            : resource.uncompressedData();
    const int id = data.isEmpty() ? -1 : QFontDatabase::addApplicationFontFromData(data);
    if (id < 0)
    {
        qDebug().noquote() << "GuiFonts :: CAN NOT LOAD ---" << path;
        return {};
    }
    return QFontDatabase::applicationFontFamilies(id);
}

QStringList AddFaces(const QStringList& files)
{
    QStringList families;
    for (const QString& file : files)
    {
        for (const QString& family : AddFace(QStringLiteral(":/Fonts/") + file))
        {
            if (!families.contains(family))
                families << family;
        }
    }
    return families;
}
} // namespace

QStringList LoadFonts()
{
    QStringList files = QDir(QStringLiteral(":/Fonts")).entryList(QDir::Files, QDir::Name);
    files.removeAll(ChineseFace);
    const QStringList families = AddFaces(files);
    for (const QString& family : {GuiFontMain, GuiFontPixel, GuiFontCyrillic, GuiFontArial, GuiFontCourier})
        QFont::insertSubstitutions(family, Substitutes(family));
    qDebug().noquote() << "GuiFonts :: Load" << families.join(QStringLiteral(", "));
    return families;
}

QStringList UseLanguage(const QString& languageCode)
{
    static bool chineseLoaded = false;
    if (languageCode != QLatin1String("ZH") || chineseLoaded)
        return {};
    chineseLoaded = true;
    const QStringList families = AddFaces({ChineseFace});
    qDebug().noquote() << "GuiFonts :: Load" << families.join(QStringLiteral(", "));
    return families;
}
} // namespace GuiFonts
